// The label and the group box: what they paint.
#include <gtest/gtest.h>

#include <QPalette>

#include "gui/controls/statictrans.h"
#include "gui/controls/sxgroupbox.h"
#include "tests/support/messagerecorder.h"

namespace {

TEST(StaticTrans, BackgroundIsSeeThroughUntilAColourIsSet) {
    CStaticTrans label(QStringLiteral("Music"), nullptr);
    label.resize(80, 20);
    EXPECT_EQ(qAlpha(RenderAlone(label).pixel(78, 1)), 0);
    label.SetBackColour(QColor(100, 100, 100));
    EXPECT_EQ(RenderAlone(label).pixelColor(78, 1), QColor(100, 100, 100));
    label.SetBackColour(QColor());
    EXPECT_EQ(qAlpha(RenderAlone(label).pixel(78, 1)), 0);
}

TEST(StaticTrans, TextUsesItsColour) {
    CStaticTrans label(QStringLiteral("MMMM"), nullptr);
    label.resize(80, 20);
    label.SetTextColour(QColor(255, 0, 0));
    const QImage image = RenderAlone(label);
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y) {
        for (int x = 0; x < image.width() && !red; ++x) {
            const QColor c = image.pixelColor(x, y);
            red = c.alpha() > 200 && c.red() > 200 && c.green() < 60;
        }
    }
    EXPECT_TRUE(red);
}

bool HasColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && std::abs(c.red() - colour.red()) < 40 &&
                std::abs(c.green() - colour.green()) < 40 &&
                std::abs(c.blue() - colour.blue()) < 40) {
                return true;
            }
        }
    }
    return false;
}

TEST(ColourGroupBox, FrameColoursAndCaption) {
    CColourGroupBox box(QStringLiteral("Network Setup"), ECaptionAlign::Left);
    box.resize(200, 100);
    box.SetCaptionColour(QColor(0, 0, 255));
    const QColor green(14, 186, 7);
    box.SetBorderColour(green);
    const SGroupBoxLines lines = box.FrameLines();
    // Inside the gap, clear of the line ends.
    const QRect caption(lines.nGapX1 + 2, lines.nTopY - 6, lines.nGapX2 - lines.nGapX1 - 4, 12);
    const QRgb shadow = box.palette().color(QPalette::Active, QPalette::Dark).rgb();

    QImage image = RenderAlone(box);
    EXPECT_EQ(image.pixelColor(0, 50), green) << "left frame line";
    EXPECT_EQ(image.pixelColor(1, 50), green) << "inner left line";
    EXPECT_EQ(qAlpha(image.pixel(100, 50)), 0) << "inside stays clear";
    EXPECT_TRUE(HasColour(image, caption, QColor(0, 0, 255)));
    EXPECT_FALSE(HasColour(image, caption, green)) << "the top line leaves a gap";

    box.SetBorderColour(QColor(0, 0, 0));  // black restores the system colours
    image = RenderAlone(box);
    EXPECT_EQ(image.pixel(0, 50), shadow);

    box.SetBorderColour(green);
    box.setEnabled(false);  // disabled: system colours, no caption
    image = RenderAlone(box);
    EXPECT_EQ(image.pixel(0, 50), shadow);
    EXPECT_FALSE(HasColour(image, caption, QColor(0, 0, 255)));
}

TEST(ColourGroupBox, CaptionCanBeReplaced) {
    CColourGroupBox box(QStringLiteral("A"), ECaptionAlign::Right);
    box.resize(200, 100);
    const int narrow = box.FrameLines().nGapX1;
    box.SetCaption(QStringLiteral("A much longer caption"));
    EXPECT_LT(box.FrameLines().nGapX1, narrow);
    EXPECT_EQ(box.FrameLines().nGapX2, 192);
    box.SetCaption(QString());
    EXPECT_EQ(box.FrameLines().nGapX1, box.FrameLines().nGapX2);
}

}  // namespace
