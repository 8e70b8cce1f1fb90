#include "gui/shell/automation.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include "gui/shell/briodlg.h"
#include "link/linkcontroller.h"

namespace {
constexpr int kDefaultScreenshotTimeoutMs = 30000;
// The pages reload after the read-back in a queued call; give them a moment to paint.
constexpr int kSettleMs = 300;

class CFirstPaintExit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QApplication::exit(0); });
        }
        return false;
    }
};
}  // namespace

void InstallAutomation(CBrioDlg& window, CLinkController& controller) {
    if (qEnvironmentVariableIntValue("SONVELA_EXIT_AFTER_PAINT") == 1) {
        window.installEventFilter(new CFirstPaintExit(&window));
    }
    if (qEnvironmentVariableIntValue("SONVELA_EXIT_AFTER_READBACK") == 1) {
        QObject::connect(&controller, &CLinkController::ReadBackCompleted, &window,
                         [] { QApplication::exit(0); });
    }
    const QString screenshot = qEnvironmentVariable("SONVELA_SCREENSHOT");
    if (screenshot.isEmpty()) {
        return;
    }
    bool ok = false;
    int timeoutMs = qEnvironmentVariableIntValue("SONVELA_SCREENSHOT_TIMEOUT_MS", &ok);
    if (!ok || timeoutMs <= 0) {
        timeoutMs = kDefaultScreenshotTimeoutMs;
    }
    QTimer::singleShot(timeoutMs, &window, [] {
        QTextStream(stderr) << "sonvela: no unit was read back\n";
        QApplication::exit(1);
    });
    QObject::connect(&controller, &CLinkController::ReadBackCompleted, &window,
                     [&window, screenshot] {
                         QTimer::singleShot(kSettleMs, &window, [&window, screenshot] {
                             const bool saved = window.grab().save(screenshot, "PNG");
                             QApplication::exit(saved ? 0 : 1);
                         });
                     });
}
