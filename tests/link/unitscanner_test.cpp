#include "link/unitscanner.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

#include "tests/support/spin.h"

namespace {

// A listener on one loopback address that answers the n-th handshake (counted in whole 9-byte
// frames) with fixed bytes; an empty answer never answers.
struct Peer {
    QTcpServer server;
    QByteArray answer;
    int answerTo = 1;
    Peer(quint32 address, quint16 port, QByteArray bytes, int nth = 1)
        : answer(std::move(bytes)), answerTo(nth) {
        server.listen(QHostAddress(address), port);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* connection = server.nextPendingConnection();
            auto received = std::make_shared<int>(0);
            QObject::connect(connection, &QTcpSocket::readyRead, [this, connection, received] {
                const int before = *received / 9;
                *received += static_cast<int>(connection->readAll().size());
                if (before < answerTo && *received / 9 >= answerTo && !answer.isEmpty()) {
                    connection->write(answer);
                }
            });
        });
    }
};

constexpr quint32 kBase = 0x7F000000;  // 127.0.0.0

std::vector<std::uint32_t> Hosts(std::initializer_list<int> hosts) {
    std::vector<std::uint32_t> addresses;
    for (int host : hosts)
        addresses.push_back(kBase + static_cast<quint32>(host));
    return addresses;
}

TEST(UnitScanner, TakesOnlyWhatAnswersTheHandshakeAsAUnit) {
    QTcpServer probe;  // a port free on the loopback addresses used
    ASSERT_TRUE(probe.listen(QHostAddress(kBase + 2), 0));
    const quint16 port = probe.serverPort();
    probe.close();
    const QByteArray ack("\xEE\xCC", 2);
    Peer unit(kBase + 2, port, ack);
    Peer refusing(kBase + 3, port, QByteArray("\xEE\xDD", 2));
    Peer silent(kBase + 4, port, {});
    Peer chatter(kBase + 5, port, QByteArray(100, '\x55'));
    // .6 listens on nothing: refused by the system, not a unit
    Peer late(kBase + 7, port, QByteArray("\x01\xEE\xCC", 3), 2);  // answers the repeat
    for (const Peer* p : {&unit, &refusing, &silent, &chatter, &late})
        ASSERT_TRUE(p->server.isListening());

    CUnitScanner scanner;
    std::vector<ScanHit> found;
    std::optional<QList<ScanHit>> finished;
    QObject::connect(&scanner, &CUnitScanner::UnitFound,
                     [&found](const ScanHit& hit) { found.push_back(hit); });
    QObject::connect(&scanner, &CUnitScanner::Finished,
                     [&finished](const QList<ScanHit>& hits) { finished = hits; });
    ScanSettings settings;
    settings.port = port;
    settings.concurrency = 2;  // the rest wait their turn
    settings.answerTimeoutMs = 300;
    scanner.Start(Hosts({7, 6, 5, 4, 3, 2}), settings);
    ASSERT_TRUE(SpinUntil([&] { return finished.has_value(); }, 5000));
    EXPECT_FALSE(scanner.IsRunning());
    ASSERT_EQ(finished->size(), 3);
    EXPECT_EQ((*finished)[0].address, kBase + 2);  // in address order
    EXPECT_FALSE((*finished)[0].refused);
    EXPECT_EQ((*finished)[1].address, kBase + 3);
    EXPECT_TRUE((*finished)[1].refused);
    EXPECT_EQ((*finished)[2].address, kBase + 7);
    EXPECT_EQ(found.size(), 3u);

    // Nothing to scan finishes at once, from the event loop.
    finished.reset();
    scanner.Start({}, settings);
    EXPECT_FALSE(finished.has_value());
    EXPECT_TRUE(SpinUntil([&] { return finished.has_value(); }, 100));
    EXPECT_TRUE(finished->isEmpty());
}

}  // namespace
