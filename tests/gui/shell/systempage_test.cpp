// The System page in the whole editor against the simulated unit served over USB (in-process,
// no sockets): modes stored and recalled, the password, the busy box of a slow recall, and a
// parameter file saved, listed, loaded and uploaded.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/model/modeldiff.h"
#include "core/model/pmxfile.h"
#include "core/protocol/systemcommands.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/pagestate.h"
#include "gui/pages/switchchdlg.h"
#include "gui/settings/pmxfilepanel.h"
#include "gui/settings/systemsettingdlg.h"
#include "gui/shell/connectinfodlg.h"
#include "gui/shell/unlockdlg.h"
#include "tests/gui/shell/editorrig.h"
#include "tests/support/modalboxes.h"

namespace {
void Click(QWidget* pWidget) {
    QTest::mouseClick(pWidget, Qt::LeftButton);
}

void Type(QLineEdit* pEdit, const QString& text) {
    pEdit->setFocus();
    pEdit->clear();
    QTest::keyClicks(pEdit, text);
}

CSystemSettingDlg& OpenSystemPage(EditorRig& rig) {
    Click(rig.Window().Selector()->Button(IDC_SEL_SYSTEM));
    return *rig.Window().SystemPage();
}

bool IsSelectMode(std::span<const std::uint8_t> report) {
    return report.size() > 5 && report[0] == 0xF5 && report[3] == 0xB7 && report[4] == 30 &&
           report[5] == kSysCmdSelectMode;
}

TEST(SystemPageOnAUnit, ModeStoredAndRecalledWithTheConfirmationTexts) {
    EditorRig rig;
    ASSERT_EQ(rig.StartUsb(), 0);
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    CSystemSettingDlg& page = OpenSystemPage(rig);
    EXPECT_TRUE(page.isVisible());

    QComboBox* pModes = page.ModeList();
    pModes->setFocus();
    while (pModes->currentIndex() != 2) {
        QTest::keyClick(pModes, pModes->currentIndex() < 2 ? Qt::Key_Down : Qt::Key_Up);
    }
    Type(page.ModeName(), "Karaoke night");
    Click(page.SaveModeButton());
    const QString name = QStringLiteral("Karaoke night") + QString(7, ' ');
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Ok), "Schema is saved as3-" + name + "?");
    std::string stored;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        rig.WithUsbUnit([&](CSimUnit& unit) {
            stored = BytesToString(unit.SystemBlock().subspan(2 + 20 * 2, 20), 20);
        });
        return stored == name.toStdString();
    }));

    // The unit's live state moves on; recalling mode 3 brings back what was stored.
    std::int16_t savedKey = 0;
    rig.WithUsbUnit([&](CSimUnit& unit) {
        savedKey = unit.StoredBlock(2, 0)[2];
        unit.Block(0)[2] = static_cast<std::int16_t>(savedKey == 3 ? 9 : 3);
    });
    Click(page.LoadModeButton());
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Ok), "Mode switching to3-" + name + "?");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().BusyBox()->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.Window().BusyBox()->isVisible(); }, 15000));
    rig.WithUsbUnit([](CSimUnit& unit) { EXPECT_EQ(unit.ModeIndex(), 2); });
    EXPECT_EQ(rig.app->Model().Music().GetKeyShift(), savedKey);
    EXPECT_EQ(g_curPage, kPageMusic);
}

TEST(SystemPageOnAUnit, SlowRecallKeepsTheBusyBoxUntilTheReadBackAndLaterEditsSurvive) {
    EditorRig rig;
    // The unit takes 4.5 s to switch modes: longer than the 3 s the box once waited, within
    // the engine's 8 s for a mode recall.
    rig.usbAnswerDelay = [](std::span<const std::uint8_t> report) {
        return std::chrono::milliseconds(IsSelectMode(report) ? 4500 : 0);
    };
    ASSERT_EQ(rig.StartUsb(), 0);
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    CSystemSettingDlg& page = OpenSystemPage(rig);
    Click(page.LoadModeButton());
    ASSERT_FALSE(AnswerMessageBox(QMessageBox::Ok).isEmpty());

    CAudioVolData& volume = rig.app->Model().Volume();
    const int music = volume.GetMusicVol();
    QTest::qWait(3500);
    EXPECT_TRUE(rig.Window().BusyBox()->isVisible());
    EXPECT_FALSE(rig.Window().isEnabled());
    // A volume key pressed while the unit is still busy is not taken.
    rig.Window().setFocus();
    QTest::keyClick(&rig.Window(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(volume.GetMusicVol(), music);

    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.Window().BusyBox()->isVisible(); }, 10000));
    EXPECT_TRUE(rig.Window().isEnabled());
    // The read-back has landed; an edit made now reaches the unit and stays.
    rig.Window().setFocus();
    QTest::keyClick(&rig.Window(), music > 0 ? Qt::Key_A : Qt::Key_Q, Qt::ControlModifier);
    const int edited = music > 0 ? music - 1 : music + 1;
    EXPECT_EQ(volume.GetMusicVol(), edited);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        std::int16_t unitMusic = 0;
        rig.WithUsbUnit([&](CSimUnit& unit) { unitMusic = unit.Block(10)[1]; });
        return unitMusic == edited;
    }));
    QTest::qWait(200);
    EXPECT_EQ(volume.GetMusicVol(), edited);
}

