#include "link/linkcontroller.h"

#include <QTimer>

#include "core/common/usernotify.h"
#include "core/protocol/command.h"
#include "core/protocol/connectionmodel.h"
#include "link/clientsocket.h"
#include "link/connectsearch.h"
#include "link/hiddevice.h"
#include "link/hotplugmonitor.h"

namespace {
// Ticks added to the slowest sequence before the busy display closes by itself.
constexpr int kSafetyMarginTicks = 64;
}  // namespace

CLinkController::CLinkController(CLinkState& state, IConnectionModel& model, CClientSocket& socket,
                                 CHidDevice& hidDevice, QObject* parent)
    : QObject(parent), m_state(state), m_model(model), m_socket(socket), m_hidDevice(hidDevice) {
    for (int kind = 0; kind < kLinkKinds; ++kind) {
        const auto link = static_cast<LinkKind>(kind);
        m_pTimers[kind] = new QTimer(this);
        m_pTimers[kind]->setInterval(kLinkTickMs);
        m_pTimers[kind]->setTimerType(Qt::PreciseTimer);
        connect(m_pTimers[kind], &QTimer::timeout, this, [this, link] {
            if (m_pCommand == nullptr) {
                return;
            }
            const int queued = m_pCommand->GetCount();
            m_pCommand->LinkTick(link);
            if (m_bPrompt && queued == 0) {
                // The tick asked the model: what it gave leaves now; nothing means all is sent.
                if (m_pCommand->GetCount() > 0) {
                    m_pCommand->LinkStep(link);
                } else {
                    m_bPrompt = false;
                }
            }
        });
    }
    // A network link whose peer goes away ends at once instead of after six time-outs.
    connect(&m_socket, &CClientSocket::ConnectionLost, this, [this] {
        if (m_state.connected == 1 && m_state.linkKind == LinkKind::Network) {
            DisconnectNetwork();
        }
    });
}

CLinkController::~CLinkController() = default;

void CLinkController::ConnectBy(int index) {
    if (m_state.unitAcked != 1 || m_pCommand == nullptr) {
        return;
    }
    LinkKind link = LinkKind::Serial;
    if (index == kConnectNetwork) {
        link = LinkKind::Network;
    } else if (index == kConnectUsb) {
        link = LinkKind::Usb;
    } else if (index >= 0 && index < m_portNames.size()) {
        // The open is not checked: a port that cannot be opened again shows up as time-outs,
        // which end the link.
        m_pCommand->OpenSerial(m_portNames[index].toStdString());
    } else {
        return;
    }
    m_state.linkKind = link;
    m_model.LinkUp();
    m_model.SetAllChanged(0);
    m_model.ReadAllSequence(*m_pCommand, 0, m_state.Chunked());
    m_pTimers[LinkIndex(link)]->start();
    m_state.connected = 1;
    if (m_state.pacedReads == 0) {
        // The first read request leaves now; its reply sends the next.
        m_pCommand->SendPendingHead(link);
    }
    emit BusyStarted(0);
}

void CLinkController::LoadMode(int mode) {
    if (m_pCommand == nullptr) {
        return;
    }
    m_model.SetCurrentMode(mode);
    m_model.ReadAllSequence(*m_pCommand, mode + 1, m_state.Chunked());
    m_state.connected = 1;
    emit BusyStarted(SafetyCloseMs());
}

void CLinkController::UploadModel() {
    if (m_pCommand == nullptr) {
        return;
    }
    m_model.RefreshOutputSelection();
    m_model.UploadAllSequence(*m_pCommand, m_state.Chunked());
    emit BusyStarted(SafetyCloseMs());
}

int CLinkController::SafetyCloseMs() const {
    // The busy display ends with the read-back or the loss of the link; this only guards
    // against a sequence that neither completes nor fails, so it waits out the slowest one.
    return (m_pCommand->WorstCaseTicks(m_state.linkKind) + kSafetyMarginTicks) * kLinkTickMs;
}

void CLinkController::OnCurveDragged() {
    if (kSendDragsImmediately && m_state.connected == 1 && m_pCommand != nullptr) {
        m_pCommand->ImmediateStep();
    }
}

void CLinkController::SendPendingPromptly() {
    if (m_state.connected != 1 || m_pCommand == nullptr) {
        return;
    }
    m_bPrompt = true;
    if (m_pCommand->GetCount() == 0) {
        m_pCommand->ImmediateStep();
    }
}

void CLinkController::AfterReceive() {
    if (m_bPrompt && m_state.connected == 1 && m_pCommand != nullptr &&
        m_pCommand->GetCount() == 0) {
        m_pCommand->ImmediateStep();
    }
}

