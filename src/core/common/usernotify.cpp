#include "core/common/usernotify.h"

#include <cstdio>
#include <cstdlib>

namespace {
IUserNotify* g_pUserNotify = nullptr;
}

void SetUserNotify(IUserNotify* pNotify) {
    g_pUserNotify = pNotify;
}

IUserNotify* GetUserNotify() {
    return g_pUserNotify;
}

void NotifyUser(const std::string& text, const std::string& caption) {
    if (g_pUserNotify != nullptr) {
        g_pUserNotify->ShowMessage(text, caption);
        return;
    }
    DebugLine(caption.empty() ? text : caption + ": " + text);
}

void DebugLine(const std::string& text) {
    if (std::getenv("SONVELA_DEBUG") != nullptr) {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}
