// Every unit of one or more blocks of addresses: the block is scanned for units (CUnitScanner),
// then each unit found is connected over TCP and read back, several at once, and an action runs
// on it. Each unit ends with an outcome; the exit code is kExitOk when every unit succeeded,
// otherwise the code of the first unit (in address order) that failed.
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>

class CDeviceSession;

struct UnitOutcome {
    QString address;
    int code = 0;
    QString failure;     // why it failed, when code is not kExitOk
    QString text;        // what was done, for the report line
    QJsonObject detail;  // the same for --json
};

// Runs on a unit that was read back; calls `finish` once with code, failure, text and detail.
using UnitAction = std::function<void(CDeviceSession& session, bool locked, UnitOutcome& outcome,
                                      std::function<void()> finish)>;

struct VenueRequest {
    const char* command = "";      // for usage errors
    QStringList ranges;            // "A.B.C.D/N" texts; empty: this machine's networks
    quint16 port = 0;              // 0: the unit port
    QString password;              // for locked panels
    bool bLockedIsAnswer = false;  // a locked panel without a password is listed, not failed
    bool bJson = false;            // the report as one JSON document
    UnitAction action;
};

// The venue options of a command: [CIDR...] [--local] [--port N], the rest left in `args`.
// Returns an empty string or the usage problem.
QString TakeVenueRange(QStringList& args, VenueRequest& request);

// Scans, connects, runs the action and prints the outcomes in address order (one line each, or
// one JSON document with "units"). kExitOk when every unit succeeded, else the first failure's
// code; kExitNoUnit (printed) when no unit answered, or the usage code when a range is
// malformed.
int RunVenue(const VenueRequest& request);