TEST(SystemPageOnAUnit, PasswordChangedWithEnterAndOkAndTheLockReachTheUnit) {
    EditorRig rig;
    SimOptions options;
    options.lockPassword = "3958";
    ASSERT_EQ(rig.StartUsb(options), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().UnlockDialog() != nullptr; }, 15000));
    // A locked unit lands on the System page behind the unlock dialog.
    EXPECT_EQ(g_curPage, kPageSystem);
    EXPECT_TRUE(rig.Window().SystemPage()->isVisible());
    QTest::keyClicks(rig.Window().UnlockDialog()->PasswordEdit(), "3958");
    QTest::keyClick(rig.Window().UnlockDialog()->PasswordEdit(), Qt::Key_Return);
    EXPECT_EQ(AnswerMessageBox(), "Unlock success");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().isEnabled(); }));

    CSystemSettingDlg& page = OpenSystemPage(rig);
    ASSERT_TRUE(page.PasswordEdit(0)->isEnabled());
    // Enter reaches the focused text box through the window's keys.
    Type(page.PasswordEdit(0), "3958");
    QTest::keyClick(page.PasswordEdit(0), Qt::Key_Return);
    ASSERT_TRUE(page.PasswordEdit(1)->isEnabled());
    Type(page.PasswordEdit(1), "2024");
    QTest::keyClick(page.PasswordEdit(1), Qt::Key_Return);
    Type(page.PasswordEdit(2), "2024");
    Click(page.PasswordOk());
    EXPECT_EQ(AnswerMessageBox(), "Password modification completion");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        std::string password;
        rig.WithUsbUnit([&](CSimUnit& unit) { password = unit.Password(); });
        return password == "2024";
    }));

    // The panel lock switched off behind its question.
    Click(page.PanelLockButton());
    EXPECT_EQ(AnswerMessageBox(QMessageBox::Yes), "Disable Panel Lock Password?");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        int lock = 1;
        rig.WithUsbUnit([&](CSimUnit& unit) { lock = unit.PanelLock(); });
        return lock == 0;
    }));
    EXPECT_FALSE(page.PasswordEdit(0)->isEnabled());
}

TEST(SystemPageOnAUnit, FileSavedListedLoadedAndUploadedLeavesTheUnitHoldingItWordForWord) {
    EditorRig rig;
    ASSERT_EQ(rig.StartUsb(), 0);
    ASSERT_TRUE(rig.WaitStatus("Connected"));
    CSystemSettingDlg& page = OpenSystemPage(rig);
    CPmxFilePanel& files = *page.FilePanel();
    EXPECT_EQ(files.Folder(), rig.LibraryFolder());

    Type(files.NameEdit(), "Gig");
    Click(files.SaveButton());
    ASSERT_TRUE(QTest::qWaitFor([&] { return files.List()->topLevelItemCount() == 1; }));
    EXPECT_EQ(files.List()->topLevelItem(0)->text(1), "Gig");
    CAudioData file;
    ASSERT_TRUE(LoadParameterFile(file, (rig.LibraryFolder() + "/Gig.pmx").toStdString()).ok);
    DeviceImage expected;
    file.StoreAllToImage(expected);

    // The unit moves away from the file, then the file goes back up.
    rig.WithUsbUnit([](CSimUnit& unit) {
        unit.Block(0)[2] = static_cast<std::int16_t>(unit.Block(0)[2] == 3 ? 9 : 3);
        unit.Block(3)[5] = static_cast<std::int16_t>(unit.Block(3)[5] == 100 ? 140 : 100);
    });
    // One change the editor knows of (it reaches the unit too): the question counts it.
    rig.app->Model().Music().SetKeyShift(file.Music().GetKeyShift() == 5 ? 6 : 5);
    const QRect row = files.List()->visualItemRect(files.List()->topLevelItem(0));
    QTest::mouseClick(files.List()->viewport(), Qt::LeftButton, {}, row.center());
    Click(files.LoadButton());
    const QString question = AnswerMessageBox(QMessageBox::Yes);
    EXPECT_TRUE(question.contains("1 parameters differ from the unit.")) << question.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.Window().BusyBox()->isVisible(); }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rig.Window().BusyBox()->isVisible(); }, 15000));
    EXPECT_EQ(g_curPage, kPageMusic);
    // The model holds the file's values, and the unit holds the model word for word.
    EXPECT_TRUE(DiffModels(file, rig.app->Model()).empty());
    const DeviceImage& sent = rig.app->Model().Image();
    for (int ch = 0; ch < 11; ++ch) {
        rig.WithUsbUnit([&](CSimUnit& unit) {
            const auto words = sent.Words(ch);
            EXPECT_TRUE(std::equal(words.begin(), words.end(), unit.Block(ch).begin()))
                << "channel " << ch;
        });
    }
    rig.WithUsbUnit([&](CSimUnit& unit) {
        EXPECT_EQ(unit.Block(0)[2], file.Music().GetKeyShift());
        EXPECT_EQ(unit.Block(3)[5], expected.Words(3)[5]);
    });

    // The same file dropped on the window asks the same question; Ctrl+O opens a file dialog.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(rig.LibraryFolder() + "/Gig.pmx")});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(&rig.Window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &dropped, Qt::LeftButton, {});
    QApplication::sendEvent(&rig.Window(), &drop);
    EXPECT_TRUE(AnswerMessageBox(QMessageBox::No).contains("0 parameters differ from the unit."));
    rig.Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&rig.Window()));
    QTest::keyClick(&rig.Window(), Qt::Key_O, Qt::ControlModifier);
    QFileDialog* pDialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return (pDialog = rig.Window().findChild<QFileDialog*>()) != nullptr &&
               pDialog->isVisible();
    }));
    EXPECT_EQ(pDialog->acceptMode(), QFileDialog::AcceptOpen);
    pDialog->reject();
}
}  // namespace
