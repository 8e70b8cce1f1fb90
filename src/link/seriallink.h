// The serial port as the command engine drives it: opened at 115200 baud, 8N1, no handshaking,
// every event reported; reads take what has arrived (at most the buffer), writes wait at most
// 5000 ms.
#pragma once

#include "core/protocol/linkinterfaces.h"
#include "link/serialport.h"

class CCommand;

inline constexpr int kSerialWriteTimeoutMs = 5000;
inline constexpr int kSerialReadTimeoutMs = 200;

class CSerialLink : public ISerialPort {
public:
    explicit CSerialLink(CSerialPort& port) : m_port(port) {}

    bool Open(const std::string& portName) override;
    bool Close() override;
    bool IsOpen() const override { return m_port.IsOpen(); }
    void Write(std::span<const std::uint8_t> bytes) override;
    int Read(std::span<std::uint8_t> into) override;
    void Purge() override;

    CSerialPort& Port() { return m_port; }

private:
    CSerialPort& m_port;
};

// What the receivers of the port's notification do: an error half of kSerialTimeout tells the
// user "Time out"; a received character makes the engine read, chunk after chunk, until all
// that has arrived is taken (one notification may cover several reads).
void HandleSerialNotification(quint32 wParam, CSerialPort& port, CCommand& command);
