#include "link/linkfailure.h"

QString TcpConnectFailure(const QString& host, quint16 port, QAbstractSocket::SocketError error,
                          const QString& systemText) {
    QString why;
    switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            why = QStringLiteral("connection refused");
            break;
        case QAbstractSocket::HostNotFoundError:
            why = QStringLiteral("unknown host");
            break;
        case QAbstractSocket::NetworkError:
            why = QStringLiteral("network unreachable");
            break;
        case QAbstractSocket::SocketTimeoutError:
            why = QStringLiteral("no answer within the connect time");
            break;
        default:
            why = systemText.isEmpty() ? QStringLiteral("failed") : systemText;
            break;
    }
    return QStringLiteral("cannot connect to %1:%2: %3").arg(host).arg(port).arg(why);
}

QString SerialOpenFailure(const QString& port, SerialOpenProblem problem,
                          const QString& systemText) {
    switch (problem) {
        case SerialOpenProblem::NoSuchPort:
            return QStringLiteral("no serial port %1").arg(port);
        case SerialOpenProblem::PermissionDenied:
            return QStringLiteral("permission denied on %1 (is the user in the dialout group?)")
                .arg(port);
        case SerialOpenProblem::InUse:
            return QStringLiteral("%1 is in use by another program").arg(port);
        case SerialOpenProblem::Other:
            break;
    }
    return systemText.isEmpty()
               ? QStringLiteral("cannot open serial port %1").arg(port)
               : QStringLiteral("cannot open serial port %1: %2").arg(port, systemText);
}

QString NoHandshakeAnswer(const QString& where) {
    return where.startsWith(QStringLiteral("on "))
               ? QStringLiteral("the unit %1 did not answer the handshake").arg(where)
               : QStringLiteral("the unit at %1 did not answer the handshake").arg(where);
}
