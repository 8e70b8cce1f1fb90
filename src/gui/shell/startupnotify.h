// How the editor tells the user something before its main window exists. With a display it is
// a box that waits until it is closed (such as "The program is running!"). Without one (the
// offscreen platform, as scripts and ./run.sh without a display use it) nobody could close the
// box: the text goes to standard error instead and the start counts as failed, so the program
// exits 1 rather than waiting for ever.
#pragma once

#include <QString>

#include "gui/pages/messagebox.h"

class CStartupNotify : public IUserNotify {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override;
    // True once a message was printed instead of shown; the program must then exit 1.
    bool Failed() const { return m_bFailed; }

private:
    CBlockingBoxNotify m_box;
    bool m_bFailed = false;
};

// True when no user can answer a window: the offscreen or minimal platform.
bool IsHeadlessPlatform();
// The line printed for a message without a window: "sonvela: Prompt: The program is running!".
QString HeadlessMessageLine(const QString& text, const QString& caption);
