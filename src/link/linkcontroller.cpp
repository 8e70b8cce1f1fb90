#include "link/linkcontroller.h"

#include <QTimer>

#include "core/common/usernotify.h"
#include "core/protocol/command.h"
#include "link/clientsocket.h"
#include "link/connectionmodel.h"
#include "link/connectsearch.h"
#include "link/hiddevice.h"
#include "link/hotplugmonitor.h"
#include "link/seriallink.h"

namespace {
constexpr int kModeRecallBusyMs = 3000;
constexpr int kUploadBusyMs = 3000;
}  // namespace

CLinkController::CLinkController(CLinkState& state, IConnectionModel& model,
                                 CSerialPort& serialPort, CClientSocket& socket,
                                 CHidDevice* pHidDevice, QObject* parent)
    : QObject(parent),
      m_state(state),
      m_model(model),
      m_serialPort(serialPort),
      m_socket(socket),
      m_pHidDevice(pHidDevice) {
    for (int kind = 0; kind < kLinkKinds; ++kind) {
        m_pTimers[kind] = new QTimer(this);
        m_pTimers[kind]->setInterval(kLinkTickMs);
        m_pTimers[kind]->setTimerType(Qt::PreciseTimer);
        connect(m_pTimers[kind], &QTimer::timeout, this, [this, kind] {
            if (m_pCommand != nullptr) {
                m_pCommand->LinkTick(kind);
            }
        });
    }
    connect(&m_serialPort, &CSerialPort::Notification, this, [this](quint32 wParam) {
        if (m_pCommand != nullptr) {
            HandleSerialNotification(wParam, m_serialPort, *m_pCommand);
        }
    });
    m_socket.SetReceiver([this](const std::uint8_t* data, int length) {
        if (m_pCommand != nullptr) {
            m_pCommand->OnNetworkData(data, length);
        }
    });
    // A network link whose peer goes away ends at once instead of after six time-outs.
    connect(&m_socket, &CClientSocket::ConnectionLost, this, [this] {
        if (m_state.connected == 1 && m_state.linkKind == kLinkNetwork) {
            DisconnectNetwork();
        }
    });
    if (m_pHidDevice != nullptr) {
        connect(m_pHidDevice, &CHidDevice::ReportReceived, this, [this](const QByteArray& report) {
            if (m_pCommand != nullptr && report.size() == kUsbReportLength) {
                m_pCommand->OnUsbReport(std::span<const std::uint8_t, kUsbReportLength>(
                    reinterpret_cast<const std::uint8_t*>(report.constData()), kUsbReportLength));
            }
        });
    }
}

CLinkController::~CLinkController() = default;

void CLinkController::SetCommand(CCommand* pCommand) {
    m_pCommand = pCommand;
    if (m_pCommand != nullptr) {
        m_pCommand->SetNetworkLink(&m_socket);
        m_pCommand->SetUsbLink(m_pHidDevice);
    }
}

void CLinkController::StartLinkTimer(int linkKind) {
    m_pTimers[linkKind]->start();
}

void CLinkController::ConnectBy(int index) {
    if (m_state.unitAcked != 1 || m_pCommand == nullptr) {
        return;
    }
    int linkKind = kLinkSerial;
    if (index == kConnectNetwork) {
        linkKind = kLinkNetwork;
    } else if (index == kConnectUsb) {
        linkKind = kLinkUsb;
    } else if (index >= 0 && index < m_portNames.size()) {
        // As on the unit's own program, the open is not checked: a port that cannot be opened
        // again shows up as time-outs, which end the link.
        m_pCommand->OpenSerial(m_portNames[index].toStdString());
    } else {
        return;
    }
    m_state.linkKind = linkKind;
    m_model.SetAllChanged(0);
    m_model.ReadAllSequence(*m_pCommand, 0, m_state.searchStage == kStageUsb);
    StartLinkTimer(linkKind);
    m_state.connected = 1;
    emit BusyStarted(0);
}

void CLinkController::LoadMode(int mode) {
    if (m_pCommand == nullptr) {
        return;
    }
    m_model.SetCurrentMode(mode);
    m_model.ReadAllSequence(*m_pCommand, mode + 1, m_state.searchStage == kStageUsb);
    m_state.connected = 1;
    emit BusyStarted(kModeRecallBusyMs);
}

void CLinkController::UploadModel() {
    if (m_pCommand == nullptr) {
        return;
    }
    m_model.RefreshOutputSelection();
    m_model.UploadAllSequence(*m_pCommand, m_state.searchStage == kStageUsb);
    emit BusyStarted(kUploadBusyMs);
}

void CLinkController::ResetAfterDisconnect(int linkKind) {
    m_pTimers[linkKind]->stop();
    if (m_pCommand != nullptr) {
        m_pCommand->ClearQueue();
    }
    m_state.connected = 0;
    m_state.unitAcked = 0;
    m_state.uploadConfirm = 0;
    m_state.idleTicks[linkKind] = 0;
    emit LinkLost(linkKind);
}

void CLinkController::DisconnectSerial() {
    // Whenever the serial link is up everything is reset, even when the port cannot be closed
    // (a port that vanished): a half-reset link would leave the program waiting forever.
    if (m_state.connected != 1 || m_state.linkKind != kLinkSerial) {
        return;
    }
    if (m_pCommand != nullptr) {
        m_pCommand->CloseSerial();
    }
    ResetAfterDisconnect(kLinkSerial);
}

void CLinkController::DisconnectNetwork() {
    if (m_state.connected != 1 || m_state.linkKind != kLinkNetwork) {
        return;
    }
    m_socket.Close();
    ResetAfterDisconnect(kLinkNetwork);
}

void CLinkController::DisconnectUsb() {
    if (m_state.connected != 1 || m_state.linkKind != kLinkUsb) {
        return;
    }
    ResetAfterDisconnect(kLinkUsb);
}

void CLinkController::DisconnectCurrent() {
    switch (m_state.linkKind) {
        case kLinkUsb:
            DisconnectUsb();
            break;
        case kLinkSerial:
            DisconnectSerial();
            break;
        default:
            DisconnectNetwork();
            break;
    }
}

void CLinkController::DisconnectLink(int linkKind) {
    if (linkKind == m_state.linkKind) {
        DisconnectCurrent();
    }
}

void CLinkController::SendMessage(int message, int /*wParam*/) {
    switch (message) {
        case MSG_SYSTEM_DATA_READ:
            m_model.ApplyReadBack();
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
    if (m_pHidDevice == nullptr || m_pHidDevice->IsOpen()) {
        return;
    }
    if (m_pHidDevice->OpenDevice() && m_pHidDevice->StartReader() && m_state.connected == 0) {
        m_state.searchStage = kStageUsb;
    }
}

void CLinkController::OnHidRemoved(const QString& deviceNode) {
    if (m_pHidDevice == nullptr) {
        return;
    }
    if (RemovalEndsUsbLink(m_state.connected == 1, m_state.linkKind, deviceNode,
                           m_pHidDevice->DevicePath())) {
        DisconnectUsb();
    }
    if (!m_pHidDevice->IsOpen() || deviceNode != m_pHidDevice->DevicePath()) {
        return;
    }
    // The unit's own device went away: let go of it, and take another unit if one is there.
    m_pHidDevice->Close();
    if (m_pHidDevice->OpenDevice()) {
        m_pHidDevice->StartReader();
    } else if (m_state.connected == 0) {
        m_state.searchStage = kStageSerial;
    }
}
