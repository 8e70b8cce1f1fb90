// Message boxes of the editor. Every box is opened by a queued call, so none is ever opened
// from inside a receive handler or a link tick, and none runs a nested event loop: the box is
// window-modal and `after` runs when it is closed.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

#include "core/common/usernotify.h"

class QWidget;

// An information box with OK; `after` runs once it has been closed.
void ShowQueuedMessage(QWidget* pParent, const QString& text, const QString& caption,
                       std::function<void()> after = {});
// A question with OK and Cancel; `answer` gets true for OK.
void AskQueued(QWidget* pParent, const QString& text, const QString& caption,
               std::function<void(bool)> answer);
// A question with Yes and No; `answer` gets true for Yes.
void AskYesNoQueued(QWidget* pParent, const QString& text, const QString& caption,
                    std::function<void(bool)> answer);

// How core and link code reach the user while the main window runs: a queued box over it.
class CMessageBoxNotify : public IUserNotify {
public:
    explicit CMessageBoxNotify(QWidget* pParent) : m_pParent(pParent) {}
    void ShowMessage(const std::string& text, const std::string& caption) override;

private:
    QWidget* m_pParent;
};

// Before any window exists: a box that blocks until it is closed (the program's first and
// last words, such as "The program is running!").
class CBlockingBoxNotify : public IUserNotify {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
};
