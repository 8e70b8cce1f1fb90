// The network link: one TCP connection to the unit's network module (port 8899). Received
// bytes are handed on in chunks of at most kRecvChunk bytes, in arrival order.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "core/protocol/linkinterfaces.h"
#include "link/unitaddress.h"

class QTcpSocket;
class QTimer;

inline constexpr int kRecvChunk = 400;
inline constexpr int kConnectTimeoutMs = 2000;

class CClientSocket : public QObject, public INetworkLink {
    Q_OBJECT
public:
    explicit CClientSocket(QObject* parent = nullptr);
    ~CClientSocket() override;
    CClientSocket(const CClientSocket&) = delete;
    CClientSocket& operator=(const CClientSocket&) = delete;

    // Receives each chunk; data arriving while none is set is dropped.
    void SetReceiver(ByteReceiver receiver) { m_receiver = std::move(receiver); }

    // Starts connecting to host:port and returns at once; an earlier connection is closed
    // first. A connect that has not succeeded within timeoutMs is cancelled. When it fails,
    // LastFailure() says why ("cannot connect to HOST:PORT: connection refused").
    void StartConnect(const QString& host, quint16 port = kUnitTcpPort,
                      int timeoutMs = kConnectTimeoutMs);
    // A connect is under way.
    bool IsConnecting() const;
    // Gives up a connect that is under way, as one that timed out.
    void CancelConnect();
    // Queues the bytes for sending; returns the count accepted or -1 when not connected.
    qint64 Send(const std::uint8_t* data, int length);
    // The engine's output: the bytes as they are.
    void Send(std::span<const std::uint8_t> bytes) override;
    void Close();
    bool IsConnected() const;
    QString LastFailure() const { return m_lastFailure; }

signals:
    // The peer closed the connection or it failed after it was up.
    void ConnectionLost();
    // A connect started by StartConnect has ended: connected, failed or cancelled.
    void ConnectFinished();

private:
    void OnReadyRead();

    QTcpSocket* m_pSocket;
    QTimer* m_pConnectTimer;
    ByteReceiver m_receiver;
    QString m_host;  // of the last connect
    quint16 m_port = 0;
    QString m_lastFailure;
    std::uint8_t m_recvBuffer[kRecvChunk] = {};
};
