// The longest stall of the UI thread's event loop during a full connection search (USB, the
// serial ports, the network) that finds nothing: a 1 ms timer runs beside the search and the
// largest gap between two of its ticks is the longest time the loop was kept from running.
// Two cases: no unit anywhere (no USB device, a port that does not exist, and an address whose
// connect never completes, so the network stage waits out its connect time), and a silent unit
// (a USB device, a pty and a TCP server that take every handshake and never answer).
#include <benchmark/benchmark.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>
#include <vector>

#include "core/model/audiodata.h"
#include "link/connectsearch.h"
#include "link/unitconnection.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/pty.h"

namespace {
// A loopback port whose connects never complete: it listens with a backlog that is kept full
// and never accepts, so the kernel drops every further connection request.
class CStuckListener {
public:
    CStuckListener() {
        m_listenFd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(m_listenFd, 0);
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        for (int i = 0; i < 3; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            m_fillers.push_back(fd);
        }
    }
    ~CStuckListener() {
        for (const int fd : m_fillers) {
            ::close(fd);
        }
        ::close(m_listenFd);
    }
    CStuckListener(const CStuckListener&) = delete;
    CStuckListener& operator=(const CStuckListener&) = delete;
    quint16 Port() const { return m_port; }

private:
    int m_listenFd = -1;
    quint16 m_port = 0;
    std::vector<int> m_fillers;
};

struct SearchTimes {
    double maxStallMs = 0;
    double searchMs = 0;
};

SearchTimes RunSearch(bool silentUnit) {
    CFakeHidBackend::Shared hid;
    hid.deviceAttached = silentUnit;
    CPty pty;
    CStuckListener stuck;
    QTcpServer silentServer;  // accepts, never answers
    silentServer.listen(QHostAddress::LocalHost, 0);
    CAudioData model;
    CUnitConnection connection(model, std::make_unique<CFakeHidBackend>(hid));
    SearchPlan plan;
    plan.portNames = {silentUnit ? pty.SlavePath() : QStringLiteral("/dev/ttyNOSUCHPORT0")};
    plan.address = QStringLiteral("127.0.0.1");
    plan.tcpPort = silentUnit ? silentServer.serverPort() : stuck.Port();
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
