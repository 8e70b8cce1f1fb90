// Editing a band selects it, the first column's band too: every control of column 0 of every
// page the factory builds, driven with a real event while another band is selected.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "core/common/labeltable.h"
#include "core/model/audiodata.h"
#include "gui/pages/channelpage.h"
#include "gui/pages/pagefactory.h"
#include "gui/pages/pagestate.h"
#include "tests/gui/pages/fakecurveview.h"

namespace {
// What is typed into a number box of each band value.
QString TypedText(EFieldRole role) {
    switch (role) {
        case EFieldRole::Gain:
            return QStringLiteral("5");
        case EFieldRole::Freq:
            return QStringLiteral("5000");
        default:
            return QStringLiteral("3");
    }
}

class BandSelectTest : public testing::Test {
protected:
    void SetUp() override {
        LoadLabelTable(kLanguageEnglish);
        ResetPageState();
        // Manual: the output pages' bands can be edited.
        model.Mic().SetOutAuto(0);
        m_other.move(0, 0);
        window.resize(1000, 400);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override { ResetPageState(); }

    // One real event on `view`: a key on a slider, typing into a box and leaving it, a click on
    // a button. False for a view the user cannot reach (hidden spins and buttons, labels).
    bool Drive(const SControlView& view, EFieldRole role) {
        QWidget* pWidget = view.pWidget;
        if (!pWidget->isVisibleTo(&window) || !pWidget->isEnabled()) {
            return false;
        }
        switch (view.kind) {
            case EControlKind::Slider:
                pWidget->setFocus();
                QTest::keyClick(pWidget, Qt::Key_Up);
                return true;
            case EControlKind::Box: {
                auto* pEdit = static_cast<QLineEdit*>(pWidget);
                pEdit->setFocus();
                pEdit->selectAll();
                QTest::keyClicks(pEdit, TypedText(role));
                m_other.setFocus();
                return true;
            }
            case EControlKind::Choice:
            case EControlKind::Step:
                QTest::mouseClick(pWidget, Qt::LeftButton);
                return true;
            default:
                return false;
        }
    }

    QWidget window;
    QLineEdit m_other{&window};
    CAudioData model;
    CFakeCurveView curve;
};

TEST_F(BandSelectTest, EveryControlOfTheFirstColumnSelectsBandZero) {
    for (int page = 0; page < kChannelPages; ++page) {
        SCOPED_TRACE(testing::Message() << "page " << page);
        CChannelPage* pPage = CreateChannelPage(page, model, &window);
        pPage->SetCurveView(&curve);
        pPage->resize(900, 270);
        pPage->show();
        pPage->LoadFromModel(0);
        ASSERT_EQ(pPage->BandOfColumn(0), 0);
        int driven = 0;
        for (int i = 0; i < pPage->BindingCount(); ++i) {
            const SBinding& binding = pPage->Binding(i);
            if (binding.column != 0) {
                continue;
            }
            for (const SControlView& view : binding.views) {
                pPage->SelectBand(1);
                ASSERT_EQ(pPage->SelectedBand(), 1);
                if (!Drive(view, binding.role)) {
                    continue;
                }
                ++driven;
                // Controls report to their page through the event queue.
                QApplication::processEvents();
                EXPECT_EQ(pPage->SelectedBand(), 0) << "control " << view.id;
            }
        }
        // Gain box and slider, P and BY, the frequency box, the Q box and its two steps.
        EXPECT_EQ(driven, 8);
        delete pPage;
    }
}
}  // namespace
