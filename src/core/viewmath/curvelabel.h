// The information line of the response curve view: what it says about one record of a band set.
#pragma once

#include <string>

class CFilter;

// "EQ<n>:Freq:<Hz>Hz Q:<Q> Gain:<dB>dB" for the parametric band at position `index` (n = index
// + 1; the gain shows 0.0 while the band is flat or bypassed), "HPF:<Hz>Hz" for a high-pass
// filter and "LPF:<Hz>Hz" for a low-pass filter. The Q is the Q table's entry of the band's Q
// index, or for a shelf band (types 2 and 3) the shelf slope that the wheel turns.
std::string CurveRecordDescription(const CFilter& record, int index);

// The text in a record's handle: "H", "L" or the band number (index + 1).
std::string CurveHandleLabel(const CFilter& record, int index);
