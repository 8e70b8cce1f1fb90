// Fixed tables that give the unit's stored indexes their physical meaning. The unit uses the
// same indexes, so these tables are part of the protocol: never compute them.
#pragma once

#include <array>

#include "core/dsp/frequencygrid.h"

// Peaking band Q, index 0-100.
inline constexpr int kQCount = 101;
inline constexpr std::array<double, kQCount> kQTable = {
    0.4,  0.42, 0.45, 0.47, 0.5,  0.53, 0.56, 0.59, 0.63, 0.67, 0.71, 0.75, 0.79, 0.84, 0.89,
    0.94, 1,    1.06, 1.12, 1.19, 1.26, 1.3,  1.4,  1.5,  1.6,  1.7,  1.8,  1.9,  2,    2.1,
    2.2,  2.4,  2.5,  2.7,  2.8,  3,    3.2,  3.4,  3.6,  3.8,  4,    4.2,  4.5,  4.8,  5,
    5.3,  5.7,  6,    6.3,  6.7,  7.1,  7.6,  8,    8.5,  9,    9.5,  10.1, 10.7, 11.3, 12,
    12.7, 13.5, 14,   15,   16,   17,   18,   19,   20,   21,   23,   24,   25,   27,   29,
    30,   32,   34,   36,   38,   40,   43,   45,   48,   51,   54,   57,   60,   64,   68,
    72,   76,   81,   85,   91,   96,   102,  108,  114,  121,  128};

// Shelf slope of non-peaking bands, index 0-28: the first 29 entries of the Q table.
inline constexpr int kSlopeCount = 29;
inline constexpr std::array<double, kSlopeCount> kSlopeTable = {
    0.4,  0.42, 0.45, 0.47, 0.5,  0.53, 0.56, 0.59, 0.63, 0.67, 0.71, 0.75, 0.79, 0.84, 0.89,
    0.94, 1,    1.06, 1.12, 1.19, 1.26, 1.3,  1.4,  1.5,  1.6,  1.7,  1.8,  1.9,  2};

// Crossover Q, index 0-23 (0.57, 0.61, 0.64 and 0.78 differ from the Q table).
inline constexpr int kXoverQCount = 24;
inline constexpr std::array<double, kXoverQCount> kXoverQTable = {
    0.4,  0.42, 0.45, 0.47, 0.5, 0.53, 0.57, 0.61, 0.64, 0.67, 0.71, 0.75,
    0.78, 0.84, 0.89, 0.94, 1,   1.06, 1.12, 1.19, 1.26, 1.3,  1.4,  1.5};

// Compressor ratio, index 0-46: 1.0-2.0 by 0.1, then 2.5-20 by 0.5.
inline constexpr int kRatioCount = 47;
inline constexpr std::array<double, kRatioCount> kRatioTable = {
    1.0,  1.1,  1.2,  1.3,  1.4,  1.5,  1.6,  1.7,  1.8,  1.9,  2.0,  2.5,  3.0,  3.5,  4.0,  4.5,
    5.0,  5.5,  6.0,  6.5,  7.0,  7.5,  8.0,  8.5,  9.0,  9.5,  10.0, 10.5, 11.0, 11.5, 12.0, 12.5,
    13.0, 13.5, 14.0, 14.5, 15.0, 15.5, 16.0, 16.5, 17.0, 17.5, 18.0, 18.5, 19.0, 19.5, 20.0};

// Echo A delay in ms, index 0-15.
inline constexpr int kEchoADelayCount = 16;
inline constexpr std::array<double, kEchoADelayCount> kEchoADelayTable = {
    12, 24, 36, 49, 61, 73, 86, 98, 110, 122, 135, 147, 159, 172, 184, 196};

// Gain words: 0.2 dB per step, 120 = 0 dB, 0 = -24 dB, 180 = +12 dB.
inline constexpr int kGainZeroIndex = 120;
inline constexpr int kGainMaxIndex = 180;
inline constexpr double kGainStepDb = 0.2;
inline constexpr double kGainOffsetDb = 24.0;

// Music key shift: index 0-14, shown as index - 7 semitones.
inline constexpr int kKeyShiftOffset = 7;

// A short initialiser would zero-fill silently; the last entry of each table proves it is whole.
static_assert(kFreqTable[kFreqMaxIndex] == 20200);
static_assert(kQTable[kQCount - 1] == 128);
static_assert(kSlopeTable[kSlopeCount - 1] == 2);
static_assert(kXoverQTable[kXoverQCount - 1] == 1.5);
static_assert(kRatioTable[kRatioCount - 1] == 20);
static_assert(kEchoADelayTable[kEchoADelayCount - 1] == 196);
