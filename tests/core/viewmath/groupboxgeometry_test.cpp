#include "core/viewmath/groupboxgeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Points = std::vector<SFramePoint>;

TEST(GroupBoxGeometry, CaptionGapForEachAlignment) {
    const struct {
        const char* name;
        ECaptionAlign align;
        int captionWidth;
        int x1;
        int x2;
    } cases[] = {
        {"left", ECaptionAlign::Left, 40, 8, 48},
        {"right", ECaptionAlign::Right, 40, 152, 192},
        {"centre", ECaptionAlign::Centre, 40, 80, 120},
        {"empty caption leaves no gap", ECaptionAlign::Left, 0, 8, 8},
        {"centre caption wider than the box", ECaptionAlign::Centre, 260, -30, 230},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SGroupBoxLines lines =
            ComputeGroupBoxLines(0, 0, 200, 100, 1, 16, c.captionWidth, c.align);
        EXPECT_EQ(lines.nGapX1, c.x1);
        EXPECT_EQ(lines.nGapX2, c.x2);
        EXPECT_EQ(lines.firstPen.front(), (SFramePoint{c.x1, 7}));
        EXPECT_EQ(lines.firstPen.back(), (SFramePoint{c.x2, 7}));
    }
}

TEST(GroupBoxGeometry, TopLineSitsHalfAFontBelowTheTop) {
    EXPECT_EQ(ComputeGroupBoxLines(0, 0, 200, 100, 1, 16, 0, ECaptionAlign::Left).nTopY, 7);
    EXPECT_EQ(ComputeGroupBoxLines(0, 10, 200, 100, 1, 13, 0, ECaptionAlign::Left).nTopY, 15);
}

TEST(GroupBoxGeometry, TwoPensDrawADoubleFrame) {
    const SGroupBoxLines lines =
        ComputeGroupBoxLines(0, 0, 200, 100, 1, 16, 40, ECaptionAlign::Left);
    EXPECT_EQ(lines.firstPen, (Points{{8, 7}, {0, 7}, {0, 99}, {199, 99}, {199, 7}, {48, 7}}));
    EXPECT_EQ(lines.secondPen[0], (Points{{8, 8}, {1, 8}, {1, 98}}));
    EXPECT_EQ(lines.secondPen[1], (Points{{1, 100}, {200, 100}, {200, 8}}));
    EXPECT_EQ(lines.secondPen[2], (Points{{198, 8}, {48, 8}}));
}

TEST(GroupBoxGeometry, WiderLinesMoveTheInnerFrame) {
    const SGroupBoxLines lines =
        ComputeGroupBoxLines(0, 0, 100, 50, 2, 16, 10, ECaptionAlign::Right);
    EXPECT_EQ(lines.firstPen[2], (SFramePoint{0, 48}));
    EXPECT_EQ(lines.secondPen[0], (Points{{82, 9}, {2, 9}, {2, 46}}));
    EXPECT_EQ(lines.secondPen[2], (Points{{96, 9}, {92, 9}}));
}

}  // namespace
