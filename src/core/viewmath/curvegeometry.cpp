#include "core/viewmath/curvegeometry.h"

#include <algorithm>
#include <cmath>

#include "core/model/conversiontool.h"

namespace {

// Far enough outside any plot to be clipped, small enough for every integer and painter.
constexpr double kFarY = 1.0e6;

constexpr std::array<double, kCurveGridCount> kGridHz = {
    20,  30,  40,  50,   60,   70,   80,   90,   100,  200,  300,  400,  500,  600,
    700, 800, 900, 1000, 2000, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000};

int Floor(double v) {
    return static_cast<int>(std::floor(v));
}

// How many decades above 20 Hz each point of the response grid lies: FreqToX at one pixel a
// decade. A curve is redrawn for every response change, so the logarithms are taken once.
const std::array<double, kFreqCount>& GridDecades() {
    static const std::array<double, kFreqCount> decades = [] {
        std::array<double, kFreqCount> d{};
        for (std::size_t i = 0; i < d.size(); ++i) {
            d[i] = FreqToX(kFreqTable[i], 3);
        }
        return d;
    }();
    return decades;
}

// Moves [start, start + size) left or up so that it ends at `limit` at the latest.
int KeepBefore(int start, int limit) {
    return start + kCurveHandleSize > limit ? limit - kCurveHandleSize : start;
}

}  // namespace

SCurveRect CurvePlotRect(int clientWidth, int clientHeight) {
    return {kCurveInsetLeft, kCurveInsetTop, clientWidth - kCurveInsetRight,
            clientHeight - kCurveInsetBottom};
}

double CurveYOfDb(double dB, int h) {
    const double y = GainToY(dB, h);
    if (std::isnan(y)) {
        return kFarY;
    }
    return std::clamp(y, -kFarY, kFarY);
}

int CurveFreqAtX(int x, int w) {
    return static_cast<int>(XToFreq(x, w));
}

std::array<int, kCurveGridCount> CurveGridX(int w) {
    std::array<int, kCurveGridCount> xs{};
    for (std::size_t i = 0; i < xs.size(); ++i) {
        xs[i] = static_cast<int>(FreqToX(kGridHz[i], w)) + kCurveInsetLeft;
    }
    return xs;
}

SCurveRect BandHandleRect(double hz, double gainDb, int w, int h) {
    int left = std::max(Floor(FreqToX(hz, w) - kCurveHandleHalf), -kCurveHandleHalf);
    int top = std::max(Floor(CurveYOfDb(gainDb, h) - kCurveHandleHalf), 0);
    left = KeepBefore(left, w + kCurveHandleHalf);
    top = KeepBefore(top, h + kCurveHandleHalf);
    left += kCurveInsetLeft;
    top += kCurveInsetTop;
    return {left, top, left + kCurveHandleSize, top + kCurveHandleSize};
}

SCurveRect CrossoverHandleRect(double hz, int w, int h) {
    int left = std::max(Floor(FreqToX(hz, w) - kCurveHandleHalf), -kCurveHandleHalf);
    left = KeepBefore(left, w + kCurveHandleHalf) + kCurveInsetLeft;
    const int top = Floor(CurveYOfDb(0, h) - kCurveHandleHalf) + kCurveInsetTop;
    return {left, top, left + kCurveHandleSize, top + kCurveHandleSize};
}

void ComputeCurvePoints(std::span<const double, kFreqCount> responseDb, int w, int h,
                        std::span<SCurvePoint, kCurvePointCount> out) {
    const int zeroY = static_cast<int>(CurveYOfDb(0, h)) + kCurveInsetTop;
    // As FreqToX: a width under three pixels puts every point at x = 0.
    const int decade = std::max(w / 3, 0);
    const auto& decades = GridDecades();
    out[0] = {kCurveInsetLeft, zeroY};
    for (std::size_t i = 0; i < responseDb.size(); ++i) {
        out[i + 1] = {Floor(decades[i] * decade + kCurveInsetLeft),
                      Floor(CurveYOfDb(responseDb[i], h) + kCurveInsetTop)};
    }
    out[kCurvePointCount - 1] = {w + kCurveInsetLeft, zeroY};
}

int AxisLabelX(int x, int textWidth, int clientRight) {
    return std::min(x, clientRight - textWidth);
}
