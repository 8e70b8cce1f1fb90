#include "core/dsp/filterresponse.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kLastGridHz = 20000.0;

// The grid is fixed, so the unit-circle terms of every point are computed once.
struct GridPoint {
    double cos1, sin1, cos2, sin2;
};

double GridHz(int i) {
    return i == kFreqMaxIndex ? kLastGridHz : kFreqTable[static_cast<std::size_t>(i)];
}

const std::array<GridPoint, kFreqCount>& Grid() {
    static const std::array<GridPoint, kFreqCount> grid = [] {
        std::array<GridPoint, kFreqCount> g{};
        for (int i = 0; i < kFreqCount; ++i) {
            // Angular frequency from the grid frequency in tenths of a hertz, truncated.
            const auto tenths = static_cast<long>(10 * GridHz(i));
            const double w = kPi * static_cast<double>(tenths) / 960000.0;
            g[static_cast<std::size_t>(i)] = {std::cos(w), std::sin(w), std::cos(2 * w),
                                              std::sin(2 * w)};
        }
        return g;
    }();
    return grid;
}

// H = B/A at one grid point, B and A evaluated at e^{-jw} and e^{-2jw}.
std::complex<double> SectionAt(const GridPoint& p, const Coeffs& den, const Coeffs& num) {
    const double br = num[0] + num[1] * p.cos1 + num[2] * p.cos2;
    const double bi = -(num[1] * p.sin1 + num[2] * p.sin2);
    const double ar = den[0] + den[1] * p.cos1 + den[2] * p.cos2;
    const double ai = -(den[1] * p.sin1 + den[2] * p.sin2);
    const double d = ar * ar + ai * ai;
    return {(br * ar + bi * ai) / d, (bi * ar - br * ai) / d};
}

// Stage Qs by family and order (orders 2, 3, 4, 6, 8).
constexpr std::array<int, 5> kStageOrders = {2, 3, 4, 6, 8};
constexpr double kStageQ[3][5][4] = {
    {{0.5773},
     {0.691},
     {0.5219, 0.8055},
     {0.5103, 0.6112, 1.0234},
     {0.506, 1.2258, 0.7109, 0.5596}},
    {{0.7071}, {1}, {0.5412, 1.3065}, {0.5177, 0.7071, 1.932}, {0.5098, 0.6013, 0.8999, 2.5628}},
    {{0.5}, {0.6}, {0.71, 0.71}, {0.5, 1, 1}, {0.54, 1.34, 0.54, 1.34}},
};
constexpr std::array<int, 6> kOrderBySlopeStep = {1, 2, 3, 4, 6, 8};
}  // namespace

void DesignBiquad(int type, double f0, double q, double gainDb, Coeffs& den, Coeffs& num) {
    const double w0 = 2 * kPi * f0 / kResponseSampleRate;
    const double a = std::pow(10.0, gainDb / 40);
    const double alpha = std::sin(w0) / (2 * q);
    const double c = std::cos(w0);
    const double s = 2 * std::sqrt(a) * alpha;
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;
    switch (type) {
        case kBiquadAllPass:
            b0 = 1 - alpha, b1 = -2 * c, b2 = 1 + alpha;
            a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
            break;
        case kBiquadHighPass:
            b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
            a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
            break;
        case kBiquadLowPass:
            b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
            a0 = 1 + alpha, a1 = -2 * c, a2 = 1 - alpha;
            break;
        case kBiquadPeaking:
            b0 = 1 + alpha * a, b1 = -2 * c, b2 = 1 - alpha * a;
            a0 = 1 + alpha / a, a1 = -2 * c, a2 = 1 - alpha / a;
            break;
        case kBiquadLowShelf:
            b0 = a * ((a + 1) - (a - 1) * c + s);
            b1 = 2 * a * ((a - 1) - (a + 1) * c);
            b2 = a * ((a + 1) - (a - 1) * c - s);
            a0 = (a + 1) + (a - 1) * c + s;
            a1 = -2 * ((a - 1) + (a + 1) * c);
            a2 = (a + 1) + (a - 1) * c - s;
            break;
        case kBiquadHighShelf:
            b0 = a * ((a + 1) + (a - 1) * c + s);
            b1 = -2 * a * ((a - 1) + (a + 1) * c);
            b2 = a * ((a + 1) + (a - 1) * c - s);
            a0 = (a + 1) - (a - 1) * c + s;
            a1 = 2 * ((a - 1) - (a + 1) * c);
            a2 = (a + 1) - (a - 1) * c - s;
            break;
        default:
            break;
    }
    den = {1, a1 / a0, a2 / a0};
    num = {b0 / a0, b1 / a0, b2 / a0};
}

void DesignFirstOrder(int kind, double f0, Coeffs& den, Coeffs& num) {
    if (kind != kFirstOrderHighPass && kind != kFirstOrderLowPass) {
        return;
    }
    const double w = 2 * kPi * f0;
    const double k = w / std::tan(kPi * f0 / kResponseSampleRate);
    den = {1, (w - k) / (k + w), 0};
    if (kind == kFirstOrderHighPass) {
        num = {k / (k + w), -k / (k + w), 0};
    } else {
        num = {w / (k + w), w / (k + w), 0};
    }
}

void EvaluateResponse(const Coeffs& den, const Coeffs& num,
                      std::span<std::complex<double>, kFreqCount> out) {
    const auto& grid = Grid();
    for (std::size_t i = 0; i < grid.size(); ++i) {
        out[i] = SectionAt(grid[i], den, num);
    }
}

void AccumulateSectionDb(const Coeffs& den, const Coeffs& num, ResponseDb& acc) {
    const auto& grid = Grid();
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const std::complex<double> h = SectionAt(grid[i], den, num);
        acc[i] += 20 * std::log10(std::sqrt(h.real() * h.real() + h.imag() * h.imag()));
    }
}

double ResponseGridHz(int i) {
    return GridHz(std::clamp(i, 0, kFreqMaxIndex));
}

int CrossoverOrder(int slopeStep) {
    const int step = std::clamp(slopeStep, 0, static_cast<int>(kOrderBySlopeStep.size()) - 1);
    return kOrderBySlopeStep[static_cast<std::size_t>(step)];
}

double CrossoverStageQ(int family, int order, int stage) {
    const auto f = static_cast<std::size_t>(std::clamp(family, 0, 2));
    const auto it = std::find(kStageOrders.begin(), kStageOrders.end(), order);
    if (it == kStageOrders.end() || stage < 0 || stage >= order / 2) {
        return 0;
    }
    const auto o = static_cast<std::size_t>(it - kStageOrders.begin());
    return kStageQ[f][o][static_cast<std::size_t>(stage)];
}

void CrossoverResponse(bool highPass, double cornerHz, int family, int slopeStep, bool useVariableQ,
                       double variableQ, ResponseDb& out) {
    out.fill(0);
    const int order = CrossoverOrder(slopeStep);
    Coeffs den{}, num{};
    for (int stage = 0; stage < order / 2; ++stage) {
        const double q = useVariableQ ? variableQ : CrossoverStageQ(family, order, stage);
        DesignBiquad(highPass ? kBiquadHighPass : kBiquadLowPass, cornerHz, q, 0, den, num);
        AccumulateSectionDb(den, num, out);
    }
    if (order == 1 || order == 3) {
        DesignFirstOrder(highPass ? kFirstOrderHighPass : kFirstOrderLowPass, cornerHz, den, num);
        AccumulateSectionDb(den, num, out);
    }
}
