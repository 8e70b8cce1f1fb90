#include "core/viewmath/buttonface.h"

#include <gtest/gtest.h>

namespace {

// Slots hold 11 ... 16 so the result names the slot used.
constexpr ButtonFaceIds kAll = {11, 12, 13, 14, 15, 16};

TEST(ButtonFace, EachStatePicksItsSlot) {
    const struct {
        bool selected;
        bool hover;
        bool pressed;
        int id;
    } cases[] = {
        {true, false, false, 11}, {true, false, true, 11},   {true, true, false, 12},
        {true, true, true, 13},   {false, false, false, 14}, {false, false, true, 14},
        {false, true, false, 15}, {false, true, true, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "selected " << c.selected << " hover " << c.hover
                                        << " pressed " << c.pressed);
        EXPECT_EQ(ChooseButtonFace(kAll, c.selected, c.hover, c.pressed), c.id);
    }
}

TEST(ButtonFace, MissingImagesDrawNothing) {
    // No selected-hover face: nothing while hovering, pressed or not.
    const ButtonFaceIds noSelectedHover = {11, 0, 13, 14, 15, 16};
    EXPECT_EQ(ChooseButtonFace(noSelectedHover, true, true, false), 0);
    EXPECT_EQ(ChooseButtonFace(noSelectedHover, true, true, true), 0);
    EXPECT_EQ(ChooseButtonFace(noSelectedHover, true, false, false), 11);
    // A missing pressed face gives nothing while pressed over the button.
    const ButtonFaceIds noPressed = {11, 12, 13, 14, 15, 0};
    EXPECT_EQ(ChooseButtonFace(noPressed, false, true, true), 0);
    EXPECT_EQ(ChooseButtonFace(noPressed, false, true, false), 15);
    EXPECT_EQ(ChooseButtonFace(ButtonFaceIds{}, false, false, false), 0);
}

TEST(ButtonFace, CloseButtonShowsItsSixthImageOnlyWhenPressedUnselected) {
    const ButtonFaceIds close = {142, 142, 142, 142, 142, 141};
    EXPECT_EQ(ChooseButtonFace(close, false, true, true), 141);
    EXPECT_EQ(ChooseButtonFace(close, false, true, false), 142);
    EXPECT_EQ(ChooseButtonFace(close, true, true, true), 142);
}

}  // namespace
