#include "core/viewmath/curvedrag.h"

#include <algorithm>

#include "core/model/conversiontool.h"
#include "core/model/fieldranges.h"
#include "core/model/filter.h"
#include "core/viewmath/curvenotify.h"

namespace {

constexpr int kTopHz = 20000;
constexpr double kTopGridHz = 20200;
constexpr double kTopDb = 12;
constexpr double kBottomDb = -24;
constexpr int kQMaxIndex = kQCount - 1;
constexpr int kSlopeMaxIndex = kSlopeCount - 1;

// The flat flag follows the gain as the gain setter keeps it: set at 0 dB, and any other gain
// takes the band out of bypass.
void SetFlatFromGain(CFilter& band, double gainDb) {
    if (gainDb == 0) {
        band.m_bFlat = 1;
    } else {
        band.m_bFlat = 0;
        band.m_bBypass = 0;
    }
}

}  // namespace

bool PointToFD(CFilter& band, SCurvePoint pointer) {
    const int w = std::max(band.m_nPlotWidth, 0);
    const int h = std::max(band.m_nPlotHeight, 0);
    // Where the pointer puts the handle's centre.
    const int px = pointer.x - band.m_ptGrabOffset.x;
    const int py = pointer.y - band.m_ptGrabOffset.y;
    const SCurvePoint centre = band.m_rcHandle.Centre();

    // A coordinate still on the handle's centre keeps its value: the centre is a whole pixel
    // (and kept near the plot), so reading it back could move a band that the user only drags
    // up, down or sideways by one grid step.
    auto newFreq = band.m_nFreq;
    if (px != centre.x) {
        const int hz = CurveFreqAtX(std::clamp(px - kCurveInsetLeft, 0, w), w);
        newFreq = static_cast<std::int16_t>(NearestFrequencyIndex(hz >= kTopHz ? kTopGridHz : hz));
    }
    auto newGain = band.m_nGain;
    if (py != centre.y) {
        const int y = std::clamp(py - kCurveInsetTop, 0, h);
        const double gainDb = std::clamp(YToGain(y, h), kBottomDb, kTopDb);
        SetFlatFromGain(band, gainDb);
        newGain = band.GainIndexForDb(gainDb);
        // The band snaps to the grid value of its gain index.
        SetFlatFromGain(band, GainIndexToDb(newGain));
    }

    // Only a word that changes is written (and so marked for sending): a drag that keeps both
    // indexes sends nothing.
    bool changed = false;
    if (newFreq != band.m_nFreq) {
        band.SetFreq(newFreq);
        changed = true;
    }
    if (newGain != band.m_nGain) {
        band.SetGain(newGain);
        changed = true;
    }
    if (!changed) {
        // The flat flag may have moved the handle.
        band.UpdateView();
    }
    return changed;
}

std::optional<int> LimitCrossoverIndex(bool highPass, int page, int index) {
    if (page < 0 || page >= kCurveKindCount) {
        // No page: a high-pass filter keeps its index, a low-pass filter goes where it is put.
        return highPass ? std::nullopt : std::optional<int>(index);
    }
    const FieldRange range = CrossoverFreqRange(static_cast<OwnerKind>(page), highPass);
    return std::clamp(index, static_cast<int>(range.min), static_cast<int>(range.max));
}

bool CrossoverPointToFD(CFilter& crossover, int pointerX, int page) {
    const int w = crossover.m_nPlotWidth;
    int x = pointerX - crossover.m_ptGrabOffset.x - kCurveInsetLeft;
    if (x <= kCurveHighPassOffZone && crossover.IsHighPass()) {
        if (crossover.m_nXoverFreq == 0) {
            return false;
        }
        crossover.SetXoverFreq(0);
        return true;
    }
    x = std::min(x, w);
    const int oldIndex = crossover.m_nXoverFreq;
    const int index = NearestFrequencyIndex(CurveFreqAtX(x, w));
    if (index == oldIndex) {
        return false;
    }
    const std::optional<int> limited = LimitCrossoverIndex(crossover.IsHighPass(), page, index);
    if (!limited || *limited == oldIndex) {
        return false;
    }
    crossover.SetXoverFreq(static_cast<std::int16_t>(*limited));
    return true;
}

bool BandTakesWheel(const CFilter& band) {
    const int type = band.m_nType;
    return !band.IsCrossover() && (type == kTypePeaking || type == kTypeHighShelf || type == 3);
}

bool StepBandQ(CFilter& band, int direction) {
    if (direction == 0 || !BandTakesWheel(band)) {
        return false;
    }
    const int step = direction > 0 ? 1 : -1;
    if (band.m_nType == kTypePeaking) {
        const int q = std::clamp(band.m_nQ + step, 0, kQMaxIndex);
        if (q == band.m_nQ) {
            return false;
        }
        band.SetQ(static_cast<std::int16_t>(q));
        return true;
    }
    const int slope = std::clamp(band.m_nSlope + step, 0, kSlopeMaxIndex);
    if (slope == band.m_nSlope) {
        return false;
    }
    band.SetSlope(static_cast<std::int16_t>(slope));
    return true;
}