void CLinkController::ResetAfterDisconnect(LinkKind link) {
    m_bPrompt = false;
    m_pTimers[LinkIndex(link)]->stop();
    if (m_pCommand != nullptr) {
        m_pCommand->ClearQueue();
    }
    m_state.connected = 0;
    m_state.unitAcked = 0;
    m_state.uploadConfirm = 0;
    m_state.readsBackedOff = 0;
    m_state.idleTicks[LinkIndex(link)] = 0;
    emit LinkLost(link);
}

void CLinkController::DisconnectSerial() {
    // Whenever the serial link is up everything is reset, even when the port cannot be closed
    // (a port that vanished): a half-reset link would leave the program waiting forever.
    if (m_state.connected != 1 || m_state.linkKind != LinkKind::Serial) {
        return;
    }
    if (m_pCommand != nullptr) {
        m_pCommand->CloseSerial();
    }
    ResetAfterDisconnect(LinkKind::Serial);
}

void CLinkController::DisconnectNetwork() {
    if (m_state.connected != 1 || m_state.linkKind != LinkKind::Network) {
        return;
    }
    m_socket.Close();
    ResetAfterDisconnect(LinkKind::Network);
}

void CLinkController::DisconnectUsb() {
    if (m_state.connected != 1 || m_state.linkKind != LinkKind::Usb) {
        return;
    }
    ResetAfterDisconnect(LinkKind::Usb);
}

void CLinkController::DisconnectCurrent() {
    switch (m_state.linkKind) {
        case LinkKind::Usb:
            DisconnectUsb();
            break;
        case LinkKind::Serial:
            DisconnectSerial();
            break;
        case LinkKind::Network:
            DisconnectNetwork();
            break;
    }
}

void CLinkController::DisconnectLink(LinkKind link) {
    if (link == m_state.linkKind) {
        DisconnectCurrent();
    }
}

void CLinkController::SendMessage(int message, int /*wParam*/) {
    switch (message) {
        case MSG_SYSTEM_DATA_READ:
            m_model.ApplyReadBack();
            // Edits kept while the link was down may now be pending: they leave promptly.
            m_bPrompt = true;
            emit ReadBackCompleted(m_model.PanelLocked());
            break;
        case MSG_DISCONNECT:
            // Only a link in use can be lost; the queue ran dry under a running link.
            if (m_state.connected == 1) {
                NotifyUser("断开连接", "提示");
                DisconnectCurrent();
            }
            break;
        case MSG_VOLUMES_READ:
            m_model.ApplyVolumes();
            emit VolumesConfirmed();
            break;
        default:
            break;
    }
}

void CLinkController::PostMessage(int message, int wParam) {
    if (message != MSG_KEY_REPORTED) {
        return;
    }
    QMetaObject::invokeMethod(
        this,
        [this, wParam] {
            if (m_model.ApplyKeyReport(static_cast<std::int16_t>(wParam))) {
                emit KeyReported(wParam);
            }
        },
        Qt::QueuedConnection);
}

bool CLinkController::StartHotplugMonitor() {
    if (m_pHotplug == nullptr) {
        m_pHotplug = new CHotplugMonitor(this);
        connect(m_pHotplug, &CHotplugMonitor::DeviceArrived, this, &CLinkController::OnHidArrived);
        connect(m_pHotplug, &CHotplugMonitor::DeviceRemoved, this, &CLinkController::OnHidRemoved);
    }
    return m_pHotplug->Start();
}

void CLinkController::OnHidArrived(const QString& /*deviceNode*/) {
    if (m_hidDevice.IsOpen()) {
        return;
    }
    if (m_hidDevice.OpenDevice() && m_hidDevice.StartReader() && m_state.connected == 0) {
        m_state.searchStage = SearchStage::Usb;
        emit UsbDeviceOpened();
    }
}

void CLinkController::OnHidRemoved(const QString& deviceNode) {
    if (RemovalEndsUsbLink(m_state.connected == 1, m_state.linkKind, deviceNode,
                           m_hidDevice.DevicePath())) {
        DisconnectUsb();
    }
    if (!m_hidDevice.IsOpen() || deviceNode != m_hidDevice.DevicePath()) {
        return;
    }
    // The unit's own device went away: let go of it, and take another unit if one is there.
    m_hidDevice.Close();
    if (m_hidDevice.OpenDevice()) {
        m_hidDevice.StartReader();
    } else if (m_state.connected == 0) {
        m_state.searchStage = SearchStage::Serial;
    }
}
