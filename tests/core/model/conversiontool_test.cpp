#include "core/model/conversiontool.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>

#include "core/model/datadefine.h"
#include "tests/support/recordingnotify.h"

TEST(Scales, FrequencyGridIncludesEntriesOffTheFormula) {
    struct Case {
        int index;
        double hz;
    };
    // 81 (94) and 82 (95) and 212 (1170) deviate from 19.7 * 2^(k/36) rounded.
    const Case cases[] = {{0, 19.7},    {8, 23},      {57, 59},    {80, 91.9},
                          {81, 94},     {82, 95},     {204, 1000}, {212, 1170},
                          {324, 10100}, {359, 19800}, {360, 20200}};
    for (const Case& c : cases) {
        EXPECT_EQ(FreqAt(c.index), c.hz) << c.index;
    }
    for (int k = 1; k < kFreqCount; ++k) {
        EXPECT_LT(kFreqTable[k - 1], kFreqTable[k]) << k;
    }
}

TEST(Scales, OtherTablesAtTheirEdgesAndTheirOddEntries) {
    EXPECT_EQ(QAt(0), 0.4);
    EXPECT_EQ(QAt(16), 1.0);
    EXPECT_EQ(QAt(100), 128);
    EXPECT_EQ(SlopeAt(28), 2.0);
    for (int i = 0; i < kSlopeCount; ++i) {
        EXPECT_EQ(SlopeAt(i), QAt(i)) << i;
    }
    EXPECT_EQ(XoverQAt(6), 0.57);
    EXPECT_EQ(XoverQAt(7), 0.61);
    EXPECT_EQ(XoverQAt(8), 0.64);
    EXPECT_EQ(XoverQAt(12), 0.78);
    EXPECT_EQ(RatioAt(10), 2.0);
    EXPECT_EQ(RatioAt(11), 2.5);
    EXPECT_EQ(RatioAt(46), 20.0);
    EXPECT_EQ(EchoADelayAt(3), 49);
    EXPECT_EQ(EchoADelayAt(15), 196);
}

TEST(Scales, LookupsClampIntoTheTable) {
    EXPECT_EQ(FreqAt(-5), 19.7);
    EXPECT_EQ(FreqAt(361), 20200);
    EXPECT_EQ(FreqAt(32767), 20200);
    EXPECT_EQ(QAt(101), 128);
    EXPECT_EQ(EchoADelayAt(-1), 12);
    EXPECT_EQ(FormatTableInt(99, kEchoADelayTable, "ms"), "196ms");
}

TEST(Scales, DisplayFormats) {
    struct Case {
        std::string got;
        std::string want;
    };
    const Case cases[] = {
        {FormatOffsetReal(120, kGainOffsetDb, kGainStepDb, ""), "0.0"},
        {FormatOffsetReal(0, kGainOffsetDb, kGainStepDb, "dB"), "-24.0dB"},
        {FormatOffsetReal(180, kGainOffsetDb, kGainStepDb, "dB"), "12.0dB"},
        {FormatOffsetReal(105, kGainOffsetDb, kGainStepDb, "dB"), "-3.0dB"},
        {FormatOffset(0, kKeyShiftOffset, 1, ""), "-7"},
        {FormatOffset(7, kKeyShiftOffset, 1, ""), "0"},
        {FormatOffset(14, kKeyShiftOffset, 1, ""), "7"},
        {FormatScaled(30, 2, "%"), "60%"},
        {FormatScaledReal(125, 0.1, "ms"), "12.5ms"},
        {FormatScaledReal(20, 0.1, "s"), "2.0s"},
        {FormatScaled(40, 3, "ms"), "120ms"},
        {FormatTableReal(204, kFreqTable, "Hz"), "1000.0Hz"},
        {FormatTableReal(0, kFreqTable, "Hz"), "19.7Hz"},
        {FormatTableInt(4, kEchoADelayTable, "ms"), "61ms"},
        {FormatFixed(1.0, 2), "1.00"},
        {FormatFixed(-0.04, 1), "0.0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got, c.want);
    }
}

namespace {
// A decimal-comma numeric facet, so the test does not depend on which locales are installed.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};
}  // namespace

TEST(Scales, FormattingIgnoresTheProcessLocale) {
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    const std::locale savedCpp =
        std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    for (const char* name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            break;  // also switch the C library's locale where a decimal-comma one is installed
        }
    }
    const std::string freq = FormatTableReal(204, kFreqTable, "");
    const std::string delay = FormatScaledReal(5, 0.1, "ms");
    std::locale::global(savedCpp);
    std::setlocale(LC_ALL, savedC.c_str());
    EXPECT_EQ(freq, "1000.0");
    EXPECT_EQ(delay, "0.5ms");
}

TEST(Scales, NearestIndexTiesGoUp) {
    struct Case {
        double hz;
        int index;
    };
    const Case cases[] = {{19.0, 0},    {19.7, 0},   {19.95, 1},    {25000, 360},
                          {20200, 360}, {1010, 205}, {1009.9, 204}, {1000, 204},
                          {93.0, 81},   {92.95, 81}, {92.9, 80},    {-3, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(NearestFrequencyIndex(c.hz), c.index) << c.hz;
    }
    EXPECT_EQ(NearestTableIndex(kQTable, 1.03), 17);  // tie between 1.0 and 1.06
    EXPECT_EQ(NearestTableIndex(kQTable, 1.02), 16);
}

TEST(Scales, RatioToIndex) {
    CRecordingNotify notify;
    EXPECT_EQ(RatioToIndex(1.0), 0);
    EXPECT_EQ(RatioToIndex(2.25), 11);  // tie between 2.0 and 2.5
    EXPECT_EQ(RatioToIndex(20.0), 46);
    EXPECT_TRUE(notify.m_messages.empty());
    EXPECT_EQ(RatioToIndex(20.5), -1);
    ASSERT_EQ(notify.m_messages.size(), 1u);
    EXPECT_EQ(notify.m_messages[0], "错误的Ratio值");
}

TEST(Scales, CurveCoordinates) {
    const int width = 600;  // 200 pixels a decade
    EXPECT_DOUBLE_EQ(FreqToX(20, width), 0);
    EXPECT_DOUBLE_EQ(FreqToX(200, width), 200);
    EXPECT_DOUBLE_EQ(FreqToX(20000, width), 600);
    EXPECT_DOUBLE_EQ(FreqToX(2000, 601), 400);  // width / 3 is an integer division
    EXPECT_DOUBLE_EQ(XToFreq(200, width), 200);
    for (int x : {-1000, -1, 0, 300, 600, 601, 5000}) {
        const double hz = XToFreq(x, width);
        EXPECT_GE(hz, 20.0) << x;
        EXPECT_LE(hz, 20000.0) << x;
    }
    EXPECT_DOUBLE_EQ(GainToY(12, 360), 0);
    EXPECT_DOUBLE_EQ(GainToY(0, 360), 120);
    EXPECT_DOUBLE_EQ(GainToY(-24, 360), 360);
    EXPECT_DOUBLE_EQ(YToGain(120, 360), 0);
    EXPECT_DOUBLE_EQ(YToGain(360, 360), -24);
    // A window too small to draw in never divides by zero.
    EXPECT_EQ(FreqToX(1000, 2), 0);
    EXPECT_EQ(XToFreq(10, 2), 20);
    EXPECT_EQ(YToGain(10, 0), 12);
}
