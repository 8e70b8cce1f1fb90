#include "gui/controls/bitmapslider.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>

#include "gui/controls/artworkids.h"
#include "tests/support/messagerecorder.h"

namespace {

constexpr int kId = 1420;

// A horizontal slider 180 x 22 with a 14-wide thumb: the thumb's centre travels 7 ... 173.
class BitmapSliderTest : public testing::Test {
protected:
    BitmapSliderTest() : m_slider(kId, &m_parent) {
        m_slider.SetVertical(false);
        m_slider.SetBitmapChannel(IDB_H_CHANNEL, IDB_H_CHANNEL_FILLED);
        m_slider.SetBitmapThumb(IDB_H_THUMB);
        m_slider.move(10, 10);
        m_parent.show();
    }

    void MakeVerticalEq() {
        m_slider.SetVertical(true);
        m_slider.SetBitmapChannel(IDB_EQ_CHANNEL, IDB_EQ_CHANNEL_GREY);
        m_slider.SetBitmapThumb(IDB_EQ_THUMB);
        m_slider.SetMargin(0, 20, 0, 20);
    }

    void Wheel(int delta) {
        const QPointF at(m_slider.width() / 2.0, m_slider.height() / 2.0);
        QWheelEvent event(at, m_slider.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&m_slider, &event);
    }

    QPoint AtPixel(int pixel) const {
        return m_slider.IsVertical() ? QPoint(m_slider.width() / 2, pixel)
                                     : QPoint(pixel, m_slider.height() / 2);
    }

    SControlMessage Changed(int pos) const { return {MSG_SLIDER_CHANGED, kId, pos}; }
    SControlMessage Dragging(int pos) const { return {MSG_SLIDER_DRAGGING, kId, pos}; }

    CMessageRecorder m_parent;
    CBitmapSlider m_slider;
};

TEST_F(BitmapSliderTest, TakesTheChannelSize) {
    EXPECT_EQ(m_slider.size(), QSize(180, 22));
    MakeVerticalEq();
    EXPECT_EQ(m_slider.size(), QSize(24, 200));
}

TEST_F(BitmapSliderTest, PositionStaysWithinTheRange) {
    m_slider.SetPos(40);
    m_slider.SetRange(0, 80);
    EXPECT_EQ(m_slider.GetPos(), 0);
    m_slider.SetPos(200);
    EXPECT_EQ(m_slider.GetPos(), 80);
    m_slider.SetPos(-5);
    EXPECT_EQ(m_slider.GetPos(), 0);
    EXPECT_TRUE(m_parent.Take().empty());
}

TEST_F(BitmapSliderTest, ClickBesideTheThumbIsOneDraggingStep) {
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);  // thumb centre at 90
    // Released before the 50 ms timer: reported at the release.
    QTest::mouseClick(&m_slider, Qt::LeftButton, {}, AtPixel(150));
    EXPECT_EQ(m_slider.GetPos(), 51);
    EXPECT_EQ(m_parent.Take(), (std::vector{Dragging(51)}));
    QTest::qWait(3 * CBitmapSlider::kDragReportMs);
    EXPECT_TRUE(m_parent.Take().empty());

    // Held past the timer: reported by the timer, and not again at the release.
    QTest::mousePress(&m_slider, Qt::LeftButton, {}, AtPixel(20));
    EXPECT_EQ(m_slider.GetPos(), 50);
    QTest::qWait(3 * CBitmapSlider::kDragReportMs);
    QTest::mouseRelease(&m_slider, Qt::LeftButton, {}, AtPixel(20));
    EXPECT_EQ(m_parent.Take(), (std::vector{Dragging(50)}));
}

TEST_F(BitmapSliderTest, ClickOnTheThumbChangesNothingButReportsChanged) {
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);
    QTest::mouseClick(&m_slider, Qt::LeftButton, {}, AtPixel(92));
    EXPECT_EQ(m_slider.GetPos(), 50);
    EXPECT_EQ(m_parent.Take(), (std::vector{Changed(50)}));
}

TEST_F(BitmapSliderTest, DraggingTheThumbFollowsThePointerAndEndsWithChanged) {
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);
    QTest::mousePress(&m_slider, Qt::LeftButton, {}, AtPixel(93));  // 3 px right of centre
    QTest::mouseMove(&m_slider, AtPixel(176));                      // centre to 173: the end
    EXPECT_EQ(m_slider.GetPos(), 100);
    QTest::qWait(3 * CBitmapSlider::kDragReportMs);
    EXPECT_EQ(m_parent.Take(), (std::vector{Dragging(100)}));
    QTest::mouseMove(&m_slider, AtPixel(-30));  // beyond the low end: the minimum
    EXPECT_EQ(m_slider.GetPos(), 0);
    QTest::mouseRelease(&m_slider, Qt::LeftButton, {}, AtPixel(-30));
    const auto messages = m_parent.Take();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), Changed(0));
}

TEST_F(BitmapSliderTest, VerticalMinimumIsAtTheTop) {
    MakeVerticalEq();
    m_slider.SetRange(0, 180);
    m_slider.SetPos(90);
    EXPECT_EQ(m_slider.ThumbPixel(), 100);
    QTest::mousePress(&m_slider, Qt::LeftButton, {}, AtPixel(100));
    QTest::mouseMove(&m_slider, AtPixel(0));
    QTest::mouseRelease(&m_slider, Qt::LeftButton, {}, AtPixel(0));
    EXPECT_EQ(m_slider.GetPos(), 0);
    EXPECT_EQ(m_parent.Take().back(), Changed(0));
}

