// One EQ band's column of controls (number, gain box and slider, P / BY / HS type buttons,
// frequency box, Q box with its step buttons) and its bindings to the band's record. Every
// equalised page builds its columns with this.
#pragma once

#include <functional>

class CChannelPage;
class CFilter;
class QGridLayout;

// Control ids of band b are base + b.
struct SBandIds {
    int label;
    int gainEdit;
    int gainSpin;
    int gainSlider;
    int freqEdit;
    int freqSpin;
    int qEdit;
    int qSpin;
    int qDown;
    int qUp;
    int typePeak;
    int typeBypass;
    int typeShelf;
};

// Rows of the band grid; a page puts its row captions in front of them.
inline constexpr int kBandRowNumber = 0;
inline constexpr int kBandRowGain = 1;
inline constexpr int kBandRowSlider = 2;
inline constexpr int kBandRowType = 3;
inline constexpr int kBandRowFreq = 4;
inline constexpr int kBandRowQ = 5;

// Builds band `band`'s controls on `page` (which receives their reports) in column `column`
// of `grid`, and binds them. `filter` gives the band's record at the moment it is needed
// (output pages switch scenes). The shelf button exists but stays hidden unless `bShelf`.
void AddBandColumn(CChannelPage& page, QGridLayout& grid, int column, int band, const SBandIds& ids,
                   std::function<CFilter&()> filter, bool bShelf = false);
