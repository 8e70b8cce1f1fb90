// One suite over every page the editor builds: each page's bindings are walked and every
// visible control is driven with a real event; the field must change, its change flag rise,
// every other view of the value agree, and the band be selected. Loading must leave the flags
// alone and show values outside a field's range clamped; every bound control must report to
// its page; control ids are unique. The same walk on the in-process simulated unit must leave
// the unit's memory equal to the model's image. A new page gets all of this by joining kPages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QSet>
#include <QTest>
#include <functional>
#include <memory>

#include "core/common/labeltable.h"
#include "core/dsp/frequencygrid.h"
#include "core/model/audiodata.h"
#include "core/protocol/catalogue.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/controlevent.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/channelpage.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/pagefactory.h"
#include "gui/pages/pagestate.h"
#include "gui/settings/systemsettingdlg.h"
#include "tests/gui/pages/fakecurveview.h"
#include "tests/support/simrig.h"

namespace {
struct SPageCase {
    const char* name;
    int page;     // page index, or -1 for the volume strip
    int bandSet;  // the output scene
};

const SPageCase kPages[] = {
    {"Music", kPageMusic, 0},
    {"Mic", kPageMic, 0},
    {"Effect", kPageEffect, 0},
    {"MainScene0", kPageMainOut, 0},
    {"MainScene1", kPageMainOut, 1},
    {"Center", kPageCenter, 0},
    {"Sub", kPageSub, 1},
    {"VolumeStrip", -1, 0},
    {"System", kPageSystem, 0},  // its bindings: the volume limits and the tone limits
};

void PrintTo(const SPageCase& c, std::ostream* os) {
    *os << c.name;
}

bool AnyFlagRaised(CAudioData& model) {
    for (int ch = 0; ch <= 8; ++ch) {
        const CEqRecord* pRecord = model.EqRecordOfChannel(ch);
        if (pRecord->AnyChanged()) {
            return true;
        }
        for (int b = 0; b < pRecord->GetEQ().GetCount(); ++b) {
            const CFilter& band = pRecord->GetEQ().GetAt(b);
            if (band.AnyBandWordChanged() || band.m_bXoverFreqChanged != 0) {
                return true;
            }
        }
    }
    return model.Volume().AnyChanged() || model.ToneLimits().AnyChanged();
}

// The page under test, built and loaded as the selector loads it.
class CPageUnderTest {
public:
    CPageUnderTest(const SPageCase& c, CAudioData& model) : m_case(c), m_model(model) {
        if (c.page == kPageSystem) {
            m_pSystem = std::make_unique<CSystemSettingDlg>(model, QString());
            m_pPage = m_pSystem.get();
        } else if (c.page >= 0) {
            m_pChannel.reset(CreateChannelPage(c.page, model, nullptr));
            m_pChannel->SetCurveView(&m_curve);
            m_pPage = m_pChannel.get();
        } else {
            m_pVolume = std::make_unique<CMainVolDlg>(model);
            m_pPage = m_pVolume.get();
        }
        if (m_pSystem) {
            m_pPage->resize(1100, 567);
        } else {
            m_pPage->resize(910, 270);
        }
        m_pPage->show();
        QApplication::processEvents();
    }

    // Manual output section, every flag down, then the page loaded.
    void Load() {
        m_model.Mic().SetOutAuto(0);
        m_model.SetAllChanged(0);
        g_outScene = {m_case.bandSet, m_case.bandSet, m_case.bandSet};
        if (m_pChannel) {
            m_pChannel->LoadFromModel(m_case.bandSet);
            m_pChannel->ApplyEqBypass(0);
        } else {
            m_pPage->LoadBindings();
        }
        QApplication::processEvents();
    }

