// The analyser's 128 bars from the 4096 magnitude values of one analysis. Value k belongs to
// k * 44100 / 8192 Hz. Bars 0-116 carry a centre frequency; each covers the frequencies nearer
// (on the logarithmic axis) to its own centre than to its neighbours', and bars 117-127 split
// what is left up to 22050 Hz evenly on the same axis. A bar shows the peak of the magnitude
// over the frequencies it covers, read between the values by the shape a tone takes in the
// analysis (no window: sin(pi x) / (pi x) around the tone), so a tone peaks in the bar whose
// centre is nearest to it even where the bars are narrower than one value, and a tone between
// two values is as tall as one on a value.
#pragma once

#include <array>
#include <span>

inline constexpr int kSpectrumValueCount = 4096;
inline constexpr int kSpectrumBarCount = 128;
inline constexpr int kBarTableCount = 117;
inline constexpr double kSpectrumSampleRate = 44100.0;
inline constexpr double kHzPerValue = kSpectrumSampleRate / (2 * kSpectrumValueCount);

using BarHeights = std::array<int, kSpectrumBarCount>;

// Centre frequencies of bars 0-116, Hz.
extern const std::array<double, kBarTableCount> kBarFrequencies;

struct BarRange {
    double loHz = 0;
    double hiHz = 0;
};

// The frequencies bar `bar` (0-127) covers; adjacent bars share their edge.
BarRange BarFrequencyRange(int bar);

// Bar heights from the values (value k at k * kHzPerValue; values missing at the end count as
// silence, value 0 is the DC value and is not shown).
BarHeights ComputeBarHeights(std::span<const double> values);

// The same for callers that still pass the view's values per bar, which no longer matters: each
// bar reads the values of its own frequencies.
inline BarHeights ComputeBarHeights(std::span<const double> values, int /*valuesPerBar*/) {
    return ComputeBarHeights(values);
}
