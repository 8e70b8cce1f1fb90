#include "gui/controls/numedit.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "core/model/datadefine.h"
#include "gui/controls/numspin.h"
#include "tests/support/messagerecorder.h"
#include "tests/support/recordingnotify.h"

namespace {

constexpr int kEditId = 1307;
constexpr int kSpinId = 1314;

// A page with a number box, its spin and another edit that takes the focus away.
class NumBoxTest : public testing::Test {
protected:
    NumBoxTest() : m_edit(kEditId, &m_parent), m_spin(kSpinId, &m_parent), m_other(&m_parent) {
        m_edit.setGeometry(10, 10, 80, 24);
        m_spin.setGeometry(90, 10, 18, 24);
        m_other.setGeometry(10, 50, 80, 24);
        m_spin.SetBuddy(&m_edit);
        m_parent.show();
        QApplication::setActiveWindow(&m_parent);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_parent));
    }

    void MakeGainBox() {
        m_spin.SetRange(0, 180);
        m_edit.SetDisplayType(kNumDisplayOffset);
        m_edit.SetStep(0.2);
        m_edit.SetOffset(24);
        m_edit.SetSuffix("dB");
        m_spin.SetPos(120);
    }

    void MakeTableBox(const double* begin, const double* end, int max, int mode) {
        m_spin.SetRange(0, max);
        m_edit.SetDisplayType(kNumDisplayTable);
        m_edit.SetMode(mode);
        m_edit.SetTable(std::vector<double>(begin, end));
        m_spin.SetPos(0);
    }

    // Types text into the box and moves the focus away, as Enter does on the pages.
    void TypeAndLeave(const QString& text) {
        m_edit.setFocus();
        m_edit.selectAll();
        QTest::keyClicks(&m_edit, text);
        m_other.setFocus();
    }

    CMessageRecorder m_parent;
    CNumEdit m_edit;
    CNumSpin m_spin;
    QLineEdit m_other;
};

TEST_F(NumBoxTest, ShowsTheIndexAsItsValue) {
    MakeGainBox();
    const struct {
        int index;
        const char* text;
    } cases[] = {{0, "-24.0dB"}, {180, "12.0dB"}, {105, "-3.0dB"}, {120, "0.0dB"}};
    for (const auto& c : cases) {
        m_edit.SetValue(c.index);
        EXPECT_EQ(m_edit.text().toStdString(), c.text);
        EXPECT_EQ(m_edit.GetValue(), c.index);
    }
    m_edit.SetValue(181);  // out of range: ignored
    m_spin.SetPos(-1);
    EXPECT_EQ(m_edit.GetValue(), 120);
    EXPECT_EQ(m_edit.text(), QStringLiteral("0.0dB"));
}

TEST_F(NumBoxTest, QTableShowsTwoDecimals) {
    MakeTableBox(kQTable.data(), kQTable.data() + kQTable.size(), 100, kNumTableTwoDecimals);
    m_spin.SetPos(16);
    EXPECT_EQ(m_edit.text(), QStringLiteral("1.00"));
}

