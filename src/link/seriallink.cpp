#include "link/seriallink.h"

#include <QString>

#include "core/common/usernotify.h"
#include "core/protocol/command.h"

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

int CSerialLink::Read(std::span<std::uint8_t> into) {
    int read = 0;
    if (m_port.Read(into.data(), static_cast<int>(into.size()), &read, kSerialReadTimeoutMs) !=
        kSerialOk) {
        return 0;
    }
    return read;
}

void CSerialLink::Purge() {
    if (m_port.IsOpen()) {
        m_port.Purge();
    }
}

void HandleSerialNotification(quint32 wParam, CSerialPort& port, CCommand& command) {
    if ((wParam >> 16) == static_cast<quint32>(kSerialTimeout)) {
        NotifyUser("Time out");
    }
    if ((wParam & kEventRxChar) == 0) {
        return;
    }
    do {
        command.OnSerialData();
    } while (port.IsOpen() && port.BytesAvailable() > 0);
}
