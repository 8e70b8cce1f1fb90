// The editor's undo, reconnect and A/B against the simulated unit over TCP, the whole editor
// running (sonvela's start-up, the window offscreen, the keys pressed on it):
//   BM_UndoReachesTheUnit    Ctrl+Z to the unit holding the old value again; also in link ticks
//   BM_ReconnectReadBack     the unit stops, listens again 0.5 s later on the same port: from
//                            then to the read-back complete ("Connected" shown)
//   BM_AbToggle20Fields      F7 to the unit holding all 20 fields of the other slot
// Run with --benchmark_repetitions=N and read the medians.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "core/model/audiodata.h"
#include "core/protocol/linkinterfaces.h"
#include "gui/controls/statictrans.h"
#include "gui/shell/brioapp.h"
#include "gui/shell/briodlg.h"
#include "gui/shell/titlebar.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/simunitthread.h"

namespace {
struct Editor {
    QTemporaryDir dir;
    CFakeHidBackend::Shared hid;
    std::unique_ptr<CSimUnitThread> unit;
    std::unique_ptr<CBrioApp> app;
    quint16 port = 0;

    bool Start() {
        qputenv("XDG_DATA_HOME", dir.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        unit = std::make_unique<CSimUnitThread>(CSimUnitThread::Transport::Tcp);
        port = unit->TcpPort();
        hid.deviceAttached = false;
        SAppOptions options;
        options.plan.bUsb = options.plan.bSerial = false;
        options.plan.address = "127.0.0.1";
        options.plan.tcpPort = port;
        SAppEnvironment environment;
        environment.hidBackend = std::make_unique<CFakeHidBackend>(hid);
        environment.lockFolder = dir.path();
        environment.bWatchHotplug = false;
        app = std::make_unique<CBrioApp>(options, std::move(environment));
        return app->Start() == 0 && WaitConnected(15000);
    }
    CBrioDlg& Window() { return *app->MainWindow(); }
    CAudioData& Model() { return app->Model(); }
    bool WaitConnected(int ms) {
        return Spin([&] { return Window().TitleBar()->StatusLabel()->text() == "Connected"; }, ms);
    }
    // Runs the event loop without sleeping until done() holds; false after ms.
    static bool Spin(const std::function<bool()>& done, int ms) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > ms) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return true;
    }
    std::int16_t UnitWord(int channel, int word) {
        std::int16_t value = 0;
        unit->WithUnit(
            [&](CSimUnit& u) { value = u.Block(channel)[static_cast<std::size_t>(word)]; });
        return value;
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&Window(), key, modifiers);
    }
};

void BM_UndoReachesTheUnit(benchmark::State& state) {
    Editor editor;
    if (!editor.Start()) {
        state.SkipWithError("no connection");
        return;
    }
    CAudioVolData& volume = editor.Model().Volume();
    double ticks = 0;
    for (auto _ : state) {
        const std::int16_t before = volume.GetEffectVol();
        const std::int16_t after = static_cast<std::int16_t>(before == 20 ? 21 : 20);
        volume.SetEffectVol(after);
        if (!Editor::Spin([&] { return editor.UnitWord(kChVolume, 2) == after; }, 2000)) {
            state.SkipWithError("the edit did not arrive");
            break;
        }
        QTest::qWait(1100);  // the next edit is a step of its own
        QElapsedTimer timer;
        timer.start();
        editor.Key(Qt::Key_Z, Qt::ControlModifier);
        if (!Editor::Spin([&] { return editor.UnitWord(kChVolume, 2) == before; }, 2000)) {
            state.SkipWithError("the undo did not arrive");
            break;
        }
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        ticks += seconds * 1000.0 / kLinkTickMs;
    }
    // Mean link ticks from the key to the unit holding the old value.
    state.counters["link_ticks"] = benchmark::Counter(ticks, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UndoReachesTheUnit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReconnectReadBack(benchmark::State& state) {
    Editor editor;
    if (!editor.Start()) {
        state.SkipWithError("no connection");
        return;
    }
    for (auto _ : state) {
        editor.unit.reset();
        if (!Editor::Spin(
                [&] { return editor.Window().TitleBar()->StatusLabel()->text() != "Connected"; },
                3000)) {
            state.SkipWithError("the link was not lost");
            break;
        }
        QTest::qWait(500);
        editor.unit = std::make_unique<CSimUnitThread>(CSimUnitThread::Transport::Tcp, SimOptions{},
                                                       false, editor.port);
        QElapsedTimer timer;
        timer.start();
        if (!editor.WaitConnected(15000)) {
            state.SkipWithError("no reconnect");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ReconnectReadBack)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_AbToggle20Fields(benchmark::State& state) {
    Editor editor;
    if (!editor.Start()) {
        state.SkipWithError("no connection");
        return;
    }
    // B starts as a copy of A; 20 fields of B are changed: echo and reverb settings and the gains
    // of the first bands of the music, microphone and main out equalisers.
    editor.Key(Qt::Key_F7);
    CAudioData& model = editor.Model();
    struct Field {
        int channel;
        int word;
    };
    std::vector<Field> fields;
    for (int w : {0, 1, 2, 4, 5, 6, 7, 8, 11, 12, 13, 14}) {
        fields.push_back({kChEffect, w});
    }
    for (int k = 0; k < 3; ++k) {
        fields.push_back({kChMusic, model.Music().GetEQ().GetAt(k).BandWordBase()});
        fields.push_back({kChMic, model.Mic().GetEQ().GetAt(k).BandWordBase()});
    }
    for (int k = 0; k < 2; ++k) {
        fields.push_back({kChMainOut + 1, model.MainOut(1).GetEQ().GetAt(k).BandWordBase()});
    }
    std::vector<std::int16_t> a;
    std::vector<std::int16_t> b;
    for (const Field& f : fields) {
        a.push_back(editor.UnitWord(f.channel, f.word));
        b.push_back(static_cast<std::int16_t>(a.back() == 7 ? 8 : 7));
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        CEqRecord* record = model.EqRecordOfChannel(fields[i].channel);
        const int field = record->FieldAtWord(fields[i].word);
        if (field >= 0) {
            record->Set(field, b[i]);
        } else {
            const int band = (fields[i].word - record->GetEQ().GetAt(0).BandWordBase()) / 5;
            record->GetEQ().GetAt(band).SetGain(b[i]);
        }
    }
    const auto holds = [&](const std::vector<std::int16_t>& values) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (editor.UnitWord(fields[i].channel, fields[i].word) != values[i]) {
                return false;
            }
        }
        return true;
    };
    if (!Editor::Spin([&] { return holds(b); }, 3000)) {
        state.SkipWithError("slot B did not reach the unit");
        return;
    }
    bool toA = true;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        editor.Key(Qt::Key_F7);
        if (!Editor::Spin([&] { return holds(toA ? a : b); }, 3000)) {
            state.SkipWithError("the other slot did not reach the unit");
            break;
        }
        state.SetIterationTime(static_cast<double>(timer.nsecsElapsed()) / 1e9);
        toA = !toA;
        QTest::qWait(100);
    }
    state.counters["fields"] = static_cast<double>(fields.size());
}
BENCHMARK(BM_AbToggle20Fields)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(6);
}  // namespace
