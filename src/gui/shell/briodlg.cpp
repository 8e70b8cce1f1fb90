#include "gui/shell/briodlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "core/model/audiodata.h"
#include "core/model/audiosystemdata.h"
#include "core/protocol/audiodataadapter.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "gui/controls/limitinputedit.h"
#include "gui/curve/drawcurve.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/messagebox.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/outputdlg.h"
#include "gui/pages/pagefactory.h"
#include "gui/pages/switchchdlg.h"
#include "gui/settings/pmxfilepanel.h"
#include "gui/settings/pmxfolder.h"
#include "gui/settings/systemsettingdlg.h"
#include "gui/shell/connectdlg.h"
#include "gui/shell/connectinfodlg.h"
#include "gui/shell/editactions.h"
#include "gui/shell/focusring.h"
#include "gui/shell/shortcuts.h"
#include "gui/shell/spectruminput.h"
#include "gui/shell/titlebar.h"
#include "gui/shell/unlockdlg.h"
#include "gui/shell/windowmessages.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/reconnector.h"
#include "link/serialportinfo.h"
#include "link/unitconnection.h"

namespace {
// The one local .pmx file a drag carries, or empty.
QString DroppedParameterFile(const QMimeData* pData) {
    if (pData == nullptr || !pData->hasUrls() || pData->urls().size() != 1 ||
        !pData->urls().front().isLocalFile()) {
        return {};
    }
    const QString path = pData->urls().front().toLocalFile();
    return path.endsWith(QStringLiteral(".pmx"), Qt::CaseInsensitive) ? path : QString();
}
}  // namespace

CBrioDlg::CBrioDlg(CAudioData& model, CUnitConnection& connection, const SearchPlan& plan,
                   const QString& libraryFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_connection(connection),
      m_model(model),
      m_plan(plan) {
    setWindowTitle(LabelText(kLabelTitleSonvela36));
    setFocusPolicy(Qt::StrongFocus);
    ResetPageState();

    m_pTitleBar = new CTitleBar(this);
    m_pSelector = new CSwitchChDlg(m_model, m_connection.Command(), this);
    m_pMainVol = new CMainVolDlg(m_model, this);
    m_pCurve = new CDrawCurve(this);
    m_pCurve->SetModel(&m_model);
    m_pSpectrumInput = std::make_unique<CSpectrumInput>(*m_pCurve);
    m_pSystem = new CSystemSettingDlg(
        m_model, libraryFolder.isEmpty() ? ParameterLibraryFolder() : libraryFolder, this);
    m_pSystem->hide();
    m_pBusy = new CConnectInfoDlg(this);
    BuildPages();

    new CFocusRing(this);
    m_pEditActions =
        new CEditActions(m_model, m_connection, {this, m_pSelector, m_pMainVol, m_pTitleBar});
    m_pShortcuts = std::make_unique<CShortcutFilter>(this, m_model, *m_pMainVol, *m_pSelector);
    m_pShortcuts->SetEditKeys({[this] { m_pEditActions->Undo(); },
                               [this] { m_pEditActions->Redo(); },
                               [this] { m_pEditActions->ToggleAb(); }});
    qApp->installEventFilter(m_pShortcuts.get());

    connect(m_pTitleBar, &CTitleBar::MinimiseClicked, this, &QWidget::showMinimized);
    connect(m_pTitleBar, &CTitleBar::MaximiseClicked, this, &CBrioDlg::ToggleMaximised);
    connect(m_pTitleBar, &CTitleBar::CloseClicked, this, &QWidget::close);
    connect(m_pTitleBar, &CTitleBar::StatusClicked, this, &CBrioDlg::OnStatusClicked);
    connect(m_pTitleBar, &CTitleBar::BluetoothOkClicked, this, &CBrioDlg::SendBluetoothName);
    // The view's reports are handled before the view goes on, as the messages they stand for.
    connect(m_pCurve, &CDrawCurve::CurvePointMoved, this,
            [this](int band, int code) { OnWindowMessage(MSG_CURVE_POINT_MOVED, band, code); });
    connect(m_pCurve, &CDrawCurve::CurveQChanged, this,
            [this](int band, int code) { OnWindowMessage(MSG_CURVE_Q_CHANGED, band, code); });

    CSystemSettingDlg::SHandlers system;
    system.isConnected = [this] { return m_connection.State().connected == 1; };
    system.isNetworkLink = [this] { return m_connection.State().linkKind == LinkKind::Network; };
    system.postMessage = [this](int message, int wParam, int lParam) {
        PostWindowMessage(message, wParam, lParam);
    };
    system.volumesChanged = [this] { m_pMainVol->LoadVolumes(); };
    system.closeNetworkLink = [this] { m_connection.Controller().DisconnectNetwork(); };
    system.connectTo = [this](const QString& address) {
        m_plan.address = address;
        ConnectAction();
    };
    m_pSystem->SetHandlers(std::move(system));
    // Parameter files anywhere: Ctrl+S is a volume key, so saving takes Shift too.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated,
            m_pSystem->FilePanel(), &CPmxFilePanel::OpenFileDialog);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this),
            &QShortcut::activated, m_pSystem->FilePanel(), &CPmxFilePanel::SaveAsFileDialog);
    setAcceptDrops(true);

    m_pMainVol->SetConnectHandlers({[this] { return m_connection.State().connected == 1; },
                                    [this] { OnWindowMessage(MSG_DISCONNECT, 0, 0); },
                                    [this] { RunConnectDialog(); }});

    CLinkController& controller = m_connection.Controller();
    // The read-back ends inside the engine's receive path: its handling (and any box or dialog
    // it opens) runs after that path has returned.
    connect(&controller, &CLinkController::ReadBackCompleted, this, &CBrioDlg::OnReadBackCompleted,
            Qt::QueuedConnection);
    connect(&controller, &CLinkController::VolumesConfirmed, this, [this] {
        // The unit's volumes end an upload.
        m_pMainVol->LoadVolumes();
        m_pBusy->HideBusy();
    });
    connect(&controller, &CLinkController::KeyReported, this,
            [this](int) { m_pMusic->ShowReportedKey(); });
    connect(&controller, &CLinkController::LinkLost, this, &CBrioDlg::OnLinkLost);
    connect(&controller, &CLinkController::BusyStarted, this, [this](int autoCloseMs) {
        m_pBusy->SetAutoClose(autoCloseMs);
        m_pBusy->ShowBusy();
    });

    setMinimumSize(kMainWindowWidth, kMainWindowHeight);
    resize(kMainWindowWidth, kMainWindowHeight);
    if (const QScreen* pScreen = QGuiApplication::primaryScreen()) {
        move(pScreen->availableGeometry().topLeft());
    }
    m_pSelector->ShowPage(kPageMusic);
}

