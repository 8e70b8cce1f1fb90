#include "core/dsp/spectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/dsp/fourier.h"

const std::array<double, kBarTableCount> kBarFrequencies = {
    20.1, 21.3, 22.5,  23.9,  25.3,  26.8,  28.4,  30.1,  31.9,  33.8,  35.8,  37.9,  40.1,
    42.5, 45.1, 47.7,  50.6,  53.6,  56.8,  61.3,  65,    70.2,  74.3,  78.7,  80.3,  85,
    95,   101,  107,   114,   120,   127,   135,   143,   152,   161,   170,   180,   191,
    202,  214,  227,   241,   255,   270,   286,   303,   321,   340,   360,   382,   405,
    429,  454,  481,   510,   540,   572,   630,   667,   721,   764,   794,   809,   857,
    908,  962,  1020,  1080,  1140,  1210,  1280,  1360,  1440,  1530,  1620,  1710,  1820,
    2040, 2160, 2290,  2420,  2570,  2720,  2880,  3050,  3240,  3430,  3630,  3850,  4080,
    4320, 4580, 4850,  5140,  5440,  5770,  6350,  6730,  7270,  7700,  7850,  8160,  8640,
    9150, 9700, 10300, 10900, 11500, 12200, 12900, 13700, 14500, 15400, 16300, 17300, 18300};
static_assert(kBarTableCount == 117);

namespace {
// Bars below this use their centre bin directly; from here to the end of the table they use
// the edge of the bin group; the remaining bars sum whole groups.
constexpr int kFirstGroupedBar = 67;
}  // namespace

void AnalyseBuffer(std::span<const std::int16_t> interleaved, SpectrumValues& values) {
    // thread_local: the capture thread calls this for every buffer without allocating.
    thread_local std::vector<double> left(kAnalysisFrames), re(kAnalysisFrames),
        im(kAnalysisFrames);
    const std::size_t frames = std::min<std::size_t>(interleaved.size() / 2, kAnalysisFrames);
    std::fill(left.begin(), left.end(), 0.0);
    for (std::size_t i = 0; i < frames; ++i) {
        left[i] = interleaved[2 * i];
    }
    FftDouble(false, left, {}, re, im);
    values[0] = 0;
    for (std::size_t k = 1; k < values.size(); ++k) {
        const auto r = static_cast<float>(re[k]);
        const auto m = static_cast<float>(im[k]);
        const float magnitude = std::sqrt(r * r + m * m);
        const auto bins = static_cast<long>(magnitude / 8192);
        values[k] = static_cast<double>((bins % 16384) / 2);
    }
}

int ValueGroupAverage(const SpectrumValues& values, int group) {
    constexpr int kGroupSize = 16;
    if (group < 0 || 1 + kGroupSize * group >= kSpectrumValueCount) {
        return 0;
    }
    long sum = 0;
    for (int k = 1 + kGroupSize * group; k < 1 + kGroupSize * (group + 1); ++k) {
        sum += static_cast<long>(
            values[static_cast<std::size_t>(std::min(k, kSpectrumValueCount - 1))]);
    }
    return static_cast<int>(sum / kGroupSize);
}

BarHeights ComputeBarHeights(std::span<const double> values, int valuesPerBar) {
    BarHeights heights{};
    const int count = static_cast<int>(values.size());
    if (count == 0) {
        return heights;
    }
    const int s = std::max(valuesPerBar, 1);
    auto at = [&](int i) { return values[static_cast<std::size_t>(std::clamp(i, 0, count - 1))]; };
    for (int b = 0; b < kSpectrumBarCount; ++b) {
        if (b < kBarTableCount) {
            const auto c = static_cast<int>(
                std::floor(kBarFrequencies[static_cast<std::size_t>(b)] / kHzPerBin + 0.5));
            if (b < kFirstGroupedBar) {
                heights[static_cast<std::size_t>(b)] = static_cast<int>(at(c));
            } else {
                const int g = c / s;
                heights[static_cast<std::size_t>(b)] =
                    static_cast<int>(c % s == 0 ? at(g * s + s - 1) : at(g * s));
            }
        } else {
            int sum = 0;
            for (int i = b * s; i < b * s + s; ++i) {
                sum += static_cast<int>(at(i));
            }
            heights[static_cast<std::size_t>(b)] = sum;
        }
    }
    return heights;
}
