// The value texts of the pages' sliders, at their ends and at the steps the pages name.
#include <gtest/gtest.h>

#include "core/viewmath/valuetext.h"

namespace {
struct SCase {
    std::string (*text)(int);
    int step;
    const char* shown;
};

TEST(ValueText, EveryFormatAtItsEndsAndNamedSteps) {
    const SCase kCases[] = {
        {MixLevelText, 50, "100%"},       {MixLevelText, 200, "400%"},
        {MixLevelText, 0, "0%"},          {PercentText, 80, "80%"},
        {EchoADelayText, 0, "12ms"},      {EchoADelayText, 3, "49ms"},
        {EchoADelayText, 15, "196ms"},    {EchoBDelayText, 127, "381ms"},
        {ReverbTimeText, 0, "0.0s"},      {ReverbTimeText, 60, "6.0s"},
        {OutputDelayText, 0, "0.0ms"},    {OutputDelayText, 50, "5.0ms"},
        {CrossoverText, 0, "19.7Hz"},     {CrossoverText, 142, "303.0Hz"},
        {CrossoverText, 297, "5990.0Hz"}, {CrossoverText, 360, "20200.0Hz"},
        {TrebleBoostText, 0, "OFF"},      {TrebleBoostText, 2, "2dB"},
        {KeyShiftText, 0, "-7"},          {KeyShiftText, 7, "0"},
        {KeyShiftText, 14, "7"},          {MsText, 40, "40ms"},
        {StepText, 127, "127"},
    };
    for (const SCase& c : kCases) {
        EXPECT_EQ(c.text(c.step), c.shown) << "step " << c.step;
    }
}

TEST(ValueText, TableStepsOutsideTheTableShowTheNearestEntry) {
    EXPECT_EQ(EchoADelayText(-3), "12ms");
    EXPECT_EQ(EchoADelayText(99), "196ms");
    EXPECT_EQ(CrossoverText(-1), "19.7Hz");
    EXPECT_EQ(CrossoverText(400), "20200.0Hz");
}
}  // namespace
