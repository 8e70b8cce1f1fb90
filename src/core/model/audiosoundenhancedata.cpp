// Field table of the tone-limit record: three words (maximum gain, current, maximum cut) for
// each of the six tone groups, with the ranges of the System page's tone-limit edits: maximum
// gain 0 to +12 dB, current -12 to +12 dB, maximum cut -12 to 0 dB.
#include <algorithm>

#include "core/model/audiosoundenhancedata.h"
#include "core/model/deviceimage.h"

namespace {
constexpr FieldRange kMaxGainRange = {120, 180};
constexpr FieldRange kCurrentRange = {60, 180};
constexpr FieldRange kMaxCutRange = {60, 120};

constexpr FieldDef ToneField(const char* name, int word, std::int16_t def) {
    const FieldRange ranges[] = {kMaxGainRange, kCurrentRange, kMaxCutRange};
    return {name, word, word, true, def, ranges[word % 3]};
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
}  // namespace

CAudioSoundEnhanceData::CAudioSoundEnhanceData(DeviceImage* image)
    : CParamRecord(kToneFields, kChToneLimits, 0, image) {}

int CAudioSoundEnhanceData::FieldIn(int g, int i) {
    return 3 * std::clamp(g, 0, kToneGroupCount - 1) + i;
}
