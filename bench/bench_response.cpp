// Response recomputation, as the curve view does on every drag step.
#include <benchmark/benchmark.h>

#include "core/model/audiodata.h"

namespace {

void BM_PeakingBandUpdateResponse(benchmark::State& state) {
    CFilter band;
    band.SetFreq(204);
    band.SetQ(16);
    band.SetGain(180);
    for (auto _ : state) {
        band.UpdateResponse();
        benchmark::DoNotOptimize(band.Response().data());
    }
}
BENCHMARK(BM_PeakingBandUpdateResponse)->Unit(benchmark::kMicrosecond);

void BM_HighPassOrder3UpdateResponse(benchmark::State& state) {
    CAudioData data;
    CFilter* hp = data.MainOut(0).GetHighPass();
    hp->SetXoverFreq(100);
    for (auto _ : state) {
        hp->UpdateResponse();
        benchmark::DoNotOptimize(hp->Response().data());
    }
}
BENCHMARK(BM_HighPassOrder3UpdateResponse)->Unit(benchmark::kMicrosecond);

// The microphone's 15 bands and its high-pass recomputed, then summed.
void BM_MicBandSetUpdateAndSum(benchmark::State& state) {
    CAudioData data;
    CEQ& eq = data.Mic().GetEQ();
    for (int k = 0; k < eq.GetBandCount(); ++k) {
        eq.GetAt(k).SetGain(static_cast<std::int16_t>(100 + 5 * k));
    }
    eq.GetHighPass()->SetXoverFreq(40);
    for (auto _ : state) {
        for (int k = 0; k < eq.GetCount(); ++k) {
            eq.GetAt(k).UpdateResponse();
        }
        benchmark::DoNotOptimize(eq.SumResponse().data());
    }
}
BENCHMARK(BM_MicBandSetUpdateAndSum)->Unit(benchmark::kMicrosecond);

}  // namespace
