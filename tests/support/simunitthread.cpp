#include "tests/support/simunitthread.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <QStringList>
#include <chrono>

namespace {
using Clock = std::chrono::steady_clock;
constexpr double kBitsPerByte = 10.0;
constexpr double kBaud = 115200.0;

Clock::duration WireTime(std::size_t bytes) {
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(static_cast<long long>(bytes * kBitsPerByte * 1e9 / kBaud)));
}
}  // namespace

CSimUnitThread::CSimUnitThread(Transport transport, SimOptions options, bool paced, quint16 tcpPort)
    : m_unit(std::move(options)), m_paced(paced) {
    if (transport == Transport::Tcp) {
        m_listenFd = socket(AF_INET, SOCK_STREAM, 0);
        // A unit started again on the port of one that stopped listens at once.
        const int reuse = 1;
        setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(tcpPort);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(m_listenFd, 4) != 0 ||
            getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            close(m_listenFd);
            m_listenFd = -1;
            return;
        }
        m_tcpPort = ntohs(address.sin_port);
    } else {
        m_ptyFd = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_ptyFd < 0 || grantpt(m_ptyFd) != 0 || unlockpt(m_ptyFd) != 0) {
            if (m_ptyFd >= 0) {
                close(m_ptyFd);
            }
            m_ptyFd = -1;
            return;
        }
        termios tio{};
        tcgetattr(m_ptyFd, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_ptyFd, TCSANOW, &tio);
        m_ptyPath = QString::fromLocal8Bit(ptsname(m_ptyFd));
    }
    m_thread = std::thread([this] { Run(); });
}

CSimUnitThread::~CSimUnitThread() {
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (m_listenFd >= 0) {
        close(m_listenFd);
    }
    if (m_ptyFd >= 0) {
        close(m_ptyFd);
    }
}

QStringList CSimUnitThread::CliLinkOptions() const {
    if (m_ptyFd >= 0) {
        return {"--serial", m_ptyPath};
    }
    return {"--tcp", QStringLiteral("127.0.0.1:%1").arg(m_tcpPort)};
}

void CSimUnitThread::WithUnit(const std::function<void(CSimUnit&)>& fn) {
    std::lock_guard lock(m_mutex);
    fn(m_unit);
}

void CSimUnitThread::Run() {
    if (m_ptyFd >= 0) {
        Serve(m_ptyFd);
        return;
    }
    while (!m_stop) {
        pollfd pfd{m_listenFd, POLLIN, 0};
        if (poll(&pfd, 1, 20) <= 0) {
            continue;
        }
        const int connection = accept(m_listenFd, nullptr, nullptr);
        if (connection < 0) {
            continue;
        }
        const int one = 1;
        setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        Serve(connection);
        close(connection);
    }
}

void CSimUnitThread::Serve(int fd) {
    std::uint8_t buffer[512];
    while (!m_stop) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, 20) <= 0) {
            continue;
        }
        if ((pfd.revents & POLLIN) == 0) {
            // A pty whose slave is closed between two opens, or a peer that went away.
            if (fd != m_ptyFd) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            if (fd != m_ptyFd) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        std::vector<std::uint8_t> answer;
        {
            std::lock_guard lock(m_mutex);
            answer = m_unit.OnStreamBytes({buffer, static_cast<std::size_t>(got)});
        }
        const int muteAfter = m_muteAfter.load();
        if (muteAfter > 0 && !answer.empty() && ++m_answered > muteAfter) {
            continue;
        }
        if (!m_paced) {
            if (!answer.empty() && write(fd, answer.data(), answer.size()) < 0) {
                return;
            }
            continue;
        }
        // Paced: the request took its wire time to arrive, the answer leaves byte by byte.
        // Deadlines are kept from the start of the exchange so that sleep overshoots do not
        // add up.
        const Clock::time_point start = Clock::now() + WireTime(static_cast<std::size_t>(got));
        constexpr std::size_t kPaceChunk = 8;
        for (std::size_t done = 0; done < answer.size();) {
            const std::size_t n = std::min(kPaceChunk, answer.size() - done);
            std::this_thread::sleep_until(start + WireTime(done + n));
            if (write(fd, answer.data() + done, n) <= 0) {
                return;
            }
            done += n;
        }
    }
}
