// A Music band dragged on the main window's curve view with real mouse events, against the
// simulated unit over TCP: the first frame leaves at once, the rest within two link ticks, and
// the Music page's band controls follow the drag; the drag is one step of the edit history.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <chrono>
#include <thread>

#include "core/model/audiodata.h"
#include "core/protocol/audiodataadapter.h"
#include "core/protocol/command.h"
#include "core/protocol/linkinterfaces.h"
#include "core/protocol/linkstate.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numspin.h"
#include "gui/curve/drawcurve.h"
#include "gui/pages/musicdlg.h"
#include "link/linkcontroller.h"
#include "tests/gui/shell/editorrig.h"
#include "tests/support/controlbyid.h"

namespace {
constexpr int kBand = 3;
// Control ids of the Music page's band columns (band b is base + b).
constexpr int kGainSpin = 1314;
constexpr int kGainSlider = 1321;
constexpr int kFreqSpin = 1335;

// The running link timer of the editor's connection (one per link kind; only the link in use
// runs).
QTimer* RunningLinkTimer(CLinkController& controller) {
    for (QTimer* pTimer : controller.findChildren<QTimer*>()) {
        if (pTimer->isActive() && pTimer->interval() == kLinkTickMs) {
            return pTimer;
        }
    }
    return nullptr;
}

QPoint Centre(const CFilter& band) {
    const SCurvePoint c = band.m_rcHandle.Centre();
    return {c.x, c.y};
}

// Words of the dragged band in the music block.
const int kGainWord = OwnerBandBase(OwnerKind::Music) + kBandWordCount * kBand + kBandWordGain;
const int kFreqWord = OwnerBandBase(OwnerKind::Music) + kBandWordCount * kBand + kBandWordFreq;

// The editor connected over TCP to a unit whose music equaliser is in use, with band 4 at 0 dB
// on frequency step 180 (set before the search, which starts a second later).
void StartWithBandAtZeroDb(EditorRig& rig) {
    ASSERT_EQ(rig.StartTcp(), 0);
    rig.tcpUnit->WithUnit([&](CSimUnit& unit) {
        unit.Block(0)[4] = 0;
        unit.Block(0)[static_cast<std::size_t>(kGainWord)] = 120;
        unit.Block(0)[static_cast<std::size_t>(kFreqWord)] = 180;
    });
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&rig.Window()));
    rig.Settle();
}

