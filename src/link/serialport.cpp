#include "link/serialport.h"

#include <unistd.h>
#include <QSerialPort>
#include <QTimer>
#include <cerrno>

#include "core/common/usernotify.h"
#include "link/linkfailure.h"

namespace {
QString PortNameOf(const QString& port) {
    static const QString kWindowsDevicePrefix = QStringLiteral("\\\\.\\");
    return port.startsWith(kWindowsDevicePrefix) ? port.mid(kWindowsDevicePrefix.size()) : port;
}

// What stood in the way of opening `port`. Qt reports a port held by another program and one
// the user may not open alike; the permissions of the device node tell them apart.
SerialOpenProblem OpenProblem(const QString& port, QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return SerialOpenProblem::NoSuchPort;
        case QSerialPort::PermissionError: {
            const QString path = port.startsWith('/') ? port : QStringLiteral("/dev/") + port;
            const bool denied = ::access(path.toLocal8Bit().constData(), R_OK | W_OK) != 0 &&
                                (errno == EACCES || errno == EPERM);
            return denied ? SerialOpenProblem::PermissionDenied : SerialOpenProblem::InUse;
        }
        default:
            return SerialOpenProblem::Other;
    }
}

long OpenErrorCode(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return kSerialFileNotFound;
        case QSerialPort::PermissionError:
            return kSerialAccessDenied;
        default:
            return kSerialGeneralFailure;
    }
}
}  // namespace

CSerialPort::CSerialPort(QObject* parent)
    : QObject(parent), m_pPort(new QSerialPort(this)), m_pWriteTimer(new QTimer(this)) {
    m_pWriteTimer->setSingleShot(true);
    connect(m_pPort, &QSerialPort::readyRead, this, &CSerialPort::OnReadyRead);
    connect(m_pPort, &QSerialPort::bytesWritten, this, &CSerialPort::OnBytesWritten);
    connect(m_pWriteTimer, &QTimer::timeout, this, [this] {
        CancelWrite(kSerialTimeout, "CSerial::Write - Unable to wait until data has been sent");
    });
    connect(m_pPort, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::NoError || e == QSerialPort::TimeoutError) {
            return;
        }
        DebugLine("CSerialPort: " + m_pPort->errorString().toStdString());
        if (e == QSerialPort::WriteError || e == QSerialPort::ResourceError) {
            CancelWrite(kSerialGeneralFailure, "CSerial::Write - Unable to write the data");
        }
    });
}

CSerialPort::~CSerialPort() {
    if (IsOpen()) {
        DebugLine("CSerial::~CSerial - Serial port not closed");
        Close();
    }
}

long CSerialPort::Fail(long code, const char* line) {
    m_lastError = code;
    DebugLine(line);
    return code;
}

long CSerialPort::Succeed() {
    m_lastError = kSerialOk;
    return kSerialOk;
}

long CSerialPort::Open(const QString& port) {
    m_lastError = kSerialOk;
    m_openFailure.clear();
    if (IsOpen()) {
        return Fail(kSerialAlreadyOpen, "CSerial::Open - Port already opened");
    }
    m_pPort->setPortName(PortNameOf(port));
    if (!m_pPort->open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = m_pPort->error();
        m_openFailure = SerialOpenFailure(port, OpenProblem(port, error), m_pPort->errorString());
        return Fail(OpenErrorCode(error), "CSerial::Open - Unable to open port");
    }
    m_eventMask = kEventDefaultMask;
    m_readTimeoutMode = kReadNonBlocking;
    return Succeed();
}

long CSerialPort::Close() {
    if (!IsOpen()) {
        DebugLine("CSerial::Close - Method called when device is not open");
        return Succeed();
    }
    m_pWriteTimer->stop();
    // What is still queued goes out as far as the driver takes it without waiting.
    m_pPort->flush();
    m_pPort->close();
    return Succeed();
}

long CSerialPort::Setup(int baudrate, int dataBits, Parity parity, StopBits stopBits) {
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::Setup - Device is not opened");
    }
    const QSerialPort::Parity qtParity = parity == Parity::None  ? QSerialPort::NoParity
                                         : parity == Parity::Odd ? QSerialPort::OddParity
                                                                 : QSerialPort::EvenParity;
    const bool ok = m_pPort->setBaudRate(baudrate) &&
                    m_pPort->setDataBits(static_cast<QSerialPort::DataBits>(dataBits)) &&
                    m_pPort->setParity(qtParity) &&
                    m_pPort->setStopBits(stopBits == StopBits::One ? QSerialPort::OneStop
                                                                   : QSerialPort::TwoStop);
    if (!ok) {
        return Fail(kSerialGeneralFailure, "CSerial::Setup - Unable to set DCB information");
    }
    return Succeed();
}

