// The channel selector: page buttons, EQ Pass, EQ Reset (with its frame on the engine) and the
// spectrum buttons, driven with real clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/pagecolours.h"
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

TEST_F(SelectorTest, PagesWithoutAPageDoNothingAndMusicStaysSelected) {
    Click(IDC_SEL_MIC);
    EXPECT_EQ(g_curPage, kPageMusic);
    EXPECT_TRUE(selector.Button(IDC_SEL_MUSIC)->IsSelected());
    EXPECT_FALSE(selector.Button(IDC_SEL_MIC)->IsSelected());
}
}  // namespace
