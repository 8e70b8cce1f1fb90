// Field table of the master-volume record.
#include "core/model/audiovoldata.h"
#include "core/model/deviceimage.h"

namespace {
using V = CAudioVolData;
constexpr FieldDef kVolFields[] = {
    {"m_nMicVol", 0, V::kMicVol, false, 10},
    {"m_nMusicVol", 1, V::kMusicVol, false, 10},
    {"m_nEffectVol", 2, V::kEffectVol, false, 30},
    {"m_nMaxMicVol", 3, V::kMaxMicVol, false, 80},
    {"m_nMaxMusicVol", 4, V::kMaxMusicVol, false, 80},
    {"m_nMaxEffectVol", 5, V::kMaxEffectVol, false, 80},
};
}  // namespace

CAudioVolData::CAudioVolData(DeviceImage* image) : CParamRecord(kVolFields, kChVolume, 0, image) {}
