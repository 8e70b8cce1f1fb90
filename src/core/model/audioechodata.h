// Effect (echo A, echo B, reverb), channel 2 (35 words) with 3 bands at word 20.
#pragma once

#include "core/model/eqrecord.h"

class CAudioEchoData : public CEqRecord {
public:
    enum Field {
        kEchoAVol,
        kEchoADelay,
        kEchoARepeat,
        kEffectMode,
        kEchoBVol,
        kEchoBDelay,
        kEchoBRepeat,
        kEchoBHighCut,
        kEchoBStereo,
        kRevbVol,
        kRevbTime1,
        kRevbTime2,
        kRevbTime3,
        kRevbPreDelay,
        kRevbHighCut1,
        kRevbHighCut2,
        kEqBypass
    };
    explicit CAudioEchoData(DeviceImage* image);

    std::int16_t GetEchoAVol() const { return Get(kEchoAVol); }
    void SetEchoAVol(std::int16_t v) { Set(kEchoAVol, v); }
    std::int16_t GetEchoADelay() const { return Get(kEchoADelay); }
    void SetEchoADelay(std::int16_t v) { Set(kEchoADelay, v); }
    std::int16_t GetEchoARepeat() const { return Get(kEchoARepeat); }
    void SetEchoARepeat(std::int16_t v) { Set(kEchoARepeat, v); }
    std::int16_t GetEffectMode() const { return Get(kEffectMode); }
    void SetEffectMode(std::int16_t v) { Set(kEffectMode, v); }
    std::int16_t GetEchoBVol() const { return Get(kEchoBVol); }
    void SetEchoBVol(std::int16_t v) { Set(kEchoBVol, v); }
    std::int16_t GetEchoBDelay() const { return Get(kEchoBDelay); }
    void SetEchoBDelay(std::int16_t v) { Set(kEchoBDelay, v); }
    std::int16_t GetEchoBRepeat() const { return Get(kEchoBRepeat); }
    void SetEchoBRepeat(std::int16_t v) { Set(kEchoBRepeat, v); }
    std::int16_t GetEchoBHighCut() const { return Get(kEchoBHighCut); }
    void SetEchoBHighCut(std::int16_t v) { Set(kEchoBHighCut, v); }
    std::int16_t GetEchoBStereo() const { return Get(kEchoBStereo); }
    void SetEchoBStereo(std::int16_t v) { Set(kEchoBStereo, v); }
    std::int16_t GetRevbVol() const { return Get(kRevbVol); }
    void SetRevbVol(std::int16_t v) { Set(kRevbVol, v); }
    std::int16_t GetRevbTime1() const { return Get(kRevbTime1); }
    void SetRevbTime1(std::int16_t v) { Set(kRevbTime1, v); }
    std::int16_t GetRevbTime2() const { return Get(kRevbTime2); }
    void SetRevbTime2(std::int16_t v) { Set(kRevbTime2, v); }
    std::int16_t GetRevbTime3() const { return Get(kRevbTime3); }
    void SetRevbTime3(std::int16_t v) { Set(kRevbTime3, v); }
    std::int16_t GetRevbPreDelay() const { return Get(kRevbPreDelay); }
    void SetRevbPreDelay(std::int16_t v) { Set(kRevbPreDelay, v); }
    std::int16_t GetRevbHighCut1() const { return Get(kRevbHighCut1); }
    void SetRevbHighCut1(std::int16_t v) { Set(kRevbHighCut1, v); }
    std::int16_t GetRevbHighCut2() const { return Get(kRevbHighCut2); }
    void SetRevbHighCut2(std::int16_t v) { Set(kRevbHighCut2, v); }
};
