#include "link/serialport.h"

#include <gtest/gtest.h>

#include <QThread>
#include <vector>

#include "link/seriallink.h"
#include "tests/support/pty.h"
#include "tests/support/spin.h"

TEST(SerialPort, OperationsOnAClosedPortFailWithNotOpen) {
    CSerialPort port;
    std::uint8_t buffer[4] = {};
    int count = -1;
    const struct {
        const char* what;
        long code;
    } cases[] = {
        {"Setup",
         port.Setup(kSerialBaudrate, 8, CSerialPort::Parity::None, CSerialPort::StopBits::One)},
        {"SetupHandshaking", port.SetupHandshaking(CSerialPort::kHandshakeOff)},
        {"SetMask", port.SetMask(kEventAll)},
        {"SetupReadTimeouts", port.SetupReadTimeouts(CSerialPort::kReadNonBlocking)},
        {"Write", port.Write(buffer, 4, &count, 5000)},
        {"Read", port.Read(buffer, 4, &count, 200)},
        {"Purge", port.Purge()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.code, kSerialNotOpen) << c.what;
    }
    EXPECT_EQ(count, 0);
    EXPECT_EQ(port.GetLastError(), kSerialNotOpen);
    // Closing a closed port is harmless and succeeds.
    EXPECT_EQ(port.Close(), kSerialOk);
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPort, OpenFailuresLeaveThePortClosed) {
    CSerialPort port;
    EXPECT_EQ(port.Open("/dev/ttyDOESNOTEXIST9"), kSerialFileNotFound);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.GetLastError(), kSerialFileNotFound);

    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    ASSERT_EQ(port.Open(pty.SlavePath()), kSerialOk);
    EXPECT_EQ(port.GetEventMask(), kEventDefaultMask);
    EXPECT_EQ(port.Open(pty.SlavePath()), kSerialAlreadyOpen);
    EXPECT_TRUE(port.IsOpen());

    // Exclusive: a second object cannot take the same port.
    CSerialPort other;
    EXPECT_NE(other.Open(pty.SlavePath()), kSerialOk);
    EXPECT_FALSE(other.IsOpen());
}

TEST(SerialPort, ConfigurationRejectsUnknownModes) {
    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), kSerialOk);
    EXPECT_EQ(port.Setup(kSerialBaudrate, 8, CSerialPort::Parity::None, CSerialPort::StopBits::One),
              kSerialOk);
    EXPECT_EQ(port.SetupHandshaking(CSerialPort::kHandshakeOff), kSerialOk);
    EXPECT_EQ(port.SetupHandshaking(3), kSerialInvalidArgument);
    EXPECT_EQ(port.SetupReadTimeouts(2), kSerialInvalidArgument);
    EXPECT_EQ(port.GetLastError(), kSerialInvalidArgument);
    EXPECT_EQ(port.SetMask(kEventAll), kSerialOk);
    EXPECT_EQ(port.GetEventMask(), kEventAll);
}

TEST(SerialPort, BytesTravelBothWaysAndArrivalsAreNotified) {
    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), kSerialOk);
    ASSERT_EQ(port.Setup(kSerialBaudrate, 8, CSerialPort::Parity::None, CSerialPort::StopBits::One),
              kSerialOk);
    std::vector<quint32> notifications;
    QObject::connect(&port, &CSerialPort::Notification,
                     [&](quint32 wParam) { notifications.push_back(wParam); });

    // Nothing there yet: a non-blocking read returns at once with 0 bytes.
    std::uint8_t buffer[400] = {};
    int count = -1;
    EXPECT_EQ(port.Read(buffer, 400, &count, 200), kSerialOk);
    EXPECT_EQ(count, 0);

    const std::uint8_t frame[] = {0xF5, 0x35, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
    EXPECT_EQ(port.Write(frame, sizeof frame, &count, 5000), kSerialOk);
    EXPECT_EQ(count, 9);
    // The bytes leave from the event loop.
    QByteArray sent;
    EXPECT_TRUE(SpinUntil([&] {
        sent += pty.ReadAvailable();
        return sent.size() >= 9;
    }));
    EXPECT_EQ(sent, QByteArray(reinterpret_cast<const char*>(frame), sizeof frame));

    pty.WriteToPort(QByteArray::fromHex("EECC"));
    ASSERT_TRUE(SpinUntil([&] { return port.BytesAvailable() >= 2; }));
    ASSERT_FALSE(notifications.empty());
    EXPECT_EQ(notifications.front(), kEventRxChar);
    EXPECT_EQ(port.Read(buffer, 400, &count, 200), kSerialOk);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(buffer), count),
              QByteArray::fromHex("EECC"));

    // Reads are bounded by the caller's length.
    pty.WriteToPort(QByteArray(1000, 'x'));
    ASSERT_TRUE(SpinUntil([&] { return port.BytesAvailable() >= 1000; }));
    EXPECT_EQ(port.Read(buffer, 400, &count, 200), kSerialOk);
    EXPECT_EQ(count, 400);

    // Purge drops what was received and not read.
    EXPECT_EQ(port.Purge(), kSerialOk);
    EXPECT_EQ(port.BytesAvailable(), 0);
    EXPECT_EQ(port.Close(), kSerialOk);
    EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPort, MaskedOutArrivalsAreNotNotified) {
    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), kSerialOk);
    ASSERT_EQ(port.SetMask(kEventBreak), kSerialOk);
    int notifications = 0;
    QObject::connect(&port, &CSerialPort::Notification, [&](quint32) { ++notifications; });
    pty.WriteToPort("ab");
    ASSERT_TRUE(SpinUntil([&] { return port.BytesAvailable() >= 2; }));
    EXPECT_EQ(notifications, 0);
}