long CSerialPort::SetupHandshaking(int mode) {
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::SetupHandshaking - Device is not opened");
    }
    QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
    switch (mode) {
        case kHandshakeOff:
            break;
        case kHandshakeHardware:
            flow = QSerialPort::HardwareControl;
            break;
        case kHandshakeSoftware:
            flow = QSerialPort::SoftwareControl;
            break;
        default:
            return Fail(kSerialInvalidArgument, "CSerial::SetupHandshaking - Invalid mode");
    }
    if (!m_pPort->setFlowControl(flow)) {
        return Fail(kSerialGeneralFailure,
                    "CSerial::SetupHandshaking - Unable to set DCB information");
    }
    return Succeed();
}

long CSerialPort::SetMask(quint32 mask) {
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::SetMask - Device is not opened");
    }
    m_eventMask = mask;
    return Succeed();
}

long CSerialPort::SetupReadTimeouts(int mode) {
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::SetupReadTimeouts - Device is not opened");
    }
    if (mode != kReadNonBlocking && mode != kReadBlocking) {
        return Fail(kSerialInvalidArgument, "CSerial::SetupReadTimeouts - Invalid mode");
    }
    m_readTimeoutMode = mode;
    return Succeed();
}

long CSerialPort::Write(const std::uint8_t* data, int length, int* written, int timeoutMs) {
    *written = 0;
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::Write - Device is not opened");
    }
    const qint64 accepted = m_pPort->write(reinterpret_cast<const char*>(data), length);
    if (accepted < 0) {
        return Fail(kSerialGeneralFailure, "CSerial::Write - Unable to write the data");
    }
    // Hand the bytes to the driver now, without waiting for the event loop; what the driver
    // cannot take yet still leaves as the port becomes writable.
    m_pPort->flush();
    m_pWriteTimer->setInterval(timeoutMs);
    if (!m_pWriteTimer->isActive()) {
        m_pWriteTimer->start();
    }
    *written = static_cast<int>(accepted);
    return Succeed();
}

void CSerialPort::OnBytesWritten() {
    // Progress: the time-out counts again from here, or ends with the last byte.
    if (m_pPort->bytesToWrite() > 0) {
        m_pWriteTimer->start();
    } else {
        m_pWriteTimer->stop();
    }
}

void CSerialPort::CancelWrite(long code, const char* line) {
    m_pWriteTimer->stop();
    // Discarding may fail on a device that went away and report that error again.
    if (IsOpen() && !m_bCancelling) {
        m_bCancelling = true;
        m_pPort->clear(QSerialPort::Output);
        m_bCancelling = false;
    }
    Fail(code, line);
}

long CSerialPort::Read(std::uint8_t* buffer, int length, int* read, int timeoutMs) {
    *read = 0;
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::Read - Device is not opened");
    }
    if (m_pPort->bytesAvailable() == 0 && m_readTimeoutMode == kReadBlocking &&
        !m_pPort->waitForReadyRead(timeoutMs)) {
        m_lastError = kSerialTimeout;
        return kSerialTimeout;
    }
    const qint64 got = m_pPort->read(reinterpret_cast<char*>(buffer), length);
    if (got < 0) {
        return Fail(kSerialGeneralFailure, "CSerial::Read - Unable to read the data");
    }
    *read = static_cast<int>(got);
    return Succeed();
}

long CSerialPort::Purge() {
    return Discard(true);
}

long CSerialPort::PurgeInput() {
    return Discard(false);
}

long CSerialPort::Discard(bool bOutputToo) {
    if (!IsOpen()) {
        return Fail(kSerialNotOpen, "CSerial::Purge - Device is not opened");
    }
    m_pPort->clear(bOutputToo ? QSerialPort::AllDirections : QSerialPort::Input);
    // Qt's own read buffer is separate from the driver's; discard it too.
    m_pPort->readAll();
    return Succeed();
}

bool CSerialPort::IsOpen() const {
    return m_pPort->isOpen();
}

qint64 CSerialPort::BytesAvailable() const {
    return IsOpen() ? m_pPort->bytesAvailable() : 0;
}

QString CSerialPort::PortName() const {
    return m_pPort->portName();
}

void CSerialPort::OnReadyRead() {
    const quint32 events = kEventRxChar & m_eventMask;
    if (events != 0) {
        emit Notification(events);
    }
}
