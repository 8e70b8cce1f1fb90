// The Music page against a real model: what loading shows, and every kind of control driven
// with real key and mouse events down to the record's fields and change flags.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numedit.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/pagestate.h"
#include "tests/gui/pages/fakecurveview.h"
#include "tests/support/controlbyid.h"

namespace {
bool AnyFlag(const CAudioMusicData& music) {
    for (int f = 0; f < music.FieldCount(); ++f) {
        if (music.IsChanged(f)) {
            return true;
        }
    }
    for (int b = 0; b < kMusicBands; ++b) {
        const CFilter& band = music.GetEQ().GetAt(b);
        for (int w = 0; w < kBandWordCount; ++w) {
            if (band.BandWordChanged(w)) {
                return true;
            }
        }
    }
    return false;
}

class MusicPageTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
        page.SetCurveView(&curve);
        page.resize(910, 270);
        page.show();
        QApplication::processEvents();
    }
    void Load() {
        model.SetAllChanged(0);
        page.LoadFromModel(0);
    }
    CFilter& Band(int b) { return model.Music().GetEQ().GetAt(b); }
    void Click(int id) { QTest::mouseClick(Control<CXPButton>(page, id), Qt::LeftButton); }
    void Key(QWidget* pWidget, int key) {
        pWidget->setFocus();
        QTest::keyClick(pWidget, static_cast<Qt::Key>(key));
        QApplication::processEvents();
    }

    CAudioData model;
    CFakeCurveView curve;
    CMusicDlg page{model};
};

TEST_F(MusicPageTest, LoadingShowsTheRecordAndNeverTouchesFlags) {
    model.Music().SetKeyShift(3);
    Band(2).SetGain(150);
    Band(2).SetFreq(180);
    Band(4).SetType(kTypeBypass);
    Band(4).SetSlope(28);
    Load();
    EXPECT_EQ(page.KeyLabel()->text(), "-4");
    EXPECT_EQ(page.KeySlider()->GetPos(), 3);
    EXPECT_EQ(Control<CNumEdit>(page, 1307 + 2)->text(), "6.0dB");
    EXPECT_EQ(Control<CBitmapSlider>(page, 1321 + 2)->GetPos(), 30);
    EXPECT_EQ(Control<CNumEdit>(page, 1307)->text(), "0.0dB");
    EXPECT_EQ(Control<CBitmapSlider>(page, 1321)->GetPos(), 60);
    EXPECT_EQ(Control<CNumEdit>(page, 1328 + 2)->text().toDouble(), kFreqTable[180]);
    EXPECT_EQ(Control<CNumEdit>(page, 1342 + 4)->text(), "2.00");
    EXPECT_TRUE(Control<CXPButton>(page, 1363 + 4)->IsSelected());
    EXPECT_FALSE(Control<CXPButton>(page, 1356 + 4)->IsSelected());
    EXPECT_EQ(curve.m_nKindSet, CurveKind(OwnerKind::Music));
    EXPECT_EQ(curve.m_kind, OwnerKind::Music);
    EXPECT_EQ(curve.m_nIndex, 0);
    EXPECT_EQ(curve.m_nBand, 0);
    EXPECT_FALSE(AnyFlag(model.Music()));

    // A change made before the page is shown is still sent afterwards.
    model.Music().SetExciter(1);
    page.LoadFromModel(0);
    EXPECT_TRUE(model.Music().IsChanged(CAudioMusicData::kExciter));
    EXPECT_EQ(Control<CXPButton>(page, IDC_MUSIC_EXCITER)->CurrentFaceId(), 167);
}

TEST_F(MusicPageTest, InputListFollowsTheUnitsInputCount) {
    const struct {
        int max;
        int entries;
        const char* last;
    } kCases[] = {{0, 1, "Auto"}, {4, 5, "Optical"}, {9, 10, "HDMIARC"}, {10, 0, ""}, {-1, 0, ""}};
    for (const auto& c : kCases) {
        g_musicInputMax = c.max;
        Load();
        ASSERT_EQ(page.InputList()->count(), c.entries) << c.max;
        if (c.entries > 0) {
            EXPECT_EQ(page.InputList()->itemText(c.entries - 1), c.last);
        }
    }
    g_musicInputMax = 9;
    Load();
    page.InputList()->setFocus();
    QTest::keyClick(page.InputList(), Qt::Key_Down);
    QTest::keyClick(page.InputList(), Qt::Key_Down);
    EXPECT_EQ(model.Music().GetInput(), 2);
    EXPECT_TRUE(model.Music().IsChanged(CAudioMusicData::kInput));
}

