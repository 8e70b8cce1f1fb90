// Field table of the master-volume record.
#include "core/model/audiovoldata.h"
#include "core/model/deviceimage.h"

namespace {
using V = CAudioVolData;
// The volume strip and the System page's limit sliders run from 0 to 80.
constexpr FieldRange kVolumeRange = {0, 80};
constexpr FieldDef kVolFields[] = {
    {"m_nMicVol", 0, V::kMicVol, false, 10, kVolumeRange},
    {"m_nMusicVol", 1, V::kMusicVol, false, 10, kVolumeRange},
    {"m_nEffectVol", 2, V::kEffectVol, false, 30, kVolumeRange},
    {"m_nMaxMicVol", 3, V::kMaxMicVol, false, 80, kVolumeRange},
    {"m_nMaxMusicVol", 4, V::kMaxMusicVol, false, 80, kVolumeRange},
    {"m_nMaxEffectVol", 5, V::kMaxEffectVol, false, 80, kVolumeRange},
};
}  // namespace

CAudioVolData::CAudioVolData(DeviceImage* image) : CParamRecord(kVolFields, kChVolume, 0, image) {}
