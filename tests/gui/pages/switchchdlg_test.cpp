// The channel selector: page buttons, EQ Pass, EQ Reset (with its frame on the engine) and the
// spectrum buttons, driven with real clicks.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/pagecolours.h"
#include "gui/pages/spectrumrecorder.h"
#include "gui/pages/switchchdlg.h"
#include "tests/gui/pages/fakecurveview.h"
#include "tests/support/enginefakes.h"
#include "tests/support/hex.h"
#include "tests/support/modalboxes.h"

namespace {
class SelectorTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
        music.SetCurveView(&curve);
        SPageTable pages;
        pages.channelPages[kPageMusic] = &music;
        pages.pCurve = &curve;
        selector.SetPages(pages);
        selector.show();
        music.show();
        selector.ShowPage(kPageMusic);
    }
    void Click(int id) { QTest::mouseClick(selector.Button(id), Qt::LeftButton); }

    CAudioData model;
    EngineRig rig;
    CFakeCurveView curve;
    CMusicDlg music{model};
    CSwitchChDlg selector{model, rig.engine};
};

TEST_F(SelectorTest, EqPassTogglesTheRecordAndGreysTheBands) {
    Click(IDC_SEL_EQ_PASS);
    EXPECT_EQ(model.Music().GetEqBypass(), 1);
    EXPECT_TRUE(model.Music().IsChanged(model.Music().FieldOf(kFieldEqBypass)));
    EXPECT_TRUE(selector.Button(IDC_SEL_EQ_PASS)->IsSelected());
    EXPECT_EQ(curve.m_nBand, -1);
    // A bypassed EQ cannot be reset: nothing is asked.
    Click(IDC_SEL_EQ_RESET);
    QTest::qWait(20);
    EXPECT_EQ(VisibleMessageBox(), nullptr);
    Click(IDC_SEL_EQ_PASS);
    EXPECT_EQ(model.Music().GetEqBypass(), 0);
    EXPECT_FALSE(selector.Button(IDC_SEL_EQ_PASS)->IsSelected());
}

TEST_F(SelectorTest, EqResetAsksThenResetsAndQueuesTheResetFrame) {
    model.Music().GetEQ().GetAt(2).SetGain(170);
    Click(IDC_SEL_EQ_RESET);
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Cancel), "Do you want to reset EQ?");
    EXPECT_EQ(model.Music().GetEQ().GetAt(2).GetGain(), 170);
    EXPECT_EQ(rig.engine.GetCount(), 0);

    Click(IDC_SEL_EQ_RESET);
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Ok), "Do you want to reset EQ?");
    EXPECT_EQ(model.Music().GetEQ().GetAt(2).GetGain(), kGainZeroIndex);
    EXPECT_FALSE(model.Music().GetEQ().GetAt(2).m_bGainChanged);
    ASSERT_EQ(rig.engine.GetCount(), 1);
    // Channel 11, parameter = EQ number 0 (music), value 1.
    const auto frame = rig.engine.GetHead()->Bytes();
    EXPECT_EQ(ToHex(frame.first(8)), "F5 35 06 B7 0B 00 01 00");
    EXPECT_EQ(curve.m_nBand, -1);
}

TEST_F(SelectorTest, FftWithoutAnInputDeviceShowsTheBoxAndStaysOff) {
    Click(IDC_SEL_FFT);
    EXPECT_EQ(AnswerMessageBox(), "No audio device was found");
    EXPECT_EQ(g_spectrumOn, 0);
    EXPECT_EQ(g_captureState, ECaptureState::Off);
    EXPECT_FALSE(selector.Button(IDC_SEL_CATCH)->isVisible());
    EXPECT_FALSE(selector.Button(IDC_SEL_FFT)->IsSelected());
    // Catch while the spectrum is off does nothing.
    selector.ToggleCatch();
    EXPECT_EQ(g_captureState, ECaptureState::Off);
}

// An audio input whose open and start succeed or fail as the test says.
class CFakeInput : public ISpectrumRecorder {
public:
    void Open() override { m_bOpen = m_bCanOpen; }
    bool IsOpen() const override { return m_bOpen; }
    bool IsRecording() const override { return m_bRecording; }
    bool Start() override {
        m_bRecording = m_bOpen && m_bCanStart;
        return m_bRecording;
    }
    void Stop() override { m_bRecording = false; }
    void Close() override { m_bOpen = m_bRecording = false; }
    void SetLiveRefresh(bool bLive) override { m_bLive = bLive; }
    bool LiveRefresh() const override { return m_bLive; }

    bool m_bCanOpen = true;
    bool m_bCanStart = true;
    bool m_bOpen = false;
    bool m_bRecording = false;
    bool m_bLive = false;
};

