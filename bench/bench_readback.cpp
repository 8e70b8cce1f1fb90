// The full read-back of the unit's state (channels 0-10 and the system block) through the link
// controller and the command engine, against the simulated unit in a thread of its own: over TCP
// loopback, and over a pty whose unit side is paced at 115200 baud. Reported with each run's
// ratio to its floor: one link tick (16 ms) per request, or the serial wire time when larger.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "link/audiodataconnection.h"
#include "link/clientsocket.h"
#include "link/connectsearch.h"
#include "link/linkcontroller.h"
#include "link/seriallink.h"
#include "link/serialport.h"
#include "model/audiodata.h"
#include "protocol/blocklayout.h"
#include "protocol/command.h"
#include "protocol/readback.h"
#include "simunit.h"

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

// The simulated unit answering on one file descriptor until stopped. With `paced` every byte
// in and out takes its time at 115200 baud.
class CUnitThread {
public:
    CUnitThread(int fd, bool paced) : m_fd(fd), m_paced(paced), m_thread([this] { Run(); }) {}
    ~CUnitThread() {
        m_stop = true;
        m_thread.join();
    }
    CUnitThread(const CUnitThread&) = delete;
    CUnitThread& operator=(const CUnitThread&) = delete;

private:
    // With pacing, bytes leave no earlier than the wire would let them: deadlines are kept
    // from the first byte of each exchange, so sleep overshoots do not add up.
    using Clock = std::chrono::steady_clock;
    Clock::duration WireTime(std::size_t bytes) const {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::nanoseconds(static_cast<long long>(bytes * kBitsPerByte * 1e9 / kBaud)));
    }
    void Run() {
        CSimUnit unit;
        std::uint8_t buffer[512];
        while (!m_stop) {
            pollfd pfd{m_fd, POLLIN, 0};
            if (poll(&pfd, 1, 20) <= 0 || (pfd.revents & POLLIN) == 0) {
                continue;
            }
            const ssize_t got = read(m_fd, buffer, sizeof buffer);
            if (got <= 0) {
                continue;
            }
            const std::vector<std::uint8_t> answer =
                unit.OnStreamBytes({buffer, static_cast<std::size_t>(got)});
            if (!m_paced) {
                if (!answer.empty() && write(m_fd, answer.data(), answer.size()) < 0) {
                    return;
                }
                continue;
            }
            // The request took its wire time to arrive; the answer leaves byte by byte.
            const Clock::time_point start = Clock::now() + WireTime(static_cast<std::size_t>(got));
            constexpr std::size_t kPaceChunk = 8;
            for (std::size_t done = 0; done < answer.size();) {
                const std::size_t n = std::min(kPaceChunk, answer.size() - done);
                std::this_thread::sleep_until(start + WireTime(done + n));
                if (write(m_fd, answer.data() + done, n) <= 0) {
                    break;
                }
                done += n;
            }
        }
    }

    int m_fd;
    bool m_paced;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

struct Rig {
    CLinkState state;
    CAudioData model;
    CAudioDataCommandModel commandModel{model};
    CAudioDataConnection connection{model, state};
    CSerialPort serialPort;
    CSerialLink serialLink{serialPort};
    CClientSocket socket;
    CLinkController controller{state, connection, serialPort, socket, nullptr};
    CCommand command{state, controller, commandModel, serialLink};
    bool bDone = false;
    bool bLost = false;
    qint64 connectNs = 0;

    Rig() {
        controller.SetCommand(&command);
        QObject::connect(&controller, &CLinkController::ReadBackCompleted,
                         [this](bool) { bDone = true; });
        QObject::connect(&controller, &CLinkController::LinkLost, [this](int) { bLost = true; });
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
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(listener, reinterpret_cast<sockaddr*>(&address), length);
    listen(listener, 1);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);

    Rig rig;
    if (!rig.socket.ConnectTo("127.0.0.1", ntohs(address.sin_port))) {
        st.SkipWithError("cannot connect to the unit");
        close(listener);
        return;
    }
    const int connection = accept(listener, nullptr, nullptr);
    double total = 0;
    int runs = 0;
    {
        CUnitThread unit(connection, false);
        rig.state.searchStage = kStageNetwork;
        for (auto _ : st) {
            const double seconds = rig.ReadBack(kConnectNetwork);
            st.SetIterationTime(seconds);
            total += seconds;
            ++runs;
        }
        rig.controller.DisconnectNetwork();
    }
    g_connectNs = rig.connectNs;
    Report(st, total, runs, false);
    close(connection);
    close(listener);
}

// Argument 1: the unit side paced at 115200 baud; 0: as fast as the pty goes.
void BM_ReadBackPty(benchmark::State& st) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        st.SkipWithError("no pty");
        return;
    }
    termios tio{};
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);

    Rig rig;
    rig.controller.SetPortNames({QString::fromLocal8Bit(ptsname(master))});
    double total = 0;
    int runs = 0;
    {
        CUnitThread unit(master, st.range(0) != 0);
        rig.state.searchStage = kStageSerial;
        for (auto _ : st) {
            const double seconds = rig.ReadBack(0);
            st.SetIterationTime(seconds);
            total += seconds;
            ++runs;
        }
        rig.command.CloseSerial();
    }
    g_connectNs = rig.connectNs;
    Report(st, total, runs, st.range(0) != 0);
    close(master);
}

BENCHMARK(BM_ReadBackTcpLoopback)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_ReadBackPty)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
