// Why a link could not be opened or found no unit, in words a person can act on. The link
// classes keep the text of their last failure; the search collects them, stage by stage, and
// the tools print them.
#pragma once

#include <QAbstractSocket>
#include <QString>

// "cannot connect to 10.0.0.9:8899: connection refused" (or "unknown host", "network
// unreachable", "no answer within the connect time", the system's own words otherwise).
QString TcpConnectFailure(const QString& host, quint16 port, QAbstractSocket::SocketError error,
                          const QString& systemText);

enum class SerialOpenProblem { NoSuchPort, PermissionDenied, InUse, Other };
// "no serial port /dev/ttyUSB3", "permission denied on /dev/ttyUSB0 (is the user in the dialout
// group?)", "/dev/ttyUSB0 is in use by another program", "cannot open serial port PORT: TEXT".
QString SerialOpenFailure(const QString& port, SerialOpenProblem problem,
                          const QString& systemText);

// "the unit at 127.0.0.1:8899 did not answer the handshake"; `where` is HOST:PORT, a serial
// port or "on USB".
QString NoHandshakeAnswer(const QString& where);
