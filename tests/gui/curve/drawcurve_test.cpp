#include "gui/curve/drawcurve.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <vector>

#include "core/model/audiodata.h"
#include "gui/pages/pagestate.h"

namespace {

// Long enough for several notification ticks on a loaded machine.
constexpr int kTickWaitMs = 3000;
// Three ticks: anything pending would have been reported.
constexpr int kQuietMs = 3 * CDrawCurve::kNotifyIntervalMs + 100;

// A view of 645 x 390: the plot is 600 x 360 at (35, 10), so x(1 kHz) = 374.8 and the 0 dB line
// is row 130.
class DrawCurveTest : public testing::Test {
protected:
    DrawCurveTest()
        : m_moved(&m_view, &CDrawCurve::CurvePointMoved),
          m_qChanged(&m_view, &CDrawCurve::CurveQChanged) {
        ResetPageState();
        m_view.resize(645, 390);
        m_view.SetModel(&m_data);
        m_data.SetAllChanged(0);
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    ~DrawCurveTest() override { ResetPageState(); }

    static QPoint Centre(const CFilter& record) {
        const SCurvePoint c = record.m_rcHandle.Centre();
        return {c.x, c.y};
    }

    void Press(QPoint at) { QTest::mousePress(&m_view, Qt::LeftButton, {}, at); }
    void Move(QPoint to) { QTest::mouseMove(&m_view, to); }
    // Brings the pointer onto a handle and presses. Two moves: the first may only drop a
    // crossover that was the current record, the second finds the handle.
    void Grab(QPoint at) {
        Move(at + QPoint(0, 1));
        Move(at);
        Press(at);
    }
    void Release(QPoint at) { QTest::mouseRelease(&m_view, Qt::LeftButton, {}, at); }
    void RightClick(QPoint at) { QTest::mouseClick(&m_view, Qt::RightButton, {}, at); }
    void Wheel(int delta) {
        const QPointF at(100, 100);
        QWheelEvent event(at, m_view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&m_view, &event);
    }
    // Reports of one kind as (band, code) pairs.
    static std::vector<std::pair<int, int>> Take(QSignalSpy& spy) {
        std::vector<std::pair<int, int>> reports;
        for (const QList<QVariant>& args : spy) {
            reports.emplace_back(args.at(0).toInt(), args.at(1).toInt());
        }
        spy.clear();
        return reports;
    }

    CAudioData m_data;
    CDrawCurve m_view;
    QSignalSpy m_moved;
    QSignalSpy m_qChanged;
};

// One drag over many steps: every step that changes the band's frequency or gain index writes
// the record and reports once at once; a step that changes nothing reports nothing.
TEST_F(DrawCurveTest, DragMovesTheBandAndReportsEveryChangedIndex) {
    m_view.ShowMusic(0);
    CFilter& band = m_data.Music().GetEQ().GetAt(3);  // 490 Hz, index 167
    const QPoint start = Centre(band);
    Grab(start);
    int expected = 0;
    for (int step = 1; step <= 80; ++step) {
        const int freq = band.m_nFreq;
        const int gain = band.m_nGain;
        Move(start + QPoint(step, -step / 2));
        if (band.m_nFreq != freq || band.m_nGain != gain) {
            ++expected;
        }
        ASSERT_EQ(m_moved.count(), expected) << "step " << step;
    }
    Release(start + QPoint(80, -40));
    EXPECT_GT(band.m_nFreq, 167);
    EXPECT_GT(band.m_nGain, 120);
    EXPECT_GT(expected, 20);
    for (const auto& report : Take(m_moved)) {
        EXPECT_EQ(report, (std::pair{3, 0}));
    }
    // Music band 3: words 20 (gain) and 24 (frequency) of channel 0, marked for sending.
    EXPECT_EQ(m_data.Image().Word(0, 24), band.m_nFreq);
    EXPECT_EQ(m_data.Image().Word(0, 20), band.m_nGain);
    EXPECT_EQ(band.m_bFreqChanged + band.m_bGainChanged, 2);

    // Released: moving on no longer drags, and the timer has nothing left to report.
    const int freq = band.m_nFreq;
    Move(start + QPoint(150, 0));
    EXPECT_EQ(band.m_nFreq, freq);
    EXPECT_FALSE(m_moved.wait(kQuietMs));
}

TEST_F(DrawCurveTest, DragToTheViewsEdges) {
    m_view.ShowMusic(0);
    CFilter& band = m_data.Music().GetEQ().GetAt(4);  // 1260 Hz
    const QPoint start = Centre(band);
    Grab(start);
    Move(QPoint(2, 2));  // left of and above the plot, inside the view
    EXPECT_EQ(band.m_nFreq, 1);
    EXPECT_EQ(band.m_nGain, 180);
    Move(QPoint(m_view.width() - 2, m_view.height() - 2));
    EXPECT_EQ(band.m_nFreq, 360);
    EXPECT_EQ(band.m_nGain, 0);
    EXPECT_EQ(Take(m_moved).size(), 2u);

    // Leaving the view ends the drag even with the button held.
    Move(QPoint(-40, 100));
    Move(QPoint(300, 100));
    EXPECT_EQ(band.m_nFreq, 360);
    Release(QPoint(300, 100));
    EXPECT_TRUE(Take(m_moved).empty());
}

TEST_F(DrawCurveTest, CrossoverDragsFollowThePageLimits) {
    g_autoMode = false;
    m_view.ShowMainOut(1);
    EXPECT_EQ(m_view.NotifyCode(), 4);
    CFilter& highPass = *m_data.MainOut(1).GetEQ().GetHighPass();
    CFilter& lowPass = *m_data.MainOut(1).GetEQ().GetLowPass();

    QPoint at = Centre(highPass);
    Grab(at);
    Move(QPoint(600, at.y()));  // far right: stops at 142
    EXPECT_EQ(highPass.m_nXoverFreq, 142);
    Move(QPoint(44, at.y()));  // within 10 px of the plot's left edge: off
    EXPECT_EQ(highPass.m_nXoverFreq, 0);
    Release(QPoint(44, at.y()));
    EXPECT_EQ(Take(m_moved), (std::vector<std::pair<int, int>>{{3, 4}, {3, 4}}));

    at = Centre(lowPass);
    Grab(at);
    Move(QPoint(5, at.y()));  // the low-pass filter is never switched off on main out
    EXPECT_EQ(lowPass.m_nXoverFreq, 297);
    Release(QPoint(5, at.y()));
    EXPECT_EQ(Take(m_moved), (std::vector<std::pair<int, int>>{{4, 4}}));
    EXPECT_EQ(m_data.MainOut(0).GetEQ().GetLowPass()->m_nXoverFreq, 360);
}

TEST_F(DrawCurveTest, RightClickThenWheelTurnsQOneStepPerNotch) {
    m_view.ShowMusic(0);
    CFilter& band = m_data.Music().GetEQ().GetAt(1);  // peaking, Q index 16
    const QPoint at = Centre(band);

    // Hovered but not right-clicked: the wheel changes nothing.
    Move(at);
    Wheel(120);
    EXPECT_EQ(band.m_nQ, 16);

    RightClick(at);
    Wheel(120);
    Wheel(120);
    Wheel(-120);
    EXPECT_EQ(band.m_nQ, 17);
    Wheel(60);  // half a notch waits for the other half
    EXPECT_EQ(band.m_nQ, 17);
    Wheel(60);
    EXPECT_EQ(band.m_nQ, 18);
    Wheel(240);  // two notches in one turn
    EXPECT_EQ(band.m_nQ, 20);
    EXPECT_EQ(m_data.Image().Word(0, 11), 20);  // band 1's Q word
    EXPECT_EQ(m_moved.count(), 0);
    // Reported on the next tick, once.
    ASSERT_TRUE(m_qChanged.wait(kTickWaitMs));
    EXPECT_EQ(Take(m_qChanged), (std::vector<std::pair<int, int>>{{1, 0}}));

    band.SetQ(99);
    for (int n = 0; n < 3; ++n) {
        Wheel(120);
    }
    EXPECT_EQ(band.m_nQ, 100);
    ASSERT_TRUE(m_qChanged.wait(kTickWaitMs));
    Take(m_qChanged);
    Wheel(120);  // at the top: nothing changes, nothing is reported
    EXPECT_EQ(band.m_nQ, 100);
    EXPECT_FALSE(m_qChanged.wait(kQuietMs));

    // A shelf turns its slope within 0-28.
    band.SetType(2);
    band.SetSlope(27);
    Wheel(120);
    Wheel(120);
    EXPECT_EQ(band.m_nSlope, 28);
    EXPECT_EQ(band.m_nQ, 100);

    // A left click disarms the band.
    QTest::mouseClick(&m_view, Qt::LeftButton, {}, at);
    Wheel(-120);
    EXPECT_EQ(band.m_nSlope, 28);
}

TEST_F(DrawCurveTest, WheelDoesNotTurnACrossover) {
    g_autoMode = false;
    m_view.ShowSub(0);
    CFilter& lowPass = *m_data.Sub(0).GetEQ().GetLowPass();
    const QPoint at = Centre(lowPass);
    Move(at);
    RightClick(at);
    Wheel(120);
    Wheel(-120);
    EXPECT_EQ(lowPass.m_nQ, 16);
    EXPECT_EQ(lowPass.m_nSlope, 0);
    EXPECT_EQ(lowPass.m_nXoverQ, 0);
    EXPECT_FALSE(m_qChanged.wait(kQuietMs));
}

// A bypassed equaliser, and the outputs in automatic mode, ignore the pointer; the inputs do
// not care about the automatic mode.
TEST_F(DrawCurveTest, BypassAndAutomaticModeLockThePointer) {
    const auto drag = [this](const CFilter& record) {
        const QPoint at = Centre(record);
        Grab(at);
        Move(at + QPoint(40, -40));
        Release(at + QPoint(40, -40));
        RightClick(at + QPoint(40, -40));
        Wheel(120);
    };
    g_autoMode = true;

    // Only 1 bypasses, as on the pages.
    m_view.ShowMusic(0);
    m_data.Music().SetEqBypass(4);
    EXPECT_TRUE(m_view.PointerEnabled());
    m_data.Music().SetEqBypass(1);
    EXPECT_FALSE(m_view.PointerEnabled());
    drag(m_data.Music().GetEQ().GetAt(2));
    m_view.ShowMainOut(0);
    drag(m_data.MainOut(0).GetEQ().GetAt(1));
    m_view.ShowSub(1);
    drag(*m_data.Sub(1).GetEQ().GetHighPass());
    EXPECT_EQ(m_data.Music().GetEQ().GetAt(2).m_nFreq, 118);
    EXPECT_EQ(m_data.MainOut(0).GetEQ().GetAt(1).m_nFreq, 204);
    EXPECT_EQ(m_data.Sub(1).GetEQ().GetHighPass()->m_nXoverFreq, 0);
    EXPECT_EQ(m_moved.count(), 0);
    EXPECT_FALSE(m_qChanged.wait(kQuietMs));

    m_view.ShowEffect(0);  // an input: automatic mode does not lock it
    drag(m_data.Echo().GetEQ().GetAt(1));
    EXPECT_NE(m_data.Echo().GetEQ().GetAt(1).m_nFreq, 204);
    EXPECT_EQ(Take(m_moved).front(), (std::pair{1, 2}));

    g_autoMode = false;
    m_view.ShowMainOut(0);
    drag(m_data.MainOut(0).GetEQ().GetAt(1));
    EXPECT_NE(m_data.MainOut(0).GetEQ().GetAt(1).m_nFreq, 204);
    EXPECT_EQ(Take(m_moved).front(), (std::pair{1, 3}));
}

TEST_F(DrawCurveTest, TimerReportsPendingDragsOnlyAndNeverToAnotherChannel) {
    m_view.SetReportDragsAtOnce(false);
    m_view.ShowMusic(0);
    // Nothing pending: no tick reports anything.
    EXPECT_FALSE(m_moved.wait(kQuietMs));
    EXPECT_EQ(m_qChanged.count(), 0);

    // Two bands dragged within one tick: one report each, lowest band first.
    for (int b : {5, 2}) {
        CFilter& band = m_data.Music().GetEQ().GetAt(b);
        const QPoint at = Centre(band);
        Grab(at);
        Move(at + QPoint(30, 30));
        Move(at + QPoint(60, 40));
        Release(at + QPoint(60, 40));
    }
    EXPECT_EQ(m_moved.count(), 0);
    while (m_moved.count() < 2 && m_moved.wait(kTickWaitMs)) {
    }
    auto reports = Take(m_moved);
    std::sort(reports.begin(), reports.end());
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{2, 0}, {5, 0}}));
    EXPECT_FALSE(m_moved.wait(kQuietMs));

    // A drag still pending when the view switches to the microphone is dropped.
    CFilter& band = m_data.Music().GetEQ().GetAt(0);
    const QPoint at = Centre(band);
    Grab(at);
    Move(at + QPoint(50, 0));
    Release(at + QPoint(50, 0));
    m_view.SetChannelKind(1);
    EXPECT_FALSE(m_moved.wait(kQuietMs));
    EXPECT_NE(band.m_nFreq, 25);  // the record itself keeps the drag
}

