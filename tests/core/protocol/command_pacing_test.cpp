// Pacing of the command engine: what one tick does, time-outs, retransmission and the drop.
#include <gtest/gtest.h>

#include "core/protocol/framebuilder.h"
#include "tests/support/enginefakes.h"

namespace {
int WritesOn(const EngineRig& rig, LinkKind kind) {
    switch (kind) {
        case LinkKind::Usb:
            return static_cast<int>(rig.usb.m_reports.size());
        case LinkKind::Serial:
            return static_cast<int>(rig.serial.m_writes.size());
        case LinkKind::Network:
            break;
    }
    return static_cast<int>(rig.network.m_sends.size());
}

const char* kMusicWrite = "F5 35 06 B7 00 00 03 00 AF";
}  // namespace

struct TimeoutCase {
    const char* what;
    const char* frame;
    LinkKind kind;
    SearchStage searchStage;
    int ticksBeforeTimeout;
};

TEST(CommandPacing, RetransmitsAfterTheTimeoutOfTheFrameKind) {
    const TimeoutCase cases[] = {
        {"ordinary write, serial", kMusicWrite, LinkKind::Serial, SearchStage::Usb, 61},
        {"ordinary write, network", kMusicWrite, LinkKind::Network, SearchStage::Network, 61},
        {"ordinary write, USB", kMusicWrite, LinkKind::Usb, SearchStage::Usb, 61},
        {"mode recall", "F5 35 06 B7 1E 13 02 00 DF", LinkKind::Serial, SearchStage::Serial, 501},
        {"system command 0x15", "F5 35 06 B7 1E 15 00 00 E1", LinkKind::Network, SearchStage::Usb,
         1001},
        {"USB while searching", kMusicWrite, LinkKind::Usb, SearchStage::Serial, 51},
        {"USB mode recall while searching", "F5 35 06 B7 1E 13 02 00 DF", LinkKind::Usb,
         SearchStage::Network, 51},
        {"mode recall with a block length is ordinary", "F5 35 07 B7 1E 13 02 00 00 DF",
         LinkKind::Serial, SearchStage::Usb, 61},
    };
    for (const TimeoutCase& c : cases) {
        EngineRig rig;
        rig.state.searchStage = c.searchStage;
        rig.Queue(c.frame);
        rig.Ticks(1, c.kind);
        ASSERT_EQ(WritesOn(rig, c.kind), 1) << c.what;
        rig.Ticks(c.ticksBeforeTimeout - 1, c.kind);
        EXPECT_EQ(rig.state.retryCount, 0) << c.what;
        rig.Ticks(1, c.kind);
        EXPECT_EQ(rig.state.retryCount, 1) << c.what;
        EXPECT_EQ(WritesOn(rig, c.kind), 1) << c.what << ": re-armed, sent at the next tick";
        rig.Ticks(1, c.kind);
        EXPECT_EQ(WritesOn(rig, c.kind), 2) << c.what;
    }
}

TEST(CommandPacing, DropsTheLinkAtTheSixthTimeout) {
    EngineRig rig;
    rig.Queue(kMusicWrite);
    const int cycle = 1 + 61;  // the transmitting tick, then 61 counted ticks
    rig.Ticks(6 * cycle - 1, LinkKind::Serial);
    EXPECT_EQ(rig.serial.m_writes.size(), 6u);
    EXPECT_EQ(rig.state.retryCount, 5);
    EXPECT_TRUE(rig.sink.m_disconnects.empty());
    rig.Ticks(1, LinkKind::Serial);
    EXPECT_EQ(rig.sink.m_disconnects, std::vector<LinkKind>{LinkKind::Serial});
    EXPECT_EQ(rig.state.retryCount, 0);
    for (const Bytes& write : rig.serial.m_writes) {
        EXPECT_EQ(ToHex(write), kMusicWrite);
    }
}

TEST(CommandPacing, AnyArrivalResetsTheRetryCount) {
    const std::function<void(EngineRig&)> arrivals[] = {
        [](EngineRig& rig) { rig.Serial("00"); },
        [](EngineRig& rig) { rig.Network("37 42 00"); },
        [](EngineRig& rig) { rig.Usb("00"); },
    };
    for (const auto& arrive : arrivals) {
        EngineRig rig;
        rig.Queue(kMusicWrite);
        rig.Ticks(3 * 62, LinkKind::Serial);
        ASSERT_EQ(rig.state.retryCount, 3);
        arrive(rig);
        EXPECT_EQ(rig.state.retryCount, 0);
        // Six more time-outs are needed before the link drops.
        rig.Ticks(6 * 62 - 1, LinkKind::Serial);
        EXPECT_TRUE(rig.sink.m_disconnects.empty());
        rig.Ticks(1, LinkKind::Serial);
        EXPECT_EQ(rig.sink.m_disconnects.size(), 1u);
    }
}

