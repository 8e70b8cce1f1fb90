// What the three output pages do not share: control ids, captions, ranges and which delay and
// mute fields they have.
#pragma once

#include <array>

#include "core/common/labelids.h"
#include "core/model/filter.h"
#include "gui/pages/bandcolumn.h"
#include "gui/pages/pagewidgets.h"

struct SMixRowIds {
    SSliderRowIds row;
    int polarity;
};

struct SDelayDef {
    LabelId caption;
    SSliderRowIds ids;
    int field;  // output field id
};

struct SMuteDef {
    LabelId caption;
    int captionId;
    int button;
    int field;  // output field id
};

struct SOutputMembers {
    OwnerKind kind;
    int outSceneEntry;
    // Music, Direct, EchoA, Revb, EchoB.
    std::array<SMixRowIds, 5> mix;
    int delayCount;
    std::array<SDelayDef, 2> delays;
    int muteCount;
    std::array<SMuteDef, 2> mutes;
    SSliderRowIds highPass;
    SSliderRowIds lowPass;
    // Auto, Manual, Sing, Disco.
    std::array<int, 4> scenes;
    SBandIds bands;
};

extern const SOutputMembers kMainOutMembers;
extern const SOutputMembers kCenterMembers;
extern const SOutputMembers kSubMembers;

// The curve's bands of the crossovers in an output band set.
inline constexpr int kOutputBands = 3;
inline constexpr int kOutputHighPassBand = 3;
inline constexpr int kOutputLowPassBand = 4;
