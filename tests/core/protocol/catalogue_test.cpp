// The command catalogue: worked frames, the change-driven sender's order, uploads.
#include "core/protocol/catalogue.h"

#include <gtest/gtest.h>

#include "core/model/audiodata.h"
#include "tests/support/enginefakes.h"

namespace {
std::string Hex(const std::unique_ptr<CSendData>& frame) {
    return frame ? ToHex(frame->Bytes()) : "null";
}

// Drains the sender; each frame written as "channel:param".
std::string DrainOrder(CAudioData& model) {
    std::string order;
    while (auto frame = NextPendingFrame(model)) {
        if (!order.empty()) {
            order += ' ';
        }
        order.append(std::to_string(frame->Bytes()[4]))
            .append(":")
            .append(std::to_string(frame->Bytes()[5]));
    }
    return order;
}

// "c:a-b" expands to c:a c:a+1 ... c:b.
std::string Expand(const std::string& golden) {
    std::istringstream in(golden);
    std::string item;
    std::string out;
    while (in >> item) {
        const auto colon = item.find(':');
        const auto dash = item.find('-', colon);
        const int first = std::stoi(item.substr(colon + 1));
        const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
        for (int p = first; p <= last; ++p) {
            if (!out.empty()) {
                out += ' ';
            }
            out.append(item, 0, colon + 1).append(std::to_string(p));
        }
    }
    return out;
}
}  // namespace

TEST(Catalogue, WorkedFrames) {
    CAudioData model;
    model.Music().SetInput(3);
    EXPECT_EQ(Hex(NextPendingFrame(model)), "F5 35 06 B7 00 00 03 00 AF");
    model.Echo().SetRevbTime1(30);
    EXPECT_EQ(Hex(NextPendingFrame(model)), "F5 35 06 B7 02 0C 1E 00 D8");
    EXPECT_EQ(Hex(MakeReadRequest(13)), "F5 35 06 B0 1E 10 0D 00 E0");
    EXPECT_EQ(Hex(MakeReadRequestAt(1, 75)), "F5 35 06 B0 1E 10 01 4B 1F");
    EXPECT_EQ(Hex(MakeSelectMode(2)), "F5 35 06 B7 1E 13 02 00 DF");
    EXPECT_EQ(Hex(MakeEqReset(3)), "F5 35 06 B7 0B 03 01 00 BB");
    EXPECT_EQ(Hex(MakeConnectProbe()), "F5 35 06 B7 1E 30 11 00 0B");
    EXPECT_EQ(Hex(NextPendingFrame(model)), "null");
}

TEST(Catalogue, SenderOrderAndCoalescing) {
    CAudioData model;
    for (int v = 1; v <= 10; ++v) {
        model.Music().SetKeyShift(static_cast<std::int16_t>(v));
    }
    EXPECT_EQ(Hex(NextPendingFrame(model)), "F5 35 06 B7 00 02 0A 00 B8");
    EXPECT_EQ(NextPendingFrame(model), nullptr);

    model.Mic().GetEQ().GetAt(3).SetGain(100);
    model.Music().SetInput(2);
    EXPECT_EQ(DrainOrder(model), "0:0 1:22");

    model.Sub(0).SetEchoALevel(5);  // word 8
    model.Sub(0).SetDelay(7);       // word 4
    EXPECT_EQ(DrainOrder(model), "7:8 7:4");

    model.MainOut(1).GetHighPass()->SetXoverFreq(40);
    ASSERT_EQ(model.Image().Word(4, 14), 40);
    EXPECT_EQ(Hex(NextPendingFrame(model)), "F5 35 06 B7 04 0E 28 00 E6");
}

