// Field tables of the music, microphone and effect records: name, word, id, in the file,
// default.
#include "core/model/audioechodata.h"
#include "core/model/audiomicdata.h"
#include "core/model/audiomusicdata.h"
#include "core/model/deviceimage.h"

namespace {
using M = CAudioMusicData;
constexpr FieldDef kMusicFields[] = {
    {"m_nInput", 0, M::kInput, true, 0},
    {"m_nKeyShift", 2, M::kKeyShift, true, 0},
    {"m_nExciter", 3, M::kExciter, true, 0},
    {"m_nEqBypass", 4, kFieldEqBypass, true, 0},
};

using Mic = CAudioMICData;
// The output section words are set from the output pages and are not saved in files.
constexpr FieldDef kMicFields[] = {
    {"m_nTrebleBoost", 0, Mic::kTrebleBoost, true, 0}, {"m_nOutAuto", 2, Mic::kOutAuto, false, 0},
    {"m_nOutScene", 3, Mic::kOutScene, false, 0},      {"m_nFeedback", 4, Mic::kFeedback, true, 0},
    {"m_nEqBypass", 6, kFieldEqBypass, true, 0},
};

using E = CAudioEchoData;
constexpr FieldDef kEchoFields[] = {
    {"m_nEchoAVol", 0, E::kEchoAVol, true, 0},
    {"m_nEchoADelay", 1, E::kEchoADelay, true, 0},
    {"m_nEchoARepeat", 2, E::kEchoARepeat, true, 0},
    {"m_nEffectMode", 3, E::kEffectMode, true, 0},
    {"m_nEchoBVol", 4, E::kEchoBVol, true, 0},
    {"m_nEchoBDelay", 5, E::kEchoBDelay, true, 0},
    {"m_nEchoBRepeat", 6, E::kEchoBRepeat, true, 0},
    {"m_nEchoBHighCut", 7, E::kEchoBHighCut, true, 0},
    {"m_nEchoBStereo", 8, E::kEchoBStereo, true, 0},
    {"m_nRevbVol", 11, E::kRevbVol, true, 0},
    {"m_nRevbTime1", 12, E::kRevbTime1, true, 0},
    {"m_nRevbTime2", 13, E::kRevbTime2, true, 0},
    {"m_nRevbTime3", 14, E::kRevbTime3, true, 0},
    {"m_nRevbPreDelay", 15, E::kRevbPreDelay, true, 0},
    {"m_nRevbHighCut1", 16, E::kRevbHighCut1, true, 0},
    {"m_nRevbHighCut2", 17, E::kRevbHighCut2, true, 0},
    {"m_nEqBypass", 19, kFieldEqBypass, true, 0},
};
}  // namespace

CAudioMusicData::CAudioMusicData(DeviceImage* image)
    : CEqRecord(kMusicFields, OwnerKind::Music, 0, image) {}

CAudioMICData::CAudioMICData(DeviceImage* image)
    : CEqRecord(kMicFields, OwnerKind::Mic, 0, image) {}

CAudioEchoData::CAudioEchoData(DeviceImage* image)
    : CEqRecord(kEchoFields, OwnerKind::Effect, 0, image) {}
