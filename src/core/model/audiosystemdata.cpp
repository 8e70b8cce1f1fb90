// Field table and own rules of the system record: the fields it mirrors into the system block
// and what it reads back from there.
#include <algorithm>

#include "core/model/audiosystemdata.h"
#include "core/model/deviceimage.h"

namespace {
// System fields carry their system-block word (-1: none) in `word`.
using S = CAudioSystemData;
constexpr FieldDef kSystemFields[] = {
    {"m_nSaveMode", -1, S::kSaveMode, false, 0, {0, 6}},
    {"m_nOutAutoCopy", kSysOutAutoWord, S::kOutAutoCopy, true, 0, {0, 1}},
    {"m_nOutSceneCopy", kSysOutSceneWord, S::kOutSceneCopy, true, 0, {0, 1}},
    {"m_nPanelLock", kSysPanelLockWord, S::kPanelLock, false, 0, {0, 1}},
    {"m_nPassword", -1, S::kPassword, false, 0, {0, 9999}},
};

constexpr int kMaxMusicInputs = 10;

}  // namespace

CAudioSystemData::CAudioSystemData(DeviceImage* image)
    : CParamRecord(kSystemFields, kChSystem, 0, image) {}

void CAudioSystemData::MirrorField(int field, std::int16_t v) {
    const int word = FieldWord(field);
    if (m_pImage != nullptr && word >= 0) {
        m_pImage->SetSystemWord(word, v);
    }
}

bool CAudioSystemData::CellOf(int field, EditCell& cell) const {
    if (field != kOutAutoCopy && field != kOutSceneCopy) {
        return false;
    }
    cell = {CellSpace::System, 0, FieldWord(field)};
    return true;
}

void CAudioSystemData::LoadFromImage(const DeviceImage& image) {
    m_nSelectedMode = image.SystemWord(kSysModeIndexByte / 2);
    for (int field : {kOutAutoCopy, kOutSceneCopy, kPanelLock}) {
        LoadValue(field, image.SystemWord(FieldWord(field)));
    }
    m_nMusicInputCount = std::clamp(image.SystemWord(kSysOutSceneWord) + 1, 1, kMaxMusicInputs);
}
