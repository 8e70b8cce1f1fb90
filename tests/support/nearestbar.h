// The analyser bar a tone should peak in: the labelled bar whose centre is nearest to it on the
// logarithmic frequency axis the bars are laid out on.
#pragma once

#include <cmath>

#include "core/dsp/spectrumbars.h"

inline int NearestLabelledBar(double hz) {
    int nearest = 0;
    for (int b = 1; b < kBarTableCount; ++b) {
        if (std::abs(std::log(kBarFrequencies[b] / hz)) <
            std::abs(std::log(kBarFrequencies[nearest] / hz))) {
            nearest = b;
        }
    }
    return nearest;
}
