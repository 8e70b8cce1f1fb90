// Read-back: decoding replies into the image and applying it to the records.
#include "core/protocol/readback.h"

#include <gtest/gtest.h>

#include "core/model/audiodata.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/linkstate.h"
#include "tests/support/enginefakes.h"

namespace {
std::vector<std::int16_t> BlockOf(const CAudioData& model, int channel) {
    const auto words = model.Image().Words(channel);
    return {words.begin(), words.end()};
}
}  // namespace

TEST(ReadBack, RepliesChangeOnlyTheirBlock) {
    CAudioData model;
    std::vector<std::vector<std::int16_t>> before;
    for (int ch = 0; ch < 11; ++ch) {
        before.push_back(BlockOf(model, ch));
    }
    DecodeReply(model, 7, DataReply(71, 7, 500));
    for (int ch = 0; ch < 11; ++ch) {
        if (ch != 7) {
            EXPECT_EQ(BlockOf(model, ch), before[static_cast<std::size_t>(ch)]) << ch;
        }
    }
    EXPECT_EQ(model.Image().Word(7, 0), 500);
    EXPECT_EQ(model.Image().Word(7, 31), 531);

    // Channels without a block change nothing.
    for (std::uint8_t ch : {11, 12, 13, 31, 255}) {
        DecodeReply(model, ch, DataReply(71, ch, 900));
    }
    EXPECT_EQ(BlockOf(model, 8), before[8]);
}

TEST(ReadBack, DecodedWordsAreBoundedByPayloadBlockAndFrame) {
    struct Case {
        const char* what;
        int total;
        int countByte;   // frame byte 2
        int expectLast;  // highest word index written, -1 none
    };
    const Case cases[] = {
        {"whole music block", 87, 84, 39},
        {"count shorter than the block", 87, 24, 9},
        {"count longer than the frame", 27, 84, 9},
        {"count below the header", 87, 3, -1},
        {"frame longer than the block", 171, 168, 39},
        // Odd byte counts: the half word is not decoded, and the checksum never is.
        {"count one byte over a word", 87, 25, 9},
        {"frame one byte over a word", 28, 84, 9},
    };
    for (const Case& c : cases) {
        CAudioData model;
        Bytes frame = DataReply(c.total, 0, 1);
        frame[2] = static_cast<std::uint8_t>(c.countByte);
        frame.back() = 0x5A;  // a checksum that would show if it were taken as a word
        DecodeReply(model, 0, frame);
        for (int w = 0; w < 40; ++w) {
            EXPECT_EQ(model.Image().Word(0, w), w <= c.expectLast ? w + 1 : 0)
                << c.what << " word " << w;
        }
    }
}

TEST(ReadBack, MicrophoneKeepsItsPcSideWordAndSystemBlockIsCopied) {
    CAudioData model;
    model.Image().SetPcWord(1, kPcHighPassStep, 3);
    DecodeReply(model, 1, DataReply(171, 1, 7));
    EXPECT_EQ(model.Image().PcWord(1, kPcHighPassStep), 3);
    EXPECT_EQ(model.Image().Word(1, 81), 88);

    Bytes system = DataReply(159, 30, 0);
    const std::string name = "Karaoke room 2      ";
    std::copy(name.begin(), name.end(), system.begin() + 6 + 2 + 20);
    const std::string pin = "4096";
    std::copy(pin.begin(), pin.end(), system.begin() + 6 + 148);
    DecodeReply(model, 30, system);
    const auto mode1 = model.Image().ModeName(1);
    EXPECT_EQ(std::string(mode1.begin(), mode1.end()), name);
    const auto password = model.Image().Password();
    EXPECT_EQ(std::string(password.begin(), password.end()), pin);
}

TEST(ReadBack, ApplyReadBackLoadsRecordsAndLeavesNothingPending) {
    struct Case {
        std::int16_t outAuto, outScene, panelLock;
        int expectScene;
        bool expectLocked;
    };
    const Case cases[] = {{1, 1, 0, 0, false}, {0, 1, 1, 1, true}, {0, 0, 0, 0, false}};
    for (const Case& c : cases) {
        CAudioData model;
        model.SetAllChanged(1);
        model.ToneLimits().SetAllChanged(1);
        model.Image().SetWord(0, 0, 6);
        model.Image().SetWord(9, 4, 77);
        model.Image().SetWord(1, 2, c.outAuto);
        model.Image().SetWord(1, 3, c.outScene);
        model.Image().SetSystemWord(73, c.panelLock);
        const ReadBackResult result = ApplyReadBack(model);
        EXPECT_EQ(result.outScene, c.expectScene);
        EXPECT_EQ(result.panelLocked, c.expectLocked);
        EXPECT_EQ(model.Music().GetInput(), 6);
        EXPECT_EQ(model.ToneLimits().Get(4), 77);
        EXPECT_EQ(NextPendingFrame(model), nullptr);
    }
}

TEST(ReadBack, VolumesAndKeyReports) {
    CAudioData model;
    CLinkState state;
    state.uploadConfirm = 1;
    model.Volume().SetMicVol(5);
    model.Image().SetWord(10, 0, 44);
    ApplyVolumes(model, state);
    EXPECT_EQ(state.uploadConfirm, 0);
    EXPECT_EQ(model.Volume().GetMicVol(), 44);
    EXPECT_EQ(NextPendingFrame(model), nullptr);

    model.Image().SetWord(0, 2, 9);
    ApplyReadBack(model);
    EXPECT_FALSE(ApplyKeyReport(model, 9)) << "the value already shown";
    EXPECT_TRUE(ApplyKeyReport(model, 11));
    EXPECT_EQ(model.Music().GetKeyShift(), 11);
    EXPECT_EQ(NextPendingFrame(model), nullptr) << "a report is not sent back";
    EXPECT_FALSE(ApplyKeyReport(model, 11));
}
