#include "core/dsp/spectrum.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/dsp/fourier.h"

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
