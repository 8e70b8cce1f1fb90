// Master volumes and their maxima, channel 10 (7 words; word 6 is carried in the image only).
// Not saved in parameter files.
#pragma once

#include "core/model/paramrecord.h"

class CAudioVolData : public CParamRecord {
public:
    enum Field { kMicVol, kMusicVol, kEffectVol, kMaxMicVol, kMaxMusicVol, kMaxEffectVol };
    explicit CAudioVolData(DeviceImage* image);

    std::int16_t GetMicVol() const { return Get(kMicVol); }
    void SetMicVol(std::int16_t v) { Set(kMicVol, v); }
    std::int16_t GetMusicVol() const { return Get(kMusicVol); }
    void SetMusicVol(std::int16_t v) { Set(kMusicVol, v); }
    std::int16_t GetEffectVol() const { return Get(kEffectVol); }
    void SetEffectVol(std::int16_t v) { Set(kEffectVol, v); }
    std::int16_t GetMaxMicVol() const { return Get(kMaxMicVol); }
    void SetMaxMicVol(std::int16_t v) { Set(kMaxMicVol, v); }
    std::int16_t GetMaxMusicVol() const { return Get(kMaxMusicVol); }
    void SetMaxMusicVol(std::int16_t v) { Set(kMaxMusicVol, v); }
    std::int16_t GetMaxEffectVol() const { return Get(kMaxEffectVol); }
    void SetMaxEffectVol(std::int16_t v) { Set(kMaxEffectVol, v); }

    void SetAllChanged(int v) { SetFieldsChanged(v); }
    void LoadFromImage(const DeviceImage& image) { LoadFields(image); }
    void StoreToImage(DeviceImage& image) const { StoreFields(image); }
};
