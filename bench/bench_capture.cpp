// The spectrum analyser's running cost: the recorder captures a private PulseAudio server's
// 1 kHz sine for a number of seconds, and the run reports this process's CPU time (capture,
// conversion, analysis thread, hand-over) per wall-clock second, the pictures delivered per
// second, and the sound server's own CPU share beside it. Arg 0: one picture per 16384-frame
// buffer; arg 1: live refresh. One iteration is --capture_seconds=N of capture (default 10),
// after a start-up that is not counted.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "capture/recorder.h"
#include "tests/support/soundserver.h"

namespace {

int g_nCaptureSeconds = 10;
CPrivateSoundServer* g_pServer = nullptr;

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop, sleeping while there is nothing to do.
void RunEventLoopFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_Capture(benchmark::State& state) {
    CRecorder recorder;
    recorder.SetRefreshMode(state.range(0) == 1 ? RefreshMode::Live : RefreshMode::PerBuffer);
    if (recorder.Open() != RecorderResult::Ok || recorder.Start() != RecorderResult::Ok) {
        state.SkipWithError("the recorder could not start");
        return;
    }
    // Delivery begins up to about a second after the start.
    QElapsedTimer startup;
    startup.start();
    while (recorder.FramesDelivered() == 0 && startup.elapsed() < 10000) {
        RunEventLoopFor(20);
    }
    if (recorder.FramesDelivered() == 0) {
        state.SkipWithError("no picture arrived");
        return;
    }
    double cpu = 0;
    double serverCpu = 0;
    double wall = 0;
    quint64 frames = 0;
    quint64 captured = 0;
    for (auto _ : state) {
        const quint64 frames0 = recorder.FramesDelivered();
        const quint64 captured0 = recorder.FramesCaptured();
        const double cpu0 = ProcessCpuSeconds();
        const double server0 = g_pServer->CpuSeconds();
        QElapsedTimer clock;
        clock.start();
        RunEventLoopFor(g_nCaptureSeconds * 1000);
        wall += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        cpu += ProcessCpuSeconds() - cpu0;
        serverCpu += g_pServer->CpuSeconds() - server0;
        frames += recorder.FramesDelivered() - frames0;
        captured += recorder.FramesCaptured() - captured0;
    }
    recorder.Close();
    state.counters["cpu_percent"] = 100 * cpu / wall;
    state.counters["pictures_per_s"] = static_cast<double>(frames) / wall;
    state.counters["captured_frames_per_s"] = static_cast<double>(captured) / wall;
    state.counters["server_cpu_percent"] = 100 * serverCpu / wall;
}
BENCHMARK(BM_Capture)
    ->ArgName("live")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        constexpr const char* kSecondsFlag = "--capture_seconds=";
        if (std::strncmp(argv[i], kSecondsFlag, std::strlen(kSecondsFlag)) == 0) {
            g_nCaptureSeconds = std::max(1, std::atoi(argv[i] + std::strlen(kSecondsFlag)));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    CPrivateSoundServer server(CPrivateSoundServer::Tone::ClockedSine);
    if (!server.IsRunning()) {
        std::printf("bench_capture skipped: no private PulseAudio server: %s\n",
                    qPrintable(server.Error()));
        return 0;
    }
    g_pServer = &server;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
