#include "core/dsp/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

std::vector<int16_t> Stereo(double leftAmplitude, int bin, int16_t rightNoise) {
    std::vector<int16_t> s(kAnalysisSamples);
    for (int i = 0; i < kAnalysisFrames; ++i) {
        s[2 * i] = static_cast<int16_t>(std::lround(
            leftAmplitude * std::sin(2 * std::numbers::pi * bin * i / kAnalysisFrames)));
        s[2 * i + 1] = static_cast<int16_t>(i % 2 == 0 ? rightNoise : -rightNoise);
    }
    return s;
}

TEST(SpectrumAnalysis, SilenceGivesZeros) {
    SpectrumValues v{};
    v.fill(5);
    AnalyseBuffer(Stereo(0, 1, 12000), v);  // the right channel is not analysed
    for (double x : v)
        ASSERT_EQ(x, 0.0);
}

TEST(SpectrumAnalysis, FullScaleSineByTheIntegerFormula) {
    SpectrumValues v{};
    AnalyseBuffer(Stereo(32767, 200, 0), v);
    // |X| = 32767 * 4096; / 8192 = 16383.5 -> 16383; mod 16384 = 16383; div 2 = 8191.
    EXPECT_EQ(v[200], 8191.0);
    EXPECT_EQ(v[0], 0.0);
    for (int k = 1; k < kSpectrumValueCount; ++k) {
        if (k != 200) {
            ASSERT_LE(v[k], 1.0) << k;
        }
    }
    // A short buffer is padded with silence rather than read past its end.
    SpectrumValues shortResult{};
    const auto full = Stereo(16000, 64, 0);
    AnalyseBuffer(std::span<const int16_t>(full).first(100), shortResult);
    EXPECT_EQ(shortResult[0], 0.0);
}

TEST(SpectrumBars, HeightsFromTheBarTable) {
    std::vector<double> values(kSpectrumValueCount);
    for (int i = 0; i < kSpectrumValueCount; ++i)
        values[i] = i + 0.75;
    const BarHeights h = ComputeBarHeights(values, 32);
    EXPECT_EQ(h[0], 4);       // 20.1 Hz -> bin 4
    EXPECT_EQ(h[66], 192);    // 962 Hz -> bin 192
    EXPECT_EQ(h[67], 192);    // 1020 Hz -> bin 204: start of its group of 32
    EXPECT_EQ(h[71], 287);    // 1280 Hz -> bin 256, a multiple of 32: end of group 8
    EXPECT_EQ(h[116], 3648);  // 18300 Hz -> bin 3660 -> group 114
    // The last bars sum whole groups, each value truncated.
    EXPECT_EQ(h[117], 32 * 117 * 32 + 496);
    EXPECT_EQ(h[127], 32 * 127 * 32 + 496);
}

TEST(SpectrumAnalysis, GroupAveragesForTheTrace) {
    SpectrumValues v{};
    for (int k = 0; k < kSpectrumValueCount; ++k)
        v[k] = k;
    EXPECT_EQ(ValueGroupAverage(v, 0), 8);  // (1 + ... + 16) / 16 = 8.5 -> 8
    EXPECT_EQ(ValueGroupAverage(v, 10), 168);
    // The last group reaches past the values: 4081 ... 4095 and 4095 again, 65415 / 16.
    EXPECT_EQ(ValueGroupAverage(v, 255), 4088);
    EXPECT_EQ(ValueGroupAverage(v, 256), 0);
    EXPECT_EQ(ValueGroupAverage(v, -1), 0);
}

TEST(SpectrumBars, ShortOrEmptyValuesAreClamped) {
    const BarHeights none = ComputeBarHeights({}, 32);
    for (int x : none)
        EXPECT_EQ(x, 0);
    std::vector<double> few = {1, 2, 3};
    const BarHeights h = ComputeBarHeights(few, 0);
    EXPECT_EQ(h[0], 3);    // bin 4 clamped to the last value
    EXPECT_EQ(h[127], 3);  // one value per bar at least
}

}  // namespace
