// The simulated unit's protocol core on its own.
#include "simunit.h"

#include <gtest/gtest.h>

#include "core/model/audiodata.h"
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
    const auto refused = sim.OnUsbReport(offPlan);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(Bytes(refused[0].begin(), refused[0].begin() + 2), FromHex("EE BB"));
}

// What a unit would not understand is answered EE BB and reported with the reason; what it
// understands is not.
TEST(SimUnit, RejectsWhatAUnitWouldNotUnderstand) {
    auto param = [](std::uint8_t op, std::uint8_t ch, std::uint8_t p, std::uint8_t lo,
                    std::uint8_t hi) {
        const auto frame = CFrameBuilder::MakeParamFrameBytes(op, ch, p, lo, hi);
        return Bytes(frame->Bytes().begin(), frame->Bytes().end());
    };
    const struct {
        const char* what;
        Bytes frame;
        const char* why;  // nullptr: accepted
    } cases[] = {
        {"read of channel 11", param(kOpRead, 30, 0x10, 11, 0), "channel 11 has no block to read"},
        {"read of channel 31", param(kOpRead, 30, 0x10, 31, 0), "channel 31 has no block to read"},
        {"read off the chunk plan", param(kOpRead, 30, 0x10, 1, 10),
         "no chunk of channel 1 starts at word 10"},
        {"read past the block", param(kOpRead, 30, 0x10, 0, 50),
         "no chunk of channel 0 starts at word 50"},
        {"read of a block word", param(kOpRead, 0, 2, 0, 0), "the one read is the read request"},
        {"probe with 18", param(kOpWrite, 30, 0x30, 18, 0), "a connection probe carries 17"},
        {"write past the volume block", param(kOpWrite, 10, 7, 1, 0),
         "words 7 to 7 are not all in channel 10's block of 7 words"},
        {"write to channel 12", param(kOpWrite, 12, 0, 1, 0), "channel 12 has no block to write"},
        {"mode index 7", param(kOpWrite, 30, 0x13, 7, 0), "a mode index is 0 to 6"},
        {"reset of the tone limits", param(kOpWrite, 11, 9, 1, 0),
         "an equaliser reset names a channel with bands"},
        {"system command 0x20", param(kOpWrite, 30, 0x20, 0, 0), "no system command 32"},
        {"operation 0xB5", param(0xB5, 0, 0, 0, 0), "no command has operation byte 181"},
        {"the handshake", param(kOpWrite, 30, 0x30, 17, 0), nullptr},
        {"mode index 6", param(kOpWrite, 30, 0x13, 6, 0), nullptr},
        {"reset of the sub, scene 1", param(kOpWrite, 11, 8, 1, 0), nullptr},
        {"chunk read at word 25", param(kOpRead, 30, 0x10, 0, 25), nullptr},
    };
    for (const auto& c : cases) {
        CSimUnit sim;
        std::vector<std::string> reasons;
        sim.SetLogger([&](CSimUnit::Event event, std::span<const uint8_t>, std::string_view why) {
            if (event == CSimUnit::Event::kRejected)
                reasons.emplace_back(why);
        });
        const Bytes answer = sim.OnStreamBytes(c.frame);
        if (c.why == nullptr) {
            EXPECT_NE(answer, FromHex("EE BB")) << c.what;
            EXPECT_EQ(sim.Counters().rejected, 0) << c.what;
            EXPECT_TRUE(reasons.empty()) << c.what;
            continue;
        }
        EXPECT_EQ(answer, FromHex("EE BB")) << c.what;
        EXPECT_EQ(sim.Counters().rejected, 1) << c.what;
        ASSERT_EQ(reasons.size(), 1u) << c.what;
        EXPECT_NE(reasons[0].find(c.why), std::string::npos) << c.what << ": " << reasons[0];
    }
}

// Over the stream a read from word 0 answers the whole block and a read from a later chunk
// start answers that chunk only, so a program that chunks where it must not waits visibly.
TEST(SimUnit, StreamReadsFromALaterWordAnswerAChunk) {
    CSimUnit sim;
    const struct {
        int channel, start;
        std::size_t words;
    } cases[] = {{1, 0, 82}, {1, 25, 25}, {1, 75, 7}, {0, 25, 15}, {30, 50, 25}, {30, 75, 1}};
    for (const auto& c : cases) {
        auto request = CFrameBuilder::MakeParamFrameBytes(kOpRead, 30, 0x10,
                                                          static_cast<std::uint8_t>(c.channel),
                                                          static_cast<std::uint8_t>(c.start));
        const Bytes reply = sim.OnStreamBytes(request->Bytes());
        ASSERT_EQ(reply.size(), 2 * c.words + 7) << c.channel << "@" << c.start;
        EXPECT_EQ(reply[5], c.start);
        const auto block = c.channel == 30 ? std::span<const std::int16_t>{} : sim.Block(c.channel);
        if (!block.empty()) {
            EXPECT_EQ(static_cast<std::int16_t>(reply[6] | reply[7] << 8),
                      block[static_cast<std::size_t>(c.start)]);
        }
    }
}

// The unit's equaliser reset leaves exactly the words the editor's reset leaves: every
// parametric band as ResetBandWords gives it, crossovers and the other words untouched.
TEST(SimUnit, EqResetAgreesWithTheEditorsReset) {
    for (int ch = 0; ch <= 8; ++ch) {
        SCOPED_TRACE(ch);
        CSimUnit sim;
        auto block = sim.Block(ch);
        for (std::size_t w = 0; w < block.size(); ++w)
            block[w] = static_cast<std::int16_t>(40 + 3 * w);  // no band at its reset words
        CAudioData model;
        std::copy(block.begin(), block.end(), model.Image().Words(ch).begin());
        model.LoadAllFromImage(model.Image());
        CEqRecord& record = *model.EqRecordOfChannel(ch);
        record.SetEqBypass(0);
        ASSERT_TRUE(record.ResetEq());
        record.StoreToImage(model.Image());
        model.Image().Words(
            ch)[static_cast<std::size_t>(record.FieldWord(record.FieldOf(kFieldEqBypass)))] =
            block[static_cast<std::size_t>(record.FieldWord(record.FieldOf(kFieldEqBypass)))];

        auto reset = CFrameBuilder::MakeParamFrame(kOpWrite, 11, static_cast<std::uint8_t>(ch), 1);
        ASSERT_EQ(sim.OnStreamBytes(reset->Bytes()), FromHex("EE CC"));
        const auto expected = model.Image().Words(ch);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), expected.begin(), expected.end()));
        const int base = record.GetEQ().GetAt(0).BandWordBase();
        EXPECT_EQ(block[static_cast<std::size_t>(base)], 120);
        EXPECT_EQ(block[static_cast<std::size_t>(base + 2)], 16);
    }
}
