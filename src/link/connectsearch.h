// The search for a unit: USB, then the serial ports, then the network, one step every 200 ms.
// In each stage the handshake frame is sent and the unit's acknowledgement (status reply EE CC,
// recognised by the command engine's receive path) awaited; the winner is handed to the link
// controller (ConnectBy). Status texts and progress (0..10) go to whoever shows them, and a
// search that finds nothing says, link by link, what went wrong.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "core/protocol/linkstate.h"

class CCommand;
class CClientSocket;
class CSerialPort;
class QTimer;

inline constexpr int kSearchTickMs = 200;
inline constexpr int kMaxSearchPorts = 10;
inline constexpr int kSearchProgressMax = 10;
inline constexpr int kHandshakesPerStage = 4;
// The longest the network stage waits for a connect to complete.
inline constexpr int kNetworkConnectLimitMs = 2000;

// What a search may try. The editor tries everything; the command-line tool can narrow it.
struct SearchPlan {
    bool bUsb = true;
    bool bSerial = true;
    bool bNetwork = true;
    // Ports to try in order; only the first kMaxSearchPorts are tried. Names as the system
    // gives them (ttyUSB0) or device paths.
    QStringList portNames;
    // The unit's address as the user gave it; empty runs the gateway search.
    QString address;
    quint16 tcpPort = 8899;
    // Reads keep the link's tick pacing throughout instead of following the unit's replies.
    bool bPaced = false;
};

// ConnectBy indexes of the winning link; 0..9 name the serial port at that index.
inline constexpr int kConnectUsb = 1000;
inline constexpr int kConnectNetwork = 1001;

enum class SearchResult { Connected, NotFound, Refused };

class CConnectSearch : public QObject {
    Q_OBJECT
public:
    // connectBy(index) hands the winning link to the controller: 1000 USB, 1001 network,
    // 0..9 the serial port at that index of PortNames().
    CConnectSearch(CLinkState& state, CCommand& command, CClientSocket& socket,
                   std::function<void(int)> connectBy, QObject* parent = nullptr);
    ~CConnectSearch() override;
    CConnectSearch(const CConnectSearch&) = delete;
    CConnectSearch& operator=(const CConnectSearch&) = delete;

    // Starts a search; the first stage follows the start-up rule (USB when the unit's USB
    // device is open, else the serial ports), never the stage an earlier search ended in.
    void Start(const SearchPlan& plan, bool usbDeviceOpen);
    // One step; the timer calls it every kSearchTickMs. Public so that tests can step it.
    void Tick();
    // The unit has just acknowledged: the next step runs at once (from the event loop) instead
    // of at the next tick, so the winning link is taken without delay.
    void TakeAcknowledgement();
    bool IsRunning() const { return m_bRunning; }

    // The port whose open failures the search reports (the connection's serial port).
    void SetSerialPort(const CSerialPort* port) { m_pSerialPort = port; }

    const QStringList& PortNames() const { return m_portNames; }
    int Progress() const { return m_progress; }
    // What the connect dialog shows: the stage, and in the serial stage the port right after
    // it ("Com search/dev/ttyUSB0").
    QString Status() const { return m_status; }
    // The stage being searched ("USB search", "Com search", "Network search"), and the serial
    // port being tried (empty outside the serial stage).
    QString StageName() const;
    QString CurrentPort() const;
    // What went wrong on each link tried, in the order they were tried: "no serial port
    // /dev/ttyUSB3", "cannot connect to 10.0.0.9:8899: connection refused", "the unit at
    // 127.0.0.1:8899 did not answer the handshake". Cleared when a search starts.
    const QStringList& Failures() const { return m_failures; }
    int Attempts() const { return m_attempts; }
    int PortIndex() const { return m_portIndex; }

signals:
    void StatusChanged(const QString& text);
    void ProgressChanged(int progress);
    void Finished(SearchResult result);

private:
    void ShowStatus(const QString& text);
    void SetProgress(int progress);
    void Advance();
    void Finish(SearchResult result);
    void SendHandshake(LinkKind link);
    void StepUsb();
    void StepSerial();
    void StepNetwork();
    void NextPort();
    // Moves to the next stage the plan allows, from `stage` on.
    void EnterStage(SearchStage stage);

    CLinkState& m_state;
    CCommand& m_command;
    CClientSocket& m_socket;
    const CSerialPort* m_pSerialPort = nullptr;
    std::function<void(int)> m_connectBy;
    QTimer* m_pTimer;

    SearchPlan m_plan;
    QStringList m_portNames;
    QString m_status;
    QString m_openPort;
    QString m_netAddress;  // HOST:PORT of the network attempt
    QStringList m_failures;
    int m_progress = 0;
    int m_portIndex = 0;
    int m_portCount = 0;
    int m_attempts = 0;
    int m_bNetConnected = 0;
    int m_bNetStarted = 0;
    bool m_bNetPending = false;  // the connect's outcome is still to be taken
    bool m_bRunning = false;
};
