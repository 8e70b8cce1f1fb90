#include "core/model/audiodata.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Where each setter must mirror: (channel, word) of a record field, by its name.
struct FieldCase {
    std::string record;
    int channel;
    std::string field;
    int word;
};

CParamRecord& RecordNamed(CAudioData& data, const std::string& name) {
    if (name == "music")
        return data.Music();
    if (name == "mic")
        return data.Mic();
    if (name == "effect")
        return data.Echo();
    if (name == "main1")
        return data.MainOut(1);
    if (name == "center0")
        return data.Center(0);
    if (name == "sub1")
        return data.Sub(1);
    if (name == "volume")
        return data.Volume();
    return data.ToneLimits();
}

int FieldNamed(const CParamRecord& rec, const std::string& name) {
    for (int i = 0; i < rec.FieldCount(); ++i) {
        if (name == rec.Fields()[static_cast<std::size_t>(i)].name)
            return i;
    }
    return -1;
}

TEST(AudioDataLayout, SettersMirrorIntoTheirWordOnly) {
    const std::vector<FieldCase> cases = {
        {"music", 0, "m_nInput", 0},
        {"music", 0, "m_nKeyShift", 2},
        {"music", 0, "m_nEqBypass", 4},
        {"mic", 1, "m_nTrebleBoost", 0},
        {"mic", 1, "m_nOutScene", 3},
        {"mic", 1, "m_nEqBypass", 6},
        {"effect", 2, "m_nEchoBStereo", 8},
        {"effect", 2, "m_nRevbVol", 11},
        {"effect", 2, "m_nEqBypass", 19},
        {"main1", 4, "m_nDelayL", 8},
        {"main1", 4, "m_nMuteR", 11},
        {"main1", 4, "m_nEchoBPolarity", 13},
        {"main1", 4, "m_nEqBypass", 16},
        {"center0", 5, "m_nDelay", 8},
        {"center0", 5, "m_nMute", 9},
        {"center0", 5, "m_nEchoBLevel", 12},
        {"sub1", 8, "m_nDirectPolarity", 3},
        {"sub1", 8, "m_nDelay", 4},
        {"sub1", 8, "m_nMute", 5},
        {"sub1", 8, "m_nEchoALevel", 8},
        {"sub1", 8, "m_nEchoBPolarity", 13},
        {"sub1", 8, "m_nEqBypass", 16},
        {"volume", 10, "m_nMaxEffectVol", 5},
        {"tone", 9, "m_nMaxCut[5]", 17},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.record + " " + c.field);
        CAudioData data;
        const DeviceImage before = data.Image();
        CParamRecord& rec = RecordNamed(data, c.record);
        const int field = FieldNamed(rec, c.field);
        ASSERT_GE(field, 0);
        rec.Set(field, 1234);
        EXPECT_EQ(rec.Get(field), 1234);
        EXPECT_TRUE(rec.IsChanged(field));
        EXPECT_EQ(rec.Channel(), c.channel);
        for (int ch = 0; ch < kBlockChannels; ++ch) {
            for (int w = 0; w < kChannelWords[static_cast<std::size_t>(ch)]; ++w) {
                const int expected = (ch == c.channel && w == c.word) ? 1234 : before.Word(ch, w);
                ASSERT_EQ(data.Image().Word(ch, w), expected) << "ch " << ch << " word " << w;
            }
        }
    }
}

TEST(AudioDataLayout, NamedSettersRaiseFlagsEvenForTheSameValue) {
    CAudioData data;
    data.Music().SetInput(0);
    EXPECT_TRUE(data.Music().IsChanged(CAudioMusicData::kInput));
    data.Center(0).SetEchoBLevel(7);
    EXPECT_EQ(data.Image().Word(5, 12), 7);
    EXPECT_EQ(data.Image().Word(5, 4), 0);  // echo A level untouched
    data.Sub(1).SetDelay(9);
    EXPECT_EQ(data.Image().Word(8, 4), 9);
    EXPECT_EQ(data.Image().Word(7, 4), 0);  // scene 0 untouched
    data.System().SetPanelLock(1);
    EXPECT_EQ(data.Image().SystemWord(kSysPanelLockWord), 1);
    data.System().SetPassword(1234);  // no system-block word of its own
    EXPECT_EQ(data.Image().SystemWord(kSysPanelLockWord + 1), 0);
}

