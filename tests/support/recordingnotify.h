// Records what core code tells the user, and installs itself for the scope of a test.
#pragma once

#include <string>
#include <vector>

#include "core/common/usernotify.h"

class CRecordingNotify : public IUserNotify {
public:
    CRecordingNotify() : m_pPrevious(GetUserNotify()) { SetUserNotify(this); }
    ~CRecordingNotify() override { SetUserNotify(m_pPrevious); }
    CRecordingNotify(const CRecordingNotify&) = delete;
    CRecordingNotify& operator=(const CRecordingNotify&) = delete;

    void ShowMessage(const std::string& text, const std::string& /*caption*/) override {
        m_messages.push_back(text);
    }

    std::vector<std::string> m_messages;

private:
    IUserNotify* m_pPrevious;
};
