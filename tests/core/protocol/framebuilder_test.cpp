#include "core/protocol/framebuilder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/hex.h"

namespace {
std::vector<std::uint8_t> FrameBytes(const CSendData& frame) {
    return {frame.Bytes().begin(), frame.Bytes().end()};
}
}  // namespace

struct ParamFrameCase {
    const char* what;
    std::uint8_t op, channel, param;
    std::int16_t value;
    const char* hex;
};

TEST(FrameBuilder, ParamFramesMatchTheWorkedExamples) {
    const ParamFrameCase cases[] = {
        {"system write 17 to parameter 48", kOpWrite, 0x1E, 0x30, 17, "F5 35 06 B7 1E 30 11 00 0B"},
        {"music key shift 2", kOpWrite, 0x00, 0x02, 2, "F5 35 06 B7 00 02 02 00 B0"},
        {"value -1 carries FF FF", kOpWrite, 0x01, 0x05, -1, "F5 35 06 B7 01 05 FF FF B0"},
        {"value 0x1234 little-endian", kOpWrite, 0x02, 0x03, 0x1234, "F5 35 06 B7 02 03 34 12 F7"},
        {"most negative value", kOpWrite, 0x00, 0x00, -32768, "F5 35 06 B7 00 00 00 80 2C"},
    };
    for (const ParamFrameCase& c : cases) {
        auto frame = CFrameBuilder::MakeParamFrame(c.op, c.channel, c.param, c.value);
        EXPECT_EQ(FrameBytes(*frame), FromHex(c.hex)) << c.what;
        EXPECT_EQ(frame->Length(), kParamFrameLength) << c.what;
        EXPECT_EQ(frame->m_nTicks, 0) << c.what;
        EXPECT_EQ(frame->m_bSendPending, 1) << c.what;
    }
}

TEST(FrameBuilder, RequestFramesCarryTwoSeparateBytes) {
    // Read request for block 0 from word 0: lo = channel 0, hi = start word 0.
    auto read0 = CFrameBuilder::MakeParamFrameBytes(kOpRead, 0x1E, 0x10, 0x00, 0x00);
    EXPECT_EQ(FrameBytes(*read0), FromHex("F5 35 06 B0 1E 10 00 00 D3"));
    auto read7 = CFrameBuilder::MakeParamFrameBytes(kOpRead, 0x1E, 0x10, 0x07, 0x19);
    EXPECT_EQ(FrameBytes(*read7), FromHex("F5 35 06 B0 1E 10 07 19 F3"));
    // The same frame as MakeParamFrame with value hi * 256 + lo.
    EXPECT_EQ(FrameBytes(*read7),
              FrameBytes(*CFrameBuilder::MakeParamFrame(kOpRead, 0x1E, 0x10, 0x1907)));
}

TEST(FrameBuilder, BlockFrames) {
    auto empty = CFrameBuilder::MakeBlockFrame(kOpWrite, 0x1E, 0x05, {}, 0);
    EXPECT_EQ(FrameBytes(*empty), FromHex("F5 35 04 B7 1E 05 CF"));

    const std::vector<std::uint8_t> words = FromHex("78 00 10 00 FF FF");
    auto block = CFrameBuilder::MakeBlockFrame(kOpWrite, 0x01, 0x11, words, 6);
    EXPECT_EQ(FrameBytes(*block), FromHex("F5 35 0A B7 01 11 78 00 10 00 FF FF 44"));

    // A mode name: the mode index byte and 20 name bytes make a 21-byte text payload.
    std::vector<std::uint8_t> name(21, 0x20);
    name[0] = 3;
    name[1] = 'K';
    auto text = CFrameBuilder::MakeBlockFrame(kOpWrite, 0x1E, 0x32, name, 21);
    ASSERT_EQ(text->Length(), 28);
    EXPECT_EQ(text->Bytes()[2], 0x19);
    unsigned sum = 0xF5 + 0xB7 + 0x1E + 0x32;
    for (std::uint8_t b : name) {
        sum += b;
    }
    EXPECT_EQ(text->Bytes()[27], static_cast<std::uint8_t>(sum));

    // n larger than the data given, or negative, never reads outside it.
    EXPECT_EQ(CFrameBuilder::MakeBlockFrame(kOpWrite, 0, 0, words, 99)->Length(), 13);
    EXPECT_EQ(CFrameBuilder::MakeBlockFrame(kOpWrite, 0, 0, words, -4)->Length(), 7);
}

TEST(FrameBuilder, ChecksumIgnoresBytesOneAndTwo) {
    std::vector<std::uint8_t> a = FromHex("F5 35 06 B7 1E 30 11 00");
    std::vector<std::uint8_t> b = a;
    b[1] = 0x00;
    b[2] = 0x7F;
    EXPECT_EQ(FrameChecksum(a), FrameChecksum(b));
    EXPECT_EQ(FrameChecksum(a), 0x0B);
    EXPECT_EQ(FrameChecksum({}), 0);
}

TEST(FrameBuilder, EachBuildOwnsItsBytes) {
    auto first = CFrameBuilder::MakeParamFrame(kOpWrite, 0, 1, 5);
    const auto before = FrameBytes(*first);
    auto second = CFrameBuilder::MakeParamFrame(kOpWrite, 2, 3, 9);
    EXPECT_EQ(FrameBytes(*first), before);
    EXPECT_NE(first->Data(), second->Data());
}
