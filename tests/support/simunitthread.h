// The simulated unit served from a thread of its own, the way the editor meets a real unit:
// on a TCP port of the loopback address (one connection at a time, as many in turn as come) or
// on the master side of a pty whose slave is the "serial port". Optionally paced at 115200 baud.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

#include "simunit.h"

class CSimUnitThread {
public:
    enum class Transport { Tcp, Pty };

    // tcpPort 0: a free port of the system's choice.
    CSimUnitThread(Transport transport, SimOptions options = {}, bool paced = false,
                   quint16 tcpPort = 0);
    ~CSimUnitThread();
    CSimUnitThread(const CSimUnitThread&) = delete;
    CSimUnitThread& operator=(const CSimUnitThread&) = delete;

    bool IsValid() const { return m_listenFd >= 0 || m_ptyFd >= 0; }
    quint16 TcpPort() const { return m_tcpPort; }
    QString PtyPath() const { return m_ptyPath; }
    // The link option of sonvela-cli that reaches this unit.
    QStringList CliLinkOptions() const;

    // After this many answered frames the unit falls silent (0: never).
    void MuteAfter(int frames) { m_muteAfter = frames; }

    // Runs fn on the unit while its thread is not touching it.
    void WithUnit(const std::function<void(CSimUnit&)>& fn);

private:
    void Run();
    void Serve(int fd);

    CSimUnit m_unit;
    std::mutex m_mutex;
    bool m_paced;
    int m_listenFd = -1;
    int m_ptyFd = -1;
    quint16 m_tcpPort = 0;
    QString m_ptyPath;
    std::atomic<int> m_muteAfter{0};
    int m_answered = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
