// Fixed tables that give the unit's stored indexes their physical meaning. The unit uses the
// same indexes, so these tables are part of the protocol: never compute them.
#pragma once

#include <array>

// Frequency grid in Hz, index 0-360: 1/36 octave from 19.7 Hz, rounded to three significant
// digits, with the unit's own deviations (about a hundred entries are off any formula).
inline constexpr int kFreqCount = 361;
inline constexpr int kFreqMaxIndex = kFreqCount - 1;
inline constexpr std::array<double, kFreqCount> kFreqTable = {
    19.7,  20.1,  20.5,  20.9,  21.3,  21.7,  22.1,  22.5,  23,    23.4,  23.9,  24.3,  24.8,
    25.3,  25.8,  26.3,  26.8,  27.3,  27.8,  28.4,  28.9,  29.5,  30.1,  30.7,  31.3,  31.9,
    32.5,  33.1,  33.8,  34.4,  35.1,  35.8,  36.5,  37.2,  37.9,  38.6,  39.4,  40.1,  40.9,
    41.7,  42.5,  43.4,  44.2,  45.1,  45.9,  46.8,  47.7,  48.7,  49.6,  50.6,  51.6,  52.6,
    53.6,  54.6,  55.7,  56.8,  57.9,  59,    60.1,  61.3,  62.5,  63.7,  65,    66.2,  67.5,
    68.8,  70.2,  71.5,  72.9,  74.3,  75.8,  77.2,  78.7,  80.3,  81.8,  83.4,  85,    86.7,
    88.4,  90.1,  91.9,  94,    95,    97,    99,    101,   103,   105,   107,   109,   111,
    114,   116,   118,   120,   123,   125,   127,   130,   132,   135,   138,   140,   143,
    146,   149,   152,   154,   157,   161,   164,   167,   170,   173,   177,   180,   184,
    187,   191,   195,   198,   202,   206,   210,   214,   218,   223,   227,   231,   236,
    241,   245,   250,   255,   260,   265,   270,   275,   281,   286,   292,   297,   303,
    309,   315,   321,   327,   334,   340,   347,   354,   360,   367,   375,   382,   389,
    397,   405,   412,   420,   429,   437,   445,   454,   463,   472,   481,   490,   500,
    510,   520,   530,   540,   551,   561,   572,   583,   595,   606,   618,   630,   642,
    655,   667,   680,   694,   707,   721,   735,   749,   764,   779,   794,   809,   825,
    841,   857,   874,   891,   908,   926,   944,   962,   981,   1000,  1020,  1040,  1060,
    1080,  1100,  1120,  1140,  1170,  1190,  1210,  1240,  1260,  1280,  1310,  1330,  1360,
    1390,  1410,  1440,  1470,  1500,  1530,  1560,  1590,  1620,  1650,  1680,  1710,  1750,
    1780,  1820,  1850,  1890,  1920,  1960,  2000,  2040,  2080,  2120,  2160,  2200,  2240,
    2290,  2330,  2380,  2420,  2470,  2520,  2570,  2620,  2670,  2720,  2770,  2830,  2880,
    2940,  3000,  3050,  3110,  3170,  3240,  3300,  3360,  3430,  3500,  3560,  3630,  3700,
    3780,  3850,  3920,  4000,  4080,  4160,  4240,  4320,  4400,  4490,  4580,  4670,  4760,
    4850,  4940,  5040,  5140,  5240,  5340,  5440,  5550,  5660,  5770,  5880,  5990,  6110,
    6230,  6350,  6470,  6600,  6730,  6860,  6990,  7130,  7270,  7410,  7550,  7700,  7850,
    8000,  8160,  8310,  8480,  8640,  8810,  8980,  9150,  9330,  9510,  9700,  9890,  10100,
    10300, 10500, 10700, 10900, 11100, 11300, 11500, 11800, 12000, 12200, 12500, 12700, 12900,
    13200, 13500, 13700, 14000, 14300, 14500, 14800, 15100, 15400, 15700, 16000, 16300, 16600,
    17000, 17300, 17600, 18000, 18300, 18700, 19000, 19400, 19800, 20200};

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
    0.4,  0.42, 0.45, 0.47, 0.5,  0.53, 0.57, 0.61, 0.64, 0.67, 0.71, 0.75,
    0.78, 0.84, 0.89, 0.94, 1,    1.06, 1.12, 1.19, 1.26, 1.3,  1.4,  1.5};

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
