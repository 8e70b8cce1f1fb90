// One EQ band column of controls (number, gain box and slider, P / BY / HS type buttons,
// frequency box, Q box with its step buttons) and its bindings. The column shows the band the
// page's band window puts there (CChannelPage::BandOfColumn). Every equalised page builds its
// columns with this.
#pragma once

#include <functional>

class CChannelPage;
class CFilter;
class QGridLayout;
class QLayout;
class QWidget;

// Control ids of column c are base + c.
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

// Builds column `column`'s controls on `page` in grid column `gridColumn` of `grid`, and binds
// them. `band` gives a band record of the page's band set by index at the moment it is needed
// (output pages switch scenes, the microphone page scrolls). The shelf button exists but stays
// hidden. A page short of height gives its gain sliders a smaller height.
inline constexpr int kDefaultGainSliderHeight = 128;
void AddBandColumn(CChannelPage& page, QGridLayout& grid, int gridColumn, int column,
                   const SBandIds& ids, std::function<CFilter&(int band)> band,
                   int gainSliderHeight = kDefaultGainSliderHeight);

// The row captions (Gain, Type, Freq, Q) in grid column 0.
void AddBandRowCaptions(QWidget& page, QGridLayout& grid);

// The band grid of a page: the row captions and `columns` band columns (column c in grid
// column c + 1), bound as AddBandColumn binds them.
QGridLayout* MakeBandGrid(CChannelPage& page, int columns, const SBandIds& ids,
                          const std::function<CFilter&(int band)>& band,
                          int gainSliderHeight = kDefaultGainSliderHeight);

// A channel page's layout: its own controls at the left, a separator, the band grid taking
// the width that is left.
void LayOutChannelPage(CChannelPage& page, QLayout* pControls, QGridLayout* pBands);
