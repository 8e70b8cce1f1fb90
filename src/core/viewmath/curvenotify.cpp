#include "core/viewmath/curvenotify.h"

#include "core/model/filter.h"

namespace {
// First code of each kind; the outputs take two, one per scene.
constexpr int kFirstCode[kCurveKindCount] = {0, 1, 2, 3, 5, 7};
constexpr int kCodeCount = 9;

bool IsOutputKind(int kind) {
    return kind >= CurveKind(OwnerKind::MainOut) && kind <= CurveKind(OwnerKind::Sub);
}
}  // namespace

int CurveNotifyCode(int kind, int element) {
    if (kind < 0 || kind >= kCurveKindCount) {
        return -1;
    }
    return kFirstCode[kind] + (IsOutputKind(kind) && element == 1 ? 1 : 0);
}

std::optional<SCurvePageTarget> CurveNotifyTarget(int code) {
    if (code < 0 || code >= kCodeCount) {
        return std::nullopt;
    }
    for (int kind = kCurveKindCount - 1; kind >= 0; --kind) {
        if (code >= kFirstCode[kind]) {
            return SCurvePageTarget{kind, code - kFirstCode[kind]};
        }
    }
    return std::nullopt;
}