TEST(EditorCurve, MusicBandDraggedOnTheCurveReachesTheUnitWithinTwoTicks) {
    EditorRig rig;
    ASSERT_NO_FATAL_FAILURE(StartWithBandAtZeroDb(rig));

    CDrawCurve* pCurve = rig.Window().CurveView();
    CMusicDlg* pMusic = rig.Window().MusicPage();
    CFilter& band = rig.app->Model().Music().GetEQ().GetAt(kBand);
    ASSERT_EQ(pCurve->ChannelKind(), CurveKind(OwnerKind::Music));
    const QPoint from = Centre(band);
    const QPoint to = from + QPoint(90, -60);
    ASSERT_TRUE(pCurve->PlotRect().contains(to));

    CLinkState& state = rig.app->Connection().State();
    QTimer* pTicks = RunningLinkTimer(rig.app->Connection().Controller());
    ASSERT_NE(pTicks, nullptr);
    // Ticks since the drag, and the tick after which nothing of the drag was left to send:
    // both words taken from the model and the last frame written to the link.
    CCommand& command = rig.app->Connection().Command();
    int ticks = 0;
    int sentByTick = 0;
    QObject::connect(pTicks, &QTimer::timeout, pCurve, [&] {
        ++ticks;
        const bool flagged =
            band.BandWordChanged(kBandWordGain) || band.BandWordChanged(kBandWordFreq);
        const bool written = command.GetCount() == 0 || command.GetHead()->m_bSendPending == 0;
        if (sentByTick == 0 && !flagged && written) {
            sentByTick = ticks;
        }
    });

    // The pointer rests on the handle; the drag starts right after a tick, with no idle poll
    // due.
    QTest::mouseMove(pCurve, from + QPoint(0, 1));
    QTest::mouseMove(pCurve, from);
    // Returns as soon as the tick has run (QTest::qWaitFor would sleep on after it).
    while (ticks == 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.idleTicks = {};
    ticks = 0;
    sentByTick = 0;
    const int framesBefore = rig.UnitFramesReceived();
    QTest::mousePress(pCurve, Qt::LeftButton, {}, from);
    QTest::mouseMove(pCurve, to);
    QTest::mouseRelease(pCurve, Qt::LeftButton, {}, to);
    ASSERT_NE(band.GetGain(), 120);
    ASSERT_NE(band.GetFreq(), 180);

    // The first frame left during the drag itself: it reaches the unit while the editor runs
    // no event at all.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (rig.UnitFramesReceived() == framesBefore &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(rig.UnitFramesReceived(), framesBefore + 1);
    EXPECT_TRUE(rig.UnitWord(0, kGainWord) == band.GetGain() ||
                rig.UnitWord(0, kFreqWord) == band.GetFreq());

    // The other word follows at the link's pace once the unit has acknowledged the first: one
    // tick takes it from the model, the next sends it.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return rig.UnitWord(0, kGainWord) == band.GetGain() &&
               rig.UnitWord(0, kFreqWord) == band.GetFreq();
    }));
    EXPECT_EQ(sentByTick, 2);
    EXPECT_EQ(rig.UnitFramesReceived(), framesBefore + 2);

    // The page shows the dragged band's new values and has it selected.
    EXPECT_EQ(Control<CNumSpin>(*pMusic, kGainSpin + kBand)->GetPos(), band.GetGain());
    EXPECT_EQ(Control<CBitmapSlider>(*pMusic, kGainSlider + kBand)->GetPos(), 180 - band.GetGain());
    EXPECT_EQ(Control<CNumSpin>(*pMusic, kFreqSpin + kBand)->GetPos(), band.GetFreq());
    EXPECT_EQ(pMusic->SelectedBand(), kBand);
}

TEST(EditorCurve, ADragIsOneStepThatCtrlZTakesBackOnThePageTheCurveAndTheUnit) {
    EditorRig rig;
    ASSERT_NO_FATAL_FAILURE(StartWithBandAtZeroDb(rig));
    CDrawCurve* pCurve = rig.Window().CurveView();
    CMusicDlg* pMusic = rig.Window().MusicPage();
    CFilter& band = rig.app->Model().Music().GetEQ().GetAt(kBand);
    const QPoint from = Centre(band);

    // Pressed, moved three times, released: one step.
    QTest::mouseMove(pCurve, from + QPoint(0, 1));
    QTest::mouseMove(pCurve, from);
    QTest::mousePress(pCurve, Qt::LeftButton, {}, from);
    for (const QPoint step : {QPoint(30, -20), QPoint(60, -40), QPoint(90, -60)}) {
        QTest::mouseMove(pCurve, from + step);
    }
    QTest::mouseRelease(pCurve, Qt::LeftButton, {}, from + QPoint(90, -60));
    const std::int16_t draggedGain = band.GetGain();
    const std::int16_t draggedFreq = band.GetFreq();
    ASSERT_NE(draggedGain, 120);
    ASSERT_NE(draggedFreq, 180);
    EXPECT_EQ(rig.app->Connection().ModelAdapter()->Session().History().UndoCount(), 1);
    pMusic->SelectBand(0);

    QTest::keyClick(&rig.Window(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(band.GetGain(), 120);
    EXPECT_EQ(band.GetFreq(), 180);
    EXPECT_EQ(Control<CNumSpin>(*pMusic, kGainSpin + kBand)->GetPos(), 120);
    EXPECT_EQ(Control<CNumSpin>(*pMusic, kFreqSpin + kBand)->GetPos(), 180);
    EXPECT_EQ(pMusic->SelectedBand(), kBand);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return rig.UnitWord(0, kGainWord) == 120 && rig.UnitWord(0, kFreqWord) == 180; }));

    QTest::keyClick(&rig.Window(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Control<CNumSpin>(*pMusic, kGainSpin + kBand)->GetPos(), draggedGain);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return rig.UnitWord(0, kGainWord) == draggedGain &&
               rig.UnitWord(0, kFreqWord) == draggedFreq;
    }));
}
}  // namespace
