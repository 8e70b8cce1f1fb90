// The full read-back of the unit's state (channels 0-10 and the system block) through the link
// controller and the command engine, against the simulated unit in a thread of its own, each
// reported as a ratio to its floor:
//   - over TCP loopback: the floor is the same twelve requests and replies exchanged by a bare
//     blocking socket, one after the other (goal: at most 30 ms);
//   - over a pty whose unit side is paced at 115200 baud: the floor is the wire time of the
//     bytes exchanged (goal: at most 1.1 times it); unpaced, the bare exchange over the pty;
//   - a mode recall over TCP, from the unit's answer to the recall to the end of the read-back
//     (goal: at most 50 ms); the recall is a write, so the first read waits for the next link
//     tick: the floor is one tick and the bare exchange;
//   - the launch of `sonvela --tcp` to the end of its read-back, against the one second the
//     editor waits before it connects (goal: at most 1.3 s).
// Run with --benchmark_repetitions=N and read the medians.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <span>
#include <vector>

#include "core/model/audiodata.h"
#include "core/protocol/audiodataadapter.h"
#include "core/protocol/blocklayout.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "core/protocol/framebuilder.h"
#include "link/clientsocket.h"
#include "link/connectsearch.h"
#include "link/linkcontroller.h"
#include "link/unitconnection.h"
#include "tests/support/simunitthread.h"

