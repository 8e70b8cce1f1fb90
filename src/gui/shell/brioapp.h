// The application object: the single-instance lock, the label table's language, the parameter
// model, the connection's objects and the main window, created in that order at start and
// destroyed in the reverse order at exit.
#pragma once

#include <QString>
#include <memory>

#include "gui/shell/commandline.h"
#include "link/hidbackend.h"

// The setting that turns the reconnect of a lost link on (true, the default) or off.
inline constexpr char kAutoReconnectKey[] = "link/autoReconnect";

class CAudioData;
class CBrioDlg;
class CMessageBoxNotify;
class CSingleInstance;
class CUnitConnection;
class IUserNotify;

// What the start-up takes from its surroundings; tests give their own.
struct SAppEnvironment {
    // The USB backend; null means hidapi.
    std::unique_ptr<IHidBackend> hidBackend;
    // Folder of the single-instance lock; empty means the user's runtime folder.
    QString lockFolder;
    // Watch HID devices come and go.
    bool bWatchHotplug = true;
    // The parameter-file library; empty means "Mode" beside the program or in the user's data
    // folder (pmxfolder.h).
    QString libraryFolder;
};

class CBrioApp {
public:
    CBrioApp(SAppOptions options, SAppEnvironment environment = {});
    ~CBrioApp();
    CBrioApp(const CBrioApp&) = delete;
    CBrioApp& operator=(const CBrioApp&) = delete;

    // The start-up sequence. 0 when the main window is up (shown) and its connect action
    // scheduled; kExitAlreadyRunning after "The program is running!" was shown.
    int Start();

    CAudioData& Model() { return *m_pAudioData; }
    CUnitConnection& Connection() { return *m_pConnection; }
    CBrioDlg* MainWindow() { return m_pMainWindow.get(); }

private:
    SAppOptions m_options;
    SAppEnvironment m_environment;
    // Destroyed last to first: window, notify, connection, model, lock.
    std::unique_ptr<CSingleInstance> m_pInstance;
    std::unique_ptr<CAudioData> m_pAudioData;
    std::unique_ptr<CUnitConnection> m_pConnection;
    std::unique_ptr<CMessageBoxNotify> m_pNotify;
    IUserNotify* m_pPreviousNotify = nullptr;
    std::unique_ptr<CBrioDlg> m_pMainWindow;
};
