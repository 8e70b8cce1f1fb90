// User tone limits, channel 9 (18 words): six groups (music bass, middle, treble; microphone
// bass, middle, treble) of maximum gain, current gain and maximum cut, on the gain scale. The
// field at word 3g + i is group g's value i.
#pragma once

#include "core/model/paramrecord.h"

inline constexpr int kToneGroupCount = 6;

class CAudioSoundEnhanceData : public CParamRecord {
public:
    explicit CAudioSoundEnhanceData(DeviceImage* image);

    // Group g is clamped into 0-5.
    std::int16_t GetMaxGain(int g) const { return Get(FieldIn(g, 0)); }
    void SetMaxGain(int g, std::int16_t v) { Set(FieldIn(g, 0), v); }
    std::int16_t GetCurrent(int g) const { return Get(FieldIn(g, 1)); }
    void SetCurrent(int g, std::int16_t v) { Set(FieldIn(g, 1), v); }
    std::int16_t GetMaxCut(int g) const { return Get(FieldIn(g, 2)); }
    void SetMaxCut(int g, std::int16_t v) { Set(FieldIn(g, 2), v); }

    void SetAllChanged(int v) { SetFieldsChanged(v); }
    void LoadFromImage(const DeviceImage& image) { LoadFields(image); }
    void StoreToImage(DeviceImage& image) const { StoreFields(image); }
    void Serialize(CArchive& ar) { SerializeFields(ar); }

private:
    static int FieldIn(int g, int i);
};
