// The link state record shared by the command engine, the main window and the connect dialog.
#pragma once

#include <array>
#include <cstdint>

#include "core/protocol/linkinterfaces.h"

inline constexpr int kDefaultIdleLimit = 55;

struct CLinkState {
    int unitAcked = 0;    // 1 once the unit answered EE CC
    int unitRefused = 0;  // 1 after EE DD, or EE BB while not yet acknowledged
    int connected = 0;    // 1 while a link is up
    int linkKind = kLinkUsb;
    int searchStage = 0;  // 0 USB, 1 serial ports, 2 network, 4 exhausted; 0 = chunked read-back
    std::uint8_t retryCount = 0;  // consecutive reply time-outs; reset by any arrival
    int uploadConfirm = 0;        // 1 while the volume block is awaited after an upload
    std::array<int, kLinkKinds> idleTicks{};
    std::array<int, kLinkKinds> idleLimit{kDefaultIdleLimit, kDefaultIdleLimit, kDefaultIdleLimit};
    int isWindows10 = 0;
};

// The one record of the running editor. Tests build their own records.
extern CLinkState g_linkState;