TEST_F(BitmapSliderTest, PageDownStepsByThePageAndStopsAtTheMaximum) {
    m_slider.SetRange(0, 100);
    std::vector<SControlMessage> expected;
    for (const int pos : {20, 40, 60, 80, 100, 100}) {
        QTest::keyClick(&m_slider, Qt::Key_PageDown);
        EXPECT_EQ(m_slider.GetPos(), pos);
        expected.push_back(Changed(pos));
    }
    EXPECT_EQ(m_parent.Take(), expected);
}

TEST_F(BitmapSliderTest, KeysMoveByOrientation) {
    const struct {
        const char* name;
        bool vertical;
        Qt::Key key;
        int from;
        int to;
    } cases[] = {
        {"page up", false, Qt::Key_PageUp, 50, 30},
        {"home", false, Qt::Key_Home, 50, 0},
        {"end", true, Qt::Key_End, 50, 100},
        {"up on a vertical slider", true, Qt::Key_Up, 50, 49},
        {"down on a vertical slider", true, Qt::Key_Down, 50, 51},
        {"up on a horizontal slider", false, Qt::Key_Up, 50, 51},
        {"down on a horizontal slider", false, Qt::Key_Down, 50, 49},
        {"left changes nothing", false, Qt::Key_Left, 50, 50},
        {"right changes nothing", true, Qt::Key_Right, 50, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_slider.SetVertical(c.vertical);
        m_slider.SetRange(0, 100);
        m_slider.SetPos(c.from);
        QTest::keyClick(&m_slider, c.key);
        EXPECT_EQ(m_slider.GetPos(), c.to);
        EXPECT_EQ(m_parent.Take(), (std::vector{Changed(c.to)}));
    }
    QTest::keyClick(&m_slider, Qt::Key_A);
    EXPECT_TRUE(m_parent.Take().empty());
}

TEST_F(BitmapSliderTest, HorizontalWheelStepsOncePerFullNotch) {
    m_slider.SetRange(0, 100);
    m_slider.SetPos(10);
    Wheel(40);
    Wheel(40);
    EXPECT_EQ(m_slider.GetPos(), 10);
    EXPECT_TRUE(m_parent.Take().empty());
    Wheel(40);
    EXPECT_EQ(m_slider.GetPos(), 11);
    EXPECT_EQ(m_parent.Take(), (std::vector{Changed(11)}));
    Wheel(120);
    Wheel(-120);
    Wheel(-120);
    EXPECT_EQ(m_slider.GetPos(), 10);
    EXPECT_EQ(m_parent.Take(), (std::vector{Changed(12), Changed(11), Changed(10)}));
    // The accumulator is limited to one notch: a burst counts as a single step.
    Wheel(600);
    EXPECT_EQ(m_slider.GetPos(), 11);
    m_parent.Take();
}

TEST_F(BitmapSliderTest, VerticalWheelUpMovesTheThumbUpAndAlwaysReports) {
    MakeVerticalEq();
    m_slider.SetRange(0, 180);
    m_slider.SetPos(90);
    Wheel(40);
    EXPECT_EQ(m_slider.GetPos(), 90);
    EXPECT_EQ(m_parent.Take(), (std::vector{Changed(90)}));
    Wheel(80);
    EXPECT_EQ(m_slider.GetPos(), 89);
    Wheel(-120);
    EXPECT_EQ(m_slider.GetPos(), 90);
    EXPECT_EQ(m_parent.Take(), (std::vector{Changed(89), Changed(90)}));
}

TEST_F(BitmapSliderTest, DisabledOrTracklessSliderIgnoresInput) {
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);
    m_slider.setEnabled(false);
    QTest::mouseClick(&m_slider, Qt::LeftButton, {}, AtPixel(150));
    QTest::keyClick(&m_slider, Qt::Key_End);
    Wheel(120);
    EXPECT_EQ(m_slider.GetPos(), 50);
    EXPECT_TRUE(m_parent.Take().empty());

    m_slider.setEnabled(true);
    m_slider.SetRange(5, 5);
    QTest::mouseClick(&m_slider, Qt::LeftButton, {}, AtPixel(150));
    EXPECT_EQ(m_slider.GetPos(), 5);
    EXPECT_TRUE(m_parent.Take().empty());
}

TEST_F(BitmapSliderTest, FilledChannelRunsFromTheMinimumToTheThumb) {
    m_slider.SetRange(0, 100);
    m_slider.SetPos(50);
    const QImage image = RenderAlone(m_slider);
    const QColor left = image.pixelColor(40, 11);
    const QColor right = image.pixelColor(140, 11);
    EXPECT_GT(left.green(), left.red() + 100) << "left of the thumb is the green channel";
    EXPECT_LT(std::abs(right.green() - right.red()), 10) << "right of the thumb is grey";
}

TEST_F(BitmapSliderTest, MissingImagesDrawNothing) {
    EXPECT_FALSE(m_slider.SetBitmapChannel(9999));
    EXPECT_FALSE(m_slider.SetBitmapThumb(IDB_H_THUMB, 9998));
    const QImage image = RenderAlone(m_slider);
    for (int x = 0; x < image.width(); x += 5) {
        EXPECT_EQ(qAlpha(image.pixel(x, 11)), 0) << x;
    }
    EXPECT_TRUE(m_slider.SetBitmapChannel(0));
}

}  // namespace
