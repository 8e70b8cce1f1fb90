// The message boxes a widget test meets: found among the visible windows and answered with a
// real click on one of their buttons.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTest>

inline QMessageBox* VisibleMessageBox() {
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
        auto* pBox = qobject_cast<QMessageBox*>(pWidget);
        if (pBox != nullptr && pBox->isVisible()) {
            return pBox;
        }
    }
    return nullptr;
}

// Waits for a box, presses `button` on it and returns its text; empty when none came.
inline QString AnswerMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok,
                                int timeoutMs = 5000) {
    QMessageBox* pBox = nullptr;
    if (!QTest::qWaitFor([&pBox] { return (pBox = VisibleMessageBox()) != nullptr; }, timeoutMs)) {
        return {};
    }
    const QString text = pBox->text();
    QTest::mouseClick(pBox->button(button), Qt::LeftButton);
    QTest::qWait(1);
    return text;
}