TEST(CommandPacing, IdleTicksQueueOnePollAndChangesOneFramePerTick) {
    EngineRig rig;
    rig.Ticks(54, LinkKind::Network);
    EXPECT_EQ(rig.engine.GetCount(), 0);
    rig.Ticks(1, LinkKind::Network);
    ASSERT_EQ(rig.engine.GetCount(), 1);
    EXPECT_EQ(ToHex(rig.engine.GetHead()->Bytes()), "F5 35 06 B0 1E 10 0D 00 E0");
    EXPECT_EQ(rig.state.idleTicks[LinkIndex(LinkKind::Network)], 0);
    EXPECT_EQ(rig.state.idleTicks[LinkIndex(LinkKind::Serial)], 0)
        << "other links keep their own counters";
    rig.Ticks(1, LinkKind::Network);
    EXPECT_EQ(rig.network.m_sends.size(), 1u);
    rig.Network("F5 35 06 B0 0D 00 07 00 A9");
    EXPECT_EQ(rig.engine.GetCount(), 0);

    // Pending changes are fetched one per tick, each transmitted at the following tick.
    rig.model.m_pending = {FromHex("F5 35 06 B7 00 00 01 00 AD"), FromHex(kMusicWrite)};
    rig.Ticks(1, LinkKind::Network);
    EXPECT_EQ(rig.engine.GetCount(), 1);
    EXPECT_EQ(rig.network.m_sends.size(), 1u);
    rig.Ticks(1, LinkKind::Network);
    EXPECT_EQ(ToHex(rig.network.m_sends.back()), "F5 35 06 B7 00 00 01 00 AD");
    rig.Network("EE CC");
    rig.Ticks(2, LinkKind::Network);
    EXPECT_EQ(ToHex(rig.network.m_sends.back()), kMusicWrite);
}

TEST(CommandPacing, EmptyQueueHeadAndOversizedUsbFrames) {
    EngineRig rig;
    EXPECT_EQ(rig.engine.GetHead(), nullptr);
    EXPECT_EQ(rig.sink.m_sent, (std::vector<SinkMessage>{{MSG_DISCONNECT, 0}}));
    rig.engine.LinkStep(LinkKind::Serial);  // returns at once on an empty queue
    EXPECT_TRUE(rig.serial.m_writes.empty());

    // USB reports carry the frame after report id 0, padded with zeros.
    rig.Queue(kMusicWrite);
    rig.Ticks(1, LinkKind::Usb);
    ASSERT_EQ(rig.usb.m_reports.size(), 1u);
    UsbReport expected{};
    const Bytes frame = FromHex(kMusicWrite);
    std::copy(frame.begin(), frame.end(), expected.begin() + 1);
    EXPECT_EQ(rig.usb.m_reports[0], expected);

    // A frame of exactly 64 bytes fills the report behind its id.
    EngineRig full;
    const Bytes payload(57, 0x42);
    full.engine.Enqueue(CFrameBuilder::MakeBlockFrame(kOpWrite, 1, 0, payload, 57));
    full.Ticks(1, LinkKind::Usb);
    ASSERT_EQ(full.usb.m_reports.size(), 1u);
    const auto full64 = CFrameBuilder::MakeBlockFrame(kOpWrite, 1, 0, payload, 57);
    ASSERT_EQ(full64->Length(), 64);
    EXPECT_TRUE(std::equal(full64->Bytes().begin(), full64->Bytes().end(),
                           full.usb.m_reports[0].begin() + 1, full.usb.m_reports[0].end()));

    // A frame longer than 64 bytes never leaves over USB; it times out like an unanswered one.
    EngineRig big;
    big.engine.Enqueue(CFrameBuilder::MakeBlockFrame(kOpWrite, 1, 0, Bytes(58, 1), 58));
    big.Ticks(1 + 61, LinkKind::Usb);
    EXPECT_TRUE(big.usb.m_reports.empty());
    EXPECT_EQ(big.state.retryCount, 1);
}

