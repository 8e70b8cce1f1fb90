#include "link/connectsearch.h"

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>

#include "tests/support/linkrig.h"
#include "tests/support/spin.h"

namespace {
constexpr int kSearchWaitMs = 8000;

// Counts the steps the search's timer runs.
std::shared_ptr<int> CountTimerSteps(CConnectSearch& search) {
    auto steps = std::make_shared<int>(0);
    QObject::connect(search.findChild<QTimer*>(), &QTimer::timeout, [steps] { ++*steps; });
    return steps;
}
}  // namespace

TEST(ConnectSearch, EachLinkConnectsOnTheUnitsAcknowledgement) {
    // The first step runs at once; the connect's outcome and the acknowledgement are taken as
    // they come, so no link waits for a further step of the timer.
    {
        LinkRig rig;
        const auto steps = CountTimerSteps(rig.search);
        rig.search.Start(rig.NetworkOnly(), false);
        ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
        EXPECT_EQ(*steps, 1);
        EXPECT_EQ(*rig.result, SearchResult::Connected);
        EXPECT_EQ(rig.statuses, QStringList{"Network search"});
        EXPECT_EQ(rig.state.linkKind, LinkKind::Network);
        EXPECT_EQ(rig.state.connected, 1);
        EXPECT_EQ(rig.model.lastSetAllChanged, 0);
        EXPECT_FALSE(rig.model.lastUsbChunks);
        ASSERT_TRUE(SpinUntil([&] { return !rig.readBacks.empty(); }));
        EXPECT_EQ(rig.readBacks, std::vector<bool>{false});
        EXPECT_EQ(rig.model.readBacks, 1);
    }
    {
        LinkRig rig;
        ASSERT_TRUE(rig.pty.IsValid());
        const auto steps = CountTimerSteps(rig.search);
        rig.search.Start(rig.SerialOnly({rig.pty.SlavePath()}), false);
        ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
        EXPECT_EQ(*steps, 1);
        EXPECT_EQ(*rig.result, SearchResult::Connected);
        EXPECT_EQ(rig.statuses, QStringList{"Com search" + rig.pty.SlavePath()});
        EXPECT_EQ(rig.state.linkKind, LinkKind::Serial);
        EXPECT_TRUE(rig.serialPort.IsOpen());
        ASSERT_TRUE(SpinUntil([&] { return !rig.readBacks.empty(); }));
        EXPECT_EQ(rig.model.readBacks, 1);
    }
    {
        LinkRig rig;
        ASSERT_TRUE(rig.hidDevice.OpenDevice());
        ASSERT_TRUE(rig.hidDevice.StartReader());
        const auto steps = CountTimerSteps(rig.search);
        rig.search.Start(rig.UsbOnly(), true);
        ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
        EXPECT_EQ(*steps, 1);
        EXPECT_EQ(*rig.result, SearchResult::Connected);
        EXPECT_EQ(rig.statuses, QStringList{"USB search"});
        EXPECT_EQ(rig.state.linkKind, LinkKind::Usb);
        EXPECT_EQ(rig.state.searchStage, SearchStage::Usb);
        EXPECT_TRUE(rig.model.lastUsbChunks);
    }
}

TEST(ConnectSearch, ARefusingUnitRunsTheProgressToTheEndAndConnectsNothing) {
    LinkRig rig;
    rig.unit.handshakeReply = 0xDD;
    rig.search.Start(rig.NetworkOnly(), false);
    ASSERT_TRUE(SpinUntil([&] { return rig.result.has_value(); }, kSearchWaitMs));
    EXPECT_EQ(*rig.result, SearchResult::Refused);
    EXPECT_EQ(rig.maxProgress, kSearchProgressMax);
    EXPECT_EQ(rig.state.connected, 0);
    EXPECT_EQ(rig.state.unitRefused, 0);
    EXPECT_EQ(rig.command.GetCount(), 0);
    EXPECT_FALSE(rig.socket.IsConnected());
}

