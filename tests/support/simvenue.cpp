#include "tests/support/simvenue.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpServer>
#include <atomic>

namespace {
const QString kNsPrefix = QStringLiteral("sonvela-venue-");
constexpr int kCommandTimeoutMs = 10000;

bool RunIp(const QStringList& args, QString* error) {
    const ProcessRun run = RunProcess(QStringLiteral("ip"), args, kCommandTimeoutMs);
    if (run.exitCode != 0) {
        *error = "ip " + args.join(' ') + ": " + QString::fromUtf8(run.err).trimmed();
        return false;
    }
    return true;
}

// Namespaces of earlier runs whose process is gone (a crash, a kill) are removed.
void RemoveStaleNamespaces() {
    const ProcessRun list = RunProcess(QStringLiteral("ip"), {"netns", "list"}, kCommandTimeoutMs);
    static const QRegularExpression name("^" + kNsPrefix + "(\\d+)-\\d+-\\w+",
                                         QRegularExpression::MultilineOption);
    for (auto it = name.globalMatch(QString::fromUtf8(list.out)); it.hasNext();) {
        const auto match = it.next();
        if (!QFileInfo::exists("/proc/" + match.captured(1))) {
            RunProcess(QStringLiteral("ip"), {"netns", "del", match.captured(0)},
                       kCommandTimeoutMs);
        }
    }
}

// A port nothing listens on at the loopback address.
quint16 FreeLoopbackPort() {
    QTcpServer server;
    server.listen(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    return server.serverPort();
}
}  // namespace

CSimVenue::CSimVenue(Mode mode, QString simPath) : m_mode(mode), m_simPath(std::move(simPath)) {
    if (m_mode == Mode::Loopback) {
        m_prefix = QStringLiteral("127.0.0");
        m_port = FreeLoopbackPort();
        if (m_port == 0) {
            m_error = QStringLiteral("no free port on 127.0.0.2");
        }
        return;
    }
    m_prefix = QStringLiteral("10.77.0");
    if (::geteuid() != 0) {
        m_error = QStringLiteral("network namespaces need root");
        return;
    }
    if (!MakeNamespaces()) {
        RemoveNamespaces();
    }
}

CSimVenue::~CSimVenue() {
    for (auto& unit : m_units) {
        unit->terminate();
        if (!unit->waitForFinished(3000)) {
            unit->kill();
            unit->waitForFinished(3000);
        }
    }
    m_units.clear();
    RemoveNamespaces();
}

bool CSimVenue::MakeNamespaces() {
    RemoveStaleNamespaces();
    static std::atomic<int> s_count{0};
    const QString base = kNsPrefix + QString::number(::getpid()) + '-' + QString::number(s_count++);
    m_unitsNs = base + "-units";
    m_clientNs = base + "-client";
    QString& e = m_error;
    if (!RunIp({"netns", "add", m_unitsNs}, &e) || !RunIp({"netns", "add", m_clientNs}, &e)) {
        return false;
    }
    // The pair is made inside the client namespace, its far end moved straight into the units'
    // one: the machine's own interfaces are never touched.
    const QStringList client = {"-n", m_clientNs};
    const QStringList units = {"-n", m_unitsNs};
    return RunIp(client + QStringList{"link", "add", "svc", "type", "veth", "peer", "name", "svu",
                                      "netns", m_unitsNs},
                 &e) &&
           RunIp(client + QStringList{"addr", "add", m_prefix + ".1/24", "dev", "svc"}, &e) &&
           RunIp(client + QStringList{"link", "set", "svc", "up"}, &e) &&
           RunIp(client + QStringList{"link", "set", "lo", "up"}, &e) &&
           RunIp(units + QStringList{"link", "set", "svu", "up"}, &e) &&
           RunIp(units + QStringList{"link", "set", "lo", "up"}, &e);
}

void CSimVenue::RemoveNamespaces() {
    for (const QString& ns : {m_unitsNs, m_clientNs}) {
        if (!ns.isEmpty()) {
            RunProcess(QStringLiteral("ip"), {"netns", "del", ns}, kCommandTimeoutMs);
        }
    }
    m_unitsNs.clear();
    m_clientNs.clear();
}

bool CSimVenue::AddUnit(int host, const QStringList& simOptions) {
    if (!IsReady()) {
        return false;
    }
    const QString address = Address(host);
    const QStringList simArgs =
        QStringList{"--tcp", address + ':' + QString::number(m_port)} + simOptions;
    auto unit = std::make_unique<QProcess>();
    if (m_mode == Mode::Namespaces) {
        QString error;
        if (!RunIp({"-n", m_unitsNs, "addr", "add", address + "/24", "dev", "svu"}, &error)) {
            m_error = error;
            return false;
        }
        unit->start(QStringLiteral("ip"),
                    QStringList{"netns", "exec", m_unitsNs, m_simPath} + simArgs);
    } else {
        unit->start(m_simPath, simArgs);
    }
    // The simulator prints "tcp ADDRESS:PORT" once it listens.
    while (!unit->canReadLine()) {
        if (!unit->waitForReadyRead(5000)) {
            m_error = "the unit at " + address + " did not start: " +
                      QString::fromUtf8(unit->readAllStandardError()).trimmed();
            unit->kill();
            unit->waitForFinished();
            return false;
        }
    }
    m_units.push_back(std::move(unit));
    return true;
}

QString CSimVenue::Address(int host) const {
    return m_prefix + '.' + QString::number(host);
}

QString CSimVenue::Block() const {
    return m_prefix + ".0/24";
}

QStringList CSimVenue::ScanOptions() const {
    return m_mode == Mode::Loopback ? QStringList{"--port", QString::number(m_port)}
                                    : QStringList{};
}

QStringList CSimVenue::UnitOptions(int host) const {
    return {"--tcp", Address(host) + ':' + QString::number(m_port)};
}

ProcessRun CSimVenue::Run(const QString& program, const QStringList& args, int timeoutMs) const {
    if (m_mode == Mode::Namespaces) {
        return RunProcess(QStringLiteral("ip"),
                          QStringList{"netns", "exec", m_clientNs, program} + args, timeoutMs);
    }
    return RunProcess(program, args, timeoutMs);
}
