#include "gui/shell/brioapp.h"

#include <QSettings>

#include "capture/capturesettings.h"
#include "core/common/labelids.h"
#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/messagebox.h"
#include "gui/shell/briodlg.h"
#include "gui/shell/singleinstance.h"
#include "link/linkcontroller.h"
#include "link/reconnector.h"
#include "link/unitconnection.h"

CBrioApp::CBrioApp(SAppOptions options, SAppEnvironment environment)
    : m_options(std::move(options)), m_environment(std::move(environment)) {}

CBrioApp::~CBrioApp() {
    m_pMainWindow.reset();
    if (m_pNotify != nullptr && GetUserNotify() == m_pNotify.get()) {
        SetUserNotify(m_pPreviousNotify);
    }
}

int CBrioApp::Start() {
    LoadLabelTable(m_options.language);
    m_pInstance = std::make_unique<CSingleInstance>(m_environment.lockFolder);
    if (!m_pInstance->Acquire()) {
        NotifyUser(Label(kLabelMessageTheProgramIsRunning), Label(kLabelMessagePrompt));
        return kExitAlreadyRunning;
    }
    m_pAudioData = std::make_unique<CAudioData>();
    std::unique_ptr<IHidBackend> backend = std::move(m_environment.hidBackend);
    if (backend == nullptr) {
        backend = MakeHidapiBackend();
    }
    m_pConnection = std::make_unique<CUnitConnection>(*m_pAudioData, std::move(backend));
    // A lost link is tried again unless the setting or the command line says otherwise.
    const QSettings settings(kSettingsOrganisation, kSettingsApplication);
    m_pConnection->Reconnector().SetEnabled(!m_options.bNoReconnect &&
                                            settings.value(kAutoReconnectKey, true).toBool());
    m_pMainWindow = std::make_unique<CBrioDlg>(*m_pAudioData, *m_pConnection, m_options.plan,
                                               m_environment.libraryFolder);

    // From here on the user is told things in boxes over the window.
    m_pNotify = std::make_unique<CMessageBoxNotify>(m_pMainWindow.get());
    m_pPreviousNotify = GetUserNotify();
    SetUserNotify(m_pNotify.get());

    if (m_environment.bWatchHotplug) {
        m_pConnection->Controller().StartHotplugMonitor();
    }
    m_pMainWindow->show();
    m_pMainWindow->Start();
    return 0;
}
