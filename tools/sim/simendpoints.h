// The simulated unit's doors to the outside: a TCP server (one client at a time) and a
// pseudo-terminal whose slave side a serial port can open. Output to the pty is paced at the
// serial wire rate when a baud rate is given. Every frame in and out, every rejected frame
// (with the reason) and every malformed run of bytes can be logged as one JSON line with a
// millisecond time stamp.
#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "simunit.h"

class QSocketNotifier;

class CSimEndpoints : public QObject {
public:
    explicit CSimEndpoints(CSimUnit& sim, QObject* parent = nullptr);
    ~CSimEndpoints() override;

    bool ListenTcp(const QHostAddress& address, quint16 port, QString& error);
    // Opens the pair; returns the slave's path, empty on failure. `link` (optional) becomes a
    // symbolic link to it.
    QString OpenPty(const QString& link, QString& error);
    void SetBaud(int baud) { m_nBaud = baud; }
    bool OpenLog(const QString& path, QString& error);
    quint16 TcpPort() const { return m_server.serverPort(); }

private:
    void OnNewConnection();
    void OnSocketData();
    void OnPtyReadable();
    void PumpPty();
    void Log(CSimUnit::Event event, std::span<const std::uint8_t> bytes, std::string_view why);

    CSimUnit& m_sim;
    QTcpServer m_server;
    QPointer<QTcpSocket> m_pSocket;
    int m_nPtyMaster = -1;
    int m_nPtySlave = -1;
    QSocketNotifier* m_pPtyNotifier = nullptr;
    QString m_linkPath;
    QByteArray m_ptyOut;
    QTimer m_paceTimer;
    QElapsedTimer m_paceClock;
    qint64 m_nPacedBytes = 0;
    int m_nBaud = 0;
    QFile m_log;
    QElapsedTimer m_clock;
};
