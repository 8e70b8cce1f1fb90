// A PulseAudio server of the caller's own: a private runtime folder, no configuration read,
// and a sine tone as the only (so the default) input. Starting it points this process's audio
// clients at it (XDG_RUNTIME_DIR, PULSE_SERVER), so it must run before anything asks Qt for
// audio devices. The destructor ends the server and removes the folder.
//
// Two ways to make the tone:
// - SineSource: the server's sine source. It renders two seconds ahead, so its sound reaches a
//   client in bursts of about two seconds.
// - ClockedSine: a sine player into a clocked null sink; the input is a source remapped from
//   the sink's monitor (audio clients do not list monitors as inputs). It is paced like a
//   sound card and honours the latency a client asks for (20 ms fragments, say).
#pragma once

#include <QString>
#include <QTemporaryDir>

class CPrivateSoundServer {
public:
    enum class Tone { SineSource, ClockedSine };

    explicit CPrivateSoundServer(Tone tone = Tone::SineSource, int sineHz = 1000);
    ~CPrivateSoundServer();
    CPrivateSoundServer(const CPrivateSoundServer&) = delete;
    CPrivateSoundServer& operator=(const CPrivateSoundServer&) = delete;

    bool IsRunning() const { return m_pid > 0; }
    // Why the server is not running.
    QString Error() const { return m_error; }
    qint64 Pid() const { return m_pid; }
    // CPU time the server process has used so far, in seconds (0 when unknown).
    double CpuSeconds() const;

private:
    QTemporaryDir m_runtime;
    qint64 m_pid = 0;
    QString m_error;
};
