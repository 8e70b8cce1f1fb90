// The serial port as the command engine drives it: opened at 115200 baud, 8N1, no handshaking,
// every event reported; writes return at once and are given up when they make no progress for
// 5000 ms. What arrives is read as the port's
// notification announces it and pushed to the receiver (the engine's OnReceived), in reads of
// at most kMaxReadChunk bytes, until all that has arrived is taken.
#pragma once

#include <QMetaObject>

#include "core/protocol/linkinterfaces.h"
#include "link/serialport.h"

inline constexpr int kSerialWriteTimeoutMs = 5000;
inline constexpr int kSerialReadTimeoutMs = 200;

class CSerialLink : public ISerialPort {
public:
    explicit CSerialLink(CSerialPort& port);
    ~CSerialLink() override;
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    // Receives what the port reads; bytes arriving while none is set are read and dropped.
    void SetReceiver(ByteReceiver receiver) { m_receiver = std::move(receiver); }

    bool Open(const std::string& portName) override;
    bool Close() override;
    bool IsOpen() const override { return m_port.IsOpen(); }
    void Write(std::span<const std::uint8_t> bytes) override;
    void Purge() override;

    CSerialPort& Port() { return m_port; }

    // The port's notification: an error half of kSerialTimeout tells the user "Time out"; a
    // received character (bit 0) makes the link read and push what has arrived.
    void OnNotification(quint32 wParam);

private:
    CSerialPort& m_port;
    ByteReceiver m_receiver;
    QMetaObject::Connection m_notification;
};