// Pixels: the dark plot, the flat response on the 0 dB row, the bars and the "Bypass" text.
TEST_F(DrawCurveTest, PaintsCurveBarsAndBypass) {
    m_view.ShowMusic(0);
    const auto render = [this] {
        QImage image(m_view.size(), QImage::Format_RGB32);
        m_view.render(&image);
        return image;
    };
    const QRgb background = qRgb(23, 23, 23);
    const QRgb green = qRgb(14, 186, 7);
    QImage image = render();
    EXPECT_EQ(image.pixel(300, 300 - 30), background);  // inside the plot, off the grid
    EXPECT_EQ(image.pixel(300, 130), green);            // flat response on the 0 dB row
    EXPECT_EQ(image.pixel(3, 3), background);

    // Bars 5 px wide. Bar 119, the last one inside the plot, shows the peak of the values of
    // its frequencies (each 96): 96 px high.
    std::vector<double> values(4096, 96.0);
    m_view.SetBarCount(128);
    m_view.SetSpectrumData(values);
    EXPECT_EQ(render().pixel(630, 360), background);  // not visible yet
    m_view.SetSpectrumVisible(true);
    image = render();
    const QRgb bar = qRgb(0, 195, 0);
    EXPECT_EQ(image.pixel(632, 360), bar);         // inside the last bar, above its bottom
    EXPECT_EQ(image.pixel(632, 260), background);  // above it

    // Leaving spectrum mode drops the bars: back in it, nothing is drawn until new values come.
    m_view.SetSpectrumMode(false);
    m_view.SetSpectrumMode(true);
    EXPECT_EQ(render().pixel(632, 360), background);
    m_view.SetSpectrumMode(false);

    m_data.Music().SetEqBypass(1);
    m_view.update();
    image = render();
    int bypassPixels = 0;
    const QRect box(m_view.PlotRect().center() - QPoint(100, 50), QSize(200, 100));
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            bypassPixels += image.pixel(x, y) == qRgb(200, 200, 200) ? 1 : 0;
        }
    }
    EXPECT_GT(bypassPixels, 200);
}

}  // namespace
