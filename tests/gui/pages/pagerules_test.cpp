// What single pages add to the frame: the microphone's band window and its scroll bar, the
// effect page's two groups in one area, the output pages' Auto look and lock, the scene switch,
// and the crossover limits of the output pages' sliders.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/effectdlg.h"
#include "gui/pages/micdlg.h"
#include "gui/pages/outputdlg.h"
#include "gui/pages/pagefactory.h"
#include "gui/pages/pagestate.h"
#include "tests/gui/pages/fakecurveview.h"
#include "tests/support/controlbyid.h"

namespace {
class PageRulesTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
    }
    template <typename T>
    T& Build(int page) {
        m_pPage.reset(CreateChannelPage(page, model, nullptr));
        m_pPage->SetCurveView(&curve);
        m_pPage->resize(910, 270);
        m_pPage->show();
        QApplication::processEvents();
        return *static_cast<T*>(m_pPage.get());
    }
    // The text of the value label `id` (a view of one of the page's bindings).
    QString Text(int id) {
        for (const SControlView& view : m_pPage->Binding(m_pPage->BindingOfControl(id)).views) {
            if (view.id == id) {
                return static_cast<CStaticTrans*>(view.pWidget)->text();
            }
        }
        return {};
    }
    CBitmapSlider* Slider(int id) { return Control<CBitmapSlider>(*m_pPage, id); }

    CAudioData model;
    CFakeCurveView curve;
    std::unique_ptr<CChannelPage> m_pPage;
};

TEST_F(PageRulesTest, MicBandWindowFollowsTheCurveAndTheScrollBar) {
    CMicDlg& mic = Build<CMicDlg>(kPageMic);
    mic.LoadFromModel(0);
    EXPECT_EQ(Text(IDC_MIC_HPF_LABEL), "19.7Hz");
    struct SStep {
        const char* what;
        std::function<void()> act;
        int first;
        int selected;
    };
    const SStep kSteps[] = {
        {"curve drags band 14", [&] { mic.OnCurveBandMoved(14); }, 5, 14},
        {"curve drags band 2", [&] { mic.OnCurveBandMoved(2); }, 0, 2},
        {"curve turns band 11's Q", [&] { mic.OnCurveQChanged(11); }, 2, 11},
        {"scroll arrow left",
         [&] { mic.ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); }, 1, 11},
        {"scroll to the end", [&] { mic.ScrollBar()->setValue(9); }, 5, 11},
        {"a band no control edits", [&] { mic.OnCurveBandMoved(16); }, 5, 11},
    };
    for (const SStep& step : kSteps) {
        step.act();
        EXPECT_EQ(mic.FirstBand(), step.first) << step.what;
        EXPECT_EQ(mic.ScrollBar()->value(), step.first) << step.what;
        EXPECT_EQ(mic.SelectedBand(), step.selected) << step.what;
        // Column c shows band first + c; the selected band's number is green.
        for (int c = 0; c < kMicColumns; ++c) {
            EXPECT_EQ(mic.BandLabel(c)->text().toInt(), step.first + c + 1) << step.what;
        }
    }
    // The high-pass filter is the curve's band 15: a drag of it reaches the slider.
    model.Mic().GetHighPass()->SetXoverFreq(142);
    mic.OnCurveBandMoved(kMicHighPassBand);
    EXPECT_EQ(Slider(IDC_MIC_HPF_SLIDER)->GetPos(), 142);
    EXPECT_EQ(Text(IDC_MIC_HPF_LABEL), "303.0Hz");
}

TEST_F(PageRulesTest, EffectModeShowsOneGroupAtATime) {
    CEffectDlg& effect = Build<CEffectDlg>(kPageEffect);
    effect.LoadFromModel(0);
    auto* pMode = Control<CXPButton>(effect, IDC_EFFECT_MODE);
    for (int press = 0; press < 3; ++press) {
        const bool bEchoB = model.Echo().GetEffectMode() == 1;
        EXPECT_EQ(Slider(1756)->isVisible(), bEchoB) << "press " << press;
        EXPECT_EQ(Slider(1771)->isVisible(), !bEchoB) << "press " << press;
        EXPECT_EQ(pMode->text(), bEchoB ? "EchoA+EchoB" : "EchoA+Revb");
        EXPECT_TRUE(Slider(1745)->isVisible()) << "echo A is always shown";
        QTest::mouseClick(pMode, Qt::LeftButton);
    }
}

