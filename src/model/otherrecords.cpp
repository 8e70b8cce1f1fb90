// Field tables and the few own rules of the master-volume, tone-limit and system records.
#include <algorithm>

#include "model/audiosoundenhancedata.h"
#include "model/audiosystemdata.h"
#include "model/audiovoldata.h"
#include "model/deviceimage.h"

namespace {
using V = CAudioVolData;
constexpr FieldDef kVolFields[] = {
    {"m_nMicVol", 0, V::kMicVol, false, 10},
    {"m_nMusicVol", 1, V::kMusicVol, false, 10},
    {"m_nEffectVol", 2, V::kEffectVol, false, 30},
    {"m_nMaxMicVol", 3, V::kMaxMicVol, false, 80},
    {"m_nMaxMusicVol", 4, V::kMaxMusicVol, false, 80},
    {"m_nMaxEffectVol", 5, V::kMaxEffectVol, false, 80},
};

constexpr FieldDef ToneField(const char* name, int word, std::int16_t def) {
    return {name, word, word, true, def};
}
constexpr FieldDef kToneFields[] = {
    ToneField("m_nMaxGain[0]", 0, 120),  ToneField("m_nCurrent[0]", 1, 60),
    ToneField("m_nMaxCut[0]", 2, 60),    ToneField("m_nMaxGain[1]", 3, 120),
    ToneField("m_nCurrent[1]", 4, 60),   ToneField("m_nMaxCut[1]", 5, 60),
    ToneField("m_nMaxGain[2]", 6, 120),  ToneField("m_nCurrent[2]", 7, 60),
    ToneField("m_nMaxCut[2]", 8, 60),    ToneField("m_nMaxGain[3]", 9, 120),
    ToneField("m_nCurrent[3]", 10, 60),  ToneField("m_nMaxCut[3]", 11, 60),
    ToneField("m_nMaxGain[4]", 12, 120), ToneField("m_nCurrent[4]", 13, 60),
    ToneField("m_nMaxCut[4]", 14, 60),   ToneField("m_nMaxGain[5]", 15, 120),
    ToneField("m_nCurrent[5]", 16, 60),  ToneField("m_nMaxCut[5]", 17, 60),
};

// System fields carry their system-block word (-1: none) in `word`.
using S = CAudioSystemData;
constexpr FieldDef kSystemFields[] = {
    {"m_nSaveMode", -1, S::kSaveMode, false, 0},
    {"m_nOutAutoCopy", kSysOutAutoWord, S::kOutAutoCopy, true, 0},
    {"m_nOutSceneCopy", kSysOutSceneWord, S::kOutSceneCopy, true, 0},
    {"m_nPanelLock", kSysPanelLockWord, S::kPanelLock, false, 0},
    {"m_nPassword", -1, S::kPassword, false, 0},
};

constexpr int kMaxMusicInputs = 10;
}  // namespace

CAudioVolData::CAudioVolData(DeviceImage* image)
    : CParamRecord(kVolFields, kChannelMasterVolume, 0, image) {}

CAudioSoundEnhanceData::CAudioSoundEnhanceData(DeviceImage* image)
    : CParamRecord(kToneFields, kChannelToneLimits, 0, image) {}

int CAudioSoundEnhanceData::FieldIn(int g, int i) {
    return 3 * std::clamp(g, 0, kToneGroupCount - 1) + i;
}

CAudioSystemData::CAudioSystemData(DeviceImage* image)
    : CParamRecord(kSystemFields, kSystemChannel, 0, image) {}

void CAudioSystemData::MirrorField(int field, std::int16_t v) {
    const int word = FieldWord(field);
    if (m_pImage != nullptr && word >= 0) {
        m_pImage->SetSystemWord(word, v);
    }
}

void CAudioSystemData::LoadFromImage(const DeviceImage& image) {
    m_nSelectedMode = image.SystemWord(kSysModeIndexByte / 2);
    for (int field : {kOutAutoCopy, kOutSceneCopy, kPanelLock}) {
        LoadValue(field, image.SystemWord(FieldWord(field)));
    }
    m_nMusicInputCount = std::clamp(image.SystemWord(kSysOutSceneWord) + 1, 1, kMaxMusicInputs);
}
