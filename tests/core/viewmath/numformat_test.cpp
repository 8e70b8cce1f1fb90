#include "core/viewmath/numformat.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/model/datadefine.h"

namespace {

SNumFormat GainFormat() {
    SNumFormat f;
    f.m_nDisplayType = kNumDisplayOffset;
    f.m_dStep = 0.2;
    f.m_dOffset = 24;
    f.m_strSuffix = "dB";
    return f;
}

SNumFormat TableFormat(int mode, std::vector<double> table) {
    SNumFormat f;
    f.m_nDisplayType = kNumDisplayTable;
    f.m_nMode = mode;
    f.m_table = std::move(table);
    return f;
}

SNumFormat LinearFormat(double step, int mode, const char* suffix) {
    SNumFormat f;
    f.m_nDisplayType = kNumDisplayLinear;
    f.m_dStep = step;
    f.m_nMode = mode;
    f.m_strSuffix = suffix;
    return f;
}

const std::vector<double> kFreq(kFreqTable.begin(), kFreqTable.end());
const std::vector<double> kQ(kQTable.begin(), kQTable.end());

int FreqIndexOf(double hz) {
    for (std::size_t i = 0; i < kFreq.size(); ++i) {
        if (kFreq[i] == hz) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(NumFormat, DisplayTextOfEachType) {
    SNumFormat prefixed = TableFormat(kNumTableIntPrefix, {0, 12.4, 24});
    prefixed.m_strPrefix = "+";
    SNumFormat off = TableFormat(kNumTableOneDecimal, {0, 0.5, 1.0});
    off.m_bOffText = true;
    const struct {
        const char* name;
        SNumFormat format;
        int index;
        const char* text;
    } cases[] = {
        {"gain bottom", GainFormat(), 0, "-24.0dB"},
        {"gain top", GainFormat(), 180, "12.0dB"},
        {"gain -3 dB", GainFormat(), 105, "-3.0dB"},
        {"gain 0 dB has no minus sign", GainFormat(), 120, "0.0dB"},
        {"linear integer", LinearFormat(2, 0, "%"), 25, "50%"},
        {"linear integer truncates the step", LinearFormat(2.7, 0, "ms"), 3, "6ms"},
        {"linear one decimal", LinearFormat(0.5, 1, "s"), 3, "1.5s"},
        {"table with prefix, no decimals", prefixed, 1, "+12"},
        {"table one decimal", TableFormat(kNumTableOneDecimal, kFreq), 142, "303.0"},
        {"table OFF at index 0", off, 0, "OFF"},
        {"table OFF flag leaves other indexes", off, 1, "0.5"},
        {"Q table two decimals", TableFormat(kNumTableTwoDecimals, kQ), 16, "1.00"},
        {"other table mode: no decimals", TableFormat(7, kFreq), 0, "20"},
        {"table index beyond the table shows its last entry", TableFormat(1, {1, 2}), 9, "2.0"},
        {"no display type", SNumFormat{}, 5, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FormatNumber(c.format, c.index), c.text);
    }
}

TEST(NumFormat, ReadsTheLeadingNumberLikeTheCLibraryInAnyLocale) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"3.2", 3.2}, {"  -3.5xyz", -3.5}, {"+6dB", 6},   {"1e1", 10},
                 {"", 0},      {"abc", 0},          {".", 0},      {"-", 0},
                 {"nan", 0},   {"12,5", 12},        {"0.25", 0.25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(ReadLeadingNumber(c.text), c.value);
    }
    EXPECT_EQ(ReadLeadingInteger("3.9"), 3);
    EXPECT_EQ(ReadLeadingInteger("-3.9"), -3);
    EXPECT_EQ(ReadLeadingInteger("99999999999"), 2147483647);
}

struct SConvertCase {
    const char* name;
    SNumFormat format;
    int min;
    int max;
    const char* text;
    int index;
};

TEST(NumFormat, TypedTextGoesToTheNearestIndexWithinRange) {
    const SConvertCase cases[] = {
        {"gain 3.2", GainFormat(), 0, 180, "3.2", 136},
        {"gain 50 is limited to the top", GainFormat(), 0, 180, "50", 180},
        {"gain -99 is limited to the bottom", GainFormat(), 0, 180, "-99", 0},
        {"gain with its unit typed", GainFormat(), 0, 180, " -3dB", 105},
        {"gain empty text reads as 0 dB", GainFormat(), 0, 180, "", 120},
        {"tone limit range", GainFormat(), 60, 120, "5", 120},
        {"frequency tie goes to the higher entry", TableFormat(1, kFreq), 0, 360, "1010",
         FreqIndexOf(1020)},
        {"frequency below the scale", TableFormat(1, kFreq), 0, 360, "5", 0},
        {"frequency above the scale", TableFormat(1, kFreq), 0, 360, "99999", 360},
        {"frequency exact", TableFormat(1, kFreq), 0, 360, "1000", FreqIndexOf(1000)},
        {"frequency in a partial range", TableFormat(1, kFreq), 297, 360, "100", 297},
        {"Q nearest", TableFormat(2, kQ), 0, 100, "1.02", 16},
        {"linear integer truncates", LinearFormat(2, 0, "%"), 0, 100, "51", 25},
        {"linear integer reads digits only", LinearFormat(2, 0, "%"), 0, 100, "3.9", 1},
        {"linear integer below range", LinearFormat(2, 0, "%"), 10, 100, "-7", 10},
        {"linear decimal rounds down", LinearFormat(0.5, 1, "s"), 0, 20, "1.2", 2},
        {"linear decimal tie rounds up", LinearFormat(0.5, 1, "s"), 0, 20, "1.25", 3},
        {"zero step keeps the minimum", LinearFormat(0, 1, "s"), 4, 20, "9", 4},
        {"zero integer step keeps the minimum", LinearFormat(0.5, 0, ""), 4, 20, "9", 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto index = ConvertTypedText(c.format, c.min, c.max, c.text);
        ASSERT_TRUE(index.has_value());
        EXPECT_EQ(*index, c.index);
    }
}

TEST(NumFormat, NothingToConvertGivesNoIndex) {
    EXPECT_FALSE(ConvertTypedText(SNumFormat{}, 0, 10, "5"));
    EXPECT_FALSE(ConvertTypedText(TableFormat(1, {}), 0, 10, "5"));
    EXPECT_FALSE(ConvertTypedText(GainFormat(), 10, 0, "5"));
    // The table ends before the range's minimum.
    EXPECT_FALSE(ConvertTypedText(TableFormat(1, {1, 2, 3}), 5, 9, "2"));
}

}  // namespace
