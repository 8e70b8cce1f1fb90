#include "link/connectsearch.h"

#include <QTimer>

#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "link/clientsocket.h"
#include "link/linkfailure.h"
#include "link/serialport.h"
#include "link/unitaddress.h"

namespace {
const QString kUsbStage = QStringLiteral("USB search");
const QString kSerialStage = QStringLiteral("Com search");
const QString kNetworkStage = QStringLiteral("Network search");
}  // namespace

CConnectSearch::CConnectSearch(CLinkState& state, CCommand& command, CClientSocket& socket,
                               std::function<void(int)> connectBy, QObject* parent)
    : QObject(parent),
      m_state(state),
      m_command(command),
      m_socket(socket),
      m_connectBy(std::move(connectBy)),
      m_pTimer(new QTimer(this)) {
    m_pTimer->setInterval(kSearchTickMs);
    connect(m_pTimer, &QTimer::timeout, this, &CConnectSearch::Tick);
    // The network stage takes the connect's outcome as soon as there is one.
    connect(
        &m_socket, &CClientSocket::ConnectFinished, this,
        [this] {
            if (m_bRunning && m_bNetPending && m_state.searchStage == SearchStage::Network) {
                Tick();
            }
        },
        Qt::QueuedConnection);
}

CConnectSearch::~CConnectSearch() = default;

void CConnectSearch::Start(const SearchPlan& plan, bool usbDeviceOpen) {
    m_plan = plan;
    m_portNames = plan.portNames.mid(0, kMaxSearchPorts);
    m_portCount = static_cast<int>(m_portNames.size());
    m_progress = 0;
    m_portIndex = 0;
    m_attempts = 0;
    m_bNetConnected = 0;
    m_bNetStarted = 0;
    m_bNetPending = false;
    m_openPort.clear();
    m_netAddress.clear();
    m_failures.clear();
    if (plan.bUsb && !usbDeviceOpen) {
        m_failures << QStringLiteral("no unit on USB");
    }
    m_state.unitAcked = 0;
    m_state.unitRefused = 0;
    m_state.pacedReads = plan.bPaced ? 1 : 0;
    m_state.readsBackedOff = 0;
    m_command.ClearQueue();
    m_command.ResetReceive();
    m_bRunning = true;
    EnterStage(usbDeviceOpen ? SearchStage::Usb : SearchStage::Serial);
    // The first step runs as soon as the event loop turns; Tick sets the step period.
    m_pTimer->start(0);
}

void CConnectSearch::TakeAcknowledgement() {
    if (m_bRunning && m_state.unitAcked == 1 && m_state.unitRefused == 0) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_bRunning && m_state.unitAcked == 1) {
                    Tick();
                }
            },
            Qt::QueuedConnection);
    }
}

void CConnectSearch::EnterStage(SearchStage stage) {
    if (stage == SearchStage::Usb && !m_plan.bUsb) {
        stage = SearchStage::Serial;
    }
    if (stage == SearchStage::Serial && !m_plan.bSerial) {
        stage = SearchStage::Network;
    }
    if (stage == SearchStage::Network && !m_plan.bNetwork) {
        stage = SearchStage::Exhausted;
    }
    m_state.searchStage = stage;
    m_attempts = 0;
    m_command.ClearQueue();
    m_command.ResetReceive();
}

QString CConnectSearch::StageName() const {
    switch (m_state.searchStage) {
        case SearchStage::Usb:
            return kUsbStage;
        case SearchStage::Serial:
            return kSerialStage;
        case SearchStage::Network:
            return kNetworkStage;
        case SearchStage::Exhausted:
            break;
    }
    return {};
}

QString CConnectSearch::CurrentPort() const {
    const bool serial = m_state.searchStage == SearchStage::Serial;
    return serial && m_portIndex < m_portCount ? m_portNames[m_portIndex] : QString();
}

void CConnectSearch::ShowStatus(const QString& text) {
    if (text != m_status) {
        m_status = text;
        emit StatusChanged(text);
    }
}

void CConnectSearch::SetProgress(int progress) {
    m_progress = std::min(progress, kSearchProgressMax);
    emit ProgressChanged(m_progress);
}

void CConnectSearch::Advance() {
    SetProgress(m_progress + 1);
}

void CConnectSearch::Finish(SearchResult result) {
    m_pTimer->stop();
    m_bRunning = false;
    if (result != SearchResult::Connected) {
        m_command.CloseSerial();
        m_command.ClearQueue();
        m_state.unitRefused = 0;
        m_state.connected = 0;
        if (m_bNetStarted != 0) {
            m_socket.Close();
        }
    }
    emit Finished(result);
}

void CConnectSearch::SendHandshake(LinkKind link) {
    // The handshake: F5 35 06 B7 1E 30 11 00 0B.
    m_command.Enqueue(MakeConnectProbe());
    m_command.SendHead(link);
}

void CConnectSearch::Tick() {
    if (!m_bRunning) {
        return;
    }
    m_pTimer->setInterval(kSearchTickMs);
    if (m_state.connected == 1) {
        Finish(SearchResult::Connected);
        return;
    }
    if (m_state.unitRefused == 1) {
        // A refusing unit: the progress runs to the end, then the search gives up.
        if (m_progress < kSearchProgressMax) {
            Advance();
        } else {
            Finish(SearchResult::Refused);
        }
        return;
    }
    switch (m_state.searchStage) {
        case SearchStage::Usb:
            StepUsb();
            break;
        case SearchStage::Serial:
            StepSerial();
            break;
        case SearchStage::Network:
            StepNetwork();
            break;
        case SearchStage::Exhausted:
            Finish(SearchResult::NotFound);
            break;
    }
}

