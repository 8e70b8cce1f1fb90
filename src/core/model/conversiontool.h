// Conversions between the unit's stored indexes, physical values, display texts and the
// coordinates of the response curve view. All pure; no formatting depends on the locale.
#pragma once

#include <span>
#include <string>
#include <string_view>

// Table lookups clamp the index into the table, so a value from the unit or a file that is out
// of range can never read outside it.
double TableValue(std::span<const double> table, int index);
int ClampIndex(int index, int count);

double FreqAt(int index);        // frequency grid, Hz
double QAt(int index);           // peaking band Q
double SlopeAt(int index);       // shelf slope
double XoverQAt(int index);      // crossover Q
double RatioAt(int index);       // compressor ratio
double EchoADelayAt(int index);  // echo A delay, ms
// 0.2 x index - 24, the index clamped into the gain scale 0-180 like the table lookups, so a
// gain word from a file or the unit can never make a response non-finite.
double GainIndexToDb(int index);

// Display helpers; each appends `suffix` as given.
std::string FormatScaled(int v, int k, std::string_view suffix);                    // "%d%s" of v*k
std::string FormatScaledReal(int v, double k, std::string_view suffix);             // "%.1f%s"
std::string FormatOffset(int v, double offset, double k, std::string_view suffix);  // "%d%s"
std::string FormatOffsetReal(int v, double offset, double k, std::string_view suffix);
std::string FormatTableInt(int v, std::span<const double> table, std::string_view suffix);
std::string FormatTableReal(int v, std::span<const double> table, std::string_view suffix);

// "%.1f" / "%.2f" / "%d" independent of the process locale.
std::string FormatFixed(double value, int decimals);

// The grid index nearest to hz; a tie goes to the upper index. Below the grid 0, above it 360.
int NearestFrequencyIndex(double hz);
// The ratio index nearest to r (tie to the upper index); above 20 reports "错误的Ratio值" through
// the user notification and returns -1.
int RatioToIndex(double r);
// Index of the entry of `table` nearest to value by the same rule (tie to the upper index).
int NearestTableIndex(std::span<const double> table, double value);

// Curve view coordinates: three decades from 20 Hz to 20 kHz across `width`, +12 dB (top) to
// -24 dB (bottom) across `height`.
double FreqToX(double hz, int width);
double XToFreq(int x, int width);
double GainToY(double dB, int height);
double YToGain(int y, int height);
