#include "link/clientsocket.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include "tests/support/spin.h"

namespace {
struct Peer {
    QTcpServer server;
    QTcpSocket* pConnection = nullptr;
    Peer() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection,
                         [this] { pConnection = server.nextPendingConnection(); });
    }
};

bool ConnectAndWait(CClientSocket& socket, const QString& host, quint16 port) {
    socket.StartConnect(host, port);
    return SpinUntil([&] { return !socket.IsConnecting(); }, 3000) && socket.IsConnected();
}
}  // namespace

TEST(ClientSocket, ConnectingReturnsAtOnceAndCompletesOnTheEventLoop) {
    Peer peer;
    CClientSocket socket;
    socket.StartConnect("127.0.0.1", peer.server.serverPort());
    EXPECT_TRUE(socket.IsConnecting());
    EXPECT_FALSE(socket.IsConnected());
    EXPECT_TRUE(SpinUntil([&] { return socket.IsConnected(); }));
    EXPECT_FALSE(socket.IsConnecting());
}

TEST(ClientSocket, ReceivedBytesArriveInOrderInChunksOfAtMost400) {
    Peer peer;
    ASSERT_TRUE(peer.server.isListening());
    CClientSocket socket;
    QByteArray received;
    int largestChunk = 0;
    socket.SetReceiver([&](std::span<const std::uint8_t> bytes) {
        received.append(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
        largestChunk = std::max(largestChunk, static_cast<int>(bytes.size()));
    });
    ASSERT_TRUE(ConnectAndWait(socket, "127.0.0.1", peer.server.serverPort()));
    ASSERT_TRUE(SpinUntil([&] { return peer.pConnection != nullptr; }));

    QByteArray sent;
    for (int i = 0; i < 1500; ++i) {
        sent.append(static_cast<char>(i % 251));
    }
    peer.pConnection->write(sent);
    ASSERT_TRUE(SpinUntil([&] { return received.size() >= sent.size(); }));
    EXPECT_EQ(received, sent);
    EXPECT_LE(largestChunk, kRecvChunk);
    EXPECT_GT(largestChunk, 0);
}

TEST(ClientSocket, SentBytesReachThePeer) {
    Peer peer;
    CClientSocket socket;
    ASSERT_TRUE(ConnectAndWait(socket, "127.0.0.1", peer.server.serverPort()));
    ASSERT_TRUE(SpinUntil([&] { return peer.pConnection != nullptr; }));
    const std::uint8_t frame[] = {0xF5, 0x35, 0x06, 0xB0, 0x1E, 0x10, 0x0D, 0x00, 0xE0};
    EXPECT_EQ(socket.Send(frame, sizeof frame), 9);
    ASSERT_TRUE(SpinUntil([&] { return peer.pConnection->bytesAvailable() >= 9; }));
    EXPECT_EQ(peer.pConnection->readAll(), QByteArray::fromHex("F53506B01E100D00E0"));
}

TEST(ClientSocket, DataWithoutAReceiverIsDroppedAndLaterDataIsDelivered) {
    Peer peer;
    CClientSocket socket;
    ASSERT_TRUE(ConnectAndWait(socket, "127.0.0.1", peer.server.serverPort()));
    ASSERT_TRUE(SpinUntil([&] { return peer.pConnection != nullptr; }));
    peer.pConnection->write("early");
    peer.pConnection->flush();
    SpinFor(200);
    QByteArray received;
    socket.SetReceiver([&](std::span<const std::uint8_t> bytes) {
        received.append(reinterpret_cast<const char*>(bytes.data()),
                        static_cast<qsizetype>(bytes.size()));
    });
    peer.pConnection->write("late");
    ASSERT_TRUE(SpinUntil([&] { return !received.isEmpty(); }));
    EXPECT_EQ(received, QByteArray("late"));
}

TEST(ClientSocket, FailuresAndLossesAreReported) {
    CClientSocket socket;
    // Nothing listens on this port any more.
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closedPort = probe.serverPort();
    }
    EXPECT_FALSE(ConnectAndWait(socket, "127.0.0.1", closedPort));
    EXPECT_FALSE(socket.IsConnected());
    const std::uint8_t byte = 0;
    EXPECT_EQ(socket.Send(&byte, 1), -1);

    Peer peer;
    bool lost = false;
    QObject::connect(&socket, &CClientSocket::ConnectionLost, [&] { lost = true; });
    ASSERT_TRUE(ConnectAndWait(socket, "127.0.0.1", peer.server.serverPort()));
    ASSERT_TRUE(SpinUntil([&] { return peer.pConnection != nullptr; }));
    peer.pConnection->close();
    EXPECT_TRUE(SpinUntil([&] { return lost; }));

    // Closing on request is not a loss.
    lost = false;
    ASSERT_TRUE(ConnectAndWait(socket, "127.0.0.1", peer.server.serverPort()));
    socket.Close();
    SpinFor(100);
    EXPECT_FALSE(lost);
    EXPECT_FALSE(socket.IsConnected());
}
