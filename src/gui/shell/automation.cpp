#include "gui/shell/automation.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include "gui/pages/switchchdlg.h"
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
// "1920x1080" as a size; invalid for anything else.
QSize ParseSize(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okWidth = false;
    bool okHeight = false;
    if (parts.size() != 2) {
        return {};
    }
    const QSize size(parts[0].toInt(&okWidth), parts[1].toInt(&okHeight));
    return okWidth && okHeight && size.width() > 0 && size.height() > 0 ? size : QSize();
}
}  // namespace

void InstallAutomation(CBrioDlg& window, CLinkController& controller) {
    if (qEnvironmentVariableIntValue("SONVELA_EXIT_AFTER_PAINT") == 1) {
        window.installEventFilter(new CFirstPaintExit(&window));
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
    const int page = qEnvironmentVariableIntValue("SONVELA_SCREENSHOT_PAGE", &ok);
    const int shownPage = ok ? page : -1;
    const QSize size = ParseSize(qEnvironmentVariable("SONVELA_SCREENSHOT_SIZE"));
    QObject::connect(&controller, &CLinkController::ReadBackCompleted, &window,
                     [&window, screenshot, shownPage, size] {
                         if (size.isValid()) {
                             window.resize(size);
                         }
                         // After the read-back's own choice of page.
                         QTimer::singleShot(0, &window, [&window, shownPage] {
                             if (shownPage >= 0) {
                                 window.Selector()->ShowPage(shownPage);
                             }
                         });
                         QTimer::singleShot(kSettleMs, &window, [&window, screenshot] {
                             const bool saved = window.grab().save(screenshot, "PNG");
                             QApplication::exit(saved ? 0 : 1);
                         });
                     });
}
