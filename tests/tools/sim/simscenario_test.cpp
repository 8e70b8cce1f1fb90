// The engine, the catalogue and the read-back against the in-process simulated unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "core/protocol/catalogue.h"
#include "tests/support/hex.h"
#include "tests/support/simrig.h"

namespace {
void ExpectImageEqualsUnit(const SimRig& rig, const std::string& what) {
    for (int ch = 0; ch <= 10; ++ch) {
        const auto image = rig.model.Image().Words(ch);
        const auto unit = rig.sim.Block(ch);
        EXPECT_TRUE(std::equal(image.begin(), image.end(), unit.begin(), unit.end()))
            << what << ": channel " << ch;
    }
    const auto system = rig.model.Image().SystemBytes();
    const auto unitSystem = rig.sim.SystemBlock();
    EXPECT_TRUE(std::equal(system.begin(), system.end(), unitSystem.begin(), unitSystem.end()))
        << what << ": system block";
}

SimOptions Faults(int dropEvery, int garbageEvery) {
    SimOptions options;
    options.dropEvery = dropEvery;
    options.garbageEvery = garbageEvery;
    return options;
}

const LinkKind kLinks[] = {LinkKind::Serial, LinkKind::Network, LinkKind::Usb};
const char* LinkName(LinkKind kind) {
    return kind == LinkKind::Usb ? "USB" : kind == LinkKind::Serial ? "serial" : "network";
}
}  // namespace

TEST(SimScenario, FullReadBackMakesTheImageEqualTheUnit) {
    for (const int paced : {0, 1}) {
        for (LinkKind kind : kLinks) {
            SimRig rig(kind);
            rig.state.pacedReads = paced;
            ReadAllSequence(rig.engine, rig.Chunked());
            const int frames = rig.engine.GetCount();
            const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); });
            // Each answered read sends the next at once; paced, one read leaves per tick.
            EXPECT_EQ(ticks, paced == 1 ? frames : 1) << LinkName(kind) << " paced " << paced;
            EXPECT_EQ(frames, kind == LinkKind::Usb ? 26 : 12);
            ExpectImageEqualsUnit(rig, LinkName(kind));
            const ReadBackResult result = ApplyReadBack(rig.model);
            EXPECT_EQ(rig.model.Volume().GetMusicVol(), rig.sim.Block(10)[1]);
            EXPECT_EQ(result.outScene, 1) << "the unit starts in manual mode on scene 1";
            EXPECT_FALSE(result.panelLocked);
            EXPECT_EQ(NextPendingFrame(rig.model), nullptr);
            EXPECT_EQ(rig.engine.GetCount(), 0);
        }
    }
}

TEST(SimScenario, UploadReachesTheUnitAndConfirmsTheVolumes) {
    for (LinkKind kind : kLinks) {
        SimRig rig(kind);
        rig.model.Music().SetInput(5);
        rig.model.Mic().GetEQ().GetAt(14).SetGain(77);
        rig.model.Sub(1).SetDelay(12);
        rig.model.ToneLimits().Set(17, 42);
        rig.model.Volume().SetEffectVol(61);
        UploadAllSequence(rig.model, rig.engine, rig.state, rig.Chunked());
        const int frames = rig.engine.GetCount();
        const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_VOLUMES_READ); });
        EXPECT_EQ(ticks, frames) << LinkName(kind);
        EXPECT_EQ(rig.sim.Block(0)[0], 5) << LinkName(kind);
        EXPECT_EQ(rig.sim.Block(1)[77], 77) << LinkName(kind);
        EXPECT_EQ(rig.sim.Block(8)[4], 12) << LinkName(kind);
        EXPECT_EQ(rig.sim.Block(9)[17], 42) << LinkName(kind);
        EXPECT_EQ(rig.sim.Block(10)[2], 61) << LinkName(kind);
        for (int ch = 0; ch <= 10; ++ch) {
            const auto image = rig.model.Image().Words(ch);
            const auto unit = rig.sim.Block(ch);
            EXPECT_TRUE(std::equal(image.begin(), image.end(), unit.begin(), unit.end()))
                << LinkName(kind) << " channel " << ch;
        }
        ApplyVolumes(rig.model, rig.state);
        EXPECT_EQ(rig.state.uploadConfirm, 0);
        EXPECT_EQ(rig.model.Volume().GetEffectVol(), 61);
        EXPECT_EQ(rig.engine.GetCount(), 0) << LinkName(kind) << ": every write acknowledged";
    }
}

TEST(SimScenario, EditsAndModeRecallReachTheUnit) {
    for (LinkKind kind : kLinks) {
        SimRig rig(kind);
        rig.model.Music().SetKeyShift(12);
        rig.model.Center(1).GetEQ().GetAt(2).SetFreq(200);
        rig.model.System().SetPanelLock(1);
        rig.TickUntil([&] { return rig.sim.PanelLock() == 1; }, 20);
        EXPECT_EQ(rig.sim.Key(), 12) << LinkName(kind);
        EXPECT_EQ(rig.sim.Block(6)[17 + 2 * 5 + 4], 200) << LinkName(kind);
        EXPECT_EQ(rig.sim.PanelLock(), 1) << LinkName(kind);

        ReadAllSequence(rig.engine, rig.Chunked(), 4);
        rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); });
        EXPECT_EQ(rig.sim.ModeIndex(), 3);
        ApplyReadBack(rig.model);
        EXPECT_EQ(rig.model.Music().GetKeyShift(), 6) << "mode 4 stores key 6";
        EXPECT_EQ(rig.model.System().GetSelectedMode(), 3);
    }
}

