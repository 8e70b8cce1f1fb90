#include "gui/controls/artwork.h"

#include <gtest/gtest.h>

#include "gui/controls/artworkids.h"

namespace {

TEST(Artwork, EveryNumberThePagesUseExistsAtBothDensities) {
    for (const int id : kArtworkIds) {
        SCOPED_TRACE(id);
        const QPixmap normal = ArtPixmap(id, 1.0);
        const QPixmap dense = ArtPixmap(id, 2.0);
        ASSERT_FALSE(normal.isNull());
        ASSERT_FALSE(dense.isNull());
        EXPECT_EQ(dense.size(), normal.size() * 2);
        EXPECT_EQ(dense.deviceIndependentSize(), normal.deviceIndependentSize());
    }
}

TEST(Artwork, SlidersFitTheirChannels) {
    const struct {
        int channel;
        int active;
        int thumb;
        bool vertical;
    } sliders[] = {
        {IDB_VOLUME_CHANNEL, IDB_VOLUME_CHANNEL_TOP, IDB_VOLUME_THUMB, true},
        {IDB_EQ_CHANNEL, IDB_EQ_CHANNEL_GREY, IDB_EQ_THUMB, true},
        {IDB_EQ_CHANNEL_GREY, 0, IDB_EQ_THUMB_GREY, true},
        {IDB_H_CHANNEL, IDB_H_CHANNEL_FILLED, IDB_H_THUMB, false},
        {IDB_H_CHANNEL_DISABLED, 0, IDB_H_THUMB_DISABLED, false},
    };
    for (const auto& s : sliders) {
        SCOPED_TRACE(s.channel);
        const QSize channel = ArtPixmap(s.channel).size();
        if (s.active != 0) {
            EXPECT_EQ(ArtPixmap(s.active).size(), channel);
        }
        const QSize thumb = ArtPixmap(s.thumb).size();
        // The thumb spans the channel across the axis and is shorter along it.
        if (s.vertical) {
            EXPECT_EQ(thumb.width(), channel.width());
            EXPECT_LT(thumb.height(), channel.height());
        } else {
            EXPECT_EQ(thumb.height(), channel.height());
            EXPECT_LT(thumb.width(), channel.width());
        }
    }
}

TEST(Artwork, UnknownNumbersGiveNothing) {
    EXPECT_TRUE(ArtPixmap(0).isNull());
    EXPECT_TRUE(ArtPixmap(-3).isNull());
    EXPECT_TRUE(ArtPixmap(144).isNull());
    EXPECT_TRUE(ArtPixmap(144, 2.0).isNull());
}

}  // namespace
