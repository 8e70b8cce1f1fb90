// The simulated unit's protocol core on its own.
#include "simunit.h"

#include <gtest/gtest.h>

#include "core/protocol/framebuilder.h"
#include "tests/support/enginefakes.h"

namespace {
Bytes Feed(CSimUnit& sim, const std::string& hex) {
    return sim.OnStreamBytes(FromHex(hex));
}
}  // namespace

TEST(SimUnit, AnswersHandshakeWritesAndReads) {
    CSimUnit sim;
    EXPECT_EQ(Feed(sim, "F5 35 06 B7 1E 30 11 00 0B"), FromHex("EE CC"));
    EXPECT_EQ(Feed(sim, "F5 35 06 B7 00 00 03 00 AF"), FromHex("EE CC"));
    EXPECT_EQ(sim.Block(0)[0], 3);
    // Read of the volume block: 21 bytes, correct checksum, words of the unit.
    const Bytes reply = Feed(sim, "F5 35 06 B0 1E 10 0A 00 DD");
    ASSERT_EQ(reply.size(), 21u);
    EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 6), FromHex("F5 35 12 B0 0A 00"));
    EXPECT_EQ(reply[6] | (reply[7] << 8), sim.Block(10)[0]);
    EXPECT_EQ(FrameChecksum(std::span(reply).first(20)), reply[20]);
    // Every block and the system block answer with their reply lengths.
    const std::pair<int, std::size_t> lengths[] = {{0, 87}, {1, 171}, {2, 77},   {3, 91},
                                                   {8, 71}, {9, 43},  {30, 159}, {13, 9}};
    for (const auto& [channel, length] : lengths) {
        auto request = CFrameBuilder::MakeParamFrameBytes(kOpRead, 30, 0x10,
                                                          static_cast<std::uint8_t>(channel), 0);
        EXPECT_EQ(sim.OnStreamBytes(request->Bytes()).size(), length) << channel;
    }
    // A write outside the block is refused with EE BB.
    EXPECT_EQ(Feed(sim, "F5 35 06 B7 0A 07 01 00 BE"), FromHex("EE BB"));
}

TEST(SimUnit, ResynchronisesAfterGarbageAndBadChecksums) {
    CSimUnit sim;
    // Garbage, a frame with a bad checksum, then a good frame split over two deliveries.
    EXPECT_TRUE(Feed(sim, "00 13 F5 35 06 B7 00 00 03 00 AE 37").empty());
    EXPECT_TRUE(Feed(sim, "F5 35 06 B7 00").empty());
    EXPECT_EQ(Feed(sim, "00 04 00 B0"), FromHex("EE CC"));
    EXPECT_EQ(sim.Block(0)[0], 4);
    EXPECT_GE(sim.Counters().malformed, 2);
    EXPECT_EQ(sim.Counters().framesReceived, 1);
}

TEST(SimUnit, SystemCommandsChangeItsMemory) {
    SimOptions options;
    options.lockPassword = "2580";
    CSimUnit sim(options);
    EXPECT_EQ(sim.PanelLock(), 1);
    EXPECT_EQ(sim.Password(), "2580");
    Feed(sim, "F5 35 06 B7 1E 16 00 00 E0");  // panel lock off
    EXPECT_EQ(sim.PanelLock(), 0);
    Feed(sim, "F5 35 08 B7 1E 17 31 32 33 34 AB");  // password "1234"
    EXPECT_EQ(sim.Password(), "1234");

    // Save the current settings as mode 6 with a name, change them, recall mode 6.
    sim.Block(2)[4] = 99;
    Bytes save = {6};
    const std::string name = "Late show           ";
    save.insert(save.end(), name.begin(), name.end());
    sim.OnStreamBytes(CFrameBuilder::MakeBlockFrame(kOpWrite, 30, 0x12, save, 21)->Bytes());
    sim.Block(2)[4] = 1;
    EXPECT_EQ(Feed(sim, "F5 35 06 B7 1E 13 06 00 E3"), FromHex("EE CC"));
    EXPECT_EQ(sim.Block(2)[4], 99);
    EXPECT_EQ(sim.ModeIndex(), 6);
    EXPECT_EQ(
        std::string(sim.SystemBlock().begin() + 2 + 6 * 20, sim.SystemBlock().begin() + 2 + 7 * 20),
        name);

    // Equaliser reset of main output scene 0 flattens its first three bands.
    EXPECT_EQ(Feed(sim, "F5 35 06 B7 0B 03 01 00 BB"), FromHex("EE CC"));
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(sim.Block(3)[static_cast<std::size_t>(17 + 5 * k)], 120);
    }
    const std::string bt = "Hall A";
    Bytes field(20, ' ');
    std::copy(bt.begin(), bt.end(), field.begin());
    sim.OnStreamBytes(CFrameBuilder::MakeBlockFrame(kOpWrite, 30, 0x35, field, 20)->Bytes());
    EXPECT_TRUE(std::equal(field.begin(), field.end(), sim.BluetoothName().begin()));
}

TEST(SimUnit, UsbReadsAnswerOneChunkPerReport) {
    CSimUnit sim;
    const struct {
        int channel, start;
        std::size_t words;
    } cases[] = {{1, 0, 25}, {1, 75, 7}, {0, 25, 15}, {30, 75, 1}, {10, 0, 7}};
    for (const auto& c : cases) {
        auto request = CFrameBuilder::MakeParamFrameBytes(kOpRead, 30, 0x10,
                                                          static_cast<std::uint8_t>(c.channel),
                                                          static_cast<std::uint8_t>(c.start));
        std::array<std::uint8_t, 64> report{};
        std::copy(request->Bytes().begin(), request->Bytes().end(), report.begin());
        const auto answers = sim.OnUsbReport(report);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0][2], 2 * c.words + 4);
        EXPECT_EQ(answers[0][4], c.channel);
        EXPECT_EQ(answers[0][5], c.start);
    }
    std::array<std::uint8_t, 64> offPlan{};
    auto request = CFrameBuilder::MakeParamFrameBytes(kOpRead, 30, 0x10, 1, 10);
    std::copy(request->Bytes().begin(), request->Bytes().end(), offPlan.begin());
    EXPECT_TRUE(sim.OnUsbReport(offPlan).empty());
}
