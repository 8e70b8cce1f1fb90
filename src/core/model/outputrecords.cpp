// Field tables of the output records, in setter order (which is also the file order). Every
// output field is saved in files and starts at 0. Ranges are those of the output pages: levels
// 0-100 (0-200 on the subwoofer), delays 0-50 steps, polarities, mutes and the bypass 0/1.
#include <array>

#include "core/model/deviceimage.h"
#include "core/model/outputrecord.h"

namespace {
constexpr FieldRange kOnOff = {0, 1};
constexpr FieldRange kLevel = {0, 100};
constexpr FieldRange kSubLevel = {0, 200};
constexpr FieldRange kDelay = {0, 50};

constexpr FieldDef Out(const char* name, int word, int id, FieldRange range) {
    return {name, word, id, true, 0, range};
}

template <std::size_t N, std::size_t M>
constexpr std::array<FieldDef, N + M> Join(const std::array<FieldDef, N>& a,
                                           const std::array<FieldDef, M>& b) {
    std::array<FieldDef, N + M> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = a[i];
    }
    for (std::size_t i = 0; i < M; ++i) {
        out[N + i] = b[i];
    }
    return out;
}

// Music, direct, echo A and reverb level and polarity at words 0-7 (main and center).
constexpr std::array<FieldDef, 8> kMixFields = {
    Out("m_nMusicLevel", 0, kOutMusicLevel, kLevel),
    Out("m_nMusicPolarity", 1, kOutMusicPolarity, kOnOff),
    Out("m_nDirectLevel", 2, kOutDirectLevel, kLevel),
    Out("m_nDirectPolarity", 3, kOutDirectPolarity, kOnOff),
    Out("m_nEchoALevel", 4, kOutEchoALevel, kLevel),
    Out("m_nEchoAPolarity", 5, kOutEchoAPolarity, kOnOff),
    Out("m_nRevbLevel", 6, kOutRevbLevel, kLevel),
    Out("m_nRevbPolarity", 7, kOutRevbPolarity, kOnOff),
};

constexpr auto kMainFields =
    Join(kMixFields, std::array<FieldDef, 7>{
                         Out("m_nDelayL", 8, kOutDelayL, kDelay),
                         Out("m_nMuteL", 9, kOutMuteL, kOnOff),
                         Out("m_nDelayR", 10, kOutDelayR, kDelay),
                         Out("m_nMuteR", 11, kOutMuteR, kOnOff),
                         Out("m_nEchoBLevel", 12, kOutEchoBLevel, kLevel),
                         Out("m_nEchoBPolarity", 13, kOutEchoBPolarity, kOnOff),
                         Out("m_nEqBypass", 16, kFieldEqBypass, kOnOff),
                     });

constexpr auto kCenFields =
    Join(kMixFields, std::array<FieldDef, 5>{
                         Out("m_nDelay", 8, kOutDelay, kDelay),
                         Out("m_nMute", 9, kOutMute, kOnOff),
                         Out("m_nEchoBLevel", 12, kOutEchoBLevel, kLevel),
                         Out("m_nEchoBPolarity", 13, kOutEchoBPolarity, kOnOff),
                         Out("m_nEqBypass", 16, kFieldEqBypass, kOnOff),
                     });

constexpr std::array<FieldDef, 13> kSubFields = {
    Out("m_nMusicLevel", 0, kOutMusicLevel, kSubLevel),
    Out("m_nMusicPolarity", 1, kOutMusicPolarity, kOnOff),
    Out("m_nDirectLevel", 2, kOutDirectLevel, kSubLevel),
    Out("m_nDirectPolarity", 3, kOutDirectPolarity, kOnOff),
    Out("m_nEchoALevel", 8, kOutEchoALevel, kSubLevel),
    Out("m_nEchoAPolarity", 9, kOutEchoAPolarity, kOnOff),
    Out("m_nRevbLevel", 10, kOutRevbLevel, kSubLevel),
    Out("m_nRevbPolarity", 11, kOutRevbPolarity, kOnOff),
    Out("m_nEchoBLevel", 12, kOutEchoBLevel, kSubLevel),
    Out("m_nEchoBPolarity", 13, kOutEchoBPolarity, kOnOff),
    Out("m_nDelay", 4, kOutDelay, kDelay),
    Out("m_nMute", 5, kOutMute, kOnOff),
    Out("m_nEqBypass", 16, kFieldEqBypass, kOnOff),
};
}  // namespace

CAudioMainOutData::CAudioMainOutData(int scene, DeviceImage* image)
    : COutputRecord(kMainFields, OwnerKind::MainOut, scene, image) {}

CAudioCenData::CAudioCenData(int scene, DeviceImage* image)
    : CMonoOutputRecord(kCenFields, OwnerKind::Center, scene, image) {}

CAudioSubData::CAudioSubData(int scene, DeviceImage* image)
    : CMonoOutputRecord(kSubFields, OwnerKind::Sub, scene, image) {}
