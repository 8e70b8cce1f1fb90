// What the pointer does to a band record on the response curve view: dragging a parametric
// band's point, dragging a crossover's corner with the limits of the page shown, and turning a
// band's Q or shelf slope with the wheel. Each writes the record through its setters (which
// mirror into the device image and mark the words for sending) and reports whether an index
// changed; nothing is written when none did.
#pragma once

#include <optional>

#include "core/viewmath/curvegeometry.h"

class CFilter;

// A crossover dragged to within this many pixels of the plot's left edge: a high-pass filter
// switches off.
inline constexpr int kCurveHighPassOffZone = 10;

// Moves a parametric band to the pointer (client coordinates) less its grab offset, in the plot
// the band was laid out for: frequency from x (20 Hz at the left edge, 20.2 kHz at the right),
// gain from y (+12 dB at the top, -24 dB at the bottom), each snapped to its grid. A coordinate
// that is still the handle's centre keeps the band's value. True when the frequency or gain
// index changed.
bool PointToFD(CFilter& band, SCurvePoint pointer);

// The crossover index `index` after the limits of page `page` (0-5): a high-pass filter stays at
// or below 142 (143 on page 0, 205 on page 2); a low-pass filter stays at or above 297 on the
// main out page and at or below 142 on the sub page. No index where a high-pass filter on any
// other page must keep its index.
std::optional<int> LimitCrossoverIndex(bool highPass, int page, int index);

// Moves a crossover's corner to pointer x (client coordinates) less its grab offset. A high-pass
// filter within kCurveHighPassOffZone of the plot's left edge switches off (index 0); a low-pass
// filter is never switched off by a drag: it goes through the page's limits like any other
// position. True when the crossover index changed.
bool CrossoverPointToFD(CFilter& crossover, int pointerX, int page);

// A band whose Q (peaking) or shelf slope (shelf types 2 and 3) the wheel turns; never a
// crossover.
bool BandTakesWheel(const CFilter& band);
// Turns the Q index (0-100) of a peaking band, or the shelf-slope index (0-28) of a shelf band,
// one step up for direction > 0 or down for direction < 0. True when the index changed.
bool StepBandQ(CFilter& band, int direction);