void CBrioDlg::BuildPages() {
    m_pages.pMainVol = m_pMainVol;
    m_pages.pCurveWidget = m_pCurve;
    m_pages.pCurve = m_pCurve;
    // Every channel page, in page order; the Tab order runs from the selector through the pages
    // (only the page shown takes the focus) to the volume strip.
    QWidget* pPrevious = m_pSelector;
    for (int page = 0; page < kChannelPages; ++page) {
        CChannelPage* pPage = CreateChannelPage(page, m_model, this);
        pPage->SetCurveView(m_pCurve);
        m_pages.channelPages[static_cast<std::size_t>(page)] = pPage;
        setTabOrder(pPrevious, pPage);
        pPrevious = pPage;
        if (auto* pOutput = qobject_cast<COutputDlg*>(pPage)) {
            connect(pOutput, &COutputDlg::RecordSwitched, m_pSelector,
                    &CSwitchChDlg::ShowEqPassState);
        }
    }
    setTabOrder(pPrevious, m_pMainVol);
    m_pMusic = static_cast<CMusicDlg*>(m_pages.Page(kPageMusic));
    connect(m_pMusic, &CMusicDlg::KeyEdited, this, [this](int) {
        // The user set the key: the next idle poll comes a full idle period later.
        m_connection.State().idleTicks = {};
    });
    m_pages.pSystemPage = m_pSystem;
    m_pSelector->SetPages(m_pages);
    m_pSelector->SetRecorder(m_pSpectrumInput.get());
}

CBrioDlg::~CBrioDlg() {
    qApp->removeEventFilter(m_pShortcuts.get());
}

CUnlockDlg* CBrioDlg::UnlockDialog() const {
    return m_pUnlock;
}

CConnectDlg* CBrioDlg::ConnectDialog() const {
    return m_pConnectDlg;
}

