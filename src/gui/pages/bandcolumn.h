// One EQ band's column of controls (number, gain box and slider, P / BY / HS type buttons,
// frequency box, Q box with its step buttons) and its bindings to the band's record. Every
// equalised page builds its columns with this.
#pragma once

#include <functional>

class CChannelPage;
class CFilter;
class QBoxLayout;

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

// Builds band `band`'s controls on `page` (which receives their reports), binds them and
// returns their column layout. `filter` gives the band's record at the moment it is needed
// (output pages switch scenes). The shelf button exists but stays hidden unless `bShelf`.
QBoxLayout* AddBandColumn(CChannelPage& page, int band, const SBandIds& ids,
                          std::function<CFilter&()> filter, bool bShelf = false);