TEST(AudioDataDefaults, FreshModel) {
    CAudioData data;
    EXPECT_EQ(data.Volume().GetMicVol(), 10);
    EXPECT_EQ(data.Volume().GetMusicVol(), 10);
    EXPECT_EQ(data.Volume().GetEffectVol(), 30);
    EXPECT_EQ(data.Volume().GetMaxMicVol(), 80);
    EXPECT_EQ(data.Volume().GetMaxMusicVol(), 80);
    EXPECT_EQ(data.Volume().GetMaxEffectVol(), 80);
    for (int g = 0; g < kToneGroupCount; ++g) {
        EXPECT_EQ(data.ToneLimits().GetMaxGain(g), 120);
        EXPECT_EQ(data.ToneLimits().GetCurrent(g), 60);
        EXPECT_EQ(data.ToneLimits().GetMaxCut(g), 60);
    }
    // Construction writes nothing into the image.
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        for (int16_t w : data.Image().Words(ch))
            ASSERT_EQ(w, 0) << "channel " << ch;
        for (int s = 0; s < kPcWordCount; ++s)
            ASSERT_EQ(data.Image().PcWord(ch, s), 0);
    }
    // Band sets and crossovers by kind.
    EXPECT_EQ(data.Music().GetEQ().GetCount(), 7);
    EXPECT_EQ(data.Mic().GetEQ().GetCount(), 16);
    EXPECT_EQ(data.Echo().GetEQ().GetCount(), 3);
    EXPECT_EQ(data.Sub(0).GetEQ().GetCount(), 5);
    EXPECT_EQ(data.Mic().GetHighPass()->m_nBand, 14);
    EXPECT_EQ(data.Mic().GetEQ().GetLowPass(), nullptr);
    EXPECT_EQ(data.MainOut(0).GetLowPass()->GetXoverFreq(), 360);
    EXPECT_EQ(data.Center(1).GetLowPass()->GetXoverFreq(), 360);
    EXPECT_EQ(data.Sub(0).GetLowPass()->GetXoverFreq(), 142);
    EXPECT_EQ(data.Sub(1).GetHighPass()->GetXoverFreq(), 0);
    const std::vector<int> micBands = {2,   25,  49,  73,  96,  120, 144, 167,
                                       187, 215, 238, 262, 287, 309, 333};
    for (int k = 0; k < 15; ++k)
        EXPECT_EQ(data.Mic().GetEQ().GetAt(k).GetFreq(), micBands[k]);
    EXPECT_EQ(data.Sub(0).GetEQ().GetAt(0).GetFreq(), 0);
    EXPECT_EQ(data.Sub(0).GetEQ().GetAt(2).GetFreq(), 129);
    EXPECT_EQ(data.Echo().GetEQ().GetAt(2).GetFreq(), 354);
}

TEST(AudioDataBulk, StoreThenLoadKeepsEveryFieldAndUnmodelledWords) {
    CAudioData data;
    int value = 1;
    for (int ch = 0; ch <= 8; ++ch) {
        CEqRecord* rec = data.EqRecordOfChannel(ch);
        for (int i = 0; i < rec->FieldCount(); ++i)
            rec->Set(i, static_cast<int16_t>(value++));
        for (int k = 0; k < rec->GetEQ().GetBandCount(); ++k) {
            CFilter& band = rec->GetEQ().GetAt(k);
            band.SetGain(static_cast<int16_t>(100 + k));
            band.SetFreq(static_cast<int16_t>(10 * k + ch));
            band.SetType(2);
            band.SetSlope(static_cast<int16_t>(k));
        }
    }
    data.MainOut(1).GetHighPass()->SetXoverFreq(50);
    data.MainOut(1).GetHighPass()->SetXoverStepCode(3);
    data.MainOut(1).GetHighPass()->SetXoverQ(7);
    data.Sub(0).GetLowPass()->SetXoverFreq(100);
    data.Mic().GetHighPass()->SetXoverFreq(20);
    data.Mic().GetHighPass()->SetXoverStepCode(4);
    // Unmodelled words, as a read-back fills them.
    data.Image().SetWord(0, 1, 111);
    data.Image().SetWord(1, 5, 222);
    data.Image().SetWord(2, 18, 333);
    data.Image().SetWord(3, 41, 444);
    data.Image().SetWord(6, 14, 555);

    DeviceImage copy = data.Image();
    CAudioData other;
    other.Image() = copy;
    other.LoadAllFromImage(copy);
    DeviceImage stored = other.Image();
    other.StoreAllToImage(stored);
    EXPECT_EQ(stored.blocks, copy.blocks);
    EXPECT_EQ(other.Sub(0).GetLowPass()->GetXoverFreq(), 100);
    EXPECT_EQ(other.MainOut(1).GetHighPass()->GetXoverStepCode(), 3);
    EXPECT_EQ(other.MainOut(1).GetHighPass()->GetXoverQ(), 7);
    EXPECT_EQ(other.Mic().GetHighPass()->GetXoverStepCode(), 4);
    EXPECT_EQ(other.Echo().GetEQ().GetAt(2).GetFreq(), 22);
    // Loading raises no flag.
    for (int ch = 0; ch <= 8; ++ch) {
        const CEqRecord* rec = other.EqRecordOfChannel(ch);
        for (int i = 0; i < rec->FieldCount(); ++i)
            EXPECT_FALSE(rec->IsChanged(i));
    }
}

