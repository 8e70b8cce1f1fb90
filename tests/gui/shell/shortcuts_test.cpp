// The volume shortcuts, pressed as real keys in a window: each of the three key pairs raises its
// own volume up to its own maximum and stop value and lowers it down to 0; the volume strip
// follows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numedit.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/pagestate.h"
#include "gui/pages/switchchdlg.h"
#include "gui/shell/shortcuts.h"
#include "tests/support/enginefakes.h"

namespace {
class ShortcutTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
        qApp->installEventFilter(&filter);
        window.resize(400, 300);
        window.show();
    }
    void TearDown() override { qApp->removeEventFilter(&filter); }

    // Every volume at `volume`, the maxima of the System page as given; nothing pending.
    void Set(int volume, std::array<int, 3> maxima) {
        CAudioVolData& v = model.Volume();
        for (const auto field :
             {CAudioVolData::kMusicVol, CAudioVolData::kMicVol, CAudioVolData::kEffectVol}) {
            v.Set(field, static_cast<std::int16_t>(volume));
        }
        v.Set(CAudioVolData::kMaxMusicVol, static_cast<std::int16_t>(maxima[0]));
        v.Set(CAudioVolData::kMaxMicVol, static_cast<std::int16_t>(maxima[1]));
        v.Set(CAudioVolData::kMaxEffectVol, static_cast<std::int16_t>(maxima[2]));
        v.SetAllChanged(0);
        mainVol.LoadVolumes();
    }
    void Press(Qt::Key key, int times) {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(&mainVol, key, Qt::ControlModifier);
        }
    }

    QWidget window;
    CAudioData model;
    EngineRig rig;
    CMainVolDlg mainVol{model, &window};
    CSwitchChDlg selector{model, rig.engine, &window};
    CShortcutFilter filter{&window, model, mainVol, selector};
};

TEST_F(ShortcutTest, EachVolumePairStopsAtItsOwnLimits) {
    const struct {
        const char* what;
        Qt::Key up;
        Qt::Key down;
        CAudioVolData::Field field;
        int strip;
        int ownMaximum;  // with the maxima 30, 40, 50
        int afterUpAt70;
    } cases[] = {
        {"music Q/A", Qt::Key_Q, Qt::Key_A, CAudioVolData::kMusicVol, CMainVolDlg::kMusic, 30, 71},
        {"mic W/S", Qt::Key_W, Qt::Key_S, CAudioVolData::kMicVol, CMainVolDlg::kMic, 40, 71},
        {"effect E/D", Qt::Key_E, Qt::Key_D, CAudioVolData::kEffectVol, CMainVolDlg::kEffect, 50,
         70},
    };
    CAudioVolData& volume = model.Volume();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Set(20, {30, 40, 50});
        Press(c.up, 40);
        EXPECT_EQ(volume.Get(c.field), c.ownMaximum);
        EXPECT_TRUE(volume.IsChanged(c.field));
        EXPECT_EQ(mainVol.Slider(c.strip)->GetPos(), kVolumeTop - c.ownMaximum);
        EXPECT_EQ(mainVol.Edit(c.strip)->text(), QString::number(c.ownMaximum));
        // The other two volumes did not move.
        for (const auto other :
             {CAudioVolData::kMusicVol, CAudioVolData::kMicVol, CAudioVolData::kEffectVol}) {
            if (other != c.field) {
                EXPECT_EQ(volume.Get(other), 20);
            }
        }
        Press(c.down, c.ownMaximum + 5);
        EXPECT_EQ(volume.Get(c.field), 0);
        EXPECT_EQ(mainVol.Slider(c.strip)->GetPos(), kVolumeTop);

        // At 70 with every maximum at 80: only the effect stops there.
        Set(70, {80, 80, 80});
        Press(c.up, 1);
        EXPECT_EQ(volume.Get(c.field), c.afterUpAt70);
        EXPECT_EQ(volume.IsChanged(c.field), c.afterUpAt70 != 70);
    }
}
}  // namespace
