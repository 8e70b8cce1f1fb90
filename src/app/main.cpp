// sonvela: the editor of the TQ640V.
#include <QApplication>
#include <QIcon>
#include <QTextStream>

#include "core/common/usernotify.h"
#include "gui/controls/artwork.h"
#include "gui/controls/artworkids.h"
#include "gui/shell/automation.h"
#include "gui/shell/brioapp.h"
#include "gui/shell/briodlg.h"
#include "gui/shell/commandline.h"
#include "gui/shell/startupnotify.h"
#include "link/unitconnection.h"

int main(int argc, char** argv) {
    // The command line is read before any window system is needed, so --help, --version and
    // a bad option work without a display.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    const SAppOptions options = ParseCommandLine(args);
    if (!options.error.isEmpty()) {
        QTextStream(stderr) << "sonvela: " << options.error << "\n" << UsageText();
        return kExitUsage;
    }
    if (options.bHelp) {
        QTextStream(stdout) << UsageText();
        return 0;
    }
    if (options.bVersion) {
        QTextStream(stdout) << VersionText();
        return 0;
    }
    QApplication app(argc, argv);
    // The window class and the desktop entry's name tie the window to its menu entry and icon.
    QApplication::setApplicationName("sonvela");
    QApplication::setDesktopFileName("org.sonvela.sonvela");
    QIcon icon;
    icon.addPixmap(ArtPixmap(IDB_APP_ICON, 1.0));
    icon.addPixmap(ArtPixmap(IDB_APP_ICON, 2.0));
    QApplication::setWindowIcon(icon);
    // Until the main window is up, a message is a box of its own (or, headless, a line on
    // standard error that makes the start fail).
    CStartupNotify startupNotify;
    SetUserNotify(&startupNotify);
    int code = 0;
    {
        CBrioApp brioApp(options);
        code = brioApp.Start();
        if (code == 0 && startupNotify.Failed()) {
            code = 1;
        }
        if (code == 0) {
            InstallAutomation(*brioApp.MainWindow(), brioApp.Connection().Controller());
            code = QApplication::exec();
        }
    }
    SetUserNotify(nullptr);
    return code;
}
