// How core code tells the user something. The editor installs a message-box implementation;
// the command-line tool prints; tests install a recorder. Core code never shows UI itself.
#pragma once

#include <string>

class IUserNotify {
public:
    virtual ~IUserNotify() = default;
    // A message the user must see; the editor shows it in a message box.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

// The process-wide receiver. Without one installed, messages go to the diagnostic output.
void SetUserNotify(IUserNotify* pNotify);
IUserNotify* GetUserNotify();
void NotifyUser(const std::string& text, const std::string& caption = {});

// A diagnostic line for developers (never shown to users).
void DebugLine(const std::string& text);