void CBrioDlg::SetRecorder(ISpectrumRecorder* pRecorder) {
    m_pSelector->SetRecorder(pRecorder);
}

void CBrioDlg::Start() {
    CLinkState& state = m_connection.State();
    state.retryCount = 0;
    state.idleTicks = {};
    state.idleLimit.fill(kDefaultIdleLimit);
    if (!m_plan.bUsb || !m_connection.OpenUsb()) {
        state.searchStage = SearchStage::Serial;
    }
    QTimer::singleShot(kConnectActionDelayMs, this, [this] {
        if (!m_bConnectActionDone) {
            m_bConnectActionDone = true;
            ConnectAction();
        }
    });
}

void CBrioDlg::ConnectAction() {
    m_pMainVol->ConnectAction();
}

void CBrioDlg::RunConnectDialog() {
    if (m_pConnectDlg != nullptr && m_pConnectDlg->isVisible()) {
        return;
    }
    SearchPlan plan = m_plan;
    if (plan.bSerial && plan.portNames.isEmpty()) {
        QList<SerialPortInfo> ports;
        EnumerateSerialPorts(ports);
        for (const SerialPortInfo& port : ports) {
            if (!port.portName.isEmpty()) {
                plan.portNames << port.portName;
            }
        }
    }
    // The user's own search takes over from any reconnect.
    m_connection.Reconnector().Stop();
    delete m_pConnectDlg;
    m_pConnectDlg = new CConnectDlg(m_connection.Search(), this);
    m_pConnectDlg->setAttribute(Qt::WA_DeleteOnClose);
    m_pConnectDlg->Run(plan, m_plan.bUsb && m_connection.HidDevice().IsOpen());
}

void CBrioDlg::UploadModel() {
    if (m_connection.State().connected != 1) {
        return;
    }
    // The controller takes the output section's state from the system record first, and the
    // pages follow it as they follow a read-back.
    m_connection.Controller().UploadModel();
    const CAudioSystemData& system = m_model.System();
    TakeOutputSection(system.GetOutAutoCopy(), system.GetOutSceneCopy());
    m_pMainVol->LoadVolumes();
    m_pSelector->ShowPage(kPageMusic);
    m_pCurve->update();
}

void CBrioDlg::OnReadBackCompleted(bool bLocked) {
    // The unit's output section (Auto or Manual, its scene) reaches the pages on every
    // read-back.
    TakeOutputSection(m_model.Mic().GetOutAuto(), m_model.Mic().GetOutScene());
    g_musicInputMax = m_model.System().MusicInputCount() - 1;
    m_pMainVol->LoadVolumes();
    m_pMainVol->ShowLinkState(true);
    m_pBusy->HideBusy();
    m_pTitleBar->ShowStatus(true);
    m_pEditActions->OnReadBackCompleted();
    if (!bLocked) {
        m_pSelector->ShowPage(kPageMusic);
        return;
    }
    if (m_connection.State().linkKind == LinkKind::Usb) {
        // Over USB the window stays disabled until the unit is unlocked.
        m_pSelector->ShowPage(kPageSystem);
        setEnabled(false);
        ShowUnlockDialog(false);
        return;
    }
    ShowQueuedMessage(this, LabelText(kLabelMessageThePanelIsLockedPlease), windowTitle(), [this] {
        m_pSelector->ShowPage(kPageSystem);
        ShowUnlockDialog(true);
    });
}

void CBrioDlg::ShowUnlockDialog(bool bModal) {
    delete m_pUnlock;
    CUnlockDlg::SHandlers handlers;
    handlers.isConnected = [this] { return m_connection.State().connected == 1; };
    handlers.unlocked = [this] {
        m_pSelector->ShowPage(kPageMusic);
        if (m_connection.State().linkKind == LinkKind::Usb) {
            setEnabled(true);
        }
    };
    handlers.cancelled = [this] {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    };
    m_pUnlock = new CUnlockDlg(m_model, std::move(handlers), this);
    m_pUnlock->setAttribute(Qt::WA_DeleteOnClose);
    m_pUnlock->setModal(bModal);
    m_pUnlock->move(frameGeometry().center() - m_pUnlock->rect().center());
    if (bModal) {
        m_pUnlock->open();
    } else {
        m_pUnlock->show();
        // A window of its own stays usable while the main window is disabled.
        m_pUnlock->setEnabled(true);
    }
}

