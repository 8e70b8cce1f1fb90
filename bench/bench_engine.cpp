// The command engine's speed: ticks needed for whole-state transfers against the in-process
// simulated unit (it answers within the tick, so this is the protocol's floor), and CPU time
// per received byte on the serial and USB receive paths.
#include <benchmark/benchmark.h>

#include "core/protocol/catalogue.h"
#include "tests/support/enginefakes.h"
#include "tests/support/simrig.h"

namespace {
void ReportTicks(benchmark::State& state, int ticks, int frames) {
    state.counters["ticks"] = ticks;
    state.counters["frames"] = frames;
}

void BM_FullReadBack(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    for (auto _ : state) {
        SimRig rig(kind);
        ReadAllSequence(rig.engine, rig.Chunked());
        const int frames = rig.engine.GetCount();
        const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); });
        ReportTicks(state, ticks, frames);
    }
}
BENCHMARK(BM_FullReadBack)->ArgName("link")->Arg(kLinkUsb)->Arg(kLinkSerial)->Arg(kLinkNetwork);

void BM_FullUpload(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    for (auto _ : state) {
        SimRig rig(kind);
        UploadAllSequence(rig.model, rig.engine, rig.state, rig.Chunked());
        const int frames = rig.engine.GetCount();
        const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_VOLUMES_READ); });
        ReportTicks(state, ticks, frames);
    }
}
BENCHMARK(BM_FullUpload)->ArgName("link")->Arg(kLinkUsb)->Arg(kLinkSerial)->Arg(kLinkNetwork);

// The microphone block, the longest reply, delivered in reads of `state.range(0)` bytes.
void BM_SerialReceivePerByte(benchmark::State& state) {
    const Bytes reply = DataReply(kLongestReply, 1);
    const auto piece = static_cast<std::size_t>(state.range(0));
    EngineRig rig;
    for (auto _ : state) {
        rig.Queue("F5 35 06 B0 1E 10 01 00 D4");
        for (std::size_t at = 0; at < reply.size(); at += piece) {
            rig.serial.m_pending.emplace_back(
                reply.begin() + static_cast<std::ptrdiff_t>(at),
                reply.begin() + static_cast<std::ptrdiff_t>(std::min(at + piece, reply.size())));
            rig.engine.OnSerialData();
        }
        rig.model.m_decoded.clear();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(reply.size()));
}
BENCHMARK(BM_SerialReceivePerByte)->ArgName("read")->Arg(kLongestReply)->Arg(16)->Arg(1);

// The microphone block as its four USB chunk reports (64 bytes each).
void BM_UsbReceivePerByte(benchmark::State& state) {
    std::vector<UsbReport> reports;
    CSimUnit sim;
    for (std::uint8_t start : ChunkStarts(1)) {
        auto request = MakeReadRequestAt(1, start);
        std::array<std::uint8_t, kUsbFrameBytes> in{};
        std::copy(request->Bytes().begin(), request->Bytes().end(), in.begin());
        UsbReport report{};
        const SimReport answer = sim.OnUsbReport(in).front();
        std::copy(answer.begin(), answer.end(), report.begin() + 1);
        reports.push_back(report);
    }
    EngineRig rig;
    for (auto _ : state) {
        for (const UsbReport& report : reports) {
            rig.Queue("F5 35 06 B0 1E 10 01 00 D4");
            rig.engine.OnUsbReport(report);
        }
        rig.model.m_decoded.clear();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(reports.size() * kUsbFrameBytes));
}
BENCHMARK(BM_UsbReceivePerByte);
}  // namespace
