// The full read-back of the unit's state (channels 0-10 and the system block) through the link
// controller and the command engine, against the simulated unit in a thread of its own: over TCP
// loopback, and over a pty whose unit side is paced at 115200 baud. Reported with each run's
// ratio to its floor: one link tick (16 ms) per request, or the serial wire time when larger.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "core/model/audiodata.h"
#include "core/protocol/blocklayout.h"
#include "core/protocol/command.h"
#include "link/clientsocket.h"
#include "link/connectsearch.h"
#include "link/linkcontroller.h"
#include "link/unitconnection.h"
#include "tests/support/simunitthread.h"

namespace {
constexpr int kReadBackRequests = kBlockChannels + 1;
constexpr double kBitsPerByte = 10.0;  // start, 8 data, stop
constexpr double kBaud = 115200.0;

// Bytes on the wire of one read-back: the requests and every reply.
int ReadBackWireBytes() {
    int bytes = kReadBackRequests * 9 + ReplyTotal(kChSystem);
    for (int ch = 0; ch <= kLastBlockChannel; ++ch) {
        bytes += ReplyTotal(ch);
    }
    return bytes;
}

double FloorMs(bool serial) {
    const double ticks = kReadBackRequests * static_cast<double>(kLinkTickMs);
    const double wire = serial ? ReadBackWireBytes() * kBitsPerByte * 1000.0 / kBaud : 0.0;
    return std::max(ticks, wire);
}

struct Rig {
    CAudioData model;
    CUnitConnection connection{model};
    CLinkState& state = connection.State();
    CClientSocket& socket = connection.Socket();
    CLinkController& controller = connection.Controller();
    CCommand& command = connection.Command();
    bool bDone = false;
    bool bLost = false;
    qint64 connectNs = 0;

    Rig() {
        QObject::connect(&controller, &CLinkController::ReadBackCompleted,
                         [this](bool) { bDone = true; });
        QObject::connect(&controller, &CLinkController::LinkLost,
                         [this](LinkKind) { bLost = true; });
    }

    // One read-back on the acknowledged link `index`; its wall time in seconds.
    double ReadBack(int index) {
        bDone = bLost = false;
        state.unitAcked = 1;
        QElapsedTimer clock;
        clock.start();
        controller.ConnectBy(index);
        // The read-back is timed from the moment its requests are queued and the link's timer
        // runs; taking the link over (reopening a serial port) is reported apart.
        connectNs += clock.nsecsElapsed();
        clock.restart();
        while (!bDone && !bLost) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        // Stop the link's timer and empty the queue, keeping the transport for the next run.
        state.connected = 0;
        command.ClearQueue();
        return seconds;
    }
};

qint64 g_connectNs = 0;
void Report(benchmark::State& st, double totalSeconds, int runs, bool serial) {
    const double meanMs = totalSeconds * 1000.0 / std::max(runs, 1);
    st.counters["floor_ms"] = FloorMs(serial);
    st.counters["mean_ms"] = meanMs;
    st.counters["ratio"] = meanMs / FloorMs(serial);
    st.counters["connectBy_ms"] = g_connectNs / 1e6 / std::max(runs, 1);
}

void BM_ReadBackTcpLoopback(benchmark::State& st) {
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
    Rig rig;
    if (unit.IsValid()) {
        rig.socket.StartConnect("127.0.0.1", unit.TcpPort());
        while (rig.socket.IsConnecting()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    if (!rig.socket.IsConnected()) {
        st.SkipWithError("cannot connect to the unit");
        return;
    }
    rig.state.searchStage = SearchStage::Network;
    double total = 0;
    int runs = 0;
    for (auto _ : st) {
        const double seconds = rig.ReadBack(kConnectNetwork);
        st.SetIterationTime(seconds);
        total += seconds;
        ++runs;
    }
    rig.controller.DisconnectNetwork();
    g_connectNs = rig.connectNs;
    Report(st, total, runs, false);
}

// Argument 1: the unit side paced at 115200 baud; 0: as fast as the pty goes.
void BM_ReadBackPty(benchmark::State& st) {
    const bool paced = st.range(0) != 0;
    CSimUnitThread unit(CSimUnitThread::Transport::Pty, {}, paced);
    if (!unit.IsValid()) {
        st.SkipWithError("no pty");
        return;
    }
    Rig rig;
    rig.controller.SetPortNames({unit.PtyPath()});
    rig.state.searchStage = SearchStage::Serial;
    double total = 0;
    int runs = 0;
    for (auto _ : st) {
        const double seconds = rig.ReadBack(0);
        st.SetIterationTime(seconds);
        total += seconds;
        ++runs;
    }
    rig.command.CloseSerial();
    g_connectNs = rig.connectNs;
    Report(st, total, runs, paced);
}

BENCHMARK(BM_ReadBackTcpLoopback)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ReadBackPty)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
}  // namespace
