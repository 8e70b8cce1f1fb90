// Field tables of the output records, in setter order (which is also the file order). Every
// output field is saved in files and starts at 0.
#include <array>

#include "core/model/deviceimage.h"
#include "core/model/outputrecord.h"

namespace {
constexpr FieldDef Out(const char* name, int word, int id) {
    return {name, word, id, true, 0};
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
    Out("m_nMusicLevel", 0, kOutMusicLevel),   Out("m_nMusicPolarity", 1, kOutMusicPolarity),
    Out("m_nDirectLevel", 2, kOutDirectLevel), Out("m_nDirectPolarity", 3, kOutDirectPolarity),
    Out("m_nEchoALevel", 4, kOutEchoALevel),   Out("m_nEchoAPolarity", 5, kOutEchoAPolarity),
    Out("m_nRevbLevel", 6, kOutRevbLevel),     Out("m_nRevbPolarity", 7, kOutRevbPolarity),
};

constexpr auto kMainFields = Join(kMixFields, std::array<FieldDef, 7>{
                                                  Out("m_nDelayL", 8, kOutDelayL),
                                                  Out("m_nMuteL", 9, kOutMuteL),
                                                  Out("m_nDelayR", 10, kOutDelayR),
                                                  Out("m_nMuteR", 11, kOutMuteR),
                                                  Out("m_nEchoBLevel", 12, kOutEchoBLevel),
                                                  Out("m_nEchoBPolarity", 13, kOutEchoBPolarity),
                                                  Out("m_nEqBypass", 16, kFieldEqBypass),
                                              });

constexpr auto kCenFields = Join(kMixFields, std::array<FieldDef, 5>{
                                                 Out("m_nDelay", 8, kOutDelay),
                                                 Out("m_nMute", 9, kOutMute),
                                                 Out("m_nEchoBLevel", 12, kOutEchoBLevel),
                                                 Out("m_nEchoBPolarity", 13, kOutEchoBPolarity),
                                                 Out("m_nEqBypass", 16, kFieldEqBypass),
                                             });

constexpr std::array<FieldDef, 13> kSubFields = {
    Out("m_nMusicLevel", 0, kOutMusicLevel),
    Out("m_nMusicPolarity", 1, kOutMusicPolarity),
    Out("m_nDirectLevel", 2, kOutDirectLevel),
    Out("m_nDirectPolarity", 3, kOutDirectPolarity),
    Out("m_nEchoALevel", 8, kOutEchoALevel),
    Out("m_nEchoAPolarity", 9, kOutEchoAPolarity),
    Out("m_nRevbLevel", 10, kOutRevbLevel),
    Out("m_nRevbPolarity", 11, kOutRevbPolarity),
    Out("m_nEchoBLevel", 12, kOutEchoBLevel),
    Out("m_nEchoBPolarity", 13, kOutEchoBPolarity),
    Out("m_nDelay", 4, kOutDelay),
    Out("m_nMute", 5, kOutMute),
    Out("m_nEqBypass", 16, kFieldEqBypass),
};
}  // namespace

CAudioMainOutData::CAudioMainOutData(int scene, DeviceImage* image)
    : COutputRecord(kMainFields, OwnerKind::MainOut, scene, image) {}

CAudioCenData::CAudioCenData(int scene, DeviceImage* image)
    : CMonoOutputRecord(kCenFields, OwnerKind::Center, scene, image) {}

CAudioSubData::CAudioSubData(int scene, DeviceImage* image)
    : CMonoOutputRecord(kSubFields, OwnerKind::Sub, scene, image) {}
