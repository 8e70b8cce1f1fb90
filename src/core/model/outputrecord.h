// What the main, center and subwoofer output records share: the five source levels and
// polarities, the EQ bypass, 3 bands at word 17 and a high-pass and a low-pass filter. Each
// kind lays these out at its own words (see its field table).
#pragma once

#include "core/model/eqrecord.h"

// Field ids of the output records.
enum OutputField {
    kOutMusicLevel,
    kOutMusicPolarity,
    kOutDirectLevel,
    kOutDirectPolarity,
    kOutEchoALevel,
    kOutEchoAPolarity,
    kOutRevbLevel,
    kOutRevbPolarity,
    kOutEchoBLevel,
    kOutEchoBPolarity,
    kOutDelayL,
    kOutMuteL,
    kOutDelayR,
    kOutMuteR,
    kOutDelay,
    kOutMute,
};

class COutputRecord : public CEqRecord {
public:
    std::int16_t GetMusicLevel() const { return GetId(kOutMusicLevel); }
    void SetMusicLevel(std::int16_t v) { SetId(kOutMusicLevel, v); }
    std::int16_t GetMusicPolarity() const { return GetId(kOutMusicPolarity); }
    void SetMusicPolarity(std::int16_t v) { SetId(kOutMusicPolarity, v); }
    std::int16_t GetDirectLevel() const { return GetId(kOutDirectLevel); }
    void SetDirectLevel(std::int16_t v) { SetId(kOutDirectLevel, v); }
    std::int16_t GetDirectPolarity() const { return GetId(kOutDirectPolarity); }
    void SetDirectPolarity(std::int16_t v) { SetId(kOutDirectPolarity, v); }
    std::int16_t GetEchoALevel() const { return GetId(kOutEchoALevel); }
    void SetEchoALevel(std::int16_t v) { SetId(kOutEchoALevel, v); }
    std::int16_t GetEchoAPolarity() const { return GetId(kOutEchoAPolarity); }
    void SetEchoAPolarity(std::int16_t v) { SetId(kOutEchoAPolarity, v); }
    std::int16_t GetRevbLevel() const { return GetId(kOutRevbLevel); }
    void SetRevbLevel(std::int16_t v) { SetId(kOutRevbLevel, v); }
    std::int16_t GetRevbPolarity() const { return GetId(kOutRevbPolarity); }
    void SetRevbPolarity(std::int16_t v) { SetId(kOutRevbPolarity, v); }
    std::int16_t GetEchoBLevel() const { return GetId(kOutEchoBLevel); }
    void SetEchoBLevel(std::int16_t v) { SetId(kOutEchoBLevel, v); }
    std::int16_t GetEchoBPolarity() const { return GetId(kOutEchoBPolarity); }
    void SetEchoBPolarity(std::int16_t v) { SetId(kOutEchoBPolarity, v); }

    // The crossover filters (second to last and last record of the band set).
    CFilter* GetHighPass() { return GetEQ().GetHighPass(); }
    const CFilter* GetHighPass() const { return GetEQ().GetHighPass(); }
    CFilter* GetLowPass() { return GetEQ().GetLowPass(); }
    const CFilter* GetLowPass() const { return GetEQ().GetLowPass(); }

protected:
    using CEqRecord::CEqRecord;
    std::int16_t GetId(int id) const { return Get(FieldOf(id)); }
    void SetId(int id, std::int16_t v) { Set(FieldOf(id), v); }
};

// Main output, channels 3 and 4 (42 words): crossovers at words 14/15.
class CAudioMainOutData : public COutputRecord {
public:
    CAudioMainOutData(int scene, DeviceImage* image);
    std::int16_t GetDelayL() const { return GetId(kOutDelayL); }
    void SetDelayL(std::int16_t v) { SetId(kOutDelayL, v); }
    std::int16_t GetMuteL() const { return GetId(kOutMuteL); }
    void SetMuteL(std::int16_t v) { SetId(kOutMuteL, v); }
    std::int16_t GetDelayR() const { return GetId(kOutDelayR); }
    void SetDelayR(std::int16_t v) { SetId(kOutDelayR, v); }
    std::int16_t GetMuteR() const { return GetId(kOutMuteR); }
    void SetMuteR(std::int16_t v) { SetId(kOutMuteR, v); }
};

// An output with one delay and one mute: center and subwoofer.
class CMonoOutputRecord : public COutputRecord {
public:
    std::int16_t GetDelay() const { return GetId(kOutDelay); }
    void SetDelay(std::int16_t v) { SetId(kOutDelay, v); }
    std::int16_t GetMute() const { return GetId(kOutMute); }
    void SetMute(std::int16_t v) { SetId(kOutMute, v); }

protected:
    using COutputRecord::COutputRecord;
};

// Center output, channels 5 and 6 (32 words): delay/mute at 8/9, crossovers at 10/11.
class CAudioCenData : public CMonoOutputRecord {
public:
    CAudioCenData(int scene, DeviceImage* image);
};

// Subwoofer output, channels 7 and 8 (32 words): music and direct 0-3, delay/mute 4/5,
// crossovers 6/7, echo A, reverb and echo B 8-13. Its low-pass starts at index 142.
class CAudioSubData : public CMonoOutputRecord {
public:
    CAudioSubData(int scene, DeviceImage* image);
};
