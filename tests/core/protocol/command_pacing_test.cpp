// Pacing of the command engine: what one tick does, time-outs, retransmission and the drop.
#include <gtest/gtest.h>

#include "core/protocol/framebuilder.h"
#include "tests/support/enginefakes.h"

namespace {
int WritesOn(const EngineRig& rig, int kind) {
    switch (kind) {
        case kLinkUsb:
            return static_cast<int>(rig.usb.m_reports.size());
        case kLinkSerial:
            return static_cast<int>(rig.serial.m_writes.size());
        default:
            return static_cast<int>(rig.network.m_sends.size());
    }
}

const char* kMusicWrite = "F5 35 06 B7 00 00 03 00 AF";
}  // namespace

struct TimeoutCase {
    const char* what;
    const char* frame;
    int kind;
    int searchStage;
    int ticksBeforeTimeout;
};

TEST(CommandPacing, RetransmitsAfterTheTimeoutOfTheFrameKind) {
    const TimeoutCase cases[] = {
        {"ordinary write, serial", kMusicWrite, kLinkSerial, 0, 61},
        {"ordinary write, network", kMusicWrite, kLinkNetwork, 2, 61},
        {"ordinary write, USB", kMusicWrite, kLinkUsb, 0, 61},
        {"mode recall", "F5 35 06 B7 1E 13 02 00 DF", kLinkSerial, 1, 501},
        {"system command 0x15", "F5 35 06 B7 1E 15 00 00 E1", kLinkNetwork, 0, 1001},
        {"USB while searching", kMusicWrite, kLinkUsb, 1, 51},
        {"USB mode recall while searching", "F5 35 06 B7 1E 13 02 00 DF", kLinkUsb, 2, 51},
        {"mode recall with a block length is ordinary", "F5 35 07 B7 1E 13 02 00 00 DF",
         kLinkSerial, 0, 61},
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
    rig.Ticks(6 * cycle - 1, kLinkSerial);
    EXPECT_EQ(rig.serial.m_writes.size(), 6u);
    EXPECT_EQ(rig.state.retryCount, 5);
    EXPECT_TRUE(rig.sink.m_disconnects.empty());
    rig.Ticks(1, kLinkSerial);
    EXPECT_EQ(rig.sink.m_disconnects, std::vector<int>{kLinkSerial});
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
        rig.Ticks(3 * 62, kLinkSerial);
        ASSERT_EQ(rig.state.retryCount, 3);
        arrive(rig);
        EXPECT_EQ(rig.state.retryCount, 0);
        // Six more time-outs are needed before the link drops.
        rig.Ticks(6 * 62 - 1, kLinkSerial);
        EXPECT_TRUE(rig.sink.m_disconnects.empty());
        rig.Ticks(1, kLinkSerial);
        EXPECT_EQ(rig.sink.m_disconnects.size(), 1u);
    }
}

TEST(CommandPacing, IdleTicksQueueOnePollAndChangesOneFramePerTick) {
    EngineRig rig;
    rig.Ticks(54, kLinkNetwork);
    EXPECT_EQ(rig.engine.GetCount(), 0);
    rig.Ticks(1, kLinkNetwork);
    ASSERT_EQ(rig.engine.GetCount(), 1);
    EXPECT_EQ(ToHex(rig.engine.GetHead()->Bytes()), "F5 35 06 B0 1E 10 0D 00 E0");
    EXPECT_EQ(rig.state.idleTicks[kLinkNetwork], 0);
    EXPECT_EQ(rig.state.idleTicks[kLinkSerial], 0) << "other links keep their own counters";
    rig.Ticks(1, kLinkNetwork);
    EXPECT_EQ(rig.network.m_sends.size(), 1u);
    rig.Network("F5 35 06 B0 0D 00 07 00 A9");
    EXPECT_EQ(rig.engine.GetCount(), 0);

    // Pending changes are fetched one per tick, each transmitted at the following tick.
    rig.model.m_pending = {FromHex("F5 35 06 B7 00 00 01 00 AD"), FromHex(kMusicWrite)};
    rig.Ticks(1, kLinkNetwork);
    EXPECT_EQ(rig.engine.GetCount(), 1);
    EXPECT_EQ(rig.network.m_sends.size(), 1u);
    rig.Ticks(1, kLinkNetwork);
    EXPECT_EQ(ToHex(rig.network.m_sends.back()), "F5 35 06 B7 00 00 01 00 AD");
    rig.Network("EE CC");
    rig.Ticks(2, kLinkNetwork);
    EXPECT_EQ(ToHex(rig.network.m_sends.back()), kMusicWrite);
}

TEST(CommandPacing, EmptyQueueHeadAndOversizedUsbFrames) {
    EngineRig rig;
    EXPECT_EQ(rig.engine.GetHead(), nullptr);
    EXPECT_EQ(rig.sink.m_sent, (std::vector<SinkMessage>{{MSG_DISCONNECT, 0}}));
    rig.engine.LinkStep(kLinkSerial);  // returns at once on an empty queue
    EXPECT_TRUE(rig.serial.m_writes.empty());

    // USB reports carry the frame after report id 0, padded with zeros.
    rig.Queue(kMusicWrite);
    rig.Ticks(1, kLinkUsb);
    ASSERT_EQ(rig.usb.m_reports.size(), 1u);
    UsbReport expected{};
    const Bytes frame = FromHex(kMusicWrite);
    std::copy(frame.begin(), frame.end(), expected.begin() + 1);
    EXPECT_EQ(rig.usb.m_reports[0], expected);

    // A frame longer than 64 bytes never leaves over USB; it times out like an unanswered one.
    EngineRig big;
    big.engine.Enqueue(CFrameBuilder::MakeBlockFrame(kOpWrite, 1, 0, Bytes(58, 1), 58));
    big.Ticks(1 + 61, kLinkUsb);
    EXPECT_TRUE(big.usb.m_reports.empty());
    EXPECT_EQ(big.state.retryCount, 1);
}

TEST(CommandPacing, ImmediateStepSendsWithoutWaitingForTheTimer) {
    EngineRig rig;
    rig.state.linkKind = kLinkSerial;
    rig.model.m_pending = {FromHex(kMusicWrite)};
    rig.engine.ImmediateStep();
    EXPECT_EQ(rig.serial.m_writes.size(), 1u);
    rig.engine.ImmediateStep();  // nothing pending: the head only counts a tick
    EXPECT_EQ(rig.serial.m_writes.size(), 1u);
    EXPECT_EQ(rig.engine.GetHead()->m_nTicks, 1);
}
