#include "core/model/fieldranges.h"

#include "core/model/datadefine.h"

namespace {
constexpr FieldRange kWholeScale = {0, kFreqMaxIndex};
}  // namespace

FieldRange BandFieldRange(const CFilter& band, EBandField field) {
    switch (field) {
        case EBandField::Gain:
            return {0, kGainMaxIndex};
        case EBandField::Freq:
            return kWholeScale;
        case EBandField::QOrSlope:
            return {0, static_cast<std::int16_t>(band.GetType() == kTypePeaking ? kQCount - 1
                                                                                : kSlopeCount - 1)};
        case EBandField::Type:
            return {kTypePeaking, kLastBandType};
    }
    return kWholeScale;
}

int BandFieldValue(const CFilter& band, EBandField field) {
    switch (field) {
        case EBandField::Gain:
            return band.GetGain();
        case EBandField::Freq:
            return band.GetFreq();
        case EBandField::QOrSlope:
            return band.GetType() == kTypePeaking ? band.GetQ() : band.GetSlope();
        case EBandField::Type:
            return band.GetType();
    }
    return 0;
}

void SetBandField(CFilter& band, EBandField field, int value) {
    const auto v = static_cast<std::int16_t>(value);
    switch (field) {
        case EBandField::Gain:
            band.SetGain(v);
            break;
        case EBandField::Freq:
            band.SetFreq(v);
            break;
        case EBandField::QOrSlope:
            if (band.GetType() == kTypePeaking) {
                band.SetQ(v);
            } else {
                band.SetSlope(v);
            }
            break;
        case EBandField::Type:
            band.SetType(v);
            break;
    }
}

FieldRange CrossoverFreqRange(OwnerKind kind, bool bHighPass) {
    if (bHighPass) {
        switch (kind) {
            case OwnerKind::Music:
                return {0, 143};
            case OwnerKind::Effect:
                return {0, 205};
            default:
                return {0, 142};
        }
    }
    switch (kind) {
        case OwnerKind::MainOut:
            return {297, kFreqMaxIndex};
        case OwnerKind::Sub:
            return {0, 142};
        default:
            return kWholeScale;
    }
}
