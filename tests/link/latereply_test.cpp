// A unit that answers every frame 250 ms late, over TCP and over a pty: the search sends more
// handshakes before the first answer comes, and the answers to the later ones (EE CC) arrive
// after the read-back has begun. It must not take the place of the data the first read request
// waits for: one frame stays in flight throughout the read-back.
#include <gtest/gtest.h>

#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "core/model/audiodata.h"
#include "link/linkcontroller.h"
#include "link/unitconnection.h"
#include "simunit.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/pty.h"
#include "tests/support/spin.h"

namespace {
constexpr int kReplyDelayMs = 250;

// The simulated unit behind a TCP server or on the master side of a pty, answering late.
struct LateUnit {
    CSimUnit sim;
    QTcpServer server;
    QTcpSocket* pPeer = nullptr;
    CPty pty;
    QSocketNotifier ptyNotifier{pty.MasterFd(), QSocketNotifier::Read};
    int readsInFlight = 0;  // read requests received and not answered yet
    int maxReadsInFlight = 0;

    LateUnit() {
        server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            pPeer = server.nextPendingConnection();
            QObject::connect(pPeer, &QTcpSocket::readyRead, pPeer, [this] {
                Answer(pPeer->readAll(), [this](const QByteArray& out) { pPeer->write(out); });
            });
        });
        QObject::connect(&ptyNotifier, &QSocketNotifier::activated, [this] {
            Answer(pty.ReadAvailable(), [this](const QByteArray& out) { pty.WriteToPort(out); });
        });
    }

    void Answer(const QByteArray& in, const std::function<void(const QByteArray&)>& send) {
        int reads = 0;
        for (qsizetype i = 0; i + 9 <= in.size(); i += 9) {
            reads += static_cast<std::uint8_t>(in[i + 3]) == 0xB0 ? 1 : 0;
        }
        const auto out = sim.OnStreamBytes({reinterpret_cast<const std::uint8_t*>(in.constData()),
                                            static_cast<std::size_t>(in.size())});
        readsInFlight += reads;
        maxReadsInFlight = std::max(maxReadsInFlight, readsInFlight);
        const QByteArray bytes(reinterpret_cast<const char*>(out.data()),
                               static_cast<qsizetype>(out.size()));
        QTimer::singleShot(kReplyDelayMs, &server, [this, send, bytes, reads] {
            send(bytes);
            readsInFlight -= reads;
        });
    }
};
}  // namespace

TEST(LateReplies, ALateAcknowledgementNeverRemovesAReadRequest) {
    for (const bool serial : {false, true}) {
        LateUnit unit;
        ASSERT_TRUE(unit.pty.IsValid());
        unit.sim.Block(kChMic)[81] = 1234;
        CFakeHidBackend::Shared hid;
        hid.deviceAttached = false;
        CAudioData model;
        CUnitConnection connection(model, std::make_unique<CFakeHidBackend>(hid));
        bool readBack = false;
        QObject::connect(&connection.Controller(), &CLinkController::ReadBackCompleted,
                         [&](bool) { readBack = true; });
        SearchPlan plan;
        plan.bUsb = false;
        plan.bSerial = serial;
        plan.bNetwork = !serial;
        plan.portNames = {unit.pty.SlavePath()};
        plan.address = "127.0.0.1";
        plan.tcpPort = unit.server.serverPort();
        connection.StartSearch(plan);
        const char* what = serial ? "pty" : "tcp";
        ASSERT_TRUE(SpinUntil([&] { return readBack; }, 20000)) << what;
        EXPECT_EQ(unit.maxReadsInFlight, 1) << what;
        for (int ch = 0; ch < kBlockChannels; ++ch) {
            const auto expected = unit.sim.Block(ch);
            const auto actual = model.Image().Words(ch);
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), actual.begin(), actual.end()))
                << what << " channel " << ch;
        }
    }
}
