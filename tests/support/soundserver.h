// A PulseAudio server of the caller's own: a private runtime folder, no configuration read,
// and a sine source as the only (so the default) input. Starting it points this process's
// audio clients at it (XDG_RUNTIME_DIR, PULSE_SERVER), so it must run before anything asks Qt
// for audio devices. The destructor ends the server and removes the folder.
#pragma once

#include <QString>
#include <QTemporaryDir>

class CPrivateSoundServer {
public:
    explicit CPrivateSoundServer(int sineHz = 1000);
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