void CBrioDlg::OnLinkLost(LinkKind link) {
    m_pMainVol->ShowLinkState(false);
    m_pBusy->HideBusy();
    m_pTitleBar->ShowStatus(false);
    m_pEditActions->RefreshLinkNote();
    if (link == LinkKind::Usb) {
        setEnabled(true);
    }
}

void CBrioDlg::OnStatusClicked() {
    if (++m_statusClicks >= 2) {
        m_statusClicks = 0;
        PostWindowMessage(MSG_SHOW_BT_NAME, 0, 0);
    }
}

void CBrioDlg::SendBluetoothName() {
    const QString name = m_pTitleBar->BluetoothEdit()->text();
    if (m_connection.State().connected != 1 || name.isEmpty()) {
        return;
    }
    m_connection.Command().Enqueue(MakeBluetoothName(name.toStdString()));
}

void CBrioDlg::PostWindowMessage(int message, int wParam, int lParam) {
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { OnWindowMessage(message, wParam, lParam); },
        Qt::QueuedConnection);
}

void CBrioDlg::OnWindowMessage(int message, int wParam, int lParam) {
    switch (message) {
        case MSG_SHOW_BT_NAME:
            m_pTitleBar->ShowBluetoothRow();
            break;
        case MSG_LOAD_MODE:
            // lParam: the stored mode to recall, counted from 1.
            if (m_connection.State().connected == 1 && CAudioSystemData::IsModeIndex(lParam - 1)) {
                m_connection.Controller().LoadMode(lParam - 1);
            }
            break;
        case MSG_UPLOAD_MODEL:
            UploadModel();
            break;
        case MSG_DISCONNECT:
            // The user asked to end the link in use.
            ShowQueuedMessage(this, QStringLiteral("断开连接"), QStringLiteral("提示"));
            m_connection.UserDisconnect();
            break;
        case MSG_CURVE_POINT_MOVED:
        case MSG_CURVE_Q_CHANGED: {
            if (CChannelPage* pPage = m_pages.Page(PageOfCurveCode(lParam))) {
                if (message == MSG_CURVE_POINT_MOVED) {
                    pPage->OnCurveBandMoved(wParam);
                } else {
                    pPage->OnCurveQChanged(wParam);
                }
            }
            if (message == MSG_CURVE_POINT_MOVED) {
                m_connection.Controller().OnCurveDragged();
            }
            break;
        }
        default:
            break;
    }
}

void CBrioDlg::ToggleMaximised() {
    if (!m_bMaximised && windowState() == Qt::WindowNoState) {
        showMaximized();
        m_bMaximised = true;
    } else {
        showNormal();
        m_bMaximised = false;
    }
}

void CBrioDlg::LayoutPages() {
    const int w = width();
    const int h = height();
    const int top = kTitleBarHeight;
    m_pTitleBar->setGeometry(0, 0, w, top);
    m_pSelector->setGeometry(0, top, kSelectorWidth, h - top);
    m_pMainVol->setGeometry(w - kVolumeStripWidth, top, kVolumeStripWidth, kPageHeight);
    for (CChannelPage* pPage : m_pages.channelPages) {
        if (pPage != nullptr) {
            pPage->setGeometry(kSelectorWidth, top, w - kSelectorWidth - kVolumeStripWidth,
                               kPageHeight);
        }
    }
    // The view lays its plot and every band set out again on its own resize.
    m_pCurve->setGeometry(kSelectorWidth, top + kPageHeight, w - kSelectorWidth,
                          h - top - kPageHeight);
    if (m_pages.pSystemPage != nullptr) {
        m_pages.pSystemPage->setGeometry(kSelectorWidth, top, w - kSelectorWidth, h - top);
    }
}

void CBrioDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedParameterFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CBrioDlg::dropEvent(QDropEvent* event) {
    const QString path = DroppedParameterFile(event->mimeData());
    if (!path.isEmpty()) {
        event->acceptProposedAction();
        m_pSystem->FilePanel()->LoadFile(path);
    }
}

void CBrioDlg::resizeEvent(QResizeEvent* /*event*/) {
    LayoutPages();
}

void CBrioDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), Qt::white);
}

void CBrioDlg::closeEvent(QCloseEvent* event) {
    delete m_pUnlock;
    delete m_pConnectDlg;
    event->accept();
}