// FFT on, Catch freezing and resuming, FFT off; the buttons, the page state, the recorder and
// the curve's spectrum mode at every step.
TEST_F(SelectorTest, FftAndCatchDriveTheRecorderAndTheCurve) {
    CFakeInput input;
    selector.SetRecorder(&input);
    CXPButton* pFft = selector.Button(IDC_SEL_FFT);
    CXPButton* pCatch = selector.Button(IDC_SEL_CATCH);
    Click(IDC_SEL_FFT);
    EXPECT_TRUE(input.m_bRecording);
    EXPECT_TRUE(pFft->IsSelected());
    EXPECT_TRUE(pCatch->isVisible());
    EXPECT_EQ(g_spectrumOn, 1);
    EXPECT_EQ(g_captureState, ECaptureState::Live);
    EXPECT_TRUE(curve.m_bSpectrum);

    Click(IDC_SEL_CATCH);
    EXPECT_FALSE(input.m_bOpen);
    EXPECT_TRUE(pCatch->IsSelected());
    EXPECT_EQ(g_captureState, ECaptureState::Frozen);
    EXPECT_TRUE(curve.m_bSpectrum);  // the last bars stay
    Click(IDC_SEL_CATCH);
    EXPECT_TRUE(input.m_bRecording);
    EXPECT_FALSE(pCatch->IsSelected());
    EXPECT_EQ(g_captureState, ECaptureState::Live);

    Click(IDC_SEL_FFT);
    EXPECT_FALSE(input.m_bOpen);
    EXPECT_FALSE(pFft->IsSelected());
    EXPECT_FALSE(pCatch->isVisible());
    EXPECT_EQ(g_spectrumOn, 0);
    EXPECT_EQ(g_captureState, ECaptureState::Off);
    EXPECT_FALSE(curve.m_bSpectrum);
    EXPECT_EQ(VisibleMessageBox(), nullptr);
    selector.SetRecorder(nullptr);
}

// An input that opens but cannot capture counts as none: the box, and everything stays off.
// Resuming a frozen spectrum on an input that has gone away ends the same way.
TEST_F(SelectorTest, AnInputThatCannotStartIsNoInput) {
    CFakeInput input;
    input.m_bCanStart = false;
    selector.SetRecorder(&input);
    Click(IDC_SEL_FFT);
    EXPECT_EQ(AnswerMessageBox(), "No audio device was found");
    EXPECT_FALSE(input.m_bOpen);
    EXPECT_EQ(g_spectrumOn, 0);
    EXPECT_FALSE(selector.Button(IDC_SEL_FFT)->IsSelected());

    input.m_bCanStart = true;
    Click(IDC_SEL_FFT);
    Click(IDC_SEL_CATCH);
    input.m_bCanOpen = false;
    Click(IDC_SEL_CATCH);
    EXPECT_EQ(AnswerMessageBox(), "No audio device was found");
    EXPECT_EQ(g_spectrumOn, 0);
    EXPECT_EQ(g_captureState, ECaptureState::Off);
    EXPECT_FALSE(selector.Button(IDC_SEL_CATCH)->isVisible());
    EXPECT_FALSE(curve.m_bSpectrum);
    selector.SetRecorder(nullptr);
}

// The FFT button's context menu offers live refresh, checked as the input has it.
TEST_F(SelectorTest, FftContextMenuTogglesLiveRefresh) {
    CFakeInput input;
    selector.SetRecorder(&input);
    CXPButton* pFft = selector.Button(IDC_SEL_FFT);
    EXPECT_FALSE(pFft->toolTip().isEmpty());
    for (const bool bLive : {true, false}) {
        const QPoint at = pFft->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, pFft->mapToGlobal(at));
        QApplication::sendEvent(pFft, &event);
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        auto* pLive = pMenu->findChild<QAction*>("liveRefresh");
        ASSERT_NE(pLive, nullptr);
        EXPECT_EQ(pLive->isChecked(), !bLive);
        QTest::mouseClick(pMenu, Qt::LeftButton, {}, pMenu->actionGeometry(pLive).center());
        EXPECT_EQ(input.m_bLive, bLive);
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }));
    }
    selector.SetRecorder(nullptr);
}

TEST_F(SelectorTest, PagesWithoutAPageDoNothingAndMusicStaysSelected) {
    Click(IDC_SEL_MIC);
    EXPECT_EQ(g_curPage, kPageMusic);
    EXPECT_TRUE(selector.Button(IDC_SEL_MUSIC)->IsSelected());
    EXPECT_FALSE(selector.Button(IDC_SEL_MIC)->IsSelected());
}
}  // namespace