    CBindingPage& Page() { return *m_pPage; }
    CChannelPage* Channel() { return m_pChannel.get(); }

private:
    SPageCase m_case;
    CAudioData& m_model;
    CFakeCurveView m_curve;
    std::unique_ptr<CChannelPage> m_pChannel;
    std::unique_ptr<CMainVolDlg> m_pVolume;
    std::unique_ptr<CSystemSettingDlg> m_pSystem;
    CBindingPage* m_pPage = nullptr;
};

// What view `view` shows, as a value of its field; nothing for a view that shows no value.
std::optional<int> Shown(const SControlView& view) {
    switch (view.kind) {
        case EControlKind::Slider: {
            const int pos = static_cast<CBitmapSlider*>(view.pWidget)->GetPos();
            return view.top >= 0 ? view.top - pos : pos;
        }
        case EControlKind::Spin:
            return static_cast<CNumSpin*>(view.pWidget)->GetPos();
        case EControlKind::Box:
            return static_cast<CNumEdit*>(view.pWidget)->GetValue();
        case EControlKind::Combo:
            return static_cast<QComboBox*>(view.pWidget)->currentIndex();
        default:
            return std::nullopt;
    }
}

void ExpectViewsShow(const SBinding& binding, int value, const std::string& where) {
    for (const SControlView& view : binding.views) {
        if (const std::optional<int> shown = Shown(view)) {
            EXPECT_EQ(*shown, value) << where << ", view " << view.id;
        }
        if (view.kind == EControlKind::Text) {
            EXPECT_EQ(static_cast<CStaticTrans*>(view.pWidget)->text().toStdString(),
                      view.text(value))
                << where << ", view " << view.id;
        }
        if (view.kind == EControlKind::Choice && value == view.param) {
            EXPECT_TRUE(static_cast<CXPButton*>(view.pWidget)->IsSelected())
                << where << ", view " << view.id;
        }
    }
}

// Drives `view` with a real event so that its value should move; false when this view cannot
// move it from `value` (a step at its end, the chosen button, a hidden holder).
bool Drive(const SBinding& binding, const SControlView& view, int value) {
    QWidget* pWidget = view.pWidget;
    if (!pWidget->isVisible() || !pWidget->isEnabled()) {
        return false;
    }
    const FieldRange range = binding.field.range();
    switch (view.kind) {
        case EControlKind::Slider: {
            auto* pSlider = static_cast<CBitmapSlider*>(pWidget);
            pSlider->setFocus();
            const bool bAtMax = pSlider->GetPos() == pSlider->GetRangeMax();
            QTest::keyClick(pSlider, bAtMax ? Qt::Key_Home : Qt::Key_End);
            return true;
        }
        case EControlKind::Box: {
            auto* pBox = static_cast<CNumEdit*>(pWidget);
            const int target = value < range.max ? value + 1 : value - 1;
            pBox->SetValue(target);
            const QString text = pBox->text();
            pBox->SetValue(value);
            pBox->setFocus();
            pBox->selectAll();
            QTest::keyClicks(pBox, text);
            pBox->clearFocus();
            return true;
        }
        case EControlKind::Combo: {
            auto* pCombo = static_cast<QComboBox*>(pWidget);
            if (pCombo->count() < 2) {
                return false;
            }
            pCombo->setFocus();
            QTest::keyClick(
                pCombo, pCombo->currentIndex() + 1 < pCombo->count() ? Qt::Key_Down : Qt::Key_Up);
            return true;
        }
        case EControlKind::Toggle:
            QTest::mouseClick(pWidget, Qt::LeftButton);
            return true;
        case EControlKind::Choice:
            if (view.param == value) {
                return false;
            }
            QTest::mouseClick(pWidget, Qt::LeftButton);
            return true;
        case EControlKind::Step:
            if (value + view.param < range.min || value + view.param > range.max) {
                return false;
            }
            QTest::mouseClick(pWidget, Qt::LeftButton);
            return true;
        default:
            return false;
    }
}

class PageConformance : public testing::TestWithParam<SPageCase> {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
        g_musicInputMax = 9;
    }
};

TEST_P(PageConformance, EveryControlEditsItsFieldAndEveryViewAgrees) {
    CAudioData model;
    CPageUnderTest page(GetParam(), model);
    CBindingPage& p = page.Page();
    int driven = 0;
    for (int i = 0; i < p.BindingCount(); ++i) {
        for (std::size_t v = 0; v < p.Binding(i).views.size(); ++v) {
            page.Load();
            ASSERT_FALSE(AnyFlagRaised(model)) << "loading raised a flag";
            const SBinding& binding = p.Binding(i);
            const SControlView& view = binding.views[v];
            const int before = binding.field.get();
            if (!Drive(binding, view, before)) {
                continue;
            }
            QApplication::processEvents();
            ++driven;
            const std::string where =
                std::string(GetParam().name) + " control " + std::to_string(view.id);
            const int after = binding.field.get();
            EXPECT_NE(after, before) << where << " did not change its field";
            EXPECT_TRUE(AnyFlagRaised(model)) << where << " raised no flag";
            ExpectViewsShow(binding, after, where);
            if (binding.column >= 0) {
                EXPECT_EQ(page.Channel()->SelectedBand(),
                          page.Channel()->BandOfColumn(binding.column))
                    << where << " did not select its band";
            }
        }
    }
    EXPECT_GT(driven, 0);
}

