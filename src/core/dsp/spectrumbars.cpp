#include "core/dsp/spectrumbars.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

namespace {

constexpr int kLastLabelled = kBarTableCount - 1;
constexpr int kUnlabelledBars = kSpectrumBarCount - kBarTableCount;
// Heights stay within an int even from values no analysis gives.
constexpr double kMaxBarHeight = 1e9;

double Label(int bar) {
    return kBarFrequencies[static_cast<std::size_t>(bar)];
}

// Edge between bar b - 1 and bar b for b = 1 ... 116: the geometric mean of their centres.
// Below bar 0 and above bar 116 the edge lies as far out as the step to the neighbour inside.
double LabelledEdge(int b) {
    if (b <= 0) {
        return Label(0) / std::sqrt(Label(1) / Label(0));
    }
    if (b > kLastLabelled) {
        return Label(kLastLabelled) * std::sqrt(Label(kLastLabelled) / Label(kLastLabelled - 1));
    }
    return std::sqrt(Label(b - 1) * Label(b));
}

double Edge(int b) {
    if (b <= kBarTableCount) {
        return LabelledEdge(b);
    }
    const double top = kSpectrumSampleRate / 2;
    const double first = LabelledEdge(kBarTableCount);
    const double step = static_cast<double>(b - kBarTableCount) / kUnlabelledBars;
    return first * std::pow(top / first, step);
}

double Sinc(double x) {
    if (x == 0) {
        return 1;
    }
    const double px = std::numbers::pi * x;
    return std::sin(px) / px;
}

// Peak of the magnitude between two neighbouring values a and b, over the part [from, to] of
// the step between them (0 = at a, 1 = at b); `before` and `after` are the values on either
// side. Where a and b both stand above those, they are the main lobe of a tone: without a
// window a tone at offset d from a gives a : b = sinc(d) : sinc(1 - d), hence d = b / (a + b),
// and its height is a / sinc(d). Anywhere else (noise, a flank, a flat stretch) the values are
// joined by a straight line.
double PeakBetween(double before, double a, double b, double after, double from, double to) {
    if (a <= 0 && b <= 0) {
        return 0;
    }
    if (a <= before || b <= after) {
        return std::max(a + (b - a) * from, a + (b - a) * to);
    }
    const double d = b / (a + b);
    const double peak = a >= b ? a / Sinc(d) : b / Sinc(1 - d);
    return peak * Sinc(std::clamp(d, from, to) - d);
}

// The edges of every bar, worked out once.
const std::array<double, kSpectrumBarCount + 1>& Edges() {
    static const std::array<double, kSpectrumBarCount + 1> edges = [] {
        std::array<double, kSpectrumBarCount + 1> e{};
        for (int b = 0; b <= kSpectrumBarCount; ++b) {
            e[static_cast<std::size_t>(b)] = Edge(b);
        }
        return e;
    }();
    return edges;
}

}  // namespace

BarRange BarFrequencyRange(int bar) {
    const auto b = static_cast<std::size_t>(std::clamp(bar, 0, kSpectrumBarCount - 1));
    return {Edges()[b], Edges()[b + 1]};
}

BarHeights ComputeBarHeights(std::span<const double> values) {
    BarHeights heights{};
    const auto count = static_cast<long>(values.size());
    // Values that are not a finite magnitude count as silence.
    auto at = [&](long k) {
        const double v = k > 0 && k < count ? values[static_cast<std::size_t>(k)] : 0.0;
        return std::isfinite(v) && v > 0 ? std::min(v, kMaxBarHeight) : 0.0;
    };
    for (int bar = 0; bar < kSpectrumBarCount; ++bar) {
        const BarRange range = BarFrequencyRange(bar);
        const double lo = range.loHz / kHzPerValue;
        const double hi = range.hiHz / kHzPerValue;
        double best = 0;
        for (auto k = static_cast<long>(std::floor(lo)); static_cast<double>(k) < hi; ++k) {
            const double a = at(k);
            const double b = at(k + 1);
            // The peak between two values is at most pi/2 times the larger one.
            if (std::max(a, b) * std::numbers::pi / 2 <= best) {
                continue;
            }
            const auto kd = static_cast<double>(k);
            const double from = std::max(lo - kd, 0.0);
            const double to = std::min(hi - kd, 1.0);
            best = std::max(best, PeakBetween(at(k - 1), a, b, at(k + 2), from, to));
        }
        heights[static_cast<std::size_t>(bar)] = static_cast<int>(std::min(best, kMaxBarHeight));
    }
    return heights;
}
