// The master volume strip: the slider's limit, typed values, and the connect action.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numedit.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/mainvoldlg.h"

namespace {
class VolumeStripTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        strip.show();
        model.Volume().SetMaxMusicVol(60);
        model.SetAllChanged(0);
        strip.LoadVolumes();
    }
    CAudioData model;
    CMainVolDlg strip{model};
};

TEST_F(VolumeStripTest, SliderStopsAtTheLimitTypedValueDoesNot) {
    EXPECT_EQ(strip.Slider(CMainVolDlg::kMusic)->GetPos(), 70);  // volume 10
    CBitmapSlider* pSlider = strip.Slider(CMainVolDlg::kMusic);
    pSlider->setFocus();
    QTest::keyClick(pSlider, Qt::Key_Home);  // top: 80
    QApplication::processEvents();
    EXPECT_EQ(model.Volume().GetMusicVol(), 60);
    EXPECT_EQ(pSlider->GetPos(), 20);
    EXPECT_EQ(strip.Edit(CMainVolDlg::kMusic)->text(), "60");
    EXPECT_TRUE(model.Volume().IsChanged(CAudioVolData::kMusicVol));

    CNumEdit* pEdit = strip.Edit(CMainVolDlg::kMusic);
    pEdit->setFocus();
    pEdit->selectAll();
    QTest::keyClicks(pEdit, "80");
    strip.Slider(CMainVolDlg::kMic)->setFocus();  // leaving the box converts the typing
    QApplication::processEvents();
    EXPECT_EQ(model.Volume().GetMusicVol(), 80);
    EXPECT_EQ(pSlider->GetPos(), 0);

    // The other volumes keep their own limits (80 by default).
    strip.Slider(CMainVolDlg::kEffect)->setFocus();
    QTest::keyClick(strip.Slider(CMainVolDlg::kEffect), Qt::Key_Home);
    QApplication::processEvents();
    EXPECT_EQ(model.Volume().GetEffectVol(), 80);
}

TEST_F(VolumeStripTest, ConnectActionDisconnectsOrSearchesNeverBoth) {
    bool bConnected = false;
    int disconnects = 0;
    int searches = 0;
    strip.SetConnectHandlers(
        {[&] { return bConnected; }, [&] { ++disconnects; }, [&] { ++searches; }});
    strip.ConnectAction();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(disconnects, 0);
    bConnected = true;
    strip.ShowLinkState(true);
    strip.ConnectAction();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(disconnects, 1);
    EXPECT_EQ(strip.LinkButton()->text(), QStringLiteral("未连接"));
}
}  // namespace