TEST(ConnectSearch, ASilentPortCostsFiveTicksAndNineHandshakes) {
    LinkRig rig;
    ASSERT_TRUE(rig.pty.IsValid());
    rig.unit.silent = true;
    rig.search.Start(rig.SerialOnly({rig.pty.SlavePath()}), false);
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(rig.search.PortIndex(), 0) << tick;
        rig.search.Tick();
        SpinFor(20);
    }
    EXPECT_EQ(rig.search.PortIndex(), 1);
    EXPECT_EQ(rig.unit.handshakes, 9);
    EXPECT_FALSE(rig.serialPort.IsOpen());
    // No further port and no network in the plan: the search ends unconnected.
    rig.search.Tick();
    rig.search.Tick();
    ASSERT_TRUE(rig.result.has_value());
    EXPECT_EQ(*rig.result, SearchResult::NotFound);
    EXPECT_EQ(rig.state.connected, 0);
}

TEST(ConnectSearch, PortListLimits) {
    const struct {
        const char* what;
        QStringList ports;
        int portsTried;
    } cases[] = {
        {"twelve ports: ten are tried",
         {"/dev/nx0", "/dev/nx1", "/dev/nx2", "/dev/nx3", "/dev/nx4", "/dev/nx5", "/dev/nx6",
          "/dev/nx7", "/dev/nx8", "/dev/nx9", "/dev/nx10", "/dev/nx11"},
         10},
        {"an empty third name ends the list", {"/dev/nx0", "/dev/nx1", "", "/dev/nx3"}, 2},
        {"no ports", {}, 0},
    };
    for (const auto& c : cases) {
        LinkRig rig;
        rig.search.Start(rig.SerialOnly(c.ports), false);
        int ticks = 0;
        while (rig.state.searchStage == SearchStage::Serial && ticks < 50) {
            rig.search.Tick();
            ++ticks;
        }
        // One tick per port that cannot be opened, and one to see that no port is left.
        EXPECT_EQ(ticks, c.portsTried + 1) << c.what;
        EXPECT_EQ(rig.search.PortIndex(), c.portsTried) << c.what;
        EXPECT_EQ(rig.search.Progress(), c.portsTried) << c.what;
    }
}

TEST(ConnectSearch, EverySearchStartsFromTheStartUpRuleWithClearedState) {
    LinkRig rig;
    rig.state.searchStage = SearchStage::Exhausted;
    rig.state.unitAcked = 1;
    rig.state.unitRefused = 1;
    rig.command.Enqueue(CFrameBuilder::MakeParamFrame(kOpWrite, 0, 0, 1));
    SearchPlan all;
    rig.search.Start(all, false);
    EXPECT_EQ(rig.state.searchStage, SearchStage::Serial);
    EXPECT_EQ(rig.state.unitAcked, 0);
    EXPECT_EQ(rig.state.unitRefused, 0);
    EXPECT_EQ(rig.command.GetCount(), 0);
    EXPECT_EQ(rig.command.RxCount(), 0);
    rig.search.Start(all, true);
    EXPECT_EQ(rig.state.searchStage, SearchStage::Usb);
}

TEST(ConnectSearch, ASilentUsbUnitGetsFourHandshakesThenSerialAndNetworkAreTried) {
    LinkRig rig;
    rig.unit.silent = true;
    ASSERT_TRUE(rig.connection.OpenUsb());
    SearchPlan plan;
    plan.portNames = {"/dev/nx0"};
    plan.address = "127.0.0.1";
    plan.tcpPort = rig.server.serverPort();
    rig.connection.StartSearch(plan);
    // Four ticks with a handshake each, the fifth moves on.
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(rig.state.searchStage, SearchStage::Usb) << tick;
        rig.search.Tick();
    }
    EXPECT_EQ(rig.state.searchStage, SearchStage::Serial);
    for (int tick = 0; tick < 3 && rig.state.searchStage != SearchStage::Network; ++tick) {
        rig.search.Tick();
    }
    rig.search.Tick();
    EXPECT_EQ(rig.statuses, (QStringList{"USB search", "Com search/dev/nx0", "Network search"}));
    // The reports leave from the USB device's own thread.
    SpinFor(50);
    std::lock_guard lock(rig.hid.mutex);
    ASSERT_EQ(rig.hid.outputReports.size(), 4u);
    for (const auto& report : rig.hid.outputReports) {
        EXPECT_TRUE(std::equal(kHandshakeFrame.begin(), kHandshakeFrame.end(), report.begin() + 1));
    }
}
