// The editor's own costs: start-up to the first painted window (the sonvela executable, which
// ends after its first paint with SONVELA_EXIT_AFTER_PAINT=1), resident memory after a whole
// read-back from the simulated unit, and one Music band slider step (setter, response, repaint
// of the page and of the response curve view), a page switch (ShowPage: the page loaded from the
// model, page and curve repainted) for every page, and the microphone page's scroll (ten band
// columns reloaded and repainted). Run with --benchmark_repetitions=N and read the medians.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/statictrans.h"
#include "gui/curve/drawcurve.h"
#include "gui/pages/micdlg.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/switchchdlg.h"
#include "gui/shell/brioapp.h"
#include "gui/shell/briodlg.h"
#include "gui/shell/titlebar.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/simunitthread.h"

namespace {
long ResidentKb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

void BM_StartupToFirstPaint(benchmark::State& state) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SONVELA_EXIT_AFTER_PAINT", "1");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        // The network search only: nothing answers on port 1, and the program ends first.
        process.start(SONVELA_EXECUTABLE, {"--tcp", "127.0.0.1:1"});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            state.SkipWithError("sonvela did not end after its first paint");
            break;
        }
    }
}
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResidentAfterReadBack(benchmark::State& state) {
    for (auto _ : state) {
        CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
        QTemporaryDir lockDir;
        CFakeHidBackend::Shared hid;
        hid.deviceAttached = false;
        SAppOptions options;
        options.plan.bUsb = options.plan.bSerial = false;
        options.plan.address = "127.0.0.1";
        options.plan.tcpPort = unit.TcpPort();
        SAppEnvironment environment;
        environment.hidBackend = std::make_unique<CFakeHidBackend>(hid);
        environment.lockFolder = lockDir.path();
        environment.bWatchHotplug = false;
        CBrioApp app(options, std::move(environment));
        app.Start();
        const bool connected = QTest::qWaitFor(
            [&] { return app.MainWindow()->TitleBar()->StatusLabel()->text() == "Connected"; },
            15000);
        if (!connected) {
            state.SkipWithError("no read-back");
            break;
        }
        QTest::qWait(200);
        state.counters["rss_MB"] = static_cast<double>(ResidentKb()) / 1024.0;
    }
}
BENCHMARK(BM_ResidentAfterReadBack)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_MusicBandSliderStep(benchmark::State& state) {
    LoadLabelTable(kLanguageEnglish);
    CAudioData model;
    QWidget window;
    window.resize(1100, 577);
    CMusicDlg page(model, &window);
    CDrawCurve curve(&window);
    curve.SetModel(&model);
    page.setGeometry(0, 0, 910, 270);
    curve.setGeometry(0, 270, 1100, 307);
    page.SetCurveView(&curve);
    window.show();
    page.LoadFromModel(0);
    QApplication::processEvents();
    constexpr int kGainSlider = 1321 + 3;
    int position = 0;
    for (auto _ : state) {
        position = (position + 1) % 181;
        page.OnControl(kGainSlider, position);
        page.repaint();
        curve.repaint();
    }
}
BENCHMARK(BM_MusicBandSliderStep)->Unit(benchmark::kMicrosecond);

// The editor's window with every page built, no unit (nothing answers on port 1); it lives as
// long as the benchmark that made it.
struct SIdleEditor {
    QTemporaryDir lockDir;
    CFakeHidBackend::Shared hid;
    std::unique_ptr<CBrioApp> app;

    SIdleEditor() {
        hid.deviceAttached = false;
        SAppOptions options;
        options.plan.bUsb = options.plan.bSerial = false;
        options.plan.address = "127.0.0.1";
        options.plan.tcpPort = 1;
        SAppEnvironment environment;
        environment.hidBackend = std::make_unique<CFakeHidBackend>(hid);
        environment.lockFolder = lockDir.path();
        environment.bWatchHotplug = false;
        app = std::make_unique<CBrioApp>(options, std::move(environment));
        app->Start();
        QApplication::processEvents();
    }
    CBrioDlg& Window() { return *app->MainWindow(); }
};

// Page k shown after another page: ShowPage with LoadFromModel, page and curve repainted.
void BM_PageSwitch(benchmark::State& state) {
    SIdleEditor editor;
    CBrioDlg& window = editor.Window();
    const int page = static_cast<int>(state.range(0));
    const int other = page == 0 ? 1 : 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.Selector()->ShowPage(other);
        window.repaint();
        state.ResumeTiming();
        window.Selector()->ShowPage(page);
        window.Pages().Page(page)->repaint();
        window.CurveView()->repaint();
    }
}
BENCHMARK(BM_PageSwitch)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// The microphone page scrolled from the first to the last band window and back: ten columns
// reloaded and the page repainted each time.
void BM_MicScroll(benchmark::State& state) {
    SIdleEditor editor;
    CBrioDlg& window = editor.Window();
    window.Selector()->ShowPage(kPageMic);
    auto* pMic = static_cast<CMicDlg*>(window.Pages().Page(kPageMic));
    int first = 0;
    for (auto _ : state) {
        first = first == 0 ? pMic->LastFirstBand() : 0;
        pMic->SetFirstBand(first);
        pMic->repaint();
    }
}
BENCHMARK(BM_MicScroll)->Unit(benchmark::kMillisecond);
}  // namespace
