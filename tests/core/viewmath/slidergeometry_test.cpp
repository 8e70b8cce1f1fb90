#include "core/viewmath/slidergeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct SPixelCase {
    const char* name;
    SSliderAxis axis;
    SSliderRange range;
    int pos;
    int pixel;
};

// Pixel of the thumb's centre for a position, and the position read back from that pixel.
TEST(SliderGeometry, PositionAndPixelMapBothWays) {
    const SPixelCase cases[] = {
        {"horizontal minimum", {200, 0, 0, 20}, {0, 100}, 0, 10},
        {"horizontal middle", {200, 0, 0, 20}, {0, 100}, 50, 100},
        {"horizontal maximum", {200, 0, 0, 20}, {0, 100}, 100, 190},
        {"vertical EQ middle (0 dB)", {200, 20, 20, 12}, {0, 180}, 90, 100},
        {"vertical EQ top", {200, 20, 20, 12}, {0, 180}, 0, 26},
        {"vertical EQ bottom", {200, 20, 20, 12}, {0, 180}, 180, 174},
        {"negative range", {110, 5, 5, 0}, {-50, 50}, 0, 55},
        {"margins on both ends", {180, 4, 6, 14}, {0, 80}, 80, 167},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SliderPosToPixel(c.axis, c.range, c.pos), c.pixel);
        EXPECT_EQ(SliderPixelToPos(c.axis, c.range, c.pixel), c.pos);
    }
}

TEST(SliderGeometry, PixelToPositionTruncatesAndStaysInRange) {
    const SSliderAxis axis{200, 20, 20, 12};  // travel 148 over 180 steps
    const SSliderRange range{0, 180};
    EXPECT_EQ(SliderPosToPixel(axis, range, 1), 26);  // 148 / 180 truncates to 0
    EXPECT_EQ(SliderPixelToPos(axis, range, 27), 1);  // 180 / 148 truncates to 1
    EXPECT_EQ(SliderPixelToPos(axis, range, 28), 2);
    EXPECT_EQ(SliderPixelToPos(axis, range, 29), 3);  // 3.65 truncates, never rounds up
    EXPECT_EQ(SliderPixelToPos(axis, range, -400), 0);
    EXPECT_EQ(SliderPixelToPos(axis, range, 4000), 180);
}

// An odd thumb keeps its centre half a pixel off the middle: the half thumb truncates on both
// ends, so the travel is one pixel shorter than the span between the extreme centres.
TEST(SliderGeometry, OddThumbTruncatesItsHalfOnBothEnds) {
    const SSliderAxis axis{200, 20, 20, 13};
    const SSliderRange range{0, 180};
    EXPECT_EQ(SliderLowestPixel(axis), 26);
    EXPECT_EQ(SliderHighestPixel(axis), 174);
    EXPECT_EQ(SliderTravel(axis), 147);
    EXPECT_EQ(SliderPosToPixel(axis, range, 0), 26);
    EXPECT_EQ(SliderPosToPixel(axis, range, 90), 99);    // 73.5 truncates
    EXPECT_EQ(SliderPosToPixel(axis, range, 180), 173);  // one short of the highest centre
    EXPECT_EQ(SliderPixelToPos(axis, range, 99), 89);
    EXPECT_EQ(SliderPixelToPos(axis, range, 174), 180);  // 181.2 is limited to the range
}

TEST(SliderGeometry, ThumbCentreIsKeptBetweenTheMargins) {
    const SSliderAxis axis{180, 4, 6, 14};
    EXPECT_EQ(SliderLowestPixel(axis), 11);
    EXPECT_EQ(SliderHighestPixel(axis), 167);
    EXPECT_EQ(SliderClampPixel(axis, 0), 11);
    EXPECT_EQ(SliderClampPixel(axis, 90), 90);
    EXPECT_EQ(SliderClampPixel(axis, 500), 167);
}

// A hidden or tiny slider, or one whose range is empty, maps without dividing by zero: every
// position sits at the low end and every pixel reads as the minimum.
TEST(SliderGeometry, NoTrackMeansNoDivision) {
    const struct {
        const char* name;
        SSliderAxis axis;
        SSliderRange range;
    } cases[] = {
        {"zero width", {0, 0, 0, 0}, {0, 100}},
        {"thumb fills the control", {20, 0, 0, 20}, {0, 100}},
        {"margins larger than the control", {30, 20, 20, 10}, {0, 100}},
        {"min equals max", {200, 0, 0, 20}, {7, 7}},
        {"max below min", {200, 0, 0, 20}, {9, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(SliderHasTrack(c.axis, c.range));
        EXPECT_EQ(SliderPosToPixel(c.axis, c.range, 50), SliderLowestPixel(c.axis));
        EXPECT_EQ(SliderPixelToPos(c.axis, c.range, 15), c.range.nMin);
    }
}

TEST(SliderGeometry, PositionIsLimitedToTheRange) {
    EXPECT_EQ(SliderClampPos({0, 80}, 200), 80);
    EXPECT_EQ(SliderClampPos({0, 80}, -5), 0);
    EXPECT_EQ(SliderClampPos({0, 80}, 33), 33);
    EXPECT_EQ(SliderClampPos({9, 3}, 5), 9);  // an inverted range yields its minimum
}

TEST(SliderGeometry, HugeRangesDoNotOverflow) {
    const SSliderAxis axis{1000, 0, 0, 0};
    const SSliderRange range{std::numeric_limits<int>::min() / 2 - 10,
                             std::numeric_limits<int>::max() / 2 + 10};
    EXPECT_EQ(SliderPosToPixel(axis, range, range.nMax), 1000);
    EXPECT_EQ(SliderPosToPixel(axis, range, range.nMin), 0);
    EXPECT_EQ(SliderPixelToPos(axis, range, 1000), range.nMax);
}

}  // namespace