TEST(Catalogue, EveryFlagSetLeavesInOneGoldenOrder) {
    CAudioData model;
    model.SetAllChanged(1);
    model.ToneLimits().SetAllChanged(1);
    model.System().SetSaveMode(2);
    model.System().SetPanelLock(1);
    model.System().SetPassword(4321);
    const std::string golden =
        "0:0 0:2-4 0:5-39 "
        "1:0-4 1:6 1:7-81 "
        "2:0-8 2:11-17 2:19 2:20-34 "
        "3:0-16 3:17-31 4:0-16 4:17-31 "
        "5:0-13 5:16 5:17-31 6:0-13 6:16 6:17-31 "
        "7:0-3 7:8-13 7:4-7 7:16 7:17-31 8:0-3 8:8-13 8:4-7 8:16 8:17-31 "
        "9:0-17 10:0-5 30:18 30:22 30:23";
    EXPECT_EQ(DrainOrder(model), Expand(golden));
}

TEST(Catalogue, SystemFramesCarryImageBytes) {
    CAudioData model;
    auto name = model.Image().ModeName(4);
    const std::string text = "Party night         ";
    std::copy(text.begin(), text.end(), name.begin());
    model.System().SetSelectedMode(4);
    model.System().SetSaveMode(4);
    auto save = NextPendingFrame(model);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->Length(), 28);
    EXPECT_EQ(ToHex(save->Bytes().first(7)), "F5 35 19 B7 1E 12 04");
    EXPECT_EQ(std::string(save->Bytes().begin() + 7, save->Bytes().begin() + 27), text);

    const std::string pin = "9071";
    std::copy(pin.begin(), pin.end(), model.Image().Password().begin());
    model.System().SetPassword(9071);
    model.System().SetPassword(9071);
    EXPECT_EQ(Hex(NextPendingFrame(model)), "F5 35 08 B7 1E 17 39 30 37 31 B2");
    EXPECT_EQ(NextPendingFrame(model), nullptr);

    EXPECT_EQ(Hex(MakeBluetoothName("Hi")),
              "F5 35 18 B7 1E 35 48 69 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 20 "
              "F0");
    auto longName = MakeBluetoothName("ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(std::string(longName->Bytes().begin() + 6, longName->Bytes().end() - 1),
              "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(MakeBluetoothName(""), nullptr);
}

TEST(Catalogue, UploadsCutBlocksAndChunksFromTheImage) {
    CAudioData model;
    auto mic = model.Image().Words(1);
    for (std::size_t i = 0; i < mic.size(); ++i) {
        mic[i] = static_cast<std::int16_t>(i * 3 - 20);
    }
    model.Image().SetPcWord(1, kPcHighPassStep, 77);
    auto whole = MakeBlockUpload(model, 1);
    ASSERT_EQ(whole->Length(), 171);
    EXPECT_EQ(ToHex(whole->Bytes().first(8)), "F5 35 A8 B7 01 00 EC FF");

    const std::pair<int, int> chunks[] = {{0, 50}, {25, 50}, {50, 50}, {75, 14}};
    for (const auto& [start, bytes] : chunks) {
        auto chunk = MakeChunkUpload(model, 1, static_cast<std::uint8_t>(start));
        ASSERT_NE(chunk, nullptr);
        EXPECT_EQ(chunk->Length(), bytes + 7) << start;
        EXPECT_EQ(chunk->Bytes()[5], start);
        const auto payload = chunk->Bytes().subspan(6, static_cast<std::size_t>(bytes));
        EXPECT_TRUE(
            std::equal(payload.begin(), payload.end(), whole->Bytes().begin() + 6 + 2 * start))
            << start;
    }
    EXPECT_EQ(MakeChunkUpload(model, 1, 10), nullptr);
    EXPECT_EQ(MakeChunkUpload(model, 11, 0), nullptr);
    EXPECT_EQ(MakeBlockUpload(model, 11), nullptr);
    EXPECT_EQ(MakeBlockUpload(model, 30), nullptr);

    // The volume block takes words 0-2 from the volume record first.
    model.Volume().SetMusicVol(33);
    model.Image().SetWord(10, 1, 0);
    auto volume = MakeBlockUpload(model, 10);
    EXPECT_EQ(ToHex(volume->Bytes().first(14)), "F5 35 12 B7 0A 00 0A 00 21 00 1E 00 00 00");
}

