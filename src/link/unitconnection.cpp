#include "link/unitconnection.h"

#include <QByteArray>

#include "core/protocol/audiodataadapter.h"
#include "core/protocol/command.h"
#include "link/clientsocket.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/reconnector.h"
#include "link/seriallink.h"
#include "link/serialport.h"

// In the order of construction: each part refers only to parts built before it, except the
// engine, which the controller (its sink) is given once the engine exists.
struct CUnitConnection::Parts {
    Parts(CLinkState& state, ICommandModel& commandModel, IConnectionModel& connectionModel,
          std::unique_ptr<IHidBackend> hidBackend,
          std::function<void(const SearchPlan&)> startSearch)
        : hid(std::move(hidBackend)),
          controller(state, connectionModel, socket, hid),
          command(state, controller, commandModel, serialLink),
          search(state, command, socket,
                 [this](int index) {
                     controller.SetPortNames(search.PortNames());
                     controller.ConnectBy(index);
                 }),
          reconnector(state, search, std::move(startSearch)) {}

    CSerialPort serialPort;
    CSerialLink serialLink{serialPort};
    CClientSocket socket;
    CHidDevice hid;
    CLinkController controller;
    CCommand command;
    CConnectSearch search;
    CReconnector reconnector;
};

CUnitConnection::CUnitConnection(CAudioData& model, std::unique_ptr<IHidBackend> hidBackend,
                                 QObject* parent)
    : QObject(parent), m_pAdapter(std::make_unique<CAudioDataAdapter>(model, m_state)) {
    Wire(*m_pAdapter, *m_pAdapter, std::move(hidBackend));
}

CUnitConnection::CUnitConnection(ICommandModel& commandModel, IConnectionModel& connectionModel,
                                 std::unique_ptr<IHidBackend> hidBackend, QObject* parent)
    : QObject(parent) {
    Wire(commandModel, connectionModel, std::move(hidBackend));
}

CUnitConnection::~CUnitConnection() {
    // The reader thread stops before anything it hands reports to goes away.
    m_p->hid.Close();
}

void CUnitConnection::Wire(ICommandModel& commandModel, IConnectionModel& connectionModel,
                           std::unique_ptr<IHidBackend> hidBackend) {
    m_p = std::make_unique<Parts>(m_state, commandModel, connectionModel, std::move(hidBackend),
                                  [this](const SearchPlan& plan) { StartSearch(plan); });
    CCommand& command = m_p->command;
    m_p->controller.SetCommand(&command);
    m_p->search.SetSerialPort(&m_p->serialPort);
    command.SetUsbLink(&m_p->hid);
    command.SetNetworkLink(&m_p->socket);
    connect(&m_p->controller, &CLinkController::LinkLost, this,
            [this](LinkKind) { m_p->reconnector.OnLinkLost(m_bUserDisconnect); });
    connect(&m_p->controller, &CLinkController::UsbDeviceOpened, &m_p->reconnector,
            &CReconnector::OnUsbDeviceReady);
    // Every arrival goes to the engine; an acknowledgement it brings ends the search at once,
    // and the controller follows up what the engine took.
    CLinkController& controller = m_p->controller;
    const auto deliver = [this, &command, &controller](LinkKind link,
                                                       std::span<const std::uint8_t> bytes) {
        const int ackedBefore = m_state.unitAcked;
        command.OnReceived(link, bytes);
        if (ackedBefore == 0 && m_state.unitAcked == 1) {
            m_p->search.TakeAcknowledgement();
        }
        controller.AfterReceive();
    };
    m_p->serialLink.SetReceiver(
        [deliver](std::span<const std::uint8_t> bytes) { deliver(LinkKind::Serial, bytes); });
    m_p->socket.SetReceiver(
        [deliver](std::span<const std::uint8_t> bytes) { deliver(LinkKind::Network, bytes); });
    connect(&m_p->hid, &CHidDevice::ReportReceived, this, [deliver](const QByteArray& report) {
        // Byte 0 is the report id; the engine takes the 64 bytes of the report.
        if (report.size() == kHidReportLength) {
            deliver(LinkKind::Usb,
                    std::span(reinterpret_cast<const std::uint8_t*>(report.constData()),
                              static_cast<std::size_t>(report.size()))
                        .subspan(1));
        }
    });
}

CLinkState& CUnitConnection::State() {
    return m_state;
}
CCommand& CUnitConnection::Command() {
    return m_p->command;
}
CLinkController& CUnitConnection::Controller() {
    return m_p->controller;
}
CConnectSearch& CUnitConnection::Search() {
    return m_p->search;
}
CSerialPort& CUnitConnection::SerialPort() {
    return m_p->serialPort;
}
CClientSocket& CUnitConnection::Socket() {
    return m_p->socket;
}
CHidDevice& CUnitConnection::HidDevice() {
    return m_p->hid;
}
CAudioDataAdapter* CUnitConnection::ModelAdapter() {
    return m_pAdapter.get();
}

CReconnector& CUnitConnection::Reconnector() {
    return m_p->reconnector;
}

void CUnitConnection::UserDisconnect() {
    m_bUserDisconnect = true;
    m_p->reconnector.Stop();
    m_p->controller.DisconnectCurrent();
    m_bUserDisconnect = false;
}

bool CUnitConnection::OpenUsb() {
    const bool opened = m_p->hid.OpenDevice() && m_p->hid.StartReader();
    m_state.searchStage = opened ? SearchStage::Usb : SearchStage::Serial;
    return opened;
}

void CUnitConnection::StartSearch(const SearchPlan& plan) {
    m_p->search.Start(plan, m_p->hid.IsOpen() && m_p->hid.IsReading());
}
