#include "link/clientsocket.h"

#include <QTcpSocket>
#include <QTimer>

#include "core/common/usernotify.h"
#include "link/linkfailure.h"

CClientSocket::CClientSocket(QObject* parent)
    : QObject(parent), m_pSocket(new QTcpSocket(this)), m_pConnectTimer(new QTimer(this)) {
    m_pConnectTimer->setSingleShot(true);
    connect(m_pSocket, &QTcpSocket::readyRead, this, &CClientSocket::OnReadyRead);
    connect(m_pSocket, &QTcpSocket::disconnected, this, &CClientSocket::ConnectionLost);
    connect(m_pSocket, &QTcpSocket::connected, this, [this] {
        m_pConnectTimer->stop();
        m_pSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit ConnectFinished();
    });
    connect(m_pSocket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (m_pConnectTimer->isActive()) {
            m_pConnectTimer->stop();
            m_lastFailure = TcpConnectFailure(m_host, m_port, e, m_pSocket->errorString());
            DebugLine("CClientSocket: " + m_lastFailure.toStdString());
            emit ConnectFinished();
        }
    });
    connect(m_pConnectTimer, &QTimer::timeout, this, [this] { CancelConnect(); });
}

CClientSocket::~CClientSocket() = default;

void CClientSocket::StartConnect(const QString& host, quint16 port, int timeoutMs) {
    Close();
    m_lastFailure.clear();
    m_host = host;
    m_port = port;
    m_pConnectTimer->start(timeoutMs);
    m_pSocket->connectToHost(host, port);
}

void CClientSocket::CancelConnect() {
    if (!IsConnecting()) {
        return;
    }
    m_lastFailure = TcpConnectFailure(m_host, m_port, QAbstractSocket::SocketTimeoutError, {});
    DebugLine("CClientSocket: " + m_lastFailure.toStdString());
    Close();
    emit ConnectFinished();
}

bool CClientSocket::IsConnecting() const {
    const QAbstractSocket::SocketState state = m_pSocket->state();
    return state == QAbstractSocket::HostLookupState || state == QAbstractSocket::ConnectingState;
}

qint64 CClientSocket::Send(const std::uint8_t* data, int length) {
    if (!IsConnected()) {
        return -1;
    }
    const qint64 sent = m_pSocket->write(reinterpret_cast<const char*>(data), length);
    m_pSocket->flush();
    return sent;
}

void CClientSocket::Send(std::span<const std::uint8_t> bytes) {
    Send(bytes.data(), static_cast<int>(bytes.size()));
}

void CClientSocket::Close() {
    m_pConnectTimer->stop();
    if (m_pSocket->state() == QAbstractSocket::UnconnectedState) {
        return;
    }
    // A close the program asks for is not a lost connection.
    const QSignalBlocker blocker(m_pSocket);
    m_pSocket->abort();
}

bool CClientSocket::IsConnected() const {
    return m_pSocket->state() == QAbstractSocket::ConnectedState;
}

void CClientSocket::OnReadyRead() {
    while (m_pSocket->bytesAvailable() > 0) {
        const qint64 got = m_pSocket->read(reinterpret_cast<char*>(m_recvBuffer), kRecvChunk);
        if (got <= 0) {
            return;
        }
        if (m_receiver) {
            m_receiver(std::span<const std::uint8_t>(m_recvBuffer, static_cast<std::size_t>(got)));
        }
    }
}
