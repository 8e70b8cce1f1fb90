#include "tests/support/soundserver.h"

#include <signal.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

namespace {

// The fields of /proc/<pid>/stat after the command name; empty when the process is gone.
QStringList StatFields(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString line = QString::fromLatin1(file.readAll());
    const qsizetype end = line.lastIndexOf(u')');
    return end < 0 ? QStringList{} : line.mid(end + 2).split(u' ');
}

// Gone, or a zombie that its new parent has not reaped yet.
bool ProcessEnded(qint64 pid) {
    const QStringList fields = StatFields(pid);
    return fields.isEmpty() || fields[0] == u"Z";
}

}  // namespace

CPrivateSoundServer::CPrivateSoundServer(Tone tone, int sineHz) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty()) {
        m_error = QStringLiteral("pulseaudio is not installed");
        return;
    }
    if (!m_runtime.isValid()) {
        m_error = QStringLiteral("no private runtime folder: ") + m_runtime.errorString();
        return;
    }
    const QString dir = m_runtime.path();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    env.insert(QStringLiteral("HOME"), dir);  // the server's cookie and state stay in here
    env.remove(QStringLiteral("PULSE_SERVER"));
    QProcess server;
    server.setProcessEnvironment(env);
    server.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments = {QStringLiteral("-n"), QStringLiteral("--daemonize=yes"),
                             QStringLiteral("--exit-idle-time=-1"),
                             QStringLiteral("--load=module-native-protocol-unix")};
    if (tone == Tone::SineSource) {
        arguments << QStringLiteral("--load=module-sine-source frequency=%1 source_name=sine")
                         .arg(sineHz);
    } else {
        arguments << QStringLiteral("--load=module-null-sink sink_name=tone")
                  << QStringLiteral("--load=module-sine sink=tone frequency=%1").arg(sineHz)
                  << QStringLiteral(
                         "--load=module-remap-source master=tone.monitor "
                         "source_name=clocked");
    }
    server.start(program, arguments);
    // With --daemonize the command returns once the daemon is up (or has failed).
    if (!server.waitForFinished(15000) || server.exitStatus() != QProcess::NormalExit ||
        server.exitCode() != 0) {
        server.kill();
        server.waitForFinished(1000);
        m_error = QStringLiteral("pulseaudio did not start: ") +
                  QString::fromLocal8Bit(server.readAll()).trimmed();
        return;
    }
    QFile pidFile(dir + QStringLiteral("/pulse/pid"));
    const QString socket = dir + QStringLiteral("/pulse/native");
    if (!pidFile.open(QIODevice::ReadOnly) || !QFileInfo::exists(socket)) {
        m_error = QStringLiteral("pulseaudio left no pid file or socket in ") + dir;
        return;
    }
    m_pid = pidFile.readAll().trimmed().toLongLong();
    if (m_pid <= 0) {
        m_error = QStringLiteral("pulseaudio wrote no process id");
        m_pid = 0;
        return;
    }
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket).toLocal8Bit());
}

CPrivateSoundServer::~CPrivateSoundServer() {
    if (m_pid <= 0) {
        return;
    }
    const auto pid = static_cast<pid_t>(m_pid);
    ::kill(pid, SIGTERM);
    QDeadlineTimer deadline(3000);
    while (!ProcessEnded(m_pid) && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    if (!ProcessEnded(m_pid)) {
        ::kill(pid, SIGKILL);
    }
}

double CPrivateSoundServer::CpuSeconds() const {
    const QStringList fields = StatFields(m_pid);
    // utime and stime are fields 14 and 15 of the whole line, 12 and 13 after the name.
    if (fields.size() < 13) {
        return 0;
    }
    const double ticks = fields[11].toDouble() + fields[12].toDouble();
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}
