// The System page against a model of its own, with real clicks and keys: every message the page
// shows on the condition that shows it, the tone-limit rows, the volume limits and the library.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "core/common/labeltable.h"
#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/model/pmxfile.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/numedit.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/settings/pmxfilepanel.h"
#include "gui/settings/pmxfolder.h"
#include "gui/settings/systemsettingdlg.h"
#include "gui/shell/windowmessages.h"
#include "tests/support/modalboxes.h"

namespace {
struct PageRig {
    QTemporaryDir folder;
    CAudioData model;
    bool connected = true;
    std::vector<std::pair<int, int>> posted;  // message, lParam
    QStringList addresses;
    int uploads = 0;
    std::unique_ptr<CSystemSettingDlg> page;

    PageRig() {
        LoadLabelTable(kLanguageEnglish);
        StringToFixedField(model.Image().ModeName(2), "Party");
        std::copy_n("3958", 4, model.Image().Password().begin());
        model.System().SetSelectedMode(2);
        model.SetAllChanged(0);
    }
    void Show() {
        page = std::make_unique<CSystemSettingDlg>(model, folder.path());
        CSystemSettingDlg::SHandlers handlers;
        handlers.isConnected = [this] { return connected; };
        handlers.isNetworkLink = [] { return false; };
        handlers.postMessage = [this](int message, int, int lParam) {
            posted.emplace_back(message, lParam);
        };
        handlers.connectTo = [this](const QString& address) { addresses << address; };
        page->SetHandlers(std::move(handlers));
        page->resize(1100, 567);
        page->show();
        QApplication::processEvents();
    }
    static void Type(QLineEdit* pEdit, const QString& text, bool enter = true) {
        pEdit->setFocus();
        pEdit->clear();
        QTest::keyClicks(pEdit, text);
        if (enter) {
            QTest::keyClick(pEdit, Qt::Key_Return);
        }
    }
    static void Click(QWidget* pButton) { QTest::mouseClick(pButton, Qt::LeftButton); }
    CLimitInputEdit* Password(int i) { return page->PasswordEdit(i); }
    void UnlockPasswordChange() {
        model.System().SetPanelLock(1);
        page->RefreshFromModel();
        Type(Password(0), "3958");
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    void SelectFile(int row) {
        QTreeWidget* pList = page->FilePanel()->List();
        const QRect cell = pList->visualItemRect(pList->topLevelItem(row));
        QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, cell.center());
    }
};

TEST(SystemPage, EveryMessageOnItsCondition) {
    struct SCase {
        const char* what;
        std::function<void(PageRig&)> act;
        QString expected;
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        std::function<void(PageRig&)> check = {};
    };
    const QString party = QStringLiteral("Party") + QString(15, ' ');
    const SCase cases[] = {
        {"load mode without a unit",
         [](PageRig& r) {
             r.connected = false;
             r.Click(r.page->LoadModeButton());
         },
         "Please connect the device", QMessageBox::Ok,
         [](PageRig& r) { EXPECT_TRUE(r.posted.empty()); }},
        {"save mode without a unit",
         [](PageRig& r) {
             r.connected = false;
             r.Click(r.page->SaveModeButton());
         },
         "Please connect the device"},
        {"load mode asks with the whole name slot",
         [](PageRig& r) { r.Click(r.page->LoadModeButton()); }, "Mode switching to3-" + party + "?",
         QMessageBox::Ok,
         [](PageRig& r) {
             EXPECT_EQ(r.posted, (std::vector<std::pair<int, int>>{{MSG_LOAD_MODE, 3}}));
         }},
        {"save mode cancelled changes nothing",
         [](PageRig& r) {
             r.Type(r.page->ModeName(), "Disco", false);
             r.Click(r.page->SaveModeButton());
         },
         "Schema is saved as3-Disco" + QString(15, ' ') + "?", QMessageBox::Cancel,
         [](PageRig& r) {
             EXPECT_EQ(BytesToString(r.model.Image().ModeName(2), 20),
                       "Party" + std::string(15, ' '));
             EXPECT_FALSE(r.model.System().IsChanged(CAudioSystemData::kSaveMode));
         }},
        {"save mode on OK",
         [](PageRig& r) {
             r.Type(r.page->ModeName(), "Disco", false);
             r.Click(r.page->SaveModeButton());
         },
         "Schema is saved as3-Disco" + QString(15, ' ') + "?", QMessageBox::Ok,
         [](PageRig& r) {
             EXPECT_EQ(BytesToString(r.model.Image().ModeName(2), 20),
                       "Disco" + std::string(15, ' '));
             EXPECT_TRUE(r.model.System().IsChanged(CAudioSystemData::kSaveMode));
             EXPECT_EQ(r.model.System().GetSaveMode(), 2);
         }},
        {"enable the panel lock", [](PageRig& r) { r.Click(r.page->PanelLockButton()); },
         "Enable Panel Lock Password?", QMessageBox::Yes,
         [](PageRig& r) {
             EXPECT_EQ(r.model.System().GetPanelLock(), 1);
             EXPECT_TRUE(r.Password(0)->isEnabled());
             EXPECT_FALSE(r.Password(1)->isEnabled());
         }},
        {"disable the panel lock, answered No",
         [](PageRig& r) {
             r.model.System().SetPanelLock(1);
             r.page->RefreshFromModel();
             r.Click(r.page->PanelLockButton());
         },
         "Disable Panel Lock Password?", QMessageBox::No,
         [](PageRig& r) { EXPECT_EQ(r.model.System().GetPanelLock(), 1); }},
        {"old password of three digits",
         [](PageRig& r) {
             r.model.System().SetPanelLock(1);
             r.page->RefreshFromModel();
             r.Type(r.Password(0), "395");
         },
         "The old password must be 4 bit password, please reenter it!", QMessageBox::Ok,
         [](PageRig& r) { EXPECT_TRUE(r.Password(0)->text().isEmpty()); }},
        {"wrong old password",
         [](PageRig& r) {
             r.model.System().SetPanelLock(1);
             r.page->RefreshFromModel();
             r.Type(r.Password(0), "1234");
         },
         "Password error", QMessageBox::Ok,
         [](PageRig& r) { EXPECT_FALSE(r.Password(1)->isEnabled()); }},
        {"new password of three digits",
         [](PageRig& r) {
             r.UnlockPasswordChange();
             r.Type(r.Password(1), "123");
         },
         "The new password must be 4 bit password, please reenter it!"},
        {"again of two digits",
         [](PageRig& r) {
             r.UnlockPasswordChange();
             r.Type(r.Password(2), "12");
         },
         "The password must be 4 bit password, please reenter it!"},
        {"two different passwords",
         [](PageRig& r) {
             r.UnlockPasswordChange();
             r.Type(r.Password(1), "1111", false);
             r.Type(r.Password(2), "2222", false);
             r.Click(r.page->PasswordOk());
         },
         "Two inputted password inconsistencies", QMessageBox::Ok,
         [](PageRig& r) {
             EXPECT_FALSE(r.model.System().IsChanged(CAudioSystemData::kPassword));
             EXPECT_TRUE(r.Password(1)->text().isEmpty());
         }},
        {"password changed",
         [](PageRig& r) {
             r.UnlockPasswordChange();
             r.Type(r.Password(1), "2468", false);
             r.Type(r.Password(2), "2468", false);
             r.Click(r.page->PasswordOk());
         },
         "Password modification completion", QMessageBox::Ok,
         [](PageRig& r) {
             EXPECT_EQ(BytesToString(r.model.Image().Password(), 4), "2468");
             EXPECT_TRUE(r.model.System().IsChanged(CAudioSystemData::kPassword));
             EXPECT_FALSE(r.page->PasswordOk()->isEnabled());
         }},
        {"blank address",
         [](PageRig& r) {
             r.connected = false;  // the section needs no link or the network link
             r.page->RefreshFromModel();
             r.Click(r.page->AddressOk());
         },
         "Please enter the connection IP address"},
        {"incomplete address",
         [](PageRig& r) {
             r.connected = false;
             r.page->RefreshFromModel();
             r.Type(r.page->AddressEdit(), "192.168.1", false);
             r.Click(r.page->AddressOk());
         },
         "Please enter the full IP address", QMessageBox::Ok,
         [](PageRig& r) { EXPECT_TRUE(r.addresses.isEmpty()); }},
        {"upload a file without a unit",
         [](PageRig& r) {
             r.connected = false;
             r.Click(r.page->FilePanel()->LoadButton());
         },
         "Please connect the device"},
        {"upload without a file selected",
         [](PageRig& r) { r.Click(r.page->FilePanel()->LoadButton()); },
         "Please select the file to upload!"},
        {"a short file",
         [](PageRig& r) {
             r.Write("short.pmx", QByteArray(4059, 1));
             r.page->FilePanel()->RefreshFileList();
             r.SelectFile(0);
             r.Click(r.page->FilePanel()->LoadButton());
         },
         "File read Error", QMessageBox::Ok,
         [](PageRig& r) { EXPECT_EQ(r.uploads + static_cast<int>(r.posted.size()), 0); }},
        {"a name that is a path",
         [](PageRig& r) {
             r.Type(r.page->FilePanel()->NameEdit(), "../x", false);
             r.Click(r.page->FilePanel()->SaveButton());
         },
         "ModeFile Write Error", QMessageBox::Ok,
         [](PageRig& r) { EXPECT_TRUE(r.page->FilePanel()->Files().empty()); }},
        {"a name differing only in case, answered No",
         [](PageRig& r) {
             SaveParameterFile(r.model, r.folder.filePath("Party.pmx").toStdString());
             r.page->FilePanel()->RefreshFileList();
             r.Type(r.page->FilePanel()->NameEdit(), "party", false);
             r.Click(r.page->FilePanel()->SaveButton());
         },
         "Does it replace the original model:party.pmx?", QMessageBox::No,
         [](PageRig& r) { EXPECT_FALSE(QFile::exists(r.folder.filePath("party.pmx"))); }},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.what);
        PageRig rig;
        rig.Show();
        c.act(rig);
        EXPECT_EQ(AnswerMessageBox(c.answer), c.expected);
        QApplication::processEvents();
        if (c.check) {
            c.check(rig);
        }
        EXPECT_EQ(VisibleMessageBox(), nullptr);
    }
}

