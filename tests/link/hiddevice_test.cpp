#include "link/hiddevice.h"

#include <gtest/gtest.h>

#include <QThread>

#include "tests/support/fakehidbackend.h"
#include "tests/support/spin.h"

namespace {
struct Fixture {
    CFakeHidBackend::Shared shared;
    CFakeHidBackend* pBackend;
    CHidDevice device;
    Fixture()
        : pBackend(new CFakeHidBackend(shared)), device(std::unique_ptr<IHidBackend>(pBackend)) {}
};

std::vector<std::uint8_t> Report(std::uint8_t first, int length = kHidReadSize) {
    std::vector<std::uint8_t> report(length, 0);
    for (int i = 0; i < length; ++i) {
        report[i] = static_cast<std::uint8_t>(first + i);
    }
    return report;
}
}  // namespace

TEST(HidDevice, ReportsReachTheOwnersThreadInOrderAsSixtyFiveBytes) {
    Fixture f;
    ASSERT_TRUE(f.device.OpenDevice());
    EXPECT_EQ(f.device.DevicePath(), QString("/dev/hidraw7"));
    std::vector<QByteArray> received;
    bool onOwnerThread = true;
    QObject::connect(&f.device, &CHidDevice::ReportReceived, [&](const QByteArray& report) {
        onOwnerThread = onOwnerThread && QThread::currentThread() == f.device.thread();
        received.push_back(report);
    });
    ASSERT_TRUE(f.device.StartReader());
    for (int i = 0; i < 20; ++i) {
        f.pBackend->Queue(Report(static_cast<std::uint8_t>(i * 3)));
    }
    // A short report is padded with zeros behind the report id.
    f.pBackend->Queue({0xEE, 0xCC});
    ASSERT_TRUE(SpinUntil([&] { return received.size() == 21; }));
    EXPECT_TRUE(onOwnerThread);
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(received[i].size(), kHidReportLength);
        EXPECT_EQ(received[i][0], 0) << i;
        EXPECT_EQ(static_cast<std::uint8_t>(received[i][1]), i * 3) << i;
        EXPECT_EQ(static_cast<std::uint8_t>(received[i][64]),
                  static_cast<std::uint8_t>(i * 3 + 63));
    }
    QByteArray status(kHidReportLength, '\0');
    status[1] = static_cast<char>(0xEE);
    status[2] = static_cast<char>(0xCC);
    EXPECT_EQ(received[20], status);
}

TEST(HidDevice, FramesUpToSixtyFourBytesFillOneReport) {
    Fixture f;
    ASSERT_TRUE(f.device.OpenDevice());
    const struct {
        int length;
        bool written;
    } cases[] = {{9, true}, {64, true}, {65, false}, {0, true}};
    for (const auto& c : cases) {
        f.shared.outputReports.clear();
        const std::vector<std::uint8_t> frame = Report(0xA0, c.length);
        EXPECT_EQ(f.device.WriteFrame(frame.data(), c.length), c.written) << c.length;
        if (!c.written) {
            EXPECT_TRUE(f.shared.outputReports.empty()) << c.length;
            continue;
        }
        ASSERT_EQ(f.shared.outputReports.size(), 1u) << c.length;
        std::vector<std::uint8_t> expected(kHidReportLength, 0);
        std::copy(frame.begin(), frame.end(), expected.begin() + 1);
        EXPECT_EQ(f.shared.outputReports[0], expected) << c.length;
    }
}

TEST(HidDevice, ReopeningStopsTheReaderBeforeClosingAndRestartsIt) {
    Fixture f;
    ASSERT_TRUE(f.device.OpenDevice());
    ASSERT_TRUE(f.device.StartReader());
    SpinFor(60);
    ASSERT_TRUE(f.device.OpenDevice());
    EXPECT_TRUE(f.device.IsReading());
    EXPECT_EQ(f.shared.calls, (std::vector<std::string>{"open", "close", "open"}));
    EXPECT_EQ(f.shared.maxConcurrentReaders, 1);

    int count = 0;
    QObject::connect(&f.device, &CHidDevice::ReportReceived, [&](const QByteArray&) { ++count; });
    f.pBackend->Queue(Report(1));
    EXPECT_TRUE(SpinUntil([&] { return count == 1; }));
}

TEST(HidDevice, AbsentDeviceAndUnplugReplug) {
    Fixture f;
    f.shared.deviceAttached = false;
    EXPECT_FALSE(f.device.ListDevices());
    EXPECT_FALSE(f.device.OpenDevice());
    EXPECT_FALSE(f.device.IsOpen());
    EXPECT_TRUE(f.device.DevicePath().isEmpty());
    EXPECT_FALSE(f.device.StartReader());
    const std::uint8_t frame[9] = {};
    EXPECT_FALSE(f.device.WriteFrame(frame, 9));

    f.shared.deviceAttached = true;
    EXPECT_TRUE(f.device.ListDevices());
    ASSERT_TRUE(f.device.OpenDevice());
    ASSERT_TRUE(f.device.StartReader());
    f.device.PauseReader();
    EXPECT_FALSE(f.device.IsReading());
    f.device.ResumeReader();
    EXPECT_TRUE(f.device.IsReading());
    int count = 0;
    QObject::connect(&f.device, &CHidDevice::ReportReceived, [&](const QByteArray&) { ++count; });
    f.pBackend->Queue(Report(9));
    EXPECT_TRUE(SpinUntil([&] { return count == 1; }));
    f.device.Close();
    EXPECT_FALSE(f.device.IsReading());
    EXPECT_FALSE(f.device.IsOpen());
    EXPECT_EQ(std::count(f.shared.calls.begin(), f.shared.calls.end(), "close-while-reading"), 0);
}

TEST(HidDevice, WritesNeverOverlapAReadAndLeaveInOrder) {
    Fixture f;
    ASSERT_TRUE(f.device.OpenDevice());
    ASSERT_TRUE(f.device.StartReader());
    for (int i = 0; i < 10; ++i) {
        const std::vector<std::uint8_t> frame = Report(static_cast<std::uint8_t>(i), 9);
        EXPECT_TRUE(f.device.WriteFrame(frame.data(), 9));
        SpinFor(7);
    }
    ASSERT_TRUE(SpinUntil([&] {
        std::lock_guard lock(f.shared.mutex);
        return f.shared.outputReports.size() == 10;
    }));
    f.device.Close();
    EXPECT_EQ(std::count(f.shared.calls.begin(), f.shared.calls.end(), "write-during-read"), 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(f.shared.outputReports[i][1], i) << i;
    }
}
