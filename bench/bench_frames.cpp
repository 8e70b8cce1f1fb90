// Cost of building the frames the sender emits for every edit and every block upload.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "core/protocol/framebuilder.h"

static void BM_MakeParamFrame(benchmark::State& state) {
    std::int16_t value = 0;
    for (auto _ : state) {
        auto frame = CFrameBuilder::MakeParamFrame(kOpWrite, 0, 2, value++);
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_MakeParamFrame);

static void BM_MakeBlockFrame164(benchmark::State& state) {
    std::array<std::uint8_t, 164> payload{};
    for (std::size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<std::uint8_t>(i * 7);
    }
    for (auto _ : state) {
        auto frame = CFrameBuilder::MakeBlockFrame(kOpWrite, 1, 0, payload, 164);
        benchmark::DoNotOptimize(frame);
    }
}
BENCHMARK(BM_MakeBlockFrame164);