TEST_F(NumBoxTest, TypedValueIsConvertedWhenTheFocusLeaves) {
    MakeGainBox();
    const struct {
        const char* typed;
        int index;
        const char* shown;
    } cases[] = {
        {"3.2", 136, "3.2dB"}, {"50", 180, "12.0dB"}, {"-99", 0, "-24.0dB"}, {"x", 120, "0.0dB"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeAndLeave(QString::fromLatin1(c.typed));
        EXPECT_EQ(m_edit.text().toStdString(), c.shown);
        EXPECT_EQ(m_spin.GetPos(), c.index);
        EXPECT_EQ(m_parent.Take(), (std::vector<SControlMessage>{{MSG_COMMAND, kEditId, c.index}}));
    }
    // Leaving without typing reports nothing.
    m_edit.setFocus();
    m_other.setFocus();
    EXPECT_TRUE(m_parent.Take().empty());
}

TEST_F(NumBoxTest, FrequencyTieGoesToTheHigherEntry) {
    MakeTableBox(kFreqTable.data(), kFreqTable.data() + kFreqTable.size(), 360,
                 kNumTableOneDecimal);
    TypeAndLeave(QStringLiteral("1010"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("1020.0"));
    EXPECT_EQ(kFreqTable[static_cast<std::size_t>(m_edit.GetValue())], 1020);
    TypeAndLeave(QStringLiteral("5"));
    EXPECT_EQ(m_edit.GetValue(), 0);
    EXPECT_EQ(m_parent.Take().size(), 2u);
}

TEST_F(NumBoxTest, ReadingTheValueConvertsPendingTypingWithoutReporting) {
    MakeGainBox();
    m_edit.setFocus();
    m_edit.selectAll();
    QTest::keyClicks(&m_edit, QStringLiteral("6"));
    EXPECT_TRUE(m_spin.IsModified());
    EXPECT_EQ(m_spin.GetPos(), 150);
    EXPECT_FALSE(m_edit.IsModified());
    m_other.setFocus();
    EXPECT_TRUE(m_parent.Take().empty());
}

TEST_F(NumBoxTest, TableWithoutEntriesTellsTheUserAndKeepsTheIndex) {
    CRecordingNotify notify;
    m_spin.SetRange(0, 10);
    m_edit.SetDisplayType(kNumDisplayTable);
    m_edit.SetMode(kNumTableOneDecimal);
    TypeAndLeave(QStringLiteral("5"));
    EXPECT_EQ(m_edit.GetValue(), 0);
    EXPECT_EQ(notify.m_messages, (std::vector<std::string>{"错误的Freq值"}));
    EXPECT_TRUE(m_parent.Take().empty());
}

QPoint UpArrow(const CNumSpin& spin) {
    return {spin.width() / 2, 4};
}
QPoint DownArrow(const CNumSpin& spin) {
    return {spin.width() / 2, spin.height() - 4};
}

TEST_F(NumBoxTest, SpinClickStepsOnceAndReportsOnce) {
    MakeGainBox();
    m_edit.setFocus();
    QTest::mouseClick(&m_spin, Qt::LeftButton, {}, UpArrow(m_spin));
    EXPECT_EQ(m_edit.text(), QStringLiteral("0.2dB"));
    EXPECT_EQ(m_parent.Take(), (std::vector<SControlMessage>{{MSG_COMMAND, kSpinId, 121}}));
    QTest::mouseClick(&m_spin, Qt::LeftButton, {}, DownArrow(m_spin));
    QTest::mouseClick(&m_spin, Qt::LeftButton, {}, DownArrow(m_spin));
    EXPECT_EQ(m_spin.GetPos(), 119);
    EXPECT_EQ(m_parent.Take(), (std::vector<SControlMessage>{{MSG_COMMAND, kSpinId, 120},
                                                             {MSG_COMMAND, kSpinId, 119}}));
    EXPECT_TRUE(m_edit.hasFocus()) << "the spin leaves the focus with its buddy";
}

TEST_F(NumBoxTest, SpinStartsFromPendingTypingAndStopsAtTheEnds) {
    MakeGainBox();
    m_edit.setFocus();
    m_edit.selectAll();
    QTest::keyClicks(&m_edit, QStringLiteral("11.8"));  // index 179, not yet converted
    QTest::mouseClick(&m_spin, Qt::LeftButton, {}, UpArrow(m_spin));
    EXPECT_EQ(m_spin.GetPos(), 180);
    QTest::mouseClick(&m_spin, Qt::LeftButton, {}, UpArrow(m_spin));
    EXPECT_EQ(m_spin.GetPos(), 180);
    EXPECT_EQ(m_parent.Take(), (std::vector<SControlMessage>{{MSG_COMMAND, kSpinId, 180}}));
}

TEST_F(NumBoxTest, SpinDoesNothingWhileTheBuddyHasNoFocus) {
    MakeGainBox();
    m_other.setFocus();
    QTest::mouseClick(&m_spin, Qt::LeftButton, {}, UpArrow(m_spin));
    EXPECT_EQ(m_spin.GetPos(), 120);
    EXPECT_TRUE(m_parent.Take().empty());
}

TEST_F(NumBoxTest, HeldSpinStepsOftenButReportsAtMostEveryPeriod) {
    MakeGainBox();
    m_spin.SetPos(0);
    m_edit.setFocus();
    QElapsedTimer held;
    held.start();
    QTest::mousePress(&m_spin, Qt::LeftButton, {}, UpArrow(m_spin));
    EXPECT_TRUE(m_parent.Take().empty()) << "a held button reports from its timer";
    QTest::qWait(3 * CNumSpin::kReportMs);
    const auto whileHeld = m_parent.Take();
    const qint64 elapsed = held.elapsed();
    QTest::mouseRelease(&m_spin, Qt::LeftButton, {}, UpArrow(m_spin));
    const int steps = m_spin.GetPos();
    const auto atRelease = m_parent.Take();

    ASSERT_FALSE(whileHeld.empty());
    EXPECT_LE(static_cast<qint64>(whileHeld.size()), elapsed / CNumSpin::kReportMs);
    EXPECT_GT(steps, static_cast<int>(whileHeld.size()) + 1) << "auto-repeat steps in between";
    for (std::size_t i = 1; i < whileHeld.size(); ++i) {
        EXPECT_GT(whileHeld[i].nValue, whileHeld[i - 1].nValue);
    }
    // The final position is reported once: at the release, unless the timer already reported it
    // after the last step (which a slow machine can make happen).
    ASSERT_LE(atRelease.size(), 1u);
    const SControlMessage last = atRelease.empty() ? whileHeld.back() : atRelease.front();
    EXPECT_EQ(last, (SControlMessage{MSG_COMMAND, kSpinId, steps}));
}

}  // namespace
