#include "core/model/bandfields.h"

namespace {
constexpr FieldRange kFreqIndex = {0, kFreqMaxIndex};
// The crossover sliders of the microphone and output pages: high-pass 19.7-303 Hz everywhere;
// low-pass from 5990 Hz up on the main output, the whole scale on the center, up to 303 Hz on
// the subwoofer.
constexpr FieldRange kHighPassFreq = {0, 142};
constexpr FieldRange kMainLowPassFreq = {297, kFreqMaxIndex};
constexpr FieldRange kSubLowPassFreq = {0, 142};
}  // namespace

FieldRange XoverFreqRange(const CFilter& f) {
    if (f.IsHighPass()) {
        return kHighPassFreq;
    }
    if (f.IsLowPass()) {
        return f.m_nOwnerKind == OwnerKind::MainOut ? kMainLowPassFreq
               : f.m_nOwnerKind == OwnerKind::Sub   ? kSubLowPassFreq
                                                    : kFreqIndex;
    }
    return kFreqIndex;
}

FieldRange BandTypeRange(const CFilter& f) {
    if (f.IsHighPass()) {
        return {kTypeHighPass, kTypeHighPass};
    }
    if (f.IsLowPass()) {
        return {kTypeLowPass, kTypeLowPass};
    }
    return {kTypePeaking, kLastBandType};
}

std::string BandItemName(const CEQ& eq, int k) {
    const CFilter& f = eq.GetAt(k);
    return f.IsHighPass()  ? "high-pass"
           : f.IsLowPass() ? "low-pass"
                           : "band " + std::to_string(k + 1);
}