TEST_F(MusicPageTest, KeySliderExciterAndGainSliderReachTheRecord) {
    Load();
    const struct {
        int key;
        int pos;
        const char* label;
    } kKeys[] = {{Qt::Key_Home, 0, "-7"}, {Qt::Key_Up, 1, "-6"}, {Qt::Key_End, 14, "7"}};
    for (const auto& k : kKeys) {
        Key(page.KeySlider(), k.key);
        EXPECT_EQ(model.Music().GetKeyShift(), k.pos);
        EXPECT_EQ(page.KeyLabel()->text(), k.label);
        EXPECT_EQ(model.Music().GetLastKeyShown(), k.pos);
    }
    EXPECT_TRUE(model.Music().IsChanged(CAudioMusicData::kKeyShift));

    Click(IDC_MUSIC_EXCITER);
    EXPECT_EQ(model.Music().GetExciter(), 1);
    Click(IDC_MUSIC_EXCITER);
    EXPECT_EQ(model.Music().GetExciter(), 0);
    EXPECT_EQ(Control<CXPButton>(page, IDC_MUSIC_EXCITER)->CurrentFaceId(), 168);

    // Up on a gain slider of band 5 moves the thumb up: +0.2 dB; the box follows, band 5 is
    // selected on the page and on the curve.
    Key(Control<CBitmapSlider>(page, 1321 + 5), Qt::Key_Up);
    EXPECT_EQ(Band(5).GetGain(), 121);
    EXPECT_EQ(Control<CNumEdit>(page, 1307 + 5)->text(), "0.2dB");
    EXPECT_EQ(page.SelectedBand(), 5);
    EXPECT_EQ(curve.m_nBand, 5);
    // Shown again, the page marks its selected band on the curve, not band 0.
    Load();
    EXPECT_EQ(curve.m_nBand, 5);
}

TEST_F(MusicPageTest, QStepsStopAtTheirLimitsAndTheTypeSwitchesTheScale) {
    Band(1).SetQ(100);
    Load();
    Click(1384 + 1);
    EXPECT_EQ(Band(1).GetQ(), 100);
    EXPECT_FALSE(Band(1).m_bQChanged);
    Click(1377 + 1);
    EXPECT_EQ(Band(1).GetQ(), 99);

    // P -> BY: the Q box shows the slope scale with the band's slope.
    Band(1).SetSlope(28);
    Click(1363 + 1);
    EXPECT_EQ(Band(1).GetType(), kTypeBypass);
    EXPECT_EQ(Control<CNumEdit>(page, 1342 + 1)->text(), "2.00");
    EXPECT_TRUE(Control<CXPButton>(page, 1363 + 1)->IsSelected());
    Click(1384 + 1);
    EXPECT_EQ(Band(1).GetSlope(), 28);
    Click(1356 + 1);
    EXPECT_EQ(Control<CNumEdit>(page, 1342 + 1)->text(), QString::number(kQTable[99], 'f', 2));
}

TEST_F(MusicPageTest, CurveCallbacksReloadOnlyTheirBandAndIgnoreOthers) {
    Load();
    Band(3).SetFreq(200);
    Band(3).SetGain(60);
    page.OnCurveBandMoved(7);
    EXPECT_EQ(page.SelectedBand(), 0);
    page.OnCurveBandMoved(3);
    EXPECT_EQ(page.SelectedBand(), 3);
    EXPECT_EQ(Control<CBitmapSlider>(page, 1321 + 3)->GetPos(), 120);
    EXPECT_EQ(Control<CNumEdit>(page, 1328 + 3)->text().toDouble(), kFreqTable[200]);
    Band(6).SetQ(40);
    page.OnCurveQChanged(6);
    EXPECT_EQ(Control<CNumEdit>(page, 1342 + 6)->text(), QString::number(kQTable[40], 'f', 2));
    EXPECT_EQ(page.SelectedBand(), 6);

    page.ApplyEqBypass(1);
    EXPECT_FALSE(Control<CBitmapSlider>(page, 1321)->isEnabled());
    EXPECT_FALSE(Control<CXPButton>(page, 1356)->IsSelected());
    EXPECT_TRUE(page.KeySlider()->isEnabled());
    page.ApplyEqBypass(0);
    EXPECT_TRUE(Control<CBitmapSlider>(page, 1321)->isEnabled());
    EXPECT_TRUE(Control<CXPButton>(page, 1356)->IsSelected());
}
}  // namespace
