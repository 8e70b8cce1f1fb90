#include "core/dsp/analysiswindows.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/dsp/spectrum.h"

namespace {

// Frames numbered from 0: left = the number mod 30000, right = its negative.
std::vector<std::int16_t> Frames(int first, int count) {
    std::vector<std::int16_t> s;
    for (int i = first; i < first + count; ++i) {
        s.push_back(static_cast<std::int16_t>(i % 30000));
        s.push_back(static_cast<std::int16_t>(-(i % 30000)));
    }
    return s;
}

// Pushes `total` frames in pieces of the given sizes (cycled) and returns, for every window,
// the number of its first frame; checks that each window is whole and consecutive.
std::vector<int> WindowStarts(CAnalysisWindows& windows, int total, std::vector<int> pieces) {
    std::vector<int> starts;
    int at = 0;
    for (std::size_t p = 0; at < total; ++p) {
        const int n = std::min(pieces[p % pieces.size()], total - at);
        windows.Push(Frames(at, n), [&](std::span<const std::int16_t> w) {
            ASSERT_EQ(w.size(), static_cast<std::size_t>(kAnalysisSamples));
            const int first = w[0];
            for (int f = 0; f < kAnalysisFrames; ++f) {
                ASSERT_EQ(w[2 * f], (first + f) % 30000) << "frame " << f;
                ASSERT_EQ(w[2 * f + 1], -w[2 * f]);
            }
            starts.push_back(first);
        });
        at += n;
    }
    return starts;
}

TEST(AnalysisWindows, PerBufferTakesTheFirstHalfOfEveryBuffer) {
    CAnalysisWindows windows;
    EXPECT_EQ(windows.Mode(), RefreshMode::PerBuffer);
    // Two and a half buffers in uneven pieces: two windows, at 0 and 16384.
    EXPECT_EQ(WindowStarts(windows, 2 * 16384 + 8192, {1000, 4097, 17}),
              (std::vector<int>{0, 16384}));
}

TEST(AnalysisWindows, LiveOverlapsEvery1400Frames) {
    CAnalysisWindows windows(RefreshMode::Live);
    // Steps end at 1400, 2800, ...; the first with 8192 frames collected is 8400.
    const int total = 8400 + 3 * 1400 + 100;
    const std::vector<int> expected = {8400 - 8192, 9800 - 8192, 11200 - 8192, 12600 - 8192};
    EXPECT_EQ(WindowStarts(windows, total, {882}), expected);
    CAnalysisWindows byOnes(RefreshMode::Live);
    EXPECT_EQ(WindowStarts(byOnes, total, {1, 5000, 3}), expected);
    // Once running, a second of sound (44100 frames) gives 31 or 32 windows: here the steps
    // at 9800 ... 52500.
    CAnalysisWindows second(RefreshMode::Live);
    EXPECT_EQ(WindowStarts(second, 8400 + 44100, {441}).size(), 1u + 31u);
}

TEST(AnalysisWindows, ModeChangeStartsOver) {
    CAnalysisWindows windows;
    EXPECT_TRUE(WindowStarts(windows, 16000, {4000}).empty());
    windows.SetMode(RefreshMode::Live);
    // The 16000 frames collected before are gone: the first live window needs 8400 new ones.
    int count = 0;
    windows.Push(Frames(0, 8399), [&](std::span<const std::int16_t>) { ++count; });
    EXPECT_EQ(count, 0);
    windows.Push(Frames(8399, 1), [&](std::span<const std::int16_t>) { ++count; });
    EXPECT_EQ(count, 1);
    windows.SetMode(RefreshMode::PerBuffer);
    windows.Push(Frames(0, 16383), [&](std::span<const std::int16_t>) { ++count; });
    EXPECT_EQ(count, 1);
}

}  // namespace
