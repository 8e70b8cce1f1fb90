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

}  // namespace
