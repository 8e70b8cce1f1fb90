// The network link: one TCP connection to the unit's network module (port 8899). Received
// bytes are handed on in chunks of at most kRecvChunk bytes, in arrival order.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "core/protocol/linkinterfaces.h"
#include "link/unitaddress.h"

class QTcpSocket;

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

    // Connects to host:port, waiting at most timeoutMs. Closes an earlier connection first.
    // On failure LastFailure() says why ("cannot connect to HOST:PORT: connection refused").
    bool ConnectTo(const QString& host, quint16 port = kUnitTcpPort,
                   int timeoutMs = kConnectTimeoutMs);
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

private:
    void OnReadyRead();

    QTcpSocket* m_pSocket;
    ByteReceiver m_receiver;
    QString m_lastFailure;
    std::uint8_t m_recvBuffer[kRecvChunk] = {};
};
