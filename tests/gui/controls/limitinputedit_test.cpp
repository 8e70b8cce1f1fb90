#include "gui/controls/limitinputedit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>

namespace {

class LimitInputEditTest : public testing::Test {
protected:
    LimitInputEditTest() {
        m_edit.show();
        m_edit.setFocus();
    }
    // Types each character as a key press carrying its text (accented and Chinese characters
    // included, which have no key code of their own).
    void Type(const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(&m_edit, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(&m_edit, &release);
        }
    }

    CLimitInputEdit m_edit;
};

TEST_F(LimitInputEditTest, DigitsOnlyDropsEverythingElse) {
    m_edit.SetDigitsOnly(true);
    for (const char* key : {"1", "2", "a", "3"}) {
        QTest::keyClicks(&m_edit, QString::fromLatin1(key));
    }
    EXPECT_EQ(m_edit.text(), QStringLiteral("123"));
    QTest::keyClicks(&m_edit, QStringLiteral(" -.4"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("1234"));
}

TEST_F(LimitInputEditTest, DefaultSetRefusesQuoteBackslashAndNonAscii) {
    Type(QString::fromUtf8("My Room_2'\\~{}|\u00e9\u4e2d!"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("My Room_2!"));
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    EXPECT_EQ(m_edit.text(), QStringLiteral("My Room_2"));
}

TEST_F(LimitInputEditTest, PasteFollowsTheSameRule) {
    const struct {
        const char* name;
        bool digitsOnly;
        QString clipboard;
        QString result;
    } cases[] = {
        {"apostrophe", false, QStringLiteral("it's"), QString()},
        {"backslash", false, QStringLiteral("C:\\x"), QString()},
        {"accented letter", false, QString::fromUtf8("caf\u00e9"), QString()},
        {"plain text", false, QStringLiteral("Karaoke 1"), QStringLiteral("Karaoke 1")},
        {"letters in a digits box", true, QStringLiteral("12ab"), QString()},
        {"digits in a digits box", true, QStringLiteral("3958"), QStringLiteral("3958")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_edit.clear();
        m_edit.SetDigitsOnly(c.digitsOnly);
        QApplication::clipboard()->setText(c.clipboard);
        QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(m_edit.text(), c.result);
        m_edit.clear();
        m_edit.paste();
        EXPECT_EQ(m_edit.text(), c.result);
    }
}

TEST_F(LimitInputEditTest, LengthLimitStillApplies) {
    m_edit.SetDigitsOnly(true);
    m_edit.setMaxLength(4);
    QTest::keyClicks(&m_edit, QStringLiteral("123456"));
    EXPECT_EQ(m_edit.text(), QStringLiteral("1234"));
}

}  // namespace
