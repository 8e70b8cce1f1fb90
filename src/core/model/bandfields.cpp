#include "core/model/bandfields.h"

#include "core/model/fieldranges.h"

namespace {
constexpr FieldRange kFreqIndex = {0, kFreqMaxIndex};
}  // namespace

FieldRange XoverFreqRange(const CFilter& f) {
    return f.IsCrossover() ? CrossoverFreqRange(f.m_nOwnerKind, f.IsHighPass()) : kFreqIndex;
}

FieldRange BandTypeRange(const CFilter& f) {
    if (f.IsHighPass()) {
        return {kTypeHighPass, kTypeHighPass};
    }
    if (f.IsLowPass()) {
        return {kTypeLowPass, kTypeLowPass};
    }
    return BandFieldRange(f, EBandField::Type);
}

std::string BandItemName(const CEQ& eq, int k) {
    const CFilter& f = eq.GetAt(k);
    return f.IsHighPass()  ? "high-pass"
           : f.IsLowPass() ? "low-pass"
                           : "band " + std::to_string(k + 1);
}
