#include "link/clientsocket.h"

#include <QTcpSocket>

#include "core/common/usernotify.h"
#include "link/linkfailure.h"

CClientSocket::CClientSocket(QObject* parent) : QObject(parent), m_pSocket(new QTcpSocket(this)) {
    connect(m_pSocket, &QTcpSocket::readyRead, this, &CClientSocket::OnReadyRead);
    connect(m_pSocket, &QTcpSocket::disconnected, this, &CClientSocket::ConnectionLost);
}

CClientSocket::~CClientSocket() = default;

bool CClientSocket::ConnectTo(const QString& host, quint16 port, int timeoutMs) {
    Close();
    m_lastFailure.clear();
    m_pSocket->connectToHost(host, port);
    if (!m_pSocket->waitForConnected(timeoutMs)) {
        m_lastFailure = TcpConnectFailure(host, port, m_pSocket->error(), m_pSocket->errorString());
        DebugLine("CClientSocket: " + m_lastFailure.toStdString());
        m_pSocket->abort();
        return false;
    }
    m_pSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return true;
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