TEST_F(PageRulesTest, AutoLooksLockedAndManualShowsTheRecord) {
    COutputDlg& main = Build<COutputDlg>(kPageMainOut);
    model.MainOut(0).SetMusicLevel(50);
    model.MainOut(0).GetLowPass()->SetXoverFreq(320);
    model.Mic().SetOutAuto(1);
    main.LoadFromModel(0);
    EXPECT_TRUE(g_autoMode);
    EXPECT_FALSE(Slider(1980)->isEnabled());
    EXPECT_EQ(Slider(1980)->GetPos(), 0);
    EXPECT_EQ(Text(1979), "0");
    EXPECT_FALSE(Control<CXPButton>(main, 1940)->isEnabled()) << "the bands are locked";
    EXPECT_FALSE(main.BandsEditable());
    EXPECT_TRUE(Control<CXPButton>(main, 2007)->IsSelected());
    EXPECT_FALSE(Control<CXPButton>(main, 2009)->IsSelected());
    EXPECT_FALSE(Control<CXPButton>(main, 2010)->IsSelected());

    QTest::mouseClick(Control<CXPButton>(main, 2008), Qt::LeftButton);  // Manual
    EXPECT_FALSE(g_autoMode);
    EXPECT_EQ(model.Mic().GetOutAuto(), 0);
    EXPECT_TRUE(Slider(1980)->isEnabled());
    EXPECT_EQ(Text(1979), "100%");
    EXPECT_EQ(Slider(2022)->GetPos(), 320);
    EXPECT_TRUE(Control<CXPButton>(main, 1940)->isEnabled());

    QTest::mouseClick(Control<CXPButton>(main, 2007), Qt::LeftButton);  // Auto again
    EXPECT_TRUE(g_autoMode);
    EXPECT_FALSE(Slider(1980)->isEnabled());
    EXPECT_EQ(Text(1979), "100%") << "pressing Auto keeps what the controls show";
}

TEST_F(PageRulesTest, SceneSwitchMakesEveryOutputEditTheSceneItShows) {
    COutputDlg& center = Build<COutputDlg>(kPageCenter);
    model.Mic().SetOutAuto(0);
    model.Center(1).SetMute(1);
    model.MainOut(1).SetDirectLevel(30);
    center.LoadFromModel(0);
    QTest::mouseClick(Control<CXPButton>(center, 2184), Qt::LeftButton);  // Disco
    EXPECT_EQ(g_outScene, (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(g_sceneSel, EScene::Disco);
    EXPECT_EQ(model.Mic().GetOutScene(), 1);
    EXPECT_EQ(&center.Record(), &model.Center(1));
    EXPECT_EQ(curve.m_kind, OwnerKind::Center);
    EXPECT_EQ(curve.m_nIndex, 1) << "the curve shows the scene edited";

    COutputDlg& main = Build<COutputDlg>(kPageMainOut);
    main.LoadFromModel(PageBandSet(kPageMainOut));
    EXPECT_EQ(&main.Record(), &model.MainOut(1));
    EXPECT_EQ(Text(1981), "60%");
    QTest::mouseClick(Control<CXPButton>(main, 2000), Qt::LeftButton);  // Direct polarity
    EXPECT_TRUE(model.MainOut(1).IsChanged(model.MainOut(1).FieldOf(kOutDirectPolarity)));
    EXPECT_FALSE(model.MainOut(0).AnyChanged()) << "scene 0 is not the scene shown";
}

TEST_F(PageRulesTest, CrossoverSlidersKeepTheirPageLimits) {
    struct SCase {
        int page;
        int slider;
        int home;
        int end;
    };
    const SCase kCases[] = {
        {kPageMainOut, 2019, 0, 142}, {kPageMainOut, 2022, 297, 360}, {kPageCenter, 2194, 0, 360},
        {kPageSub, 2370, 0, 142},     {kPageSub, 2375, 0, 142},
    };
    for (const SCase& c : kCases) {
        COutputDlg& page = Build<COutputDlg>(c.page);
        model.Mic().SetOutAuto(0);
        page.LoadFromModel(0);
        CBitmapSlider* pSlider = Slider(c.slider);
        pSlider->setFocus();
        QTest::keyClick(pSlider, Qt::Key_Home);
        QApplication::processEvents();
        const int binding = page.BindingOfControl(c.slider);
        EXPECT_EQ(page.Binding(binding).field.get(), c.home) << "slider " << c.slider;
        QTest::keyClick(pSlider, Qt::Key_End);
        QApplication::processEvents();
        EXPECT_EQ(page.Binding(binding).field.get(), c.end) << "slider " << c.slider;
        EXPECT_EQ(curve.m_nBand, page.Binding(binding).curveBand) << "the curve marks it";
    }
}
}  // namespace

namespace {
TEST_F(PageRulesTest, AStepButtonAtTheEndOfItsRangeSelectsItsBandAndChangesNothing) {
    CChannelPage& music = Build<CChannelPage>(kPageMusic);
    model.Music().GetEQ().GetAt(3).SetQ(100);
    model.SetAllChanged(0);
    music.LoadFromModel(0);
    QTest::mouseClick(Control<CXPButton>(music, 1384 + 3), Qt::LeftButton);  // Q up
    EXPECT_EQ(music.SelectedBand(), 3);
    EXPECT_EQ(model.Music().GetEQ().GetAt(3).GetQ(), 100);
    EXPECT_FALSE(model.Music().GetEQ().GetAt(3).AnyBandWordChanged());
}
}  // namespace
