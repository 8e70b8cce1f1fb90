// Channel numbers: the channel byte of every frame and, for 0-10, the block of the device image
// that holds the channel's words. Each output comes in two scenes, scene 0 ("Sing") at its
// base number and scene 1 ("Disco") one above.
#pragma once

#include <cstdint>

enum UnitChannel : std::uint8_t {
    kChMusic = 0,
    kChMic = 1,
    kChEffect = 2,
    kChMainOut = 3,  // + scene
    kChCenter = 5,   // + scene
    kChSub = 7,      // + scene
    kChToneLimits = 9,
    kChVolume = 10,
    kChEqReset = 11,  // the equaliser reset command; no block
    kChKey = 13,      // the unit's key report: one word, read by the idle poll
    kChSystem = 30,   // system commands and the 152-byte system block
};

// Channels 0-10 carry word blocks.
inline constexpr int kBlockChannels = 11;
inline constexpr int kLastBlockChannel = kBlockChannels - 1;
