// The serial link: one port at 115200 baud, 8N1, no handshaking, opened exclusively. A thin
// façade over QSerialPort that keeps the error-code contract the command engine relies on:
// every operation returns a code (0 = success) and remembers it as the last error.
//
// Arrivals are announced by Notification(wParam): the event bits in the low 16 bits (0x001 =
// a character was received) and the line-error bits in the high 16 bits. Qt reports no line
// errors, so the high half is always 0 here; the receivers still keep the "Time out" handling
// for an error half of kErrorTimeout.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

class QSerialPort;
class QTimer;

// Error codes of the serial link (the values of the classic system codes, so that callers and
// logs read the same on every platform).
inline constexpr long kSerialOk = 0;
inline constexpr long kSerialInvalidFunction = 1;  // illegal parameter combination
inline constexpr long kSerialFileNotFound = 2;     // no such port
inline constexpr long kSerialAccessDenied = 5;     // held by someone else, or no permission
inline constexpr long kSerialNotOpen = 6;          // operation on a closed port
inline constexpr long kSerialGeneralFailure = 31;  // the device failed
inline constexpr long kSerialAlreadyOpen = 1247;   // Open on an open port
inline constexpr long kSerialTimeout = 1460;       // transfer not finished within the time-out
inline constexpr long kSerialInvalidArgument = static_cast<std::int32_t>(0x80070057);

// Event bits of the notification.
inline constexpr quint32 kEventRxChar = 0x001;
inline constexpr quint32 kEventBreak = 0x040;
inline constexpr quint32 kEventError = 0x080;
inline constexpr quint32 kEventAll = 0x1FF;
inline constexpr quint32 kEventDefaultMask = 0x0C1;

inline constexpr int kSerialBaudrate = 115200;

class CSerialPort : public QObject {
    Q_OBJECT
public:
    enum class Parity { None, Odd, Even };
    enum class StopBits { One, Two };
    enum HandshakeMode { kHandshakeOff = 0, kHandshakeHardware = 1, kHandshakeSoftware = 2 };
    enum ReadTimeoutMode { kReadNonBlocking = 0, kReadBlocking = 1 };

    explicit CSerialPort(QObject* parent = nullptr);
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens a port by name (ttyUSB0), by device path (/dev/pts/3) or by the Windows form
    // "\\.\COM3". Sets the event mask to kEventDefaultMask and non-blocking reads.
    long Open(const QString& port);
    long Close();
    long Setup(int baudrate, int dataBits, Parity parity, StopBits stopBits);
    long SetupHandshaking(int mode);
    long SetMask(quint32 mask);
    long SetupReadTimeouts(int mode);
    // Queues all bytes and returns at once: they leave from the event loop, and nothing that
    // arrives meanwhile is handled inside the write. A transfer that makes no progress for
    // timeoutMs is cancelled (last error kSerialTimeout); one the device refuses is dropped
    // (last error kSerialGeneralFailure). Either way the bytes still waiting are discarded.
    long Write(const std::uint8_t* data, int length, int* written, int timeoutMs);
    // Non-blocking mode: returns at once with what has arrived (possibly 0 bytes). Blocking
    // mode: waits up to timeoutMs for the first bytes (kSerialTimeout when none came).
    long Read(std::uint8_t* buffer, int length, int* read, int timeoutMs);
    // Discards what waits in both directions.
    long Purge();
    // Discards what has arrived and not been read; what is queued for sending still leaves.
    long PurgeInput();

    bool IsOpen() const;
    long GetLastError() const { return m_lastError; }
    // Why the last Open failed, for a person ("no serial port /dev/ttyUSB3"); empty after a
    // successful one.
    QString OpenFailure() const { return m_openFailure; }
    quint32 GetEventMask() const { return m_eventMask; }
    // Bytes received and not read yet.
    qint64 BytesAvailable() const;
    QString PortName() const;

signals:
    void Notification(quint32 wParam);

private:
    long Fail(long code, const char* line);
    long Succeed();
    void OnReadyRead();
    void OnBytesWritten();
    void CancelWrite(long code, const char* line);
    long Discard(bool bOutputToo);

    QSerialPort* m_pPort;
    QTimer* m_pWriteTimer;
    bool m_bCancelling = false;
    long m_lastError = kSerialOk;
    QString m_openFailure;
    quint32 m_eventMask = 0;
    int m_readTimeoutMode = kReadNonBlocking;
};
