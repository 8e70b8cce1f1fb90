#include "link/linkfailure.h"

#include <gtest/gtest.h>

TEST(LinkFailure, ReasonsInAPersonsWords) {
    const struct {
        QString text;
        const char* expected;
    } cases[] = {
        {TcpConnectFailure("10.0.0.9", 8899, QAbstractSocket::ConnectionRefusedError, "x"),
         "cannot connect to 10.0.0.9:8899: connection refused"},
        {TcpConnectFailure("nosuchhost.invalid", 8899, QAbstractSocket::HostNotFoundError, "x"),
         "cannot connect to nosuchhost.invalid:8899: unknown host"},
        {TcpConnectFailure("10.0.0.9", 1, QAbstractSocket::SocketTimeoutError, "x"),
         "cannot connect to 10.0.0.9:1: no answer within the connect time"},
        {TcpConnectFailure("h", 2, QAbstractSocket::SocketAccessError, "Permission denied"),
         "cannot connect to h:2: Permission denied"},
        {SerialOpenFailure("/dev/ttyUSB3", SerialOpenProblem::NoSuchPort, "x"),
         "no serial port /dev/ttyUSB3"},
        {SerialOpenFailure("/dev/ttyUSB0", SerialOpenProblem::PermissionDenied, "x"),
         "permission denied on /dev/ttyUSB0 (is the user in the dialout group?)"},
        {SerialOpenFailure("ttyS1", SerialOpenProblem::InUse, "x"),
         "ttyS1 is in use by another program"},
        {SerialOpenFailure("/dev/null", SerialOpenProblem::Other, "Inappropriate ioctl"),
         "cannot open serial port /dev/null: Inappropriate ioctl"},
        {NoHandshakeAnswer("127.0.0.1:8899"),
         "the unit at 127.0.0.1:8899 did not answer the handshake"},
        {NoHandshakeAnswer("on USB"), "the unit on USB did not answer the handshake"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text.toStdString(), c.expected);
}
