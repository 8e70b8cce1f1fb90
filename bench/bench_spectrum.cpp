// One captured buffer through the analyser: FFT of 8192 points, the 4095 values and the bars.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/dsp/spectrum.h"

namespace {

void BM_AnalyseBufferAndBars(benchmark::State& state) {
    std::vector<std::int16_t> samples(kAnalysisSamples);
    unsigned seed = 12345;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const double tone = 12000 * std::sin(0.05 * static_cast<double>(i / 2));
        samples[i] = static_cast<std::int16_t>(tone + static_cast<int>((seed >> 16) % 2000) - 1000);
    }
    SpectrumValues values{};
    for (auto _ : state) {
        AnalyseBuffer(samples, values);
        const BarHeights bars = ComputeBarHeights(values);
        benchmark::DoNotOptimize(bars.data());
    }
}
BENCHMARK(BM_AnalyseBufferAndBars)->Unit(benchmark::kMicrosecond);

}  // namespace
