// The longest stall of the UI thread's event loop during a full connection search (USB, the
// serial ports, the network) that finds nothing: a 1 ms timer runs beside the search and the
// largest gap between two of its ticks is the longest time the loop was kept from running.
// Two cases: no unit anywhere (no USB device, a port that does not exist, an address nothing
// answers), and a silent unit (a USB device and a pty that take every handshake and never
// answer, and the same unreachable address).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "core/model/audiodata.h"
#include "link/connectsearch.h"
#include "link/unitconnection.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/pty.h"

namespace {
// An address of the documentation range: nothing answers there.
const char* kNobodyAddress = "192.0.2.1";

struct SearchTimes {
    double maxStallMs = 0;
    double searchMs = 0;
};

SearchTimes RunSearch(bool silentUnit) {
    CFakeHidBackend::Shared hid;
    hid.deviceAttached = silentUnit;
    CPty pty;
    CAudioData model;
    CUnitConnection connection(model, std::make_unique<CFakeHidBackend>(hid));
    SearchPlan plan;
    plan.portNames = {silentUnit ? pty.SlavePath() : QStringLiteral("/dev/ttyNOSUCHPORT0")};
    plan.address = kNobodyAddress;
    connection.OpenUsb();

    SearchTimes times;
    QElapsedTimer sinceTick;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        times.maxStallMs = std::max(times.maxStallMs, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    bool finished = false;
    QObject::connect(&connection.Search(), &CConnectSearch::Finished,
                     [&](SearchResult) { finished = true; });

    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    probe.start();
    connection.StartSearch(plan);
    while (!finished) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    times.searchMs = clock.nsecsElapsed() / 1e6;
    return times;
}

void BM_SearchStall(benchmark::State& state) {
    const bool silentUnit = state.range(0) != 0;
    double worstStall = 0;
    double searchMs = 0;
    for (auto _ : state) {
        const SearchTimes times = RunSearch(silentUnit);
        state.SetIterationTime(times.searchMs / 1000.0);
        worstStall = std::max(worstStall, times.maxStallMs);
        searchMs = times.searchMs;
    }
    state.counters["max_stall_ms"] = worstStall;
    state.counters["search_ms"] = searchMs;
}
BENCHMARK(BM_SearchStall)
    ->ArgName("silent_unit")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
}  // namespace
