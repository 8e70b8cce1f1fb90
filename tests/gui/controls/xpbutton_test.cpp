#include "gui/controls/xpbutton.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>

#include "gui/controls/artworkids.h"
#include "tests/support/messagerecorder.h"

namespace {

constexpr int kId = 1418;

class XPButtonTest : public testing::Test {
protected:
    XPButtonTest() : m_button(kId, &m_parent) {
        m_button.setGeometry(10, 10, 46, 22);
        m_parent.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_parent));
    }

    void Enter() {
        const QPointF at(5, 5);
        QEnterEvent event(at, at, m_button.mapToGlobal(at));
        QCoreApplication::sendEvent(&m_button, &event);
    }
    void Leave() {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&m_button, &event);
    }

    CMessageRecorder m_parent;
    CXPButton m_button;
};

// The face follows the pointer and the mouse button through real events.
TEST_F(XPButtonTest, FaceFollowsSelectionHoverAndPress) {
    m_button.SetFaceBitmaps(IDB_TOGGLE_ON, IDB_SCENE_SELECTED, IDB_TYPE_SELECTED, IDB_TOGGLE_OFF,
                            IDB_SCENE_NORMAL, IDB_TYPE_NORMAL);
    const struct {
        const char* name;
        bool selected;
        int idle;
        int hover;
        int pressed;
    } cases[] = {
        {"selected", true, IDB_TOGGLE_ON, IDB_SCENE_SELECTED, IDB_TYPE_SELECTED},
        {"not selected", false, IDB_TOGGLE_OFF, IDB_SCENE_NORMAL, IDB_TYPE_NORMAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_button.SetSelected(c.selected);
        EXPECT_EQ(m_button.CurrentFaceId(), c.idle);
        Enter();
        EXPECT_EQ(m_button.CurrentFaceId(), c.hover);
        QTest::mousePress(&m_button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(m_button.CurrentFaceId(), c.pressed);
        Leave();  // pressed, but the pointer left: the idle face
        EXPECT_EQ(m_button.CurrentFaceId(), c.idle);
        Enter();
        QTest::mouseRelease(&m_button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(m_button.CurrentFaceId(), c.hover);
        Leave();
        EXPECT_EQ(m_button.CurrentFaceId(), c.idle);
    }
}

TEST_F(XPButtonTest, DrawsTheChosenFaceOrNothing) {
    m_button.SetFaceBitmaps(IDB_TOGGLE_ON, 0, 0, IDB_TOGGLE_OFF, IDB_TOGGLE_OFF, IDB_TOGGLE_OFF);
    m_button.resize(46, 22);
    const QColor on = RenderAlone(m_button).pixelColor(20, 11);
    EXPECT_GT(on.green(), on.red() + 100) << "the green 'on' face";

    m_button.SetSelected(false);
    const QColor off = RenderAlone(m_button).pixelColor(20, 11);
    EXPECT_LT(std::abs(off.green() - off.red()), 10) << "the grey 'off' face";

    m_button.SetSelected(true);
    Enter();  // selected-hover slot is 0: nothing is drawn
    const QImage hovering = RenderAlone(m_button);
    EXPECT_EQ(qAlpha(hovering.pixel(20, 11)), 0);
    EXPECT_EQ(qAlpha(hovering.pixel(2, 2)), 0);
}

TEST_F(XPButtonTest, TakesTheSizeOfItsFaceAfterTheFirstPaint) {
    m_button.SetFaceBitmap(IDB_POLARITY);
    m_button.setText(QStringLiteral("+"));
    m_button.resize(100, 40);
    m_button.repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_button.size(), QSize(30, 22));
    EXPECT_EQ(m_button.sizeHint(), QSize(30, 22));
}

TEST_F(XPButtonTest, ClickIsSentToTheParentAsACommand) {
    m_button.SetFaceBitmap(IDB_TOGGLE_OFF);
    QTest::mouseClick(&m_button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(m_parent.Take(), (std::vector<SControlMessage>{{MSG_COMMAND, kId, 0}}));
    // A press that leaves the button before the release is no click.
    QTest::mousePress(&m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&m_button, Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_TRUE(m_parent.Take().empty());
}

}  // namespace
