// The tq640v-sim executable: a hand-made handshake and read-back over TCP and over its pty,
// and its memory written on SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QByteArray kProbe = QByteArray::fromHex("F535 06B7 1E30 1100 0B");
const QByteArray kReadSystem = QByteArray::fromHex("F535 06B0 1E10 1E00 F1");

// Starts the simulator and returns the first line it prints.
QString Start(QProcess& sim, const QStringList& args) {
    sim.start(QStringLiteral(TQ640V_SIM_PATH), args);
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        return {};
    }
    return QString::fromLocal8Bit(sim.readLine()).trimmed();
}

QByteArray ReadFd(int fd, int want) {
    QByteArray got;
    while (got.size() < want) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 3000) <= 0) {
            break;
        }
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        got.append(buffer, n);
    }
    return got;
}

// Sends a request and collects the answer until `want` bytes have come (or none come for 3 s).
QByteArray Exchange(QTcpSocket& socket, const QByteArray& request, int want) {
    socket.write(request);
    QByteArray answer;
    while (answer.size() < want && socket.waitForReadyRead(3000)) {
        answer += socket.readAll();
    }
    return answer;
}

void Stop(QProcess& sim) {
    sim.terminate();
    EXPECT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
}
}  // namespace

TEST(SimProcess, AnswersOverTcp) {
    QProcess sim;
    const QString line = Start(sim, {"--tcp", "127.0.0.1:0"});
    ASSERT_TRUE(line.startsWith("tcp 127.0.0.1:")) << line.toStdString();
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", line.section(':', -1).toUShort());
    ASSERT_TRUE(socket.waitForConnected(3000));
    EXPECT_EQ(Exchange(socket, kProbe, 2).toHex(' '), "ee cc");
    const QByteArray answer = Exchange(socket, kReadSystem, 159);
    ASSERT_EQ(answer.size(), 159);
    EXPECT_EQ(answer.left(6).toHex(' '), "f5 35 9c b0 1e 00");
    Stop(sim);
}

TEST(SimProcess, AnswersOverItsPtyAndSavesItsMemoryOnTerminate) {
    QTemporaryDir dir;
    const QString state = dir.filePath("state.json");
    QProcess sim;
    const QString path =
        Start(sim, {"--pty", "--baud", "115200", "--locked", "2468", "--save-state", state});
    ASSERT_TRUE(path.startsWith("/dev/")) << path.toStdString();
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, kProbe.constData(), static_cast<std::size_t>(kProbe.size())), 9);
    EXPECT_EQ(ReadFd(fd, 2).toHex(' '), "ee cc");
    ASSERT_EQ(::write(fd, kReadSystem.constData(), static_cast<std::size_t>(kReadSystem.size())),
              9);
    const QByteArray system = ReadFd(fd, 159);
    ASSERT_EQ(system.size(), 159);
    EXPECT_EQ(system.mid(6 + 148, 4), "2468") << "the password of --locked";
    EXPECT_EQ(static_cast<int>(system.at(6 + 146)), 1) << "panel locked";
    ::close(fd);
    Stop(sim);
    QFile saved(state);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("\"blocks\""));
}

// --locked alone takes the factory password; --strict ends with exit 1 after a rejected frame,
// and the log says which frame and why.
TEST(SimProcess, FactoryPasswordStrictExitAndRejectionLog) {
    const QByteArray kBadProbe = QByteArray::fromHex("F535 06B7 1E30 1200 0C");  // value 18
    QTemporaryDir dir;
    const QString log = dir.filePath("log.jsonl");
    for (const bool sendBadFrame : {false, true}) {
        QProcess sim;
        const QString line =
            Start(sim, {"--tcp", "127.0.0.1:0", "--locked", "--strict", "--log", log});
        ASSERT_TRUE(line.startsWith("tcp 127.0.0.1:")) << line.toStdString();
        QTcpSocket socket;
        socket.connectToHost("127.0.0.1", line.section(':', -1).toUShort());
        ASSERT_TRUE(socket.waitForConnected(3000));
        const QByteArray answer = Exchange(socket, kReadSystem, 159);
        ASSERT_EQ(answer.size(), 159);
        EXPECT_EQ(answer.mid(6 + 148, 4), "3958");
        EXPECT_EQ(static_cast<int>(answer.at(6 + 146)), 1) << "panel locked";
        if (sendBadFrame) {
            EXPECT_EQ(Exchange(socket, kBadProbe, 2).toHex(' '), "ee bb");
        }
        sim.terminate();
        ASSERT_TRUE(sim.waitForFinished(5000));
        EXPECT_EQ(sim.exitCode(), sendBadFrame ? 1 : 0);
        EXPECT_EQ(sim.readAllStandardError().contains("1 frame(s) rejected"), sendBadFrame);
    }
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    const auto rejected = std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) {
        return l.contains("\"dir\":\"rejected\"") && l.contains("F5 35 06 B7 1E 30 12 00 0C") &&
               l.contains("\"why\":\"a connection probe carries 17\"");
    });
    EXPECT_EQ(rejected, 1);
}
