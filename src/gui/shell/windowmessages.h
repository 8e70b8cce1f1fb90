// Messages the main window routes, by number. The link controller's own messages
// (MSG_SYSTEM_DATA_READ, MSG_DISCONNECT, MSG_VOLUMES_READ, MSG_KEY_REPORTED) are in
// core/protocol/linkinterfaces.h.
#pragma once

#include "core/viewmath/curvenotify.h"

inline constexpr int MSG_LOAD_MODE = 0x470;
inline constexpr int MSG_UPLOAD_MODEL = 0x471;
inline constexpr int MSG_SHOW_BT_NAME = 0x478;
// From the curve view: wParam the band index, lParam the view's notification code (0 music,
// 1 mic, 2 effect, 3 + scene main out, 5 + scene center, 7 + scene sub).
inline constexpr int MSG_CURVE_POINT_MOVED = 0x4C8;
inline constexpr int MSG_CURVE_Q_CHANGED = 0x4C9;

// The page a curve notification code belongs to, or -1 (codes outside 0 .. 8).
inline int PageOfCurveCode(int code) {
    const std::optional<SCurvePageTarget> target = CurveNotifyTarget(code);
    return target ? target->nKind : -1;
}
