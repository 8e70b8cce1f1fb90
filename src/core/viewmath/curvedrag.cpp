#include "core/viewmath/curvedrag.h"

#include <algorithm>

#include "core/model/conversiontool.h"
#include "core/model/filter.h"

namespace {

constexpr int kTopHz = 20000;
constexpr double kTopGridHz = 20200;
constexpr double kTopDb = 12;
constexpr double kBottomDb = -24;
constexpr int kQMaxIndex = kQCount - 1;
constexpr int kSlopeMaxIndex = kSlopeCount - 1;

// Crossover limits by page.
constexpr int kHighPassMax = 142;
constexpr int kMusicHighPassMax = 143;
constexpr int kEffectHighPassMax = 205;
constexpr int kMainLowPassMin = 297;
constexpr int kSubLowPassMax = 142;

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
    const int w = band.m_nPlotWidth;
    const int h = band.m_nPlotHeight;
    const int x =
        std::clamp(pointer.x - band.m_ptGrabOffset.x - kCurveInsetLeft, 0, std::max(w, 0));
    const int y = std::clamp(pointer.y - band.m_ptGrabOffset.y - kCurveInsetTop, 0, std::max(h, 0));

    const int oldFreq = NearestFrequencyIndex(band.m_dFreqHz);
    const int oldGain = band.GainIndexForDb(band.m_dGainDb);

    const int hz = CurveFreqAtX(x, w);
    const double freq = hz >= kTopHz ? kTopGridHz : hz;
    const double gainDb = std::clamp(YToGain(y, h), kBottomDb, kTopDb);
    SetFlatFromGain(band, gainDb);

    const auto newFreq = static_cast<std::int16_t>(NearestFrequencyIndex(freq));
    const std::int16_t newGain = band.GainIndexForDb(gainDb);

    // Only a word that really changes is written, so a drag that keeps both indexes sends
    // nothing to the unit.
    bool written = false;
    if (newFreq != band.m_nFreq) {
        band.SetFreq(newFreq);
        written = true;
    }
    if (newGain != band.m_nGain) {
        band.SetGain(newGain);
        written = true;
    }

    // Snap to the grid values of the indexes.
    band.m_dFreqHz = FreqAt(band.m_nFreq);
    band.m_dGainDb = GainIndexToDb(band.m_nGain);
    SetFlatFromGain(band, band.m_dGainDb);
    band.UpdateResponse();
    return written || newFreq != oldFreq || newGain != oldGain;
}

std::optional<int> LimitCrossoverIndex(bool highPass, int page, int index) {
    if (highPass) {
        switch (page) {
            case kOwnerMic:
            case kOwnerMainOut:
            case kOwnerCenter:
            case kOwnerSub:
                return std::min(index, kHighPassMax);
            case kOwnerMusic:
                return std::min(index, kMusicHighPassMax);
            case kOwnerEffect:
                return std::min(index, kEffectHighPassMax);
            default:
                return std::nullopt;
        }
    }
    switch (page) {
        case kOwnerMainOut:
            return std::max(index, kMainLowPassMin);
        case kOwnerSub:
            return std::min(index, kSubLowPassMax);
        default:
            return index;
    }
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