TEST_P(PageConformance, BoundControlsReportToThePageAndIdsAreUnique) {
    CAudioData model;
    CPageUnderTest page(GetParam(), model);
    QSet<int> ids;
    for (int i = 0; i < page.Page().BindingCount(); ++i) {
        for (const SControlView& view : page.Page().Binding(i).views) {
            EXPECT_EQ(ReportTarget(view.pWidget), &page.Page()) << "control " << view.id;
            EXPECT_FALSE(ids.contains(view.id)) << "id " << view.id << " bound twice";
            ids.insert(view.id);
        }
    }
}

TEST_P(PageConformance, ValuesOutsideTheirRangeShowClampedAndStayInTheModel) {
    CAudioData model;
    CPageUnderTest page(GetParam(), model);
    CBindingPage& p = page.Page();
    for (int high = 0; high < 2; ++high) {
        page.Load();
        std::vector<int> stored;
        for (int i = 0; i < p.BindingCount(); ++i) {
            const SBinding& binding = p.Binding(i);
            const FieldRange range = binding.field.range();
            // What a unit can hold: any record word, a band gain word, a crossover index on the
            // frequency grid. Types and the output section would change what the page shows.
            const bool bBandOther = binding.column >= 0 && binding.role != EFieldRole::Gain;
            if (bBandOther || binding.edited) {
                stored.push_back(binding.field.get());
                continue;
            }
            int value = high == 1 ? range.max + 40 : range.min - 40;
            if (binding.curveBand >= 0) {
                value = std::clamp(value, 0, kFreqMaxIndex);
            }
            binding.field.set(value);
            stored.push_back(binding.field.get());
        }
        model.SetAllChanged(0);
        if (page.Channel() != nullptr) {
            page.Channel()->LoadFromModel(GetParam().bandSet);
        } else {
            p.LoadBindings();
        }
        for (int i = 0; i < p.BindingCount(); ++i) {
            const SBinding& binding = p.Binding(i);
            const FieldRange range = binding.field.range();
            const int shown = std::clamp(stored[static_cast<std::size_t>(i)],
                                         static_cast<int>(range.min), static_cast<int>(range.max));
            ExpectViewsShow(binding, shown,
                            std::string(GetParam().name) + " binding " + std::to_string(i));
            EXPECT_EQ(binding.field.get(), stored[static_cast<std::size_t>(i)])
                << "the model keeps the unit's value";
        }
    }
}

TEST_P(PageConformance, EditsOfEveryControlReachTheSimulatedUnit) {
    SimRig rig(LinkKind::Network);
    ReadAllSequence(rig.engine, false);
    ASSERT_GT(rig.TickUntil([&] { return rig.Sent(MSG_SYSTEM_DATA_READ); }), 0);
    ApplyReadBack(rig.model);
    CPageUnderTest page(GetParam(), rig.model);
    CBindingPage& p = page.Page();
    for (int i = 0; i < p.BindingCount(); ++i) {
        for (const SControlView& view : p.Binding(i).views) {
            page.Load();
            if (Drive(p.Binding(i), view, p.Binding(i).field.get())) {
                QApplication::processEvents();
                rig.TickUntil(
                    [&] { return rig.engine.GetCount() == 0 && !AnyFlagRaised(rig.model); }, 2000);
            }
        }
    }
    rig.model.Mic().SetOutAuto(rig.model.Mic().GetOutAuto());
    rig.TickUntil([&] { return rig.engine.GetCount() == 0 && !AnyFlagRaised(rig.model); }, 2000);
    for (int ch = 0; ch <= 10; ++ch) {
        const auto image = rig.model.Image().Words(ch);
        const auto unit = rig.sim.Block(ch);
        for (std::size_t w = 0; w < image.size(); ++w) {
            EXPECT_EQ(unit[w], image[w]) << GetParam().name << ": channel " << ch << " word " << w;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageConformance, testing::ValuesIn(kPages),
                         [](const testing::TestParamInfo<SPageCase>& info) {
                             return std::string(info.param.name);
                         });
}  // namespace
