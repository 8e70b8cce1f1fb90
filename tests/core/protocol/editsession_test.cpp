// Undo and redo, kept edits and A/B of the model's edit session, against the in-process
// simulated unit: what the unit's memory holds after the frames the setters cause.
#include "core/protocol/editsession.h"

#include <gtest/gtest.h>

#include "core/protocol/catalogue.h"
#include "core/protocol/framebuilder.h"
#include "tests/support/simrig.h"

namespace {
// Every channel block and the system block of the unit.
std::vector<std::int16_t> UnitMemory(const CSimUnit& sim) {
    std::vector<std::int16_t> memory;
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        const auto block = sim.Block(ch);
        memory.insert(memory.end(), block.begin(), block.end());
    }
    for (std::uint8_t byte : sim.SystemBlock()) {
        memory.push_back(byte);
    }
    return memory;
}

struct SessionRig : SimRig {
    SessionRig() : SimRig(LinkKind::Network) {
        port.LinkUp();
        ReadBack();
    }

    CEditSession& Session() { return port.Session(); }
    // The whole state read back and applied, as a connection's read-back is.
    void ReadBack() {
        sink.m_sent.clear();
        ReadAllSequence(engine, Chunked());
        EXPECT_GT(TickUntil([&] { return Sent(MSG_SYSTEM_DATA_READ); }), 0);
        port.ApplyReadBack();
    }
    // Ticks until nothing is queued and nothing changed is left.
    void Settle() {
        const int scans = port.EmptyScans();
        EXPECT_GT(
            TickUntil([&] { return port.EmptyScans() > scans && engine.GetCount() == 0; }, 5000),
            0);
    }
    // A link that drops, is brought up again and read back.
    CEditSession::Outcome Reconnect() {
        state.connected = 1;
        port.LinkUp();
        model.SetAllChanged(0);
        ReadBack();
        return port.LastReadBackOutcome();
    }
};

// Edits of several records and pages, each a step of its own, an EQ reset among them.
void EditSeveralPages(SessionRig& rig) {
    CAudioData& m = rig.model;
    m.Music().Set(m.Music().FieldAtWord(0), 4);            // music input
    m.Mic().GetEQ().GetAt(2).SetGain(150);                 // a microphone band
    m.Echo().Set(m.Echo().FieldAtWord(11), 33);            // reverb volume
    m.Echo().GetEQ().GetAt(1).SetFreq(90);                 // an effect band
    m.MainOut(0).GetEQ().GetHighPass()->SetXoverFreq(40);  // main out high-pass
    m.Sub(1).GetEQ().GetAt(0).SetQ(30);                    // a sub band, scene 1
    m.Volume().SetMusicVol(static_cast<std::int16_t>(m.Volume().GetMusicVol() - 5));
    rig.Settle();
    ASSERT_TRUE(m.Echo().ResetEq());
    rig.engine.Enqueue(MakeEqReset(kChEffect));
    rig.Settle();
}
}  // namespace

TEST(EditSession, UndoAllRestoresTheUnitAndRedoAllRestoresTheEdits) {
    SessionRig rig;
    const auto original = UnitMemory(rig.sim);
    EditSeveralPages(rig);
    const auto edited = UnitMemory(rig.sim);
    ASSERT_NE(edited, original);
    EXPECT_EQ(rig.Session().History().UndoCount(), 8);

    int undone = 0;
    while (rig.Session().Undo()) {
        ++undone;
        rig.Settle();
    }
    EXPECT_EQ(undone, 8);
    EXPECT_EQ(UnitMemory(rig.sim), original);

    while (rig.Session().Redo()) {
        rig.Settle();
    }
    EXPECT_EQ(UnitMemory(rig.sim), edited);
}

