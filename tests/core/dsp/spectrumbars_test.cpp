#include "core/dsp/spectrumbars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/dsp/spectrum.h"
#include "tests/support/nearestbar.h"

namespace {

// A sine of `hz` on the left channel, analysed as the capture analyses a buffer.
BarHeights BarsOfTone(double hz, double amplitude = 16000) {
    std::vector<int16_t> s(kAnalysisSamples);
    for (int i = 0; i < kAnalysisFrames; ++i) {
        s[2 * i] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * i / 44100.0)));
    }
    SpectrumValues values{};
    AnalyseBuffer(s, values);
    return ComputeBarHeights(values);
}

int BarIndexOf(double hz) {
    int bar = 0;
    while (bar + 1 < kSpectrumBarCount && BarFrequencyRange(bar).hiHz <= hz)
        ++bar;
    return bar;
}

int Tallest(const BarHeights& bars) {
    return static_cast<int>(std::max_element(bars.begin(), bars.end()) - bars.begin());
}

TEST(SpectrumBars, ATonePeaksInTheBarLabelledNearestToIt) {
    // 1 kHz used to peak in the bar labelled 908 Hz and 10 kHz far from 10300 Hz.
    struct Case {
        double hz;
        int bar;
    };
    for (const Case c : {Case{50, 16}, Case{1000, 67}, Case{10000, 106}}) {
        ASSERT_EQ(NearestLabelledBar(c.hz), c.bar);
        const BarHeights bars = BarsOfTone(c.hz);
        EXPECT_EQ(Tallest(bars), c.bar) << c.hz << " Hz";
        // The neighbours fall off: they are below the peak, not a copy of it.
        EXPECT_LT(bars[c.bar - 1], bars[c.bar]) << c.hz << " Hz";
        EXPECT_LT(bars[c.bar + 1], bars[c.bar]) << c.hz << " Hz";
    }
}

TEST(SpectrumBars, EveryLabelShowsInItsOwnBarAcrossTheRange) {
    // A tone on each label, and one a third of the way to the next label, where the bars are
    // narrower than one value as well as where they span hundreds.
    for (int b = 0; b < kBarTableCount; ++b) {
        const double hz = kBarFrequencies[b];
        EXPECT_EQ(Tallest(BarsOfTone(hz)), b) << hz << " Hz";
        if (b + 1 < kBarTableCount) {
            const double between = hz * std::pow(kBarFrequencies[b + 1] / hz, 1.0 / 3);
            EXPECT_EQ(Tallest(BarsOfTone(between)), b) << between << " Hz";
        }
    }
    // Above the last label the unlabelled bars take the tone.
    const int top = Tallest(BarsOfTone(21000));
    EXPECT_EQ(top, 124);
    EXPECT_LT(BarFrequencyRange(top).loHz, 21000);
    EXPECT_GT(BarFrequencyRange(top).hiHz, 21000);
}

TEST(SpectrumBars, AToneIsAsTallBetweenValuesAsOnOne) {
    // Amplitude 16000 gives |X| = 16000 * 4096 and a value of 16000 * 4096 / 8192 / 2 = 4000.
    for (const double hz : {1000.0, 1000.0 + kHzPerValue / 2, 6000.0 + kHzPerValue / 3}) {
        const BarHeights bars = BarsOfTone(hz);
        EXPECT_NEAR(bars[Tallest(bars)], 4000, 4000 * 0.03) << hz << " Hz";
    }
}

TEST(SpectrumBars, RangesTileTheAxisAndSilenceOrNoValuesShowNothing) {
    EXPECT_NEAR(BarFrequencyRange(0).loHz, 19.53, 0.01);
    for (int b = 1; b < kSpectrumBarCount; ++b) {
        ASSERT_EQ(BarFrequencyRange(b).loHz, BarFrequencyRange(b - 1).hiHz) << b;
        ASSERT_LT(BarFrequencyRange(b).loHz, BarFrequencyRange(b).hiHz) << b;
        if (b < kBarTableCount) {
            ASSERT_LT(BarFrequencyRange(b).loHz, kBarFrequencies[b]);
            ASSERT_GT(BarFrequencyRange(b).hiHz, kBarFrequencies[b]);
        }
    }
    EXPECT_DOUBLE_EQ(BarFrequencyRange(kSpectrumBarCount - 1).hiHz, 22050);
    for (int h : ComputeBarHeights(std::vector<double>(kSpectrumValueCount, 0.0)))
        ASSERT_EQ(h, 0);
    // A flat spectrum is no tone: every bar shows the level itself, not an estimate above it.
    for (int h : ComputeBarHeights(std::vector<double>(kSpectrumValueCount, 96.0)))
        ASSERT_EQ(h, 96);
    for (int h : ComputeBarHeights({}))
        ASSERT_EQ(h, 0);
    // Values no analysis gives (not finite, negative, huge) are silence or stay within an int.
    std::vector<double> odd(kSpectrumValueCount, 0.0);
    odd[9] = std::nan("");
    odd[500] = -5;
    odd[2000] = 1e300;
    odd[3000] = std::numeric_limits<double>::infinity();
    const BarHeights clipped = ComputeBarHeights(odd);
    EXPECT_EQ(*std::max_element(clipped.begin(), clipped.end()), 1'000'000'000);
    EXPECT_EQ(clipped[15], 0);
    EXPECT_EQ(clipped[Tallest(clipped)], clipped[BarIndexOf(2000 * kHzPerValue)]);
    // Fewer values than the analysis gives: the missing ones are silence, not read past.
    const std::vector<double> few = {0, 0, 0, 0, 0, 0, 0, 0, 0, 900};  // value 9: 48.4 Hz
    const BarHeights bars = ComputeBarHeights(few);
    EXPECT_EQ(Tallest(bars), 15);  // 47.7 Hz
    EXPECT_EQ(bars[15], 900);
    EXPECT_EQ(bars[kSpectrumBarCount - 1], 0);
}

}  // namespace
