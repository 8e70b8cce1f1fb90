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
    const auto kind = static_cast<LinkKind>(state.range(0));
    for (auto _ : state) {
        SimRig rig(kind);
        ReadAllSequence(rig.engine, rig.Chunked());
        const int frames = rig.engine.GetCount();
        const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); });
        ReportTicks(state, ticks, frames);
    }
}
BENCHMARK(BM_FullReadBack)->ArgName("link")->DenseRange(0, kLinkKinds - 1);

void BM_FullUpload(benchmark::State& state) {
    const auto kind = static_cast<LinkKind>(state.range(0));
    for (auto _ : state) {
        SimRig rig(kind);
        UploadAllSequence(rig.model, rig.engine, rig.state, rig.Chunked());
        const int frames = rig.engine.GetCount();
        const int ticks = rig.TickUntil([&] { return rig.Sent(MSG_VOLUMES_READ); });
        ReportTicks(state, ticks, frames);
    }
}
BENCHMARK(BM_FullUpload)->ArgName("link")->DenseRange(0, kLinkKinds - 1);

// The microphone block, the longest reply, delivered in reads of `state.range(0)` bytes.
void BM_SerialReceivePerByte(benchmark::State& state) {
    const Bytes reply = DataReply(kLongestReply, 1);
    const auto piece = static_cast<std::size_t>(state.range(0));
    EngineRig rig;
    for (auto _ : state) {
        rig.Queue("F5 35 06 B0 1E 10 01 00 D4");
        for (std::size_t at = 0; at < reply.size(); at += piece) {
            rig.engine.OnReceived(LinkKind::Serial,
                                  std::span(reply).subspan(at, std::min(piece, reply.size() - at)));
        }
        rig.model.m_decoded.clear();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(reply.size()));
}
BENCHMARK(BM_SerialReceivePerByte)->ArgName("read")->Arg(kLongestReply)->Arg(16)->Arg(1);

// The microphone block as its four USB chunk reports (64 bytes each).
void BM_UsbReceivePerByte(benchmark::State& state) {
    std::vector<SimReport> reports;
    CSimUnit sim;
    for (std::uint8_t start : ChunkStarts(1)) {
        auto request = MakeReadRequestAt(1, start);
        std::array<std::uint8_t, kUsbFrameBytes> in{};
        std::copy(request->Bytes().begin(), request->Bytes().end(), in.begin());
        reports.push_back(sim.OnUsbReport(in).front());
    }
    EngineRig rig;
    for (auto _ : state) {
        for (const SimReport& report : reports) {
            rig.Queue("F5 35 06 B0 1E 10 01 00 D4");
            rig.engine.OnReceived(LinkKind::Usb, report);
        }
        rig.model.m_decoded.clear();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(reports.size() * kUsbFrameBytes));
}
BENCHMARK(BM_UsbReceivePerByte);
}  // namespace
