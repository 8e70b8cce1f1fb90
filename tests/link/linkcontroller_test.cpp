#include "link/linkcontroller.h"

#include <gtest/gtest.h>

#include "tests/support/linkrig.h"
#include "tests/support/recordingnotify.h"
#include "tests/support/spin.h"

namespace {
constexpr int kSearchWaitMs = 8000;

void ConnectOverNetwork(LinkRig& rig) {
    rig.search.Start(rig.NetworkOnly(), false);
    ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
    ASSERT_EQ(*rig.result, SearchResult::Connected);
    ASSERT_TRUE(SpinUntil([&] { return !rig.readBacks.empty(); }));
}
}  // namespace

TEST(LinkController, ALockedPanelIsReportedWithTheReadBack) {
    LinkRig rig;
    rig.unit.locked = true;
    ConnectOverNetwork(rig);
    EXPECT_EQ(rig.readBacks, std::vector<bool>{true});
}

TEST(LinkController, ConnectByNeedsTheUnitsAcknowledgement) {
    LinkRig rig;
    rig.controller.ConnectBy(kConnectNetwork);
    EXPECT_EQ(rig.state.connected, 0);
    EXPECT_TRUE(rig.model.readAllModes.empty());
    rig.state.unitAcked = 1;
    // A serial index without a port name is refused instead of read out of range.
    rig.controller.ConnectBy(3);
    EXPECT_EQ(rig.state.connected, 0);
}

TEST(LinkController, DisconnectRunsTheRoutineOfTheLinkInUse) {
    LinkRig rig;
    ConnectOverNetwork(rig);
    CRecordingNotify notify;
    // The queue ran dry under the running network link.
    rig.controller.SendMessage(MSG_DISCONNECT, 0);
    EXPECT_EQ(notify.m_messages, std::vector<std::string>{"断开连接"});
    EXPECT_EQ(rig.linksLost, std::vector<LinkKind>{LinkKind::Network});
    EXPECT_EQ(rig.state.connected, 0);
    EXPECT_EQ(rig.state.unitAcked, 0);
    EXPECT_FALSE(rig.socket.IsConnected());
}

TEST(LinkController, SerialDisconnectResetsEvenWhenThePortIsAlreadyGone) {
    LinkRig rig;
    ASSERT_TRUE(rig.pty.IsValid());
    rig.search.Start(rig.SerialOnly({rig.pty.SlavePath()}), false);
    ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
    ASSERT_EQ(rig.state.linkKind, LinkKind::Serial);
    rig.serialPort.Close();
    rig.controller.DisconnectSerial();
    EXPECT_EQ(rig.state.connected, 0);
    EXPECT_EQ(rig.command.GetCount(), 0);
    EXPECT_EQ(rig.linksLost, std::vector<LinkKind>{LinkKind::Serial});
}

TEST(LinkController, ASilentUnitDropsTheLinkAfterTheRetries) {
    LinkRig rig;
    ConnectOverNetwork(rig);
    rig.unit.silent = true;
    // The idle poll goes unanswered: six time-outs of 61 ticks end the link.
    ASSERT_TRUE(SpinUntil([&] { return !rig.linksLost.empty(); }, 15000));
    EXPECT_EQ(rig.linksLost, std::vector<LinkKind>{LinkKind::Network});
    EXPECT_EQ(rig.state.connected, 0);
    EXPECT_EQ(rig.command.GetCount(), 0);
}

TEST(LinkController, OnlyTheUnitsOwnUnplugEndsTheUsbLink) {
    LinkRig rig;
    ASSERT_TRUE(rig.hidDevice.OpenDevice());
    ASSERT_TRUE(rig.hidDevice.StartReader());
    rig.search.Start(rig.UsbOnly(), true);
    ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
    ASSERT_EQ(rig.state.linkKind, LinkKind::Usb);

    rig.controller.OnHidRemoved("/dev/hidraw0");  // some other HID device
    EXPECT_EQ(rig.state.connected, 1);
    EXPECT_TRUE(rig.hidDevice.IsOpen());

    rig.hid.deviceAttached = false;
    rig.controller.OnHidRemoved(rig.hid.path);
    EXPECT_EQ(rig.state.connected, 0);
    EXPECT_EQ(rig.linksLost, std::vector<LinkKind>{LinkKind::Usb});
    EXPECT_FALSE(rig.hidDevice.IsOpen());
    EXPECT_EQ(rig.state.searchStage, SearchStage::Serial);

    rig.hid.deviceAttached = true;
    rig.controller.OnHidArrived(rig.hid.path);
    EXPECT_TRUE(rig.hidDevice.IsOpen());
    EXPECT_TRUE(rig.hidDevice.IsReading());
    EXPECT_EQ(rig.state.searchStage, SearchStage::Usb);
    // Not reconnected by itself.
    EXPECT_EQ(rig.state.connected, 0);
}

TEST(LinkController, AUsbLinkEndsThroughTheUsbRoutine) {
    // Dropped on request (the queue ran dry) and after the retries of a unit gone silent.
    for (const bool silence : {false, true}) {
        LinkRig rig;
        ASSERT_TRUE(rig.connection.OpenUsb());
        rig.search.Start(rig.UsbOnly(), true);
        ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
        ASSERT_EQ(rig.state.connected, 1);
        ASSERT_EQ(rig.state.linkKind, LinkKind::Usb);
        if (silence) {
            rig.unit.silent = true;
            ASSERT_TRUE(SpinUntil([&] { return !rig.linksLost.empty(); }, 15000));
        } else {
            CRecordingNotify notify;
            rig.controller.SendMessage(MSG_DISCONNECT, 0);
        }
        EXPECT_EQ(rig.linksLost, std::vector<LinkKind>{LinkKind::Usb}) << silence;
        EXPECT_EQ(rig.state.connected, 0) << silence;
        EXPECT_EQ(rig.command.GetCount(), 0) << silence;
        EXPECT_EQ(rig.state.idleTicks[LinkIndex(LinkKind::Usb)], 0) << silence;
    }
}

TEST(LinkController, AHidArrivalLeavesTheStageOfASerialOrNetworkLink) {
    LinkRig rig;
    rig.hid.deviceAttached = false;
    ConnectOverNetwork(rig);
    ASSERT_EQ(rig.state.searchStage, SearchStage::Network);
    rig.hid.deviceAttached = true;
    rig.controller.OnHidArrived(rig.hid.path);
    EXPECT_TRUE(rig.hidDevice.IsOpen());
    // A later mode recall or upload must not be chunked for USB on the network link.
    EXPECT_EQ(rig.state.searchStage, SearchStage::Network);
    EXPECT_EQ(rig.state.connected, 1);
}
