// The editor end to end against the simulated unit: start, search, read-back, the panel lock,
// edits made with real events reaching the unit, the unit's own key changes, USB unplugging,
// and the single instance.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "core/model/audiodata.h"
#include "core/protocol/linkstate.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/numedit.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/channelpage.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/musicdlg.h"
#include "gui/pages/pagestate.h"
#include "gui/pages/switchchdlg.h"
#include "gui/shell/connectinfodlg.h"
#include "gui/shell/focusring.h"
#include "gui/shell/singleinstance.h"
#include "gui/shell/unlockdlg.h"
#include "link/linkcontroller.h"
#include "tests/gui/shell/editorrig.h"
#include "tests/support/controlbyid.h"
#include "tests/support/modalboxes.h"
#include "tests/support/recordingnotify.h"

namespace {
void Click(QWidget* pWidget) {
    QTest::mouseClick(pWidget, Qt::LeftButton);
}

TEST(Editor, StartSearchAndReadBackShowTheUnitsMusicValues) {
    EditorRig rig;
    ASSERT_EQ(rig.StartTcp(), 0);
    EXPECT_EQ(rig.Status(), "UnConnect");
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    QTest::qWait(50);
    CMusicDlg* pMusic = rig.Window().MusicPage();
    const int key = rig.UnitWord(0, 2);
    EXPECT_EQ(pMusic->KeySlider()->GetPos(), key);
    EXPECT_EQ(pMusic->KeyLabel()->text(), QString::number(key - 7));
    EXPECT_EQ(pMusic->InputList()->currentIndex(), rig.UnitWord(0, 0));
    // Band 1's gain word is word 5 of the music block; its slider runs 180 - gain.
    EXPECT_EQ(pMusic->findChildren<CBitmapSlider*>().size(), 8);
    CMainVolDlg* pVolume = rig.Window().MainVolPage();
    EXPECT_EQ(pVolume->Slider(CMainVolDlg::kMusic)->GetPos(), 80 - rig.UnitWord(10, 1));
    EXPECT_TRUE(rig.Window().isEnabled());
    EXPECT_FALSE(rig.Window().BusyBox()->isVisible());
}

TEST(Editor, SecondInstanceIsRefusedWhileTheFirstRuns) {
    EditorRig rig;
    CRecordingNotify notify;
    SAppEnvironment first = rig.Environment();
    CSingleInstance running(rig.lockDir.path());
    ASSERT_TRUE(running.Acquire());
    CBrioApp second(SAppOptions{}, std::move(first));
    EXPECT_EQ(second.Start(), kExitAlreadyRunning);
    EXPECT_EQ(second.MainWindow(), nullptr);
    ASSERT_EQ(notify.m_messages.size(), 1u);
    EXPECT_EQ(notify.m_messages[0], "The program is running!");
}

TEST(Editor, LockedUnitOverTheNetworkAsksForThePassword) {
    EditorRig rig;
    SimOptions options;
    options.lockPassword = "4711";
    ASSERT_EQ(rig.StartTcp(options), 0);
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Ok, 15000), "The panel is locked. Please unlock it.");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().UnlockDialog() != nullptr; }));
    CUnlockDlg* pUnlock = rig.Window().UnlockDialog();
    EXPECT_TRUE(pUnlock->isModal());
    // Letters are refused; three digits are too short.
    QTest::keyClicks(pUnlock->PasswordEdit(), "47a1");
    EXPECT_EQ(pUnlock->PasswordEdit()->text(), "471");
    Click(pUnlock->OkButton());
    EXPECT_EQ(AnswerMessageBox(), "The new password must be 4 bit password, please reenter it!");
    EXPECT_TRUE(pUnlock->PasswordEdit()->text().isEmpty());
    QTest::keyClicks(pUnlock->PasswordEdit(), "1234");
    QTest::keyClick(pUnlock->PasswordEdit(), Qt::Key_Return);
    EXPECT_EQ(AnswerMessageBox(), "Password error");
    // Closing is refused while the link is up.
    pUnlock->close();
    EXPECT_TRUE(pUnlock->isVisible());
    QTest::keyClicks(pUnlock->PasswordEdit(), "4711");
    Click(pUnlock->OkButton());
    EXPECT_EQ(AnswerMessageBox(), "Unlock success");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.Window().UnlockDialog() == nullptr; }));
    EXPECT_EQ(g_curPage, kPageMusic);
    EXPECT_TRUE(rig.Window().isEnabled());
}