TEST(EditSession, EditsKeptWhileTheLinkIsDownAreSentWhenTheUnitHoldsWhatItHeld) {
    SessionRig rig;
    // The link drops with an edit still pending; two more are made while it is down.
    CAudioMusicData& music = rig.model.Music();
    const std::int16_t exciter = music.Get(music.FieldAtWord(3)) == 0 ? 1 : 0;
    music.Set(music.FieldAtWord(3), exciter);
    rig.state.connected = 0;
    rig.engine.ClearQueue();
    rig.model.Mic().GetEQ().GetAt(5).SetGain(140);
    rig.model.Volume().SetMicVol(12);
    EXPECT_EQ(rig.Reconnect(), CEditSession::Outcome::Sent);
    rig.Settle();
    EXPECT_EQ(rig.sim.Block(kChMusic)[3], exciter);
    EXPECT_EQ(rig.sim.Block(kChMic)[rig.model.Mic().GetEQ().GetAt(5).BandWordBase()], 140);
    EXPECT_EQ(rig.sim.Block(kChVolume)[0], 12);
    EXPECT_EQ(rig.Session().History().UndoCount(), 3) << "the history survives";
}

TEST(EditSession, AUnitChangedMeanwhileLeavesTheKeptEditsToTheUser) {
    for (const bool send : {false, true}) {
        SCOPED_TRACE(send ? "send my edits" : "keep the unit's settings");
        SessionRig rig;
        rig.state.connected = 0;
        rig.model.Echo().Set(rig.model.Echo().FieldAtWord(0), 70);
        rig.model.Sub(0).GetEQ().GetAt(2).SetGain(100);
        // Meanwhile the unit's front panel changes another field.
        rig.sim.Block(kChEffect)[4] = 55;
        EXPECT_EQ(rig.Reconnect(), CEditSession::Outcome::Ask);
        EXPECT_EQ(rig.Session().KeptCount(), 2);
        EXPECT_EQ(rig.Session().History().UndoCount(), 0) << "the unit replaced the model";
        const auto unitBefore = UnitMemory(rig.sim);
        if (send) {
            rig.Session().SendKept();
        } else {
            rig.Session().DropKept();
        }
        rig.Settle();
        EXPECT_EQ(rig.sim.Block(kChEffect)[4], 55);
        const int band = rig.model.Sub(0).GetEQ().GetAt(2).BandWordBase();
        if (send) {
            EXPECT_EQ(rig.sim.Block(kChEffect)[0], 70);
            EXPECT_EQ(rig.sim.Block(kChSub)[band], 100);
        } else {
            EXPECT_EQ(UnitMemory(rig.sim), unitBefore);
            EXPECT_EQ(rig.model.Echo().Get(rig.model.Echo().FieldAtWord(0)),
                      rig.sim.Block(kChEffect)[0]);
        }
        EXPECT_EQ(rig.Session().KeptCount(), 0);
    }
}

TEST(EditSession, ABToggleSendsExactlyTheDifferingFields) {
    SessionRig rig;
    const auto a = UnitMemory(rig.sim);
    EXPECT_EQ(rig.Session().ToggleAb(), 0) << "B starts as a copy of A";
    EXPECT_EQ(rig.Session().LiveSlot(), 1);
    rig.model.Music().Set(rig.model.Music().FieldAtWord(2), 9);
    rig.model.Center(0).GetEQ().GetAt(1).SetGain(160);
    rig.model.Center(0).GetEQ().GetAt(1).SetGain(170);
    rig.model.Volume().SetEffectVol(3);
    rig.Settle();
    const auto b = UnitMemory(rig.sim);

    int frames = rig.sim.Counters().framesReceived;
    EXPECT_EQ(rig.Session().ToggleAb(), 3);
    rig.Settle();
    EXPECT_EQ(UnitMemory(rig.sim), a);
    // Every idle tick's key poll is a frame too: count the writes only.
    int writes = 0;
    rig.sim.SetLogger([&](CSimUnit::Event event, std::span<const std::uint8_t> bytes,
                          std::string_view) {
        writes += event == CSimUnit::Event::kReceived && bytes.size() > 3 && bytes[3] == kOpWrite;
    });
    EXPECT_EQ(rig.Session().ToggleAb(), 3);
    rig.Settle();
    EXPECT_EQ(writes, 3);
    EXPECT_EQ(UnitMemory(rig.sim), b);
    EXPECT_EQ(rig.Session().LiveSlot(), 1);
    EXPECT_GE(rig.sim.Counters().framesReceived - frames, 6);
}
