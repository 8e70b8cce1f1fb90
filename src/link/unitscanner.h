// Finds the units in a block of IPv4 addresses: connects to the unit port of many addresses at
// once (at most `concurrency` connections open), sends each connection the handshake and takes
// an address that answers EE CC (or a refusal, EE BB / EE DD) as a unit. A connect that has not
// completed within the connect time-out, or a connection without an answer within the answer
// time-out (the handshake is sent a second time halfway), is not a unit. Everything runs on the
// event loop; nothing waits.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <vector>

#include "link/unitaddress.h"

struct ScanSettings {
    quint16 port = kUnitTcpPort;
    int concurrency = 128;
    int connectTimeoutMs = 400;
    int answerTimeoutMs = 600;
};

struct ScanHit {
    std::uint32_t address = 0;  // host byte order
    bool refused = false;       // the unit answered the handshake with a refusal
};

class CUnitScanner : public QObject {
    Q_OBJECT
public:
    explicit CUnitScanner(QObject* parent = nullptr);
    ~CUnitScanner() override;

    // Probes every address; Finished follows once each has answered or timed out (at once for
    // no addresses). A scan already running is abandoned.
    void Start(std::vector<std::uint32_t> addresses, const ScanSettings& settings = {});
    bool IsRunning() const { return m_bRunning; }

signals:
    // A unit answered (as soon as it did, while the scan goes on).
    void UnitFound(const ScanHit& unit);
    // The units found, in address order.
    void Finished(const QList<ScanHit>& units);

private:
    class CProbe;
    void StartNext();
    void OnProbeDone(CProbe* probe, int answer);

    std::vector<std::uint32_t> m_addresses;
    std::size_t m_next = 0;
    int m_running = 0;
    bool m_bRunning = false;
    ScanSettings m_settings;
    QList<ScanHit> m_hits;
    std::vector<CProbe*> m_probes;
};

// The /24 of each IPv4 address of this machine's interfaces that are up, loopback left out,
// as "A.B.C.0/24", each once.
QStringList LocalScanRanges();
