// tq640v-sim: a simulated TQ640V unit for tests and demonstrations.
//
//   tq640v-sim [--tcp [ADDR:]PORT] [--pty [--link PATH]] [--baud 115200] [--locked [PASSWORD]]
//              [--refuse] [--silent] [--drop-every N] [--garbage-every N] [--state FILE]
//              [--save-state FILE] [--log FILE] [--strict]
//
// Without --pty it listens on TCP 127.0.0.1:8899. With --pty it prints the serial device path
// to use on its own line. --locked without a password locks the panel with the factory
// password. With --strict it exits 1 at the end when it rejected any frame or skipped any
// malformed bytes, so that a test can assert that a program sent nothing a unit would refuse.
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>

#include "simendpoints.h"
#include "simstate.h"
#include "simunit.h"

namespace {
constexpr quint16 kDefaultPort = 8899;
int g_signalPipe[2] = {-1, -1};

void OnTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

int Fail(const QString& text) {
    std::fprintf(stderr, "tq640v-sim: %s\n", qPrintable(text));
    return 2;
}

// "[ADDR:]PORT"
bool ParseTcp(const QString& text, QHostAddress& address, quint16& port) {
    const int colon = text.lastIndexOf(':');
    bool ok = false;
    const uint value = text.mid(colon + 1).toUInt(&ok);
    if (!ok || value > 65535) {  // 0: any free port, printed at start
        return false;
    }
    port = static_cast<quint16>(value);
    return colon < 0 || address.setAddress(text.left(colon));
}

// "--locked" without a value (the last argument, or one followed by another option) takes the
// factory password; the parser itself only knows options that always or never take a value.
QStringList WithLockedValue(QStringList args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == "--locked" && (i + 1 == args.size() || args[i + 1].startsWith('-'))) {
            args[i] = QStringLiteral("--locked=%1").arg(kFactoryPassword);
        }
    }
    return args;
}

bool ParseCount(const QCommandLineParser& parser, const QString& name, int& value) {
    if (!parser.isSet(name)) {
        return true;
    }
    bool ok = false;
    value = parser.value(name).toInt(&ok);
    return ok && value >= 0;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Simulated TQ640V unit");
    parser.addHelpOption();
    parser.addOptions({
        {"tcp", "Listen on [ADDR:]PORT (default 127.0.0.1:8899).", "addr:port"},
        {"pty", "Create a pseudo-terminal and print its device path."},
        {"link", "Make PATH a symbolic link to the pseudo-terminal.", "path"},
        {"baud", "Pace pseudo-terminal output at this wire rate.", "rate"},
        {"locked",
         QStringLiteral("Start with the panel locked and this password (without one: the factory "
                        "password %1).")
             .arg(kFactoryPassword),
         "password"},
        {"refuse", "Answer the handshake with EE DD."},
        {"silent", "Never answer."},
        {"drop-every", "Leave every Nth frame unanswered.", "n"},
        {"garbage-every", "Replace every Nth answer with garbage.", "n"},
        {"state", "Load the unit's memory from this JSON file.", "file"},
        {"save-state", "Write the unit's memory to this JSON file on exit.", "file"},
        {"log", "Write one JSON line per frame to this file.", "file"},
        {"strict", "Exit 1 at the end if any frame was rejected or any bytes were malformed."},
    });
    parser.process(WithLockedValue(QCoreApplication::arguments()));

    SimOptions options;
    options.refuse = parser.isSet("refuse");
    options.silent = parser.isSet("silent");
    options.lockPassword = parser.value("locked").toStdString();
    int baud = 0;
    if (!ParseCount(parser, "drop-every", options.dropEvery) ||
        !ParseCount(parser, "garbage-every", options.garbageEvery) ||
        !ParseCount(parser, "baud", baud)) {
        return Fail("--drop-every, --garbage-every and --baud take a number >= 0");
    }
    if (parser.isSet("locked") && options.lockPassword.size() != 4) {
        return Fail("--locked takes a four-character password");
    }
    CSimUnit sim(options);
    QString error;
    if (parser.isSet("state") && !LoadSimState(sim, parser.value("state"), error)) {
        return Fail(error);
    }

    CSimEndpoints endpoints(sim);
    endpoints.SetBaud(baud);
    if (parser.isSet("log") && !endpoints.OpenLog(parser.value("log"), error)) {
        return Fail(error);
    }
    if (parser.isSet("tcp") || !parser.isSet("pty")) {
        QHostAddress address(QHostAddress::LocalHost);
        quint16 port = kDefaultPort;
        if (parser.isSet("tcp") && !ParseTcp(parser.value("tcp"), address, port)) {
            return Fail("--tcp takes [ADDR:]PORT");
        }
        if (!endpoints.ListenTcp(address, port, error)) {
            return Fail(error);
        }
        std::printf("tcp %s:%u\n", qPrintable(address.toString()), endpoints.TcpPort());
    }
    if (parser.isSet("pty")) {
        const QString path = endpoints.OpenPty(parser.value("link"), error);
        if (path.isEmpty()) {
            return Fail(error);
        }
        std::printf("%s\n", qPrintable(path));
    }
    std::fflush(stdout);

    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) {
        return Fail("cannot set up signal handling");
    }
    QSocketNotifier terminate(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&terminate, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    ::signal(SIGTERM, OnTerminate);
    ::signal(SIGINT, OnTerminate);

    const int result = app.exec();
    if (parser.isSet("save-state") && !SaveSimState(sim, parser.value("save-state"), error)) {
        return Fail(error);
    }
    const SimCounters& counters = sim.Counters();
    if (parser.isSet("strict") && (counters.rejected > 0 || counters.malformed > 0)) {
        std::fprintf(stderr, "tq640v-sim: %d frame(s) rejected, %d malformed run(s) of bytes\n",
                     counters.rejected, counters.malformed);
        return 1;
    }
    return result;
}