TEST(Catalogue, SequencesQueueTheirFramesInOrder) {
    EngineRig rig;
    ReadAllSequence(rig.engine, false, 3);
    std::vector<std::string> frames;
    while (rig.engine.GetCount() > 0) {
        frames.push_back(ToHex(rig.engine.GetHead()->Bytes().subspan(3, 5)));
        rig.engine.PopHead();
    }
    ASSERT_EQ(frames.size(), 13u);
    EXPECT_EQ(frames.front(), "B7 1E 13 02 00");
    EXPECT_EQ(frames[1], "B0 1E 10 00 00");
    EXPECT_EQ(frames[11], "B0 1E 10 0A 00");
    EXPECT_EQ(frames.back(), "B0 1E 10 1E 00");

    ReadAllSequence(rig.engine, true);
    EXPECT_EQ(rig.engine.GetCount(), 26);

    CAudioData model;
    model.Music().SetInput(4);
    model.ToneLimits().Set(0, 99);
    UploadAllSequence(model, rig.engine, rig.state, true);
    EXPECT_EQ(rig.state.uploadConfirm, 1);
    EXPECT_EQ(NextPendingFrame(model), nullptr);
    EXPECT_EQ(model.Image().Word(0, 0), 4);
    EXPECT_EQ(rig.engine.GetCount(), 26 + 22 + 1);
}

namespace {
// Drains the engine's queue; a read request is written "r<channel>@<first word>", an upload
// "u<channel>@<first word>/<payload bytes>".
std::string DrainSequence(CCommand& engine) {
    std::ostringstream out;
    while (engine.GetCount() > 0) {
        const auto b = engine.GetHead()->Bytes();
        if (out.tellp() > 0) {
            out << ' ';
        }
        if (b[3] == 0xB0) {
            out << 'r' << int{b[6]} << '@' << int{b[7]};
        } else {
            out << 'u' << int{b[4]} << '@' << int{b[5]} << '/' << b.size() - 7;
        }
        engine.PopHead();
    }
    return out.str();
}
}  // namespace

TEST(Catalogue, WholeStateSequencesFollowTheChunkPlan) {
    struct Case {
        const char* what;
        bool upload;
        bool chunked;
        const char* golden;
    };
    // Block words 40, 82, 35, 42, 42, 32 x 4, 18, 7 and 76 system words; a USB chunk is at
    // most 25 words, so the last chunks hold 15, 7, 10, 17, 17, 7 x 4, 18, 7 and 1 words.
    const Case cases[] = {
        {"read, whole blocks", false, false,
         "r0@0 r1@0 r2@0 r3@0 r4@0 r5@0 r6@0 r7@0 r8@0 r9@0 r10@0 r30@0"},
        {"read, USB chunks", false, true,
         "r0@0 r0@25 r1@0 r1@25 r1@50 r1@75 r2@0 r2@25 r3@0 r3@25 r4@0 r4@25 r5@0 r5@25 "
         "r6@0 r6@25 r7@0 r7@25 r8@0 r8@25 r9@0 r10@0 r30@0 r30@25 r30@50 r30@75"},
        {"upload, whole blocks", true, false,
         "u0@0/80 u1@0/164 u2@0/70 u3@0/84 u4@0/84 u5@0/64 u6@0/64 u7@0/64 u8@0/64 u9@0/36 "
         "u10@0/14 r10@0"},
        {"upload, USB chunks", true, true,
         "u0@0/50 u0@25/30 u1@0/50 u1@25/50 u1@50/50 u1@75/14 u2@0/50 u2@25/20 u3@0/50 "
         "u3@25/34 u4@0/50 u4@25/34 u5@0/50 u5@25/14 u6@0/50 u6@25/14 u7@0/50 u7@25/14 "
         "u8@0/50 u8@25/14 u9@0/36 u10@0/14 r10@0"},
    };
    for (const Case& c : cases) {
        EngineRig rig;
        CAudioData model;
        if (c.upload) {
            UploadAllSequence(model, rig.engine, rig.state, c.chunked);
        } else {
            ReadAllSequence(rig.engine, c.chunked);
        }
        EXPECT_EQ(DrainSequence(rig.engine), c.golden) << c.what;
    }
}