TEST(SystemPage, LibraryBesideTheProgramUnlessItCannotTakeAFile) {
    QTemporaryDir program;
    QTemporaryDir data;
    // A folder of the user's own takes the library beside the program; the superuser's
    // programs (as an installed one) keep theirs in the data folder.
    const QString own = ::geteuid() != 0 ? program.filePath("Mode") : data.filePath("Mode");
    EXPECT_EQ(ChooseLibraryFolder(program.path(), data.path()), own);
    EXPECT_TRUE(QFileInfo(own).isDir());
    // A "Mode" folder already beside the program is used, whoever runs it.
    QDir(program.path()).mkdir("Mode");
    EXPECT_EQ(ChooseLibraryFolder(program.path(), data.path()), program.filePath("Mode"));
    // "Mode" beside the program cannot be made (a file holds the name), or is read-only.
    QTemporaryDir blocked;
    QFile(blocked.filePath("Mode")).open(QIODevice::WriteOnly);
    EXPECT_EQ(ChooseLibraryFolder(blocked.path(), data.path()), data.filePath("Mode"));
    if (::geteuid() != 0) {  // the superuser writes anywhere
        QFile::setPermissions(program.filePath("Mode"), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(ChooseLibraryFolder(program.path(), data.path()), data.filePath("Mode"));
        QFile::setPermissions(program.filePath("Mode"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(ChooseLibraryFolder(blocked.path(), blocked.filePath("Mode/x")), QString());
}

TEST(SystemPage, OutOfRangeFileIsCountedAndUploadedClampedOnlyOnYes) {
    for (const bool yes : {false, true}) {
        PageRig rig;
        rig.Write("notes.pmx", QByteArray(4060, 'x'));
        rig.Show();
        rig.SelectFile(0);
        EXPECT_EQ(rig.page->FilePanel()->NameEdit()->text(), "notes");
        rig.Click(rig.page->FilePanel()->LoadButton());
        const QString question = AnswerMessageBox(yes ? QMessageBox::Yes : QMessageBox::No);
        EXPECT_TRUE(question.startsWith("Tip: when the computer mode is downloaded"));
        EXPECT_TRUE(
            question.contains(QRegularExpression("\n\\d+ parameters differ from the unit.")))
            << question.toStdString();
        EXPECT_TRUE(question.contains(QRegularExpression(
            "\n\\d+ values of the file are outside the unit's ranges; they are sent clamped")));
        QApplication::processEvents();
        EXPECT_EQ(rig.model.Music().GetKeyShift(), yes ? 14 : 0);
        using Posted = std::vector<std::pair<int, int>>;
        const Posted expected = yes ? Posted{{MSG_UPLOAD_MODEL, 0}} : Posted{};
        EXPECT_EQ(rig.posted, expected);
    }
}

TEST(SystemPage, ToneLimitsClampInAllThreeColumnsAndVolumeLimitsPullTheVolumeDown) {
    PageRig rig;
    rig.model.Volume().SetMusicVol(30);
    rig.Show();
    CAudioSoundEnhanceData& tone = rig.model.ToneLimits();
    tone.SetMaxGain(4, 150);
    tone.SetCurrent(4, 140);
    tone.SetMaxCut(4, 100);
    rig.page->RefreshFromModel();
    auto enter = [&rig](int column, const char* text) {
        CNumEdit* pEdit = rig.page->ToneEdit(4, column);
        rig.Type(pEdit, text, false);
        rig.page->ModeName()->setFocus();  // leaving the box takes the number
        QApplication::processEvents();
    };
    enter(1, "9");  // +9 dB = 165: above the max gain (+6 dB)
    EXPECT_EQ(tone.GetCurrent(4), 150);
    EXPECT_EQ(rig.page->ToneEdit(4, 1)->text(), "6.0");
    enter(0, "2");  // the max gain below the current value pulls it down
    EXPECT_EQ(tone.GetMaxGain(4), 130);
    EXPECT_EQ(tone.GetCurrent(4), 130);
    enter(2, "-20");  // below the box's range: -12 dB
    EXPECT_EQ(tone.GetMaxCut(4), 60);
    enter(1, "-15");
    EXPECT_EQ(tone.GetCurrent(4), 60);
    enter(2, "-4");  // the max cut above the current value pulls it up
    EXPECT_EQ(tone.GetMaxCut(4), 100);
    EXPECT_EQ(tone.GetCurrent(4), 100);
    EXPECT_TRUE(tone.IsChanged(3 * 4 + 1));

    CBitmapSlider* pMusic = rig.page->LimitSlider(0);
    pMusic->setFocus();
    for (int i = 0; i < 12; ++i)  // 80 -> 20, five a page
        QTest::keyClick(pMusic, Qt::Key_PageUp);
    QApplication::processEvents();
    EXPECT_EQ(rig.model.Volume().GetMaxMusicVol(), 20);
    EXPECT_EQ(rig.model.Volume().GetMusicVol(), 20);
    EXPECT_EQ(rig.page->LimitValue(0)->text(), "20");

    // A complete address is used as typed.
    rig.connected = false;
    rig.page->RefreshFromModel();
    rig.Type(rig.page->AddressEdit(), "192.168.1.20");
    EXPECT_EQ(rig.addresses, QStringList{"192.168.1.20"});
}
}  // namespace