TEST(AudioDataBulk, LoadClampsFrequencyIndexesButKeepsOtherValues) {
    CAudioData data;
    DeviceImage image;
    image.SetWord(0, 5 + 4, 400);     // music band 0 frequency
    image.SetWord(0, 5 + 5 + 4, -3);  // music band 1 frequency
    image.SetWord(0, 5 + 0, 999);     // music band 0 gain: kept as received
    image.SetWord(3, 14, 500);        // main high-pass
    image.SetWord(7, 7, -1);          // sub low-pass
    image.SetWord(1, 1, 361);         // microphone high-pass
    data.LoadAllFromImage(image);
    EXPECT_EQ(data.Music().GetEQ().GetAt(0).GetFreq(), 360);
    EXPECT_EQ(data.Music().GetEQ().GetAt(1).GetFreq(), 0);
    EXPECT_EQ(data.Music().GetEQ().GetAt(0).GetGain(), 999);
    EXPECT_EQ(data.MainOut(0).GetHighPass()->GetXoverFreq(), 360);
    EXPECT_EQ(data.Sub(0).GetLowPass()->GetXoverFreq(), 0);
    EXPECT_EQ(data.Mic().GetHighPass()->GetXoverFreq(), 360);
}

TEST(AudioDataFlags, SetAllChangedCoversEveryRecordButSystem) {
    CAudioData data;
    data.SetAllChanged(1);
    EXPECT_TRUE(data.Music().IsChanged(CAudioMusicData::kInput));
    EXPECT_TRUE(data.Sub(1).GetEQ().GetAt(2).BandWordChanged(kBandWordFreq));
    EXPECT_EQ(data.Sub(1).GetLowPass()->m_bXoverFreqChanged, 1);
    EXPECT_TRUE(data.Volume().IsChanged(CAudioVolData::kMaxEffectVol));
    EXPECT_TRUE(data.ToneLimits().IsChanged(0));
    EXPECT_FALSE(data.System().IsChanged(CAudioSystemData::kPanelLock));
    data.SetAllChanged(0);
    EXPECT_FALSE(data.Music().IsChanged(CAudioMusicData::kInput));
    EXPECT_FALSE(data.ToneLimits().IsChanged(0));
    EXPECT_FALSE(data.Sub(1).GetEQ().GetAt(2).BandWordChanged(kBandWordFreq));
}

TEST(AudioDataSystem, LoadFromSystemBlock) {
    CAudioData data;
    DeviceImage image;
    image.SetSystemWord(0, 4);
    image.SetSystemWord(kSysOutAutoWord, 1);
    image.SetSystemWord(kSysOutSceneWord, 20);
    image.SetSystemWord(kSysPanelLockWord, 1);
    data.LoadAllFromImage(image);
    EXPECT_EQ(data.System().GetSelectedMode(), 4);
    EXPECT_EQ(data.System().GetOutAutoCopy(), 1);
    EXPECT_EQ(data.System().GetOutSceneCopy(), 20);
    EXPECT_EQ(data.System().GetPanelLock(), 1);
    EXPECT_EQ(data.System().MusicInputCount(), 10);
    EXPECT_FALSE(data.System().IsChanged(CAudioSystemData::kPanelLock));
    EXPECT_FALSE(CAudioSystemData::IsModeIndex(7));
    EXPECT_TRUE(CAudioSystemData::IsModeIndex(6));
    // Scene indexes: 1 only for 1.
    EXPECT_EQ(&data.Sub(2), &data.Sub(0));
    EXPECT_EQ(&data.Sub(-1), &data.Sub(0));
    EXPECT_EQ(data.Center(1).GetScene(), 1);
}

TEST(AudioDataSystem, RestoreOutputSectionFromTheFileCopies) {
    CAudioData data;
    data.System().LoadFromImage(DeviceImage{});
    data.System().SetOutAutoCopy(1);
    data.System().SetOutSceneCopy(1);
    data.SetAllChanged(0);
    data.System().SetAllChanged(0);
    data.RestoreOutputSection();
    EXPECT_EQ(data.Mic().GetOutAuto(), 1);
    EXPECT_EQ(data.Mic().GetOutScene(), 1);
    EXPECT_TRUE(data.Mic().IsChanged(CAudioMICData::kOutScene));
    EXPECT_EQ(data.Image().Word(kChMic, 3), 1);
    EXPECT_EQ(data.Image().SystemWord(kSysOutSceneWord), 1);
}

TEST(AudioDataMusic, LoadRemembersTheKeyShown) {
    CAudioData data;
    DeviceImage image;
    image.SetWord(0, 2, 9);
    data.LoadAllFromImage(image);
    EXPECT_EQ(data.Music().GetLastKeyShown(), 9);
}

}  // namespace