TEST(CommandPacing, ImmediateStepSendsWithoutWaitingForTheTimer) {
    EngineRig rig;
    rig.state.linkKind = LinkKind::Serial;
    rig.model.m_pending = {FromHex(kMusicWrite)};
    rig.engine.ImmediateStep();
    EXPECT_EQ(rig.serial.m_writes.size(), 1u);
    // However many moves a drag makes, the frame in flight ages only with the link's ticks.
    for (int i = 0; i < 200; ++i) {
        rig.engine.ImmediateStep();
    }
    EXPECT_EQ(rig.serial.m_writes.size(), 1u);
    EXPECT_EQ(rig.engine.GetHead()->m_nTicks, 0);
    rig.Ticks(60, LinkKind::Serial);
    EXPECT_EQ(rig.state.retryCount, 0);
    rig.Ticks(1, LinkKind::Serial);
    EXPECT_EQ(rig.state.retryCount, 1) << "the 61st tick after the send times it out";
}

struct ReadPacingCase {
    const char* what;
    int connected;
    int pacedReads;
    const char* before;  // received before the first reply ("" nothing; "tick out": a time-out)
    bool atOnce;
};

TEST(CommandPacing, AnAnsweredReadSendsTheNextReadAtOnceUnlessTickPaced) {
    const ReadPacingCase cases[] = {
        {"reply-driven", 1, 0, "", true},    {"--paced", 1, 1, "", false},
        {"unit busy", 1, 0, "EE AA", false}, {"unit slow", 1, 0, "tick out", false},
        {"searching", 0, 0, "", false},
    };
    for (const ReadPacingCase& c : cases) {
        EngineRig rig;
        rig.state.connected = c.connected;
        rig.state.linkKind = LinkKind::Network;
        rig.state.pacedReads = c.pacedReads;
        rig.Queue("F5 35 06 B0 1E 10 0A 00 DD");  // read the volume block
        rig.Queue("F5 35 06 B0 1E 10 09 00 DC");  // read the tone limits
        rig.Queue(kMusicWrite);
        rig.Ticks(1, LinkKind::Network);
        if (std::string(c.before) == "tick out") {
            rig.Ticks(62, LinkKind::Network);
        } else if (*c.before != 0) {
            rig.Network(c.before);
        }
        const std::size_t sent = rig.network.m_sends.size();
        rig.engine.OnReceived(LinkKind::Network, DataReply(21, 10));
        EXPECT_EQ(rig.network.m_sends.size(), sent + (c.atOnce ? 1 : 0)) << c.what;
        rig.Ticks(c.atOnce ? 0 : 1, LinkKind::Network);
        ASSERT_EQ(rig.network.m_sends.size(), sent + 1) << c.what;
        EXPECT_EQ(ToHex(rig.network.m_sends.back()), "F5 35 06 B0 1E 10 09 00 DC") << c.what;
        // A write after a read keeps the tick pacing.
        rig.engine.OnReceived(LinkKind::Network, DataReply(43, 9));
        EXPECT_EQ(rig.network.m_sends.size(), sent + 1) << c.what;
        rig.Ticks(1, LinkKind::Network);
        EXPECT_EQ(ToHex(rig.network.m_sends.back()), kMusicWrite) << c.what;
    }
}

TEST(CommandPacing, AReplyDeliveredInsideTheWriteWaitsUntilTheWriteHasReturned) {
    // A link whose write hands the unit's answer straight back (a late reply that was waiting
    // when the write pumped events). The reply removes the frame being sent: it must be taken
    // only after the engine has finished with that frame.
    for (const LinkKind link : {LinkKind::Serial, LinkKind::Network, LinkKind::Usb}) {
        EngineRig rig;
        rig.state.unitAcked = 1;
        int countInsideWrite = -1;
        const auto answer = [&] {
            rig.engine.OnReceived(link, FromHex("EE CC"));
            countInsideWrite = rig.engine.GetCount();
        };
        rig.serial.m_onWrite = answer;
        rig.network.m_onWrite = answer;
        rig.usb.m_onWrite = answer;
        rig.Queue(kMusicWrite);
        rig.Queue(kMusicWrite);
        rig.Ticks(1, link);
        const int what = static_cast<int>(link);
        EXPECT_EQ(countInsideWrite, 2) << what << ": no receive path runs inside a send";
        EXPECT_EQ(rig.engine.GetCount(), 1) << what << ": the answer removed the frame after";
        EXPECT_EQ(rig.engine.GetHead()->m_bSendPending, 1) << what;
        rig.Ticks(1, link);
        EXPECT_EQ(rig.engine.GetCount(), 0) << what;
        EXPECT_EQ(WritesOn(rig, link), 2) << what;
    }
}
