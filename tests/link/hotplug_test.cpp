#include "link/hotplugmonitor.h"

#include <gtest/gtest.h>

#include "tests/support/recordingnotify.h"

TEST(Hotplug, OnlyTheUnitsOwnDeviceEndsAUsbLinkInUse) {
    const struct {
        const char* what;
        bool connected;
        LinkKind linkKind;
        const char* removed;
        const char* unit;
        bool ends;
    } cases[] = {
        {"unit unplugged while USB link up", true, LinkKind::Usb, "/dev/hidraw3", "/dev/hidraw3",
         true},
        {"mouse unplugged while USB link up", true, LinkKind::Usb, "/dev/hidraw1", "/dev/hidraw3",
         false},
        {"unit unplugged while serial link up", true, LinkKind::Serial, "/dev/hidraw3",
         "/dev/hidraw3", false},
        {"unit unplugged while network link up", true, LinkKind::Network, "/dev/hidraw3",
         "/dev/hidraw3", false},
        {"unit unplugged while not connected", false, LinkKind::Usb, "/dev/hidraw3", "/dev/hidraw3",
         false},
        {"no unit device known", true, LinkKind::Usb, "", "", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemovalEndsUsbLink(c.connected, c.linkKind, c.removed, c.unit), c.ends) << c.what;
    }
}

TEST(Hotplug, MonitorStartsOnceOrTellsTheUserWhyNot) {
    CRecordingNotify notify;
    CHotplugMonitor monitor;
    const bool started = monitor.Start();
    EXPECT_EQ(monitor.IsRunning(), started);
    EXPECT_EQ(monitor.Start(), started);
    const std::vector<std::string> expected =
        started ? std::vector<std::string>{}
                : std::vector<std::string>{"RegisterDeviceNotification failed",
                                           "RegisterDeviceNotification failed"};
    EXPECT_EQ(notify.m_messages, expected);
}