TEST(Editor, LockedUnitOverUsbDisablesTheWindowWithoutAMessage) {
    EditorRig rig;
    SimOptions options;
    options.lockPassword = "0815";
    ASSERT_EQ(rig.StartUsb(options), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().UnlockDialog() != nullptr; }, 15000));
    EXPECT_EQ(VisibleMessageBox(), nullptr);
    EXPECT_FALSE(rig.Window().isEnabled());
    CUnlockDlg* pUnlock = rig.Window().UnlockDialog();
    EXPECT_TRUE(pUnlock->isEnabled());
    EXPECT_FALSE(pUnlock->isModal());
    QTest::keyClicks(pUnlock->PasswordEdit(), "0815");
    Click(pUnlock->OkButton());
    EXPECT_EQ(AnswerMessageBox(), "Unlock success");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.Window().isEnabled(); }));
}

TEST(Editor, EditsWithRealEventsReachTheUnit) {
    EditorRig rig;
    ASSERT_EQ(rig.StartTcp(), 0);
    // The music equaliser in use (the search starts a second later).
    rig.tcpUnit->WithUnit([](CSimUnit& unit) { unit.Block(0)[4] = 0; });
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    QTest::qWait(50);
    CMusicDlg* pMusic = rig.Window().MusicPage();

    pMusic->KeySlider()->setFocus();
    QTest::keyClick(pMusic->KeySlider(), Qt::Key_End);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(0, 2) == 14; }));

    const int exciter = rig.UnitWord(0, 3);
    Click(Control<CXPButton>(*pMusic, IDC_MUSIC_EXCITER));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(0, 3) == (exciter != 0 ? 0 : 1); }));

    QComboBox* pInput = pMusic->InputList();
    pInput->setFocus();
    QTest::keyClick(pInput, pInput->currentIndex() > 0 ? Qt::Key_Up : Qt::Key_Down);
    const int input = pInput->currentIndex();
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(0, 0) == input; }));

    // Ctrl+Q at the music limit changes nothing; Ctrl+A lowers by one.
    CAudioVolData& volume = rig.app->Model().Volume();
    volume.SetMaxMusicVol(static_cast<std::int16_t>(volume.GetMusicVol()));
    rig.app->Model().Volume().ClearChanged(CAudioVolData::kMaxMusicVol);
    const int music = volume.GetMusicVol();
    QTest::keyClick(pMusic->KeySlider(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(volume.GetMusicVol(), music);
    EXPECT_FALSE(volume.IsChanged(CAudioVolData::kMusicVol));
    QTest::keyClick(pMusic->KeySlider(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(10, 1) == music - 1; }));
    EXPECT_EQ(rig.Window().MainVolPage()->Slider(CMainVolDlg::kMusic)->GetPos(), 80 - (music - 1));

    // EQ Reset confirmed: the unit resets its music equaliser (channel 11, EQ number 0).
    rig.tcpUnit->WithUnit([](CSimUnit& unit) { unit.Block(0)[5] = 170; });
    Click(rig.Window().Selector()->Button(IDC_SEL_EQ_RESET));
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Ok), "Do you want to reset EQ?");
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(0, 5) == 120; }));

    // EQ Pass on and off reaches the unit's bypass word.
    Click(rig.Window().Selector()->Button(IDC_SEL_EQ_PASS));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(0, 4) == 1; }));
    Click(rig.Window().Selector()->Button(IDC_SEL_EQ_PASS));
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(0, 4) == 0; }));

    // FFT on a machine without an audio input.
    Click(rig.Window().Selector()->Button(IDC_SEL_FFT));
    EXPECT_EQ(AnswerMessageBox(), "No audio device was found");
}

TEST(Editor, KeyChangedOnTheUnitsPanelIsShownAndNotSentBack) {
    EditorRig rig;
    ASSERT_EQ(rig.StartTcp(), 0);
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    CMusicDlg* pMusic = rig.Window().MusicPage();
    const int newKey = rig.UnitWord(0, 2) == 3 ? 11 : 3;
    rig.tcpUnit->WithUnit(
        [newKey](CSimUnit& unit) { unit.Block(0)[2] = static_cast<std::int16_t>(newKey); });
    // The idle poll (about one second) reports the key.
    ASSERT_TRUE(QTest::qWaitFor([&] { return pMusic->KeySlider()->GetPos() == newKey; }, 5000));
    EXPECT_EQ(pMusic->KeyLabel()->text(), QString::number(newKey - 7));
    EXPECT_FALSE(rig.app->Model().Music().IsChanged(CAudioMusicData::kKeyShift));
    const int received = rig.UnitFramesReceived();
    QTest::qWait(200);
    const int after = rig.UnitFramesReceived();
    // Nothing but idle polls: at most one frame in 200 ms.
    EXPECT_LE(after - received, 1);
}

