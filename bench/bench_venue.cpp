// sonvela-cli over a venue of three simulated units (tq640v-sim processes) in one /24, each
// command run as a person runs it and timed from start to exit: the scan of the whole /24, and
// `backup --all` of the three units beside one `backup` of one of them. The units live in
// network namespaces made for the run (addresses that hold no unit then stay silent and the
// scan waits out their connect time-out, as on a real network); where namespaces cannot be made
// they listen on loopback addresses, where the other addresses refuse at once.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <memory>

#include "tests/support/simvenue.h"

namespace {
constexpr int kUnits = 3;  // at host numbers 2, 3 and 4

CSimVenue& Venue() {
    static std::unique_ptr<CSimVenue> s_venue = [] {
        auto venue = std::make_unique<CSimVenue>(CSimVenue::Mode::Namespaces, TQ640V_SIM_PATH);
        if (!venue->IsReady()) {
            venue = std::make_unique<CSimVenue>(CSimVenue::Mode::Loopback, TQ640V_SIM_PATH);
        }
        for (int host = 2; host < 2 + kUnits && venue->IsReady(); ++host) {
            venue->AddUnit(host);
        }
        return venue;
    }();
    return *s_venue;
}

// Runs the tool where the venue's tool runs; its wall time in seconds, or -1 when it failed.
double TimedCli(const QStringList& args) {
    QElapsedTimer clock;
    clock.start();
    const ProcessRun run = Venue().Run(SONVELA_CLI_PATH, args);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return run.exitCode == 0 ? seconds : -1;
}

bool Ready(benchmark::State& state) {
    if (!Venue().IsReady()) {
        state.SkipWithError(("no venue: " + Venue().Error()).toStdString().c_str());
        return false;
    }
    state.SetLabel(Venue().Block().toStdString());
    return true;
}

void BM_ScanSlash24WithThreeUnits(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    for (auto _ : state) {
        const double seconds =
            TimedCli(QStringList{"scan", Venue().Block()} + Venue().ScanOptions());
        if (seconds < 0) {
            state.SkipWithError("the scan failed");
            return;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ScanSlash24WithThreeUnits)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// backup --all and its ratio to one backup of one unit timed in the same iteration; over the
// three units' addresses only (argument 0: a /31 and a /32) and over the whole /24 (1), where
// the scan of the empty addresses runs beside the backups.
void BM_BackupAllOfThreeUnits(benchmark::State& state) {
    if (!Ready(state)) {
        return;
    }
    QTemporaryDir dir;
    const QStringList blocks = state.range(0) == 0
                                   ? QStringList{Venue().Address(2) + "/31", Venue().Address(4)}
                                   : QStringList{Venue().Block()};
    double ratioSum = 0;
    for (auto _ : state) {
        const double one =
            TimedCli(QStringList{"backup", "-o", dir.filePath("one.pmx")} + Venue().UnitOptions(2));
        const double all =
            TimedCli(QStringList{"backup", "--all", dir.path()} + blocks + Venue().ScanOptions());
        if (one < 0 || all < 0) {
            state.SkipWithError("a backup failed");
            return;
        }
        state.SetIterationTime(all);
        ratioSum += all / one;
        state.counters["one_backup_ms"] = one * 1000;
    }
    state.counters["ratio_to_one"] = ratioSum / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BackupAllOfThreeUnits)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
