// What the response curve view reports and where a report goes.
//
// The view tells the shell that the user dragged a band point (MSG_CURVE_POINT_MOVED) or turned
// a band's Q (MSG_CURVE_Q_CHANGED; both in gui/shell/windowmessages.h), with the band's index in
// its band set and the notification code of the channel shown. The shell hands the report to
// the page of that code: 0 music, 1 microphone, 2 effect, 3 + scene main out, 5 + scene center,
// 7 + scene sub. The code equals the channel number of the band set.
#pragma once

#include <optional>

#include "core/model/filter.h"
#include "core/protocol/command.h"

// Drags are reported at once rather than on the view's next notification tick when the link
// sends dragged bands at once, so that the unit follows the pointer while the user drags.
inline constexpr bool kCurveReportDragsAtOnce = kSendDragsImmediately;

// Channel kinds the view shows: the numbers of the owner kinds of the band sets (0 music,
// 1 microphone, 2 effect, 3 main out, 4 center, 5 sub), which are also the pages' numbers.
inline constexpr int kCurveKindCount = 6;
constexpr int CurveKind(OwnerKind kind) {
    return static_cast<int>(kind);
}

// Notification code of kind 0-5 with the output scene `element` (0 or 1; ignored for the input
// kinds); -1 for any other kind.
int CurveNotifyCode(int kind, int element);

// The page a notification code is for: its kind (0-5) and, for the outputs, the scene.
struct SCurvePageTarget {
    int nKind = 0;
    int nScene = 0;
    bool operator==(const SCurvePageTarget&) const = default;
};
// The page of a code 0-8; no page for any other code.
std::optional<SCurvePageTarget> CurveNotifyTarget(int code);
