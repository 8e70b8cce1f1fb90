// Several simulated units (tq640v-sim processes) in one /24, for the commands that scan a block
// of addresses. With namespaces, the units live in a network namespace made for the purpose
// and reach a second one, where the tool runs, over a veth pair: 10.77.0.2 and up are units,
// 10.77.0.1 is the tool, and no other address answers, so a connect to one waits out its
// time-out as on a real network. Neither namespace has a route anywhere else. Without them
// (Mode::Loopback, or where namespaces cannot be made) the units listen on 127.0.0.2 and up of
// the loopback block, on a free port. The processes end and the namespaces are removed when
// the object goes.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "tests/support/processrun.h"

class CSimVenue {
public:
    enum class Mode { Namespaces, Loopback };

    CSimVenue(Mode mode, QString simPath);
    ~CSimVenue();
    CSimVenue(const CSimVenue&) = delete;
    CSimVenue& operator=(const CSimVenue&) = delete;

    // Whether the venue could be made; Error() says why not.
    bool IsReady() const { return m_error.isEmpty(); }
    QString Error() const { return m_error; }

    // Starts a unit on host number `host` (2-254) with extra simulator options; false (and
    // Error()) when it did not start.
    bool AddUnit(int host, const QStringList& simOptions = {});
    QString Address(int host) const;
    // "A.B.C.0/24", and the options a scanning command needs besides it (the port on loopback).
    QString Block() const;
    QStringList ScanOptions() const;
    // The link options that reach one unit (`--tcp ADDRESS[:PORT]`).
    QStringList UnitOptions(int host) const;

    // Runs a program where the tool runs (in the client namespace, or here).
    ProcessRun Run(const QString& program, const QStringList& args, int timeoutMs = 60000) const;

private:
    bool MakeNamespaces();
    void RemoveNamespaces();

    Mode m_mode;
    QString m_simPath;
    QString m_prefix;  // "10.77.0" or "127.0.0"
    quint16 m_port = 8899;
    QString m_unitsNs;
    QString m_clientNs;
    QString m_error;
    std::vector<std::unique_ptr<QProcess>> m_units;
};
