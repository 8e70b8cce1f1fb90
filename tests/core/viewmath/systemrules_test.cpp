#include "core/viewmath/systemrules.h"

#include <gtest/gtest.h>

namespace {
TEST(ToneLimits, EachColumnKeepsTheCurrentValueBetweenTheLimits) {
    struct SCase {
        int column;
        int value;
        SToneRow expected;
    };
    const SToneRow start{150, 140, 100};
    const SCase cases[] = {
        {kToneColumnMaxGain, 130, {130, 130, 100}},  // pulls the current value down
        {kToneColumnMaxGain, 170, {170, 140, 100}},
        {kToneColumnCurrent, 175, {150, 150, 100}},  // above the max gain: the max gain
        {kToneColumnCurrent, 70, {150, 100, 100}},   // below the max cut: the max cut
        {kToneColumnCurrent, 120, {150, 120, 100}},
        {kToneColumnMaxCut, 145, {150, 145, 145}},  // pulls the current value up
        {kToneColumnMaxCut, 60, {150, 140, 60}},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(ApplyToneLimit(start, c.column, c.value), c.expected)
            << c.column << " " << c.value;
    }
}

TEST(IpAddressText, BlankIncompleteAndComplete) {
    for (const char* text : {"", "...", " . . . "})
        EXPECT_EQ(CheckIpAddressText(text), EIpEntry::Blank) << text;
    for (const char* text :
         {"192.168.1", "192.168..5", "192.168.1.256", "1.2.3.4.5", "a.b.c.d", "192.168.1.1000"})
        EXPECT_EQ(CheckIpAddressText(text), EIpEntry::Incomplete) << text;
    for (const char* text : {"192.168.1.20", "0.0.0.0", "255.255.255.255"})
        EXPECT_EQ(CheckIpAddressText(text), EIpEntry::Complete) << text;
}
}  // namespace
