// A lost network link comes back by itself: the tries' timing, the reason a try failed, and
// the user's own disconnect that ends the tries.
#include "link/reconnector.h"

#include <gtest/gtest.h>

#include "core/model/audiodata.h"
#include "link/linkcontroller.h"
#include "link/unitconnection.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/simunitthread.h"
#include "tests/support/spin.h"

TEST(Reconnector, TriesAfterOneTwoFourEightThenEveryTenSeconds) {
    const int expected[] = {1000, 2000, 4000, 8000, 10000, 10000, 10000};
    for (int attempt = 1; attempt <= 7; ++attempt) {
        EXPECT_EQ(ReconnectDelayMs(attempt), expected[attempt - 1]) << attempt;
    }
}

TEST(Reconnector, ALostNetworkLinkComesBackWhenTheUnitListensAgain) {
    auto unit = std::make_unique<CSimUnitThread>(CSimUnitThread::Transport::Tcp);
    const quint16 port = unit->TcpPort();
    CFakeHidBackend::Shared hid;
    hid.deviceAttached = false;
    CAudioData model;
    CUnitConnection connection(model, std::make_unique<CFakeHidBackend>(hid));
    int readBacks = 0;
    QObject::connect(&connection.Controller(), &CLinkController::ReadBackCompleted,
                     [&](bool) { ++readBacks; });
    SearchPlan plan;
    plan.bUsb = plan.bSerial = false;
    plan.address = "127.0.0.1";
    plan.tcpPort = port;
    connection.StartSearch(plan);
    ASSERT_TRUE(SpinUntil([&] { return readBacks == 1; }, 8000));

    // The unit goes away: the first try, a second later, is refused and says so.
    unit.reset();
    ASSERT_TRUE(SpinUntil([&] { return connection.Reconnector().Active(); }, 3000));
    EXPECT_EQ(connection.State().connected, 0);
    ASSERT_TRUE(SpinUntil([&] { return !connection.Reconnector().LastFailure().isEmpty(); }, 3000));
    EXPECT_EQ(connection.Reconnector().Attempt(), 1);
    EXPECT_TRUE(connection.Reconnector().LastFailure().contains("connection refused"))
        << connection.Reconnector().LastFailure().toStdString();

    // Back on the same port: the second try reads it back.
    unit =
        std::make_unique<CSimUnitThread>(CSimUnitThread::Transport::Tcp, SimOptions{}, false, port);
    ASSERT_TRUE(SpinUntil([&] { return readBacks == 2; }, 5000));
    EXPECT_FALSE(connection.Reconnector().Active());
    EXPECT_EQ(connection.State().connected, 1);

    // The user's own disconnect is not tried again.
    connection.UserDisconnect();
    EXPECT_EQ(connection.State().connected, 0);
    EXPECT_FALSE(connection.Reconnector().Active());
}