void CConnectSearch::StepUsb() {
    if (m_state.unitAcked == 1) {
        m_pTimer->stop();
        m_bRunning = false;
        m_command.ClearQueue();
        m_command.ResetReceive();
        m_connectBy(kConnectUsb);
        Finish(SearchResult::Connected);
        return;
    }
    ShowStatus(kUsbStage);
    SetProgress(m_progress);
    if (m_attempts < kHandshakesPerStage) {
        ++m_attempts;
        SendHandshake(LinkKind::Usb);
    } else {
        m_failures << NoHandshakeAnswer(QStringLiteral("on USB"));
        Advance();
        EnterStage(SearchStage::Serial);
    }
}

void CConnectSearch::StepSerial() {
    const bool morePorts = m_portIndex < m_portCount && !m_portNames[m_portIndex].isEmpty();
    if (!morePorts) {
        m_command.CloseSerial();
        m_openPort.clear();
        EnterStage(SearchStage::Network);
        return;
    }
    if (m_state.unitAcked == 1) {
        m_pTimer->stop();
        m_bRunning = false;
        m_command.CloseSerial();
        m_command.ClearQueue();
        m_command.ResetReceive();
        m_connectBy(m_portIndex);
        Finish(SearchResult::Connected);
        return;
    }
    const QString& name = m_portNames[m_portIndex];
    ShowStatus(kSerialStage + name);
    SetProgress(m_progress);
    // Every tick's handshakes meet an empty receive buffer: stray or garbled bytes left by the
    // last tick would otherwise shift every later reply off its length.
    m_command.ResetReceive();
    // The port is opened once per port; each tick sends a handshake on it. Reopening on every
    // tick would throw away a reply that is on its way.
    if (m_openPort != name) {
        const bool opened = m_command.OpenSerial(name.toStdString());
        m_command.ResetReceive();
        m_openPort = opened ? name : QString();
    }
    if (m_openPort.isEmpty()) {
        // A port that cannot be opened is skipped at once.
        const QString why = m_pSerialPort != nullptr ? m_pSerialPort->OpenFailure() : QString();
        m_failures << (why.isEmpty() ? SerialOpenFailure(name, SerialOpenProblem::Other, {}) : why);
        NextPort();
        return;
    }
    SendHandshake(LinkKind::Serial);
    if (m_attempts < kHandshakesPerStage) {
        ++m_attempts;
        SendHandshake(LinkKind::Serial);
    } else {
        m_failures << NoHandshakeAnswer(name);
        m_attempts = 0;
        NextPort();
    }
}

void CConnectSearch::NextPort() {
    ++m_portIndex;
    Advance();
    m_command.CloseSerial();
    m_openPort.clear();
    m_command.ClearQueue();
    m_command.ResetReceive();
}

void CConnectSearch::StepNetwork() {
    ShowStatus(kNetworkStage);
    if (m_bNetStarted == 0) {
        SetProgress(m_progress);
        m_bNetStarted = 1;
        m_bNetConnected = 0;
        const QString address = ChooseUnitAddress(m_plan.address);
        m_netAddress = QStringLiteral("%1:%2").arg(address).arg(m_plan.tcpPort);
        if (address.isEmpty()) {
            m_failures << QStringLiteral(
                "no network address for the unit: no adapter's gateway lies in the PC's own "
                "subnet");
        } else {
            // The connect runs on the event loop; its outcome is taken as soon as it is known
            // (ConnectFinished), and a connect that has not completed kNetworkConnectLimitMs
            // later is cancelled by the next tick.
            m_bNetPending = true;
            m_socket.StartConnect(address, m_plan.tcpPort, kNetworkConnectLimitMs);
        }
        m_pTimer->setInterval(m_bNetPending ? kNetworkConnectLimitMs : kSearchTickMs);
        m_pTimer->start();
        return;
    }
    if (m_bNetPending) {
        m_bNetPending = false;
        m_socket.CancelConnect();
        m_bNetConnected = m_socket.IsConnected() ? 1 : 0;
        if (m_bNetConnected == 0) {
            m_failures << m_socket.LastFailure();
        }
    }
    if (m_bNetConnected == 0) {
        SetProgress(m_progress);
        if (m_progress < kSearchProgressMax) {
            Advance();
        } else {
            Finish(SearchResult::NotFound);
        }
        return;
    }
    if (m_state.unitAcked == 1) {
        m_pTimer->stop();
        m_bRunning = false;
        m_command.CloseSerial();
        m_command.ClearQueue();
        m_connectBy(kConnectNetwork);
        m_attempts = 0;
        Finish(SearchResult::Connected);
        return;
    }
    if (m_attempts < kHandshakesPerStage) {
        ++m_attempts;
        m_command.ResetReceive();
        SendHandshake(LinkKind::Network);
    } else {
        m_attempts = 0;
        if (m_progress < kSearchProgressMax) {
            Advance();
        } else {
            m_failures << NoHandshakeAnswer(m_netAddress);
            m_state.searchStage = SearchStage::Exhausted;
        }
    }
}
