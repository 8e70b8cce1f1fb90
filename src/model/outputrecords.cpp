// Field tables of the output records, in setter order (which is also the file order): name,
// word, id, in the file, default.
#include "model/deviceimage.h"
#include "model/outputrecord.h"

namespace {
constexpr FieldDef kMainFields[] = {
    {"m_nMusicLevel", 0, kOutMusicLevel, true, 0},
    {"m_nMusicPolarity", 1, kOutMusicPolarity, true, 0},
    {"m_nDirectLevel", 2, kOutDirectLevel, true, 0},
    {"m_nDirectPolarity", 3, kOutDirectPolarity, true, 0},
    {"m_nEchoALevel", 4, kOutEchoALevel, true, 0},
    {"m_nEchoAPolarity", 5, kOutEchoAPolarity, true, 0},
    {"m_nRevbLevel", 6, kOutRevbLevel, true, 0},
    {"m_nRevbPolarity", 7, kOutRevbPolarity, true, 0},
    {"m_nDelayL", 8, kOutDelayL, true, 0},
    {"m_nMuteL", 9, kOutMuteL, true, 0},
    {"m_nDelayR", 10, kOutDelayR, true, 0},
    {"m_nMuteR", 11, kOutMuteR, true, 0},
    {"m_nEchoBLevel", 12, kOutEchoBLevel, true, 0},
    {"m_nEchoBPolarity", 13, kOutEchoBPolarity, true, 0},
    {"m_nEqBypass", 16, kFieldEqBypass, true, 0},
};

constexpr FieldDef kCenFields[] = {
    {"m_nMusicLevel", 0, kOutMusicLevel, true, 0},
    {"m_nMusicPolarity", 1, kOutMusicPolarity, true, 0},
    {"m_nDirectLevel", 2, kOutDirectLevel, true, 0},
    {"m_nDirectPolarity", 3, kOutDirectPolarity, true, 0},
    {"m_nEchoALevel", 4, kOutEchoALevel, true, 0},
    {"m_nEchoAPolarity", 5, kOutEchoAPolarity, true, 0},
    {"m_nRevbLevel", 6, kOutRevbLevel, true, 0},
    {"m_nRevbPolarity", 7, kOutRevbPolarity, true, 0},
    {"m_nDelay", 8, kOutDelay, true, 0},
    {"m_nMute", 9, kOutMute, true, 0},
    {"m_nEchoBLevel", 12, kOutEchoBLevel, true, 0},
    {"m_nEchoBPolarity", 13, kOutEchoBPolarity, true, 0},
    {"m_nEqBypass", 16, kFieldEqBypass, true, 0},
};

constexpr FieldDef kSubFields[] = {
    {"m_nMusicLevel", 0, kOutMusicLevel, true, 0},
    {"m_nMusicPolarity", 1, kOutMusicPolarity, true, 0},
    {"m_nDirectLevel", 2, kOutDirectLevel, true, 0},
    {"m_nDirectPolarity", 3, kOutDirectPolarity, true, 0},
    {"m_nEchoALevel", 8, kOutEchoALevel, true, 0},
    {"m_nEchoAPolarity", 9, kOutEchoAPolarity, true, 0},
    {"m_nRevbLevel", 10, kOutRevbLevel, true, 0},
    {"m_nRevbPolarity", 11, kOutRevbPolarity, true, 0},
    {"m_nEchoBLevel", 12, kOutEchoBLevel, true, 0},
    {"m_nEchoBPolarity", 13, kOutEchoBPolarity, true, 0},
    {"m_nDelay", 4, kOutDelay, true, 0},
    {"m_nMute", 5, kOutMute, true, 0},
    {"m_nEqBypass", 16, kFieldEqBypass, true, 0},
};
}  // namespace

CAudioMainOutData::CAudioMainOutData(int scene, DeviceImage* image)
    : COutputRecord(kMainFields, kOwnerMainOut, scene, image) {}

CAudioCenData::CAudioCenData(int scene, DeviceImage* image)
    : CMonoOutputRecord(kCenFields, kOwnerCenter, scene, image) {}

CAudioSubData::CAudioSubData(int scene, DeviceImage* image)
    : CMonoOutputRecord(kSubFields, kOwnerSub, scene, image) {}
