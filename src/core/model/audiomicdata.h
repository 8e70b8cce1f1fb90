// Microphone, channel 1 (82 words): treble boost, the output section's Auto/Manual mode and
// active scene, feedback suppression, EQ bypass, 15 bands and a high-pass filter (word 1).
#pragma once

#include "core/model/eqrecord.h"

class CAudioMICData : public CEqRecord {
public:
    enum Field { kTrebleBoost, kOutAuto, kOutScene, kFeedback, kEqBypass };
    explicit CAudioMICData(DeviceImage* image);

    std::int16_t GetTrebleBoost() const { return Get(kTrebleBoost); }
    void SetTrebleBoost(std::int16_t v) { Set(kTrebleBoost, v); }
    std::int16_t GetOutAuto() const { return Get(kOutAuto); }
    void SetOutAuto(std::int16_t v) { Set(kOutAuto, v); }
    std::int16_t GetOutScene() const { return Get(kOutScene); }
    void SetOutScene(std::int16_t v) { Set(kOutScene, v); }
    std::int16_t GetFeedback() const { return Get(kFeedback); }
    void SetFeedback(std::int16_t v) { Set(kFeedback, v); }

    CFilter* GetHighPass() { return GetEQ().GetHighPass(); }
    const CFilter* GetHighPass() const { return GetEQ().GetHighPass(); }
};
