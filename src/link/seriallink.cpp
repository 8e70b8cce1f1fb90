#include "link/seriallink.h"

#include <QString>
#include <array>

#include "core/common/usernotify.h"
#include "core/protocol/command.h"

CSerialLink::CSerialLink(CSerialPort& port) : m_port(port) {
    m_notification = QObject::connect(&m_port, &CSerialPort::Notification, &m_port,
                                      [this](quint32 wParam) { OnNotification(wParam); });
}

CSerialLink::~CSerialLink() {
    QObject::disconnect(m_notification);
}

bool CSerialLink::Open(const std::string& portName) {
    if (m_port.IsOpen()) {
        m_port.Close();
    }
    m_port.Open(QString::fromStdString(portName));
    // A port that could not be opened fails at the first configuration step.
    return m_port.Setup(kSerialBaudrate, 8, CSerialPort::Parity::None,
                        CSerialPort::StopBits::One) == kSerialOk &&
           m_port.SetupHandshaking(CSerialPort::kHandshakeOff) == kSerialOk &&
           m_port.SetMask(kEventAll) == kSerialOk;
}

bool CSerialLink::Close() {
    if (!m_port.IsOpen()) {
        return false;
    }
    m_port.Close();
    return true;
}

void CSerialLink::Write(std::span<const std::uint8_t> bytes) {
    int written = 0;
    m_port.Write(bytes.data(), static_cast<int>(bytes.size()), &written, kSerialWriteTimeoutMs);
}

void CSerialLink::Purge() {
    // Only the input: writes return before their bytes have left, and the frame just handed
    // over must not be discarded with the stale bytes of an earlier reply.
    if (m_port.IsOpen()) {
        m_port.PurgeInput();
    }
}

void CSerialLink::OnNotification(quint32 wParam) {
    if ((wParam >> 16) == static_cast<quint32>(kSerialTimeout)) {
        NotifyUser("Time out");
    }
    if ((wParam & kEventRxChar) == 0) {
        return;
    }
    // One notification may cover several reads. The receiver may purge the port (a reply
    // ends, the receive buffer is reset), which ends the loop.
    std::array<std::uint8_t, kMaxReadChunk> chunk{};
    while (m_port.IsOpen() && m_port.BytesAvailable() > 0) {
        int read = 0;
        if (m_port.Read(chunk.data(), kMaxReadChunk, &read, kSerialReadTimeoutMs) != kSerialOk ||
            read <= 0) {
            return;
        }
        if (m_receiver) {
            m_receiver(std::span(chunk).first(static_cast<std::size_t>(read)));
        }
    }
}
