// Field tables of the music, microphone and effect records: name, word, id, in the file,
// default, and the range the field's page offers.
#include "core/model/audioechodata.h"
#include "core/model/audiomicdata.h"
#include "core/model/audiomusicdata.h"
#include "core/model/deviceimage.h"

namespace {
constexpr FieldRange kOnOff = {0, 1};

using M = CAudioMusicData;
constexpr FieldDef kMusicFields[] = {
    {"m_nInput", 0, M::kInput, true, 0, {0, 9}},
    {"m_nKeyShift", 2, M::kKeyShift, true, 0, {0, 14}},
    {"m_nExciter", 3, M::kExciter, true, 0, kOnOff},
    {"m_nEqBypass", 4, kFieldEqBypass, true, 0, kOnOff},
};

using Mic = CAudioMICData;
// The output section words are set from the output pages and are not saved in files.
constexpr FieldDef kMicFields[] = {
    {"m_nTrebleBoost", 0, Mic::kTrebleBoost, true, 0, {0, 3}},
    {"m_nOutAuto", 2, Mic::kOutAuto, false, 0, kOnOff},
    {"m_nOutScene", 3, Mic::kOutScene, false, 0, kOnOff},
    {"m_nFeedback", 4, Mic::kFeedback, true, 0, {0, 4}},
    {"m_nEqBypass", 6, kFieldEqBypass, true, 0, kOnOff},
};

using E = CAudioEchoData;
constexpr FieldDef kEchoFields[] = {
    {"m_nEchoAVol", 0, E::kEchoAVol, true, 0, {0, 80}},
    {"m_nEchoADelay", 1, E::kEchoADelay, true, 0, {0, 15}},
    {"m_nEchoARepeat", 2, E::kEchoARepeat, true, 0, {0, 100}},
    {"m_nEffectMode", 3, E::kEffectMode, true, 0, kOnOff},
    {"m_nEchoBVol", 4, E::kEchoBVol, true, 0, {0, 80}},
    {"m_nEchoBDelay", 5, E::kEchoBDelay, true, 0, {0, 127}},
    {"m_nEchoBRepeat", 6, E::kEchoBRepeat, true, 0, {0, 100}},
    {"m_nEchoBHighCut", 7, E::kEchoBHighCut, true, 0, {0, 100}},
    {"m_nEchoBStereo", 8, E::kEchoBStereo, true, 0, {0, 127}},
    {"m_nRevbVol", 11, E::kRevbVol, true, 0, {0, 80}},
    {"m_nRevbTime1", 12, E::kRevbTime1, true, 0, {0, 60}},
    {"m_nRevbTime2", 13, E::kRevbTime2, true, 0, {0, 60}},
    {"m_nRevbTime3", 14, E::kRevbTime3, true, 0, {0, 60}},
    {"m_nRevbPreDelay", 15, E::kRevbPreDelay, true, 0, {0, 40}},
    {"m_nRevbHighCut1", 16, E::kRevbHighCut1, true, 0, {0, 100}},
    {"m_nRevbHighCut2", 17, E::kRevbHighCut2, true, 0, {0, 100}},
    {"m_nEqBypass", 19, kFieldEqBypass, true, 0, kOnOff},
};
}  // namespace

CAudioMusicData::CAudioMusicData(DeviceImage* image)
    : CEqRecord(kMusicFields, OwnerKind::Music, 0, image) {}

CAudioMICData::CAudioMICData(DeviceImage* image)
    : CEqRecord(kMicFields, OwnerKind::Mic, 0, image) {}

CAudioEchoData::CAudioEchoData(DeviceImage* image)
    : CEqRecord(kEchoFields, OwnerKind::Effect, 0, image) {}
