// The USB link end to end: the simulated unit's USB mode behind the fake HID backend, the
// search's USB stage, and the chunked read-back of the whole state through the controller.
#include <gtest/gtest.h>

#include "core/model/audiodata.h"
#include "link/hiddevice.h"
#include "link/linkcontroller.h"
#include "link/unitconnection.h"
#include "simunit.h"
#include "tests/support/fakehidbackend.h"
#include "tests/support/spin.h"

TEST(UsbLink, SearchAndChunkedReadBackAgainstTheSimulatedUnit) {
    CSimUnit unit;
    unit.Block(kChMic)[81] = 1234;  // in the last chunk of the longest block
    unit.Block(kChSub + 1)[31] = -5;
    unit.SystemBlock()[2] = 'U';  // the first mode name, in the system block's first chunk

    CFakeHidBackend::Shared hid;
    hid.respond = [&unit](std::span<const std::uint8_t> report) {
        std::vector<std::vector<std::uint8_t>> answers;
        for (const SimReport& answer : unit.OnUsbReport(report)) {
            answers.emplace_back(answer.begin(), answer.end());
        }
        return answers;
    };
    CAudioData model;
    CUnitConnection connection(model, std::make_unique<CFakeHidBackend>(hid));
    const CLinkState& state = connection.State();
    std::optional<SearchResult> result;
    QObject::connect(&connection.Search(), &CConnectSearch::Finished,
                     [&](SearchResult r) { result = r; });
    bool readBack = false;
    QObject::connect(&connection.Controller(), &CLinkController::ReadBackCompleted,
                     [&](bool) { readBack = true; });

    ASSERT_TRUE(connection.OpenUsb());
    SearchPlan plan;
    plan.bSerial = plan.bNetwork = false;
    connection.StartSearch(plan);
    ASSERT_TRUE(SpinUntil([&] { return result.has_value(); }, 5000));
    ASSERT_EQ(*result, SearchResult::Connected);
    EXPECT_EQ(state.linkKind, LinkKind::Usb);
    ASSERT_TRUE(SpinUntil([&] { return readBack; }, 10000));

    for (int ch = 0; ch < kBlockChannels; ++ch) {
        const auto expected = unit.Block(ch);
        const auto actual = model.Image().Words(ch);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), actual.begin(), actual.end()))
            << "channel " << ch;
    }
    const auto system = unit.SystemBlock();
    EXPECT_TRUE(std::equal(system.begin(), system.end(), model.Image().system.begin()));
    // Every request left as one report of 65 bytes.
    for (const auto& report : hid.outputReports) {
        EXPECT_EQ(report.size(), static_cast<std::size_t>(kHidReportLength));
    }
}
