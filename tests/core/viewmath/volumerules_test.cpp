// The master volume rules: the slider's limit and the keyboard steps at their edges.
#include <gtest/gtest.h>

#include "core/viewmath/volumerules.h"

TEST(VolumeRules, SliderTakesTheLimitAboveIt) {
    EXPECT_EQ(LimitSliderVolume(80, 60), 60);
    EXPECT_EQ(LimitSliderVolume(60, 60), 60);
    EXPECT_EQ(LimitSliderVolume(59, 60), 59);
    EXPECT_EQ(LimitSliderVolume(0, 0), 0);
}

TEST(VolumeRules, KeyboardSteps) {
    const struct {
        int current, delta, stop, maximum, expected;
    } kCases[] = {
        {0, -1, 84, 80, 0},   // lowering stops at 0
        {1, -1, 84, 80, 0},   //
        {40, 1, 84, 80, 41},  // one step up
        {80, 1, 84, 80, 80},  // at the maximum nothing changes
        {60, 1, 84, 60, 60},  // a lower maximum holds too
        {84, 1, 84, 90, 84},  // exactly the stop: nothing, whatever the maximum
        {70, 1, 70, 80, 70},  // the effect's stop
        {69, 1, 70, 80, 70},  // up to the stop is allowed
        {85, 1, 84, 90, 86},  // past the stop steps again
        {75, 1, 84, 60, 60},  // above the maximum a raise lands on the maximum
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(ShortcutVolume(c.current, c.delta, c.stop, c.maximum), c.expected)
            << c.current << " " << c.delta << " " << c.stop << " " << c.maximum;
    }
}
