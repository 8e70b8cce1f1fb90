#include "link/unitscanner.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

#include "core/protocol/catalogue.h"
#include "core/protocol/framebuilder.h"
#include "core/protocol/senddata.h"

namespace {
enum Answer { kNoUnit = 0, kAcknowledged = 1, kRefusedAnswer = 2 };
}  // namespace

// One address: connect, handshake, wait for the status reply.
class CUnitScanner::CProbe : public QObject {
public:
    CProbe(CUnitScanner& owner, std::uint32_t address, const ScanSettings& settings)
        : m_owner(owner), m_address(address), m_settings(settings) {
        m_timer.setSingleShot(true);
        connect(&m_socket, &QTcpSocket::connected, this, &CProbe::OnConnected);
        connect(&m_socket, &QTcpSocket::readyRead, this, &CProbe::OnReadyRead);
        connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] { Done(kNoUnit); });
        connect(&m_timer, &QTimer::timeout, this, &CProbe::OnTimeout);
    }
    // Starts the connect (which may fail at once, for example without a route).
    void Begin() {
        m_timer.start(m_settings.connectTimeoutMs);
        m_socket.connectToHost(QHostAddress(m_address), m_settings.port);
    }
    std::uint32_t Address() const { return m_address; }

private:
    void SendHandshake() {
        const auto frame = MakeConnectProbe();
        const auto bytes = frame->Bytes();
        m_socket.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<qint64>(bytes.size()));
    }
    void OnConnected() {
        m_bConnected = true;
        SendHandshake();
        m_timer.start(m_settings.answerTimeoutMs / 2);
    }
    void OnTimeout() {
        if (m_bConnected && !m_bResent) {
            m_bResent = true;
            SendHandshake();
            m_timer.start(m_settings.answerTimeoutMs - m_settings.answerTimeoutMs / 2);
            return;
        }
        Done(kNoUnit);
    }
    void OnReadyRead() {
        m_received += m_socket.readAll();
        for (qsizetype i = 0; i + 1 < m_received.size(); ++i) {
            if (static_cast<std::uint8_t>(m_received[i]) != kStatusByte) {
                continue;
            }
            const auto code = static_cast<std::uint8_t>(m_received[i + 1]);
            if (code == kStatusCc) {
                Done(kAcknowledged);
                return;
            }
            if (code == kStatusBb || code == kStatusDd) {
                Done(kRefusedAnswer);
                return;
            }
        }
        if (m_received.size() > 64) {
            Done(kNoUnit);  // something that is not a unit talks on this port
        }
    }
    void Done(int answer) {
        if (m_bDone) {
            return;
        }
        m_bDone = true;
        m_timer.stop();
        disconnect(&m_socket, nullptr, this, nullptr);
        m_socket.abort();
        m_owner.OnProbeDone(this, answer);
    }

    CUnitScanner& m_owner;
    std::uint32_t m_address;
    ScanSettings m_settings;
    QTcpSocket m_socket;
    QTimer m_timer;
    QByteArray m_received;
    bool m_bConnected = false;
    bool m_bResent = false;
    bool m_bDone = false;
};

CUnitScanner::CUnitScanner(QObject* parent) : QObject(parent) {}

CUnitScanner::~CUnitScanner() {
    for (CProbe* probe : m_probes) {
        delete probe;
    }
}

void CUnitScanner::Start(std::vector<std::uint32_t> addresses, const ScanSettings& settings) {
    for (CProbe* probe : m_probes) {
        probe->deleteLater();
    }
    m_probes.clear();
    m_addresses = std::move(addresses);
    m_settings = settings;
    m_settings.concurrency = std::max(settings.concurrency, 1);
    m_next = 0;
    m_running = 0;
    m_hits.clear();
    m_bRunning = true;
    StartNext();
}

void CUnitScanner::StartNext() {
    while (m_bRunning && m_running < m_settings.concurrency && m_next < m_addresses.size()) {
        ++m_running;
        auto* probe = new CProbe(*this, m_addresses[m_next++], m_settings);
        m_probes.push_back(probe);
        probe->Begin();
    }
    if (m_bRunning && m_running == 0 && m_next >= m_addresses.size()) {
        m_bRunning = false;
        std::sort(m_hits.begin(), m_hits.end(),
                  [](const ScanHit& a, const ScanHit& b) { return a.address < b.address; });
        // Reported from the loop, so that a receiver may start another scan at once.
        QTimer::singleShot(0, this, [this, hits = m_hits] { emit Finished(hits); });
    }
}

void CUnitScanner::OnProbeDone(CProbe* probe, int answer) {
    if (std::find(m_probes.begin(), m_probes.end(), probe) == m_probes.end()) {
        return;  // a probe of an abandoned scan
    }
    if (answer != kNoUnit) {
        m_hits.push_back({probe->Address(), answer == kRefusedAnswer});
        emit UnitFound(m_hits.back());
    }
    m_probes.erase(std::remove(m_probes.begin(), m_probes.end(), probe), m_probes.end());
    probe->deleteLater();
    --m_running;
    // From the loop: probes that fail at once must not start the next ones inside each other.
    QMetaObject::invokeMethod(this, &CUnitScanner::StartNext, Qt::QueuedConnection);
}

QStringList LocalScanRanges() {
    QStringList ranges;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol) {
                continue;
            }
            const QString block = QHostAddress(ip.toIPv4Address() & 0xFFFFFF00u).toString() + "/24";
            if (!ranges.contains(block)) {
                ranges << block;
            }
        }
    }
    return ranges;
}