TEST(SerialPort, WindowsDevicePathFormIsAccepted) {
    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    CSerialPort port;
    EXPECT_EQ(port.Open("\\\\.\\" + pty.SlavePath()), kSerialOk);
    EXPECT_TRUE(port.IsOpen());
}

TEST(SerialPort, AWriteNeverRunsTheReceivePath) {
    // Bytes from the unit wait in the port while a frame is written: the arrival is announced
    // after the write has returned, never from inside it.
    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty.SlavePath()), kSerialOk);
    bool insideWrite = false;
    std::vector<bool> notifiedInsideWrite;
    QObject::connect(&port, &CSerialPort::Notification,
                     [&](quint32) { notifiedInsideWrite.push_back(insideWrite); });
    pty.WriteToPort(QByteArray::fromHex("EECC"));
    // Let the bytes reach the port's side of the pty without running the event loop.
    QThread::msleep(50);
    const std::uint8_t frame[] = {0xF5, 0x35, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
    int count = 0;
    insideWrite = true;
    EXPECT_EQ(port.Write(frame, sizeof frame, &count, 5000), kSerialOk);
    insideWrite = false;
    EXPECT_EQ(count, 9);
    ASSERT_TRUE(SpinUntil([&] { return !notifiedInsideWrite.empty(); }));
    EXPECT_EQ(notifiedInsideWrite, std::vector<bool>{false});
    QByteArray sent;
    EXPECT_TRUE(SpinUntil([&] {
        sent += pty.ReadAvailable();
        return sent.size() >= 9;
    }));
    EXPECT_EQ(sent, QByteArray(reinterpret_cast<const char*>(frame), sizeof frame));
}

TEST(SerialPort, AWriteThePortRefusesIsAFailedWriteReportedLater) {
    auto pty = std::make_unique<CPty>();
    ASSERT_TRUE(pty->IsValid());
    CSerialPort port;
    ASSERT_EQ(port.Open(pty->SlavePath()), kSerialOk);
    pty.reset();  // the far end goes away: the device refuses further writes
    const std::uint8_t frame[] = {0xF5, 0x35, 0x06, 0xB7, 0x1E, 0x30, 0x11, 0x00, 0x0B};
    int count = 0;
    EXPECT_EQ(port.Write(frame, sizeof frame, &count, 5000), kSerialOk);
    EXPECT_TRUE(SpinUntil([&] { return port.GetLastError() == kSerialGeneralFailure; }));
}

TEST(SerialPort, ResettingTheReceiveSideKeepsAFrameThatIsStillLeaving) {
    // The engine resets its receive side (and the port's input) whenever a reply ends; a frame
    // it has just written may still be waiting to leave and must not be thrown away with it.
    CPty pty;
    ASSERT_TRUE(pty.IsValid());
    CSerialPort port;
    CSerialLink link(port);
    ASSERT_TRUE(link.Open(pty.SlavePath().toStdString()));
    pty.WriteToPort(QByteArray::fromHex("EEAA"));
    QThread::msleep(50);
    const std::uint8_t frame[] = {0xF5, 0x35, 0x06, 0xB0, 0x1E, 0x10, 0x0D, 0x00, 0xE0};
    link.Write(frame);
    link.Purge();
    QByteArray sent;
    EXPECT_TRUE(SpinUntil([&] {
        sent += pty.ReadAvailable();
        return sent.size() >= 9;
    }));
    EXPECT_EQ(sent, QByteArray(reinterpret_cast<const char*>(frame), sizeof frame));
    EXPECT_EQ(port.BytesAvailable(), 0) << "what had arrived is discarded";
}
