// One analysed window as it reaches the curve view: the 4096 magnitude values, which the view
// takes with SetBarCount(kSpectrumBarCount) and SetSpectrumData(values), and the 128 bar
// heights computed from them (32 values per bar).
#pragma once

#include <QMetaType>
#include <vector>

#include "core/dsp/spectrum.h"

struct SpectrumFrame {
    std::vector<double> values;
    BarHeights bars{};
};

Q_DECLARE_METATYPE(SpectrumFrame)
