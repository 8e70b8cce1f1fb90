// Input rules of the System page: the tone-limit rows and the typed network address.
#pragma once

#include <string>
#include <string_view>

// One tone-limit row on the gain scale (dB = 0.2 * value - 24).
struct SToneRow {
    int maxGain = 0;
    int current = 0;
    int maxCut = 0;
    bool operator==(const SToneRow&) const = default;
};
inline constexpr int kToneColumnMaxGain = 0;
inline constexpr int kToneColumnCurrent = 1;
inline constexpr int kToneColumnMaxCut = 2;
// The values each column's box takes: max gain 0 to +12 dB, current -12 to +12 dB, max cut
// -12 to 0 dB.
struct SToneColumnRange {
    int min;
    int max;
};
inline constexpr SToneColumnRange kToneColumnRanges[3] = {{120, 180}, {60, 180}, {60, 120}};

// The row after `value` was entered in `column`: a new maximum gain pulls a current value above
// it down, a new maximum cut pulls a current value below it up, and a current value is kept
// between the row's maximum cut and maximum gain.
SToneRow ApplyToneLimit(SToneRow row, int column, int value);

enum class EIpEntry { Blank, Incomplete, Complete };
// A typed IPv4 address: blank (nothing but dots and spaces), complete (four fields of 0-255
// digits each), or anything else.
EIpEntry CheckIpAddressText(std::string_view text);
