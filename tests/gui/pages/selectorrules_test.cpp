// The selector's EQ Pass and EQ Reset rules over every channel page the factory builds: which
// pages may toggle or reset in Auto and in Manual, and that a reset reaches the record (and
// sends the frame) of the page the question was asked on, whatever is shown when it is answered.
#include <gtest/gtest.h>

#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/channelpage.h"
#include "gui/pages/pagefactory.h"
#include "gui/pages/pagestate.h"
#include "gui/pages/switchchdlg.h"
#include "tests/gui/pages/fakecurveview.h"
#include "tests/support/enginefakes.h"
#include "tests/support/hex.h"
#include "tests/support/modalboxes.h"

namespace {
// Channels 0 .. 8: music, mic, effect, main out 0/1, center 0/1, sub 0/1.
constexpr int kEqChannels = 9;
constexpr std::int16_t kRaisedGain = 170;

class SelectorRulesTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
        SPageTable pages;
        for (int page = 0; page < kChannelPages; ++page) {
            CChannelPage* pPage = CreateChannelPage(page, model, &window);
            pPage->SetCurveView(&curve);
            pages.channelPages[static_cast<std::size_t>(page)] = pPage;
        }
        pages.pCurve = &curve;
        selector.SetPages(pages);
        window.resize(1000, 600);
        window.show();
    }
    void TearDown() override { ResetPageState(); }

    void Click(int id) { QTest::mouseClick(selector.Button(id), Qt::LeftButton); }
    CFilter& FirstBand(int channel) { return model.EqRecordOfChannel(channel)->GetEQ().GetAt(0); }
    // The output section as the unit would report it (the output pages read it when shown).
    void Outputs(bool bAuto, int scene) {
        model.Mic().SetOutAuto(bAuto ? 1 : 0);
        model.Mic().SetOutScene(static_cast<std::int16_t>(scene));
        TakeOutputSection(bAuto ? 1 : 0, scene);
    }
    // Band 0 of every equaliser raised, nothing pending, nothing queued.
    void RaiseEveryFirstBand() {
        for (int ch = 0; ch < kEqChannels; ++ch) {
            model.EqRecordOfChannel(ch)->SetEqBypass(0);
            FirstBand(ch).SetGain(kRaisedGain);
        }
        model.SetAllChanged(0);
        rig.engine.ClearQueue();
    }

    QWidget window;
    CAudioData model;
    EngineRig rig;
    CFakeCurveView curve;
    CSwitchChDlg selector{model, rig.engine, &window};
};

TEST_F(SelectorRulesTest, EqPassIsRefusedOnOutputPagesOnlyInAuto) {
    for (const bool bAuto : {true, false}) {
        for (int page = 0; page < kChannelPages; ++page) {
            SCOPED_TRACE(testing::Message() << "page " << page << (bAuto ? " Auto" : " Manual"));
            const bool bAllowed = page < kPageMainOut || !bAuto;
            Outputs(bAuto, 0);
            RaiseEveryFirstBand();
            selector.ShowPage(page);
            const CEqRecord& record = *model.EqRecordOfChannel(PageChannel(page));
            Click(IDC_SEL_EQ_PASS);
            EXPECT_EQ(record.IsEqBypassed(), bAllowed);
            EXPECT_EQ(selector.Button(IDC_SEL_EQ_PASS)->IsSelected(), bAllowed);
            if (!bAllowed) {
                continue;
            }
            Click(IDC_SEL_EQ_PASS);
            EXPECT_FALSE(record.IsEqBypassed());
            EXPECT_FALSE(selector.Button(IDC_SEL_EQ_PASS)->IsSelected());
        }
    }
}

TEST_F(SelectorRulesTest, EqResetActsOnThePageItWasAskedOn) {
    const struct {
        const char* what;
        int askedOn;
        int scene;  // every output page's scene while asking
        bool bAuto;
        int shownWhenAnswered;
        int sceneWhenAnswered;
        int resetChannel;  // -1: nothing is asked, reset or sent
        const char* frame;
    } cases[] = {
        {"music", kPageMusic, 0, true, kPageMusic, 0, 0, "F5 35 06 B7 0B 00 01 00"},
        {"mic, music shown meanwhile", kPageMic, 0, true, kPageMusic, 0, 1,
         "F5 35 06 B7 0B 01 01 00"},
        {"effect, sub shown meanwhile", kPageEffect, 0, false, kPageSub, 0, 2,
         "F5 35 06 B7 0B 02 01 00"},
        {"center Sing in Manual", kPageCenter, 0, false, kPageCenter, 0, 5,
         "F5 35 06 B7 0B 05 01 00"},
        {"main Disco, center shown meanwhile", kPageMainOut, 1, false, kPageCenter, 1, 4,
         "F5 35 06 B7 0B 04 01 00"},
        {"main Disco, the outputs switch to Sing meanwhile", kPageMainOut, 1, false, kPageMainOut,
         0, 4, "F5 35 06 B7 0B 04 01 00"},
        {"sub Disco, music shown meanwhile", kPageSub, 1, false, kPageMusic, 1, 8,
         "F5 35 06 B7 0B 08 01 00"},
        {"main in Auto", kPageMainOut, 0, true, kPageMainOut, 0, -1, ""},
        {"sub in Auto", kPageSub, 0, true, kPageSub, 0, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Outputs(c.bAuto, c.scene);
        RaiseEveryFirstBand();
        selector.ShowPage(c.askedOn);
        Click(IDC_SEL_EQ_RESET);
        if (c.resetChannel < 0) {
            QTest::qWait(20);
            EXPECT_EQ(VisibleMessageBox(), nullptr);
            EXPECT_EQ(rig.engine.GetCount(), 0);
            EXPECT_EQ(FirstBand(PageChannel(c.askedOn)).GetGain(), kRaisedGain);
            continue;
        }
        // The question is open while the page (or the outputs' scene) changes.
        ASSERT_TRUE(QTest::qWaitFor([] { return VisibleMessageBox() != nullptr; }));
        Outputs(c.bAuto, c.sceneWhenAnswered);
        selector.ShowPage(c.shownWhenAnswered);
        EXPECT_EQ(AnswerMessageBox(QMessageBox::Ok), "Do you want to reset EQ?");
        for (int ch = 0; ch < kEqChannels; ++ch) {
            EXPECT_EQ(FirstBand(ch).GetGain(), ch == c.resetChannel ? kGainZeroIndex : kRaisedGain)
                << "channel " << ch;
        }
        ASSERT_EQ(rig.engine.GetCount(), 1);
        EXPECT_EQ(ToHex(rig.engine.GetHead()->Bytes().first(8)), c.frame);
    }
}
}  // namespace
