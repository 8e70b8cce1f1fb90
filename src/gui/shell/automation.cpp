#include "gui/shell/automation.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

#include "gui/pages/pagestate.h"
#include "gui/pages/switchchdlg.h"
#include "gui/shell/briodlg.h"
#include "link/linkcontroller.h"

namespace {
constexpr int kDefaultScreenshotTimeoutMs = 30000;
// The pages reload after the read-back in a queued call; give them a moment to paint.
constexpr int kSettleMs = 300;

constexpr const char* kPageNames[] = {"music",  "mic", "effect", "main",
                                      "center", "sub", "",       "system"};

// Shows every page that exists in turn and writes each to dir/page-<name>.png.
bool SavePageScreens(CBrioDlg& window, const QString& dir) {
    bool bSaved = true;
    const int shown = g_curPage;
    for (int page = 0; page <= kPageSystem; ++page) {
        const bool bExists = page == kPageSystem ? window.Pages().pSystemPage != nullptr
                                                 : window.Pages().Page(page) != nullptr;
        if (!bExists) {
            continue;
        }
        window.Selector()->ShowPage(page);
        QApplication::processEvents();
        bSaved = window.grab().save(dir + "/page-" + kPageNames[page] + ".png", "PNG") && bSaved;
    }
    window.Selector()->ShowPage(shown);
    return bSaved;
}

// SONVELA_SCREENSHOT_SIZE=WxH: the window takes that size first.
void ApplyScreenshotSize(QWidget& window) {
    const QStringList size = qEnvironmentVariable("SONVELA_SCREENSHOT_SIZE").split('x');
    if (size.size() == 2 && size[0].toInt() > 0 && size[1].toInt() > 0) {
        window.resize(size[0].toInt(), size[1].toInt());
        QApplication::processEvents();
    }
}

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
    const QString pagesDir = qEnvironmentVariable("SONVELA_SCREENSHOT_PAGES");
    if (screenshot.isEmpty() && pagesDir.isEmpty()) {
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
    QObject::connect(
        &controller, &CLinkController::ReadBackCompleted, &window, [&window, screenshot, pagesDir] {
            QTimer::singleShot(kSettleMs, &window, [&window, screenshot, pagesDir] {
                ApplyScreenshotSize(window);
                bool bSaved = true;
                if (!screenshot.isEmpty() && !window.grab().save(screenshot, "PNG")) {
                    QTextStream(stderr)
                        << "sonvela: cannot write the screenshot " << screenshot << "\n";
                    bSaved = false;
                }
                if (!pagesDir.isEmpty() && !SavePageScreens(window, pagesDir)) {
                    QTextStream(stderr) << "sonvela: cannot write the page "
                                           "screenshots to "
                                        << pagesDir << "\n";
                    bSaved = false;
                }
                QApplication::exit(bSaved ? 0 : 1);
            });
        });
}