TEST(Editor, UnpluggingTheUsbUnitEndsTheLinkAnotherHidDeviceDoesNot) {
    EditorRig rig;
    ASSERT_EQ(rig.StartUsb(), 0);
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    CLinkController& controller = rig.app->Connection().Controller();
    controller.OnHidRemoved("/dev/hidraw3");
    QTest::qWait(20);
    EXPECT_EQ(rig.Status(), "Connected");
    EXPECT_EQ(rig.app->Connection().State().connected, 1);
    {
        std::lock_guard lock(rig.hid.mutex);
        rig.hid.deviceAttached = false;
    }
    controller.OnHidRemoved(rig.hid.path);
    EXPECT_TRUE(rig.WaitStatus("UnConnect", 2000));
    EXPECT_EQ(rig.app->Connection().State().connected, 0);
    EXPECT_TRUE(rig.Window().isEnabled());
}
}  // namespace

namespace {
TEST(Editor, TabReachesTheSelectorTheMusicPageAndTheStripWithVisibleFocus) {
    EditorRig rig;
    ASSERT_EQ(rig.StartTcp(), 0);
    QApplication::setActiveWindow(&rig.Window());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.Window()));
    rig.Window().Selector()->Button(IDC_SEL_MUSIC)->setFocus();
    std::vector<QWidget*> visited;
    for (int i = 0; i < 80; ++i) {
        QWidget* pFocus = QApplication::focusWidget();
        if (pFocus != nullptr) {
            visited.push_back(pFocus);
        }
        QTest::keyClick(pFocus != nullptr ? pFocus : &rig.Window(), Qt::Key_Tab);
    }
    auto reached = [&](QWidget* pWidget) {
        return std::find(visited.begin(), visited.end(), pWidget) != visited.end();
    };
    EXPECT_TRUE(reached(rig.Window().Selector()->Button(IDC_SEL_EQ_RESET)));
    EXPECT_TRUE(reached(rig.Window().MusicPage()->InputList()));
    EXPECT_TRUE(reached(rig.Window().MusicPage()->KeySlider()));
    EXPECT_TRUE(reached(rig.Window().MainVolPage()->Slider(CMainVolDlg::kEffect)));
    EXPECT_TRUE(reached(rig.Window().MainVolPage()->Edit(CMainVolDlg::kEffect)));
    const QWidget* pRing = rig.Window().findChild<CFocusRing*>();
    ASSERT_NE(pRing, nullptr);
    EXPECT_TRUE(pRing->isVisible());
}
}  // namespace

namespace {
TEST(Editor, EveryPageShowsAndItsEditsAndEqPassReachTheUnit) {
    EditorRig rig;
    ASSERT_EQ(rig.StartTcp(), 0);
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    QTest::qWait(50);
    CBrioDlg& window = rig.Window();
    CAudioData& model = rig.app->Model();
    struct SPage {
        int button;
        int gainSlider;  // the first band column's gain slider
    };
    const SPage kPages[] = {{IDC_SEL_MUSIC, 1321}, {IDC_SEL_MIC, 1530},    {IDC_SEL_EFFECT, 1709},
                            {IDC_SEL_MAIN, 1915},  {IDC_SEL_CENTER, 2109}, {IDC_SEL_SUB, 2309}};
    for (int page = 0; page < kChannelPages; ++page) {
        Click(window.Selector()->Button(kPages[page].button));
        CChannelPage* pPage = window.Pages().Page(page);
        ASSERT_TRUE(pPage->isVisible()) << "page " << page;
        for (int other = 0; other < kChannelPages; ++other) {
            EXPECT_EQ(window.Pages().Page(other)->isVisible(), other == page);
        }
        // The unit starts in Manual on scene 1: the output pages edit scene 1.
        const int channel = PageChannel(page);
        CEqRecord* pRecord = model.EqRecordOfChannel(channel);
        const CFilter& band = pRecord->GetEQ().GetAt(pPage->BandOfColumn(0));
        auto* pSlider = Control<CBitmapSlider>(*pPage, kPages[page].gainSlider);
        pSlider->setFocus();
        const bool bAtBottom = pSlider->GetPos() == pSlider->GetRangeMax();
        QTest::keyClick(pSlider, bAtBottom ? Qt::Key_Home : Qt::Key_End);
        const int gain = bAtBottom ? 180 : 0;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return rig.UnitWord(channel, band.BandWordBase() + kBandWordGain) == gain;
        })) << "page "
            << page;

        const int bypassWord = pRecord->FieldWord(pRecord->FieldOf(kFieldEqBypass));
        Click(window.Selector()->Button(IDC_SEL_EQ_PASS));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(channel, bypassWord) == 1; }))
            << "page " << page;
        EXPECT_FALSE(pSlider->isEnabled());
        Click(window.Selector()->Button(IDC_SEL_EQ_PASS));
        EXPECT_TRUE(QTest::qWaitFor([&] { return rig.UnitWord(channel, bypassWord) == 0; }))
            << "page " << page;
        EXPECT_TRUE(pSlider->isEnabled());
    }
}
}  // namespace