namespace {
constexpr int kReadBackRequests = kBlockChannels + 1;
constexpr double kBitsPerByte = 10.0;  // start, 8 data, stop
constexpr double kBaud = 115200.0;
constexpr double kStartDelayMs = 1000.0;  // the editor connects one second after start
constexpr int kRecallMode = 2;

// The channels of one read-back, in request order.
std::vector<int> ReadBackChannels() {
    std::vector<int> channels;
    for (int ch = 0; ch <= kLastBlockChannel; ++ch) {
        channels.push_back(ch);
    }
    channels.push_back(kChSystem);
    return channels;
}

// Bytes on the wire of one read-back: the requests and every reply.
int ReadBackWireBytes() {
    int bytes = 0;
    for (int ch : ReadBackChannels()) {
        bytes += kParamFrameLength + ReplyTotal(ch);
    }
    return bytes;
}

double WireMs() {
    return ReadBackWireBytes() * kBitsPerByte * 1000.0 / kBaud;
}

// The read-back's requests and replies exchanged over `fd` by blocking calls, one request at a
// time; the wall time in ms, or a negative value when the unit does not answer in full.
double BareExchangeMs(int fd) {
    QElapsedTimer clock;
    clock.start();
    std::uint8_t buffer[512];
    for (int ch : ReadBackChannels()) {
        const auto request = MakeReadRequest(static_cast<std::uint8_t>(ch));
        if (write(fd, request->Data(), static_cast<std::size_t>(request->Length())) !=
            request->Length()) {
            return -1;
        }
        for (int got = 0; got < ReplyTotal(ch);) {
            pollfd pfd{fd, POLLIN, 0};
            const ssize_t n = poll(&pfd, 1, 1000) > 0 ? read(fd, buffer, sizeof buffer) : -1;
            if (n <= 0) {
                return -1;
            }
            got += static_cast<int>(n);
        }
    }
    return clock.nsecsElapsed() / 1e6;
}

// The bare exchange's median over `runs` connections made by `open` (a file descriptor, or -1).
double BareFloorMs(const std::function<int()>& open, int runs = 9) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const int fd = open();
        if (fd < 0) {
            return -1;
        }
        times.push_back(BareExchangeMs(fd));
        close(fd);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int ConnectLoopback(quint16 port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

int OpenPtyRaw(const QString& path) {
    const int fd = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd >= 0) {
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
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
    double connectByMs = 0;

    Rig() {
        QObject::connect(&controller, &CLinkController::ReadBackCompleted,
                         [this](bool) { bDone = true; });
        QObject::connect(&controller, &CLinkController::LinkLost,
                         [this](LinkKind) { bLost = true; });
    }

    bool Wait() {
        while (!bDone && !bLost) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return bDone;
    }

    // Takes the acknowledged link `index` over (ConnectBy, which also reads the unit back);
    // false when that read-back does not complete.
    bool Connect(int index) {
        bDone = bLost = false;
        state.unitAcked = 1;
        QElapsedTimer clock;
        clock.start();
        controller.ConnectBy(index);
        connectByMs = clock.nsecsElapsed() / 1e6;
        return Wait();
    }

    // One more read-back on the connected link, as ConnectBy starts it: the requests queued, the
    // first sent at once, the rest by the replies. Its wall time in seconds.
    double ReadBack() {
        bDone = bLost = false;
        QElapsedTimer clock;
        clock.start();
        connection.ModelAdapter()->ReadAllSequence(command, 0, state.Chunked());
        command.SendPendingHead(state.linkKind);
        Wait();
        return clock.nsecsElapsed() / 1e9;
    }

    bool ConnectTcp(quint16 port) {
        socket.StartConnect("127.0.0.1", port);
        while (socket.IsConnecting()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.searchStage = SearchStage::Network;
        return socket.IsConnected();
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void Report(benchmark::State& st, const std::vector<double>& ms, double floorMs) {
    const double median = Median(ms);
    st.counters["median_ms"] = median;
    st.counters["floor_ms"] = floorMs;
    st.counters["ratio"] = floorMs > 0 ? median / floorMs : 0.0;
}

// The bare exchange's floor against the unit on TCP, and the rig connected to the unit (one
// read-back done); -1 with the benchmark skipped when the unit cannot be reached.
double ConnectOverTcp(benchmark::State& st, const CSimUnitThread& unit, Rig& rig) {
    const double floorMs =
        unit.IsValid() ? BareFloorMs([&] { return ConnectLoopback(unit.TcpPort()); }) : -1;
    if (floorMs < 0 || !rig.ConnectTcp(unit.TcpPort()) || !rig.Connect(kConnectNetwork)) {
        st.SkipWithError("cannot connect to the unit");
        return -1;
    }
    return floorMs;
}

void BM_ReadBackTcpLoopback(benchmark::State& st) {
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
    Rig rig;
    const double floorMs = ConnectOverTcp(st, unit, rig);
    if (floorMs < 0) {
        return;
    }
    std::vector<double> ms;
    for (auto _ : st) {
        const double seconds = rig.ReadBack();
        st.SetIterationTime(seconds);
        ms.push_back(seconds * 1000.0);
    }
    rig.controller.DisconnectNetwork();
    Report(st, ms, floorMs);
}

// Argument 1: the unit side paced at 115200 baud (floor: the wire time); 0: as fast as the pty
// goes (floor: the bare exchange).
void BM_ReadBackPty(benchmark::State& st) {
    const bool paced = st.range(0) != 0;
    CSimUnitThread unit(CSimUnitThread::Transport::Pty, {}, paced);
    if (!unit.IsValid()) {
        st.SkipWithError("no pty");
        return;
    }
    const double floorMs =
        paced ? WireMs() : BareFloorMs([&] { return OpenPtyRaw(unit.PtyPath()); });
    Rig rig;
    rig.controller.SetPortNames({unit.PtyPath()});
    rig.state.searchStage = SearchStage::Serial;
    if (!rig.Connect(0)) {
        st.SkipWithError("no read-back over the pty");
        return;
    }
    std::vector<double> ms;
    for (auto _ : st) {
        const double seconds = rig.ReadBack();
        st.SetIterationTime(seconds);
        ms.push_back(seconds * 1000.0);
    }
    rig.command.CloseSerial();
    Report(st, ms, floorMs);
    st.counters["connectBy_ms"] = rig.connectByMs;
}

// A mode recall over TCP: from the unit's answer to the recall (EE CC) to the end of the
// read-back that follows it.
void BM_ModeRecallTcp(benchmark::State& st) {
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
    Rig rig;
    const double floorMs = ConnectOverTcp(st, unit, rig);
    if (floorMs < 0) {
        return;
    }
    QElapsedTimer clock;
    qint64 answeredNs = -1;
    rig.socket.SetReceiver([&](std::span<const std::uint8_t> bytes) {
        if (answeredNs < 0 && bytes.size() >= 2 && bytes[0] == kStatusByte &&
            bytes[1] == kStatusCc) {
            answeredNs = clock.nsecsElapsed();
        }
        rig.command.OnReceived(LinkKind::Network, bytes);
    });
    std::vector<double> ms;
    for (auto _ : st) {
        rig.bDone = rig.bLost = false;
        answeredNs = -1;
        clock.start();
        rig.controller.LoadMode(kRecallMode);
        if (!rig.Wait() || answeredNs < 0) {
            st.SkipWithError("the recall was not answered");
            break;
        }
        const double seconds = (clock.nsecsElapsed() - answeredNs) / 1e9;
        st.SetIterationTime(seconds);
        ms.push_back(seconds * 1000.0);
    }
    rig.controller.DisconnectNetwork();
    Report(st, ms, kLinkTickMs + floorMs);
}

#ifdef SONVELA_EXECUTABLE
// `sonvela --tcp` from its start to the end of its read-back (it ends there).
void BM_LaunchToReadBack(benchmark::State& st) {
    CSimUnitThread unit(CSimUnitThread::Transport::Tcp);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SONVELA_EXIT_AFTER_READBACK", "1");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    std::vector<double> ms;
    for (auto _ : st) {
        QProcess process;
        process.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        process.start(SONVELA_EXECUTABLE,
                      {"--tcp", QStringLiteral("127.0.0.1:%1").arg(unit.TcpPort())});
        if (!process.waitForFinished(10000) || process.exitCode() != 0) {
            st.SkipWithError("sonvela did not end after its read-back");
            break;
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        st.SetIterationTime(seconds);
        ms.push_back(seconds * 1000.0);
    }
    Report(st, ms, kStartDelayMs);
}
BENCHMARK(BM_LaunchToReadBack)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

BENCHMARK(BM_ReadBackTcpLoopback)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ReadBackPty)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK(BM_ModeRecallTcp)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
}  // namespace