TEST(SimScenario, IdlePollReportsTheKey) {
    SimRig rig(LinkKind::Serial);
    rig.sim.Block(0)[2] = 13;
    rig.TickUntil([&] { return !rig.sink.m_posted.empty(); }, 60);
    ASSERT_EQ(rig.sink.m_posted.size(), 1u);
    EXPECT_EQ(rig.sink.m_posted[0], (std::pair<int, int>{MSG_KEY_REPORTED, 13}));
}

TEST(SimScenario, ReadBackSurvivesDroppedAndGarbledAnswers) {
    const SimOptions faults[] = {
        Faults(3, 0),
        Faults(0, 4),
        Faults(5, 7),
    };
    for (const SimOptions& options : faults) {
        for (LinkKind kind : kLinks) {
            SimRig rig(kind, options);
            ReadAllSequence(rig.engine, rig.Chunked());
            const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); });
            EXPECT_GT(ticks, 60) << LinkName(kind) << ": at least one retransmission";
            EXPECT_TRUE(rig.sink.m_disconnects.empty()) << LinkName(kind);
            ExpectImageEqualsUnit(rig, LinkName(kind));
        }
    }
}

TEST(SimScenario, SilentOrRefusingUnits) {
    SimOptions silentOptions;
    silentOptions.silent = true;
    SimRig silent(LinkKind::Network, silentOptions);
    silent.engine.Enqueue(MakeConnectProbe());
    const int ticks = silent.TickUntil([&] { return !silent.sink.m_disconnects.empty(); });
    EXPECT_EQ(ticks, 6 * 62) << "six transmissions, dropped at the sixth time-out";
    EXPECT_EQ(silent.sim.Counters().framesReceived, 6);

    SimOptions refuseOptions;
    refuseOptions.refuse = true;
    SimRig refusing(LinkKind::Serial, refuseOptions);
    refusing.state.unitAcked = 0;
    refusing.engine.Enqueue(MakeConnectProbe());
    refusing.Tick();
    EXPECT_EQ(refusing.state.unitRefused, 1);
    EXPECT_EQ(refusing.state.unitAcked, 0);
    EXPECT_EQ(refusing.engine.GetCount(), 0);
}

TEST(SimScenario, AFastDragAgainstASlowUnitNeitherResendsNorMisplacesAnAnswer) {
    // The unit answers every frame 300 ms after it arrived; the curve view reports a drag move
    // every 5 ms, 200 moves, each running the immediate step as the main window does. Time runs
    // in steps of 1 ms, with the link's tick every 16 ms.
    constexpr int kReplyMs = 300;
    constexpr int kMoves = 200;
    constexpr int kMoveMs = 5;
    constexpr int kGainWord = 5 + 5 * 2;  // music band 2's gain
    SimRig rig(LinkKind::Network);
    struct Answer {
        int dueMs;
        Bytes frame;  // what it answers
        Bytes bytes;
    };
    std::deque<Answer> inFlight;
    const auto collect = [&](int nowMs) {
        if (!rig.links.m_streamOut.empty()) {
            inFlight.push_back(
                {nowMs + kReplyMs,
                 Bytes(rig.engine.GetHead()->Bytes().begin(), rig.engine.GetHead()->Bytes().end()),
                 std::exchange(rig.links.m_streamOut, {})});
        }
    };
    int misplaced = 0;
    int lastGain = 0;
    for (int now = 0; now < kMoves * kMoveMs + 4000; ++now) {
        while (!inFlight.empty() && inFlight.front().dueMs <= now) {
            const Answer answer = inFlight.front();
            inFlight.pop_front();
            const int before = rig.engine.GetCount();
            const bool own =
                before > 0 && std::ranges::equal(rig.engine.GetHead()->Bytes(), answer.frame);
            rig.engine.OnReceived(LinkKind::Network, answer.bytes);
            misplaced += before - rig.engine.GetCount() != (own ? 1 : 0) ? 1 : 0;
            collect(now);
        }
        if (now % kLinkTickMs == 0) {
            rig.engine.LinkTick(LinkKind::Network);
            collect(now);
        }
        if (now % kMoveMs == 0 && now / kMoveMs < kMoves) {
            lastGain = 10 + now / kMoveMs;
            rig.model.Music().GetEQ().GetAt(2).SetGain(static_cast<std::int16_t>(lastGain));
            rig.engine.ImmediateStep();
            collect(now);
        }
    }
    EXPECT_EQ(rig.state.resends, 0);
    EXPECT_EQ(misplaced, 0);
    EXPECT_TRUE(rig.sink.m_disconnects.empty());
    EXPECT_EQ(rig.sim.Block(kChMusic)[kGainWord], lastGain);
    EXPECT_EQ(rig.sim.Counters().rejected, 0);
}
