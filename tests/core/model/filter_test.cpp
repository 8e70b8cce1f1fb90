#include "core/model/filter.h"

#include <gtest/gtest.h>

#include <array>

#include "core/model/audiodata.h"

namespace {

TEST(FilterMirror, BandSettersWriteTheirFiveWords) {
    CAudioData data;
    CFilter& band = data.MainOut(1).GetEQ().GetAt(2);  // main scene 1, band 2: words 27-31
    band.SetGain(150);
    band.SetQ(30);
    band.SetSlope(5);
    band.SetType(2);
    band.SetFreq(300);
    const std::vector<int16_t> expected = {150, 30, 5, 2, 300};
    for (int w = 0; w < 5; ++w)
        EXPECT_EQ(data.Image().Word(4, 27 + w), expected[w]);
    EXPECT_EQ(data.Image().Word(3, 27), 0);
    EXPECT_EQ(band.m_bGainChanged + band.m_bQChanged + band.m_bSlopeChanged + band.m_bTypeChanged +
                  band.m_bFreqChanged,
              5);
}

TEST(FilterMirror, CrossoversWriteOnlyTheirFrequencyAndPcWords) {
    CAudioData data;
    const DeviceImage before = data.Image();
    CFilter* micHp = data.Mic().GetHighPass();
    // Band setters on a crossover must not reach the band words of band 14 (words 77-81).
    micHp->SetGain(170);
    micHp->SetFreq(200);
    micHp->SetType(0);
    EXPECT_EQ(data.Image().blocks, before.blocks);
    micHp->SetXoverFreq(33);
    micHp->SetXoverStepCode(3);
    EXPECT_EQ(data.Image().Word(1, 1), 33);
    EXPECT_EQ(data.Image().PcWord(1, kPcHighPassStep), 3);

    struct Case {
        int channel;
        CFilter* hp;
        CFilter* lp;
        int hpWord, lpWord;
    };
    const Case cases[] = {
        {3, data.MainOut(0).GetHighPass(), data.MainOut(0).GetLowPass(), 14, 15},
        {6, data.Center(1).GetHighPass(), data.Center(1).GetLowPass(), 10, 11},
        {8, data.Sub(1).GetHighPass(), data.Sub(1).GetLowPass(), 6, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        c.lp->SetGain(170);  // band index 4 would be words 37-41
        c.hp->SetXoverFreq(40);
        c.lp->SetXoverFreq(300);
        c.hp->SetXoverQ(5);
        c.lp->SetXoverStepCode(4);
        EXPECT_EQ(data.Image().Word(c.channel, c.hpWord), 40);
        EXPECT_EQ(data.Image().Word(c.channel, c.lpWord), 300);
        EXPECT_EQ(data.Image().PcWord(c.channel, kPcHighPassQ), 5);
        EXPECT_EQ(data.Image().PcWord(c.channel, kPcLowPassStep), 4);
        for (int w = 32; w < 42; ++w)
            EXPECT_EQ(data.Image().Word(c.channel, w), 0);
        EXPECT_EQ(c.hp->m_dXoverQValue, 0.53);
    }
}

TEST(FilterFields, SlopeCodeSelectsFamilyAndStep) {
    const int expected[13][2] = {{2, 0}, {0, 0}, {1, 1}, {2, 1}, {0, 1}, {1, 2}, {2, 2},
                                 {1, 3}, {2, 3}, {0, 3}, {1, 4}, {2, 4}, {0, 4}};
    for (int code = 1; code <= 12; ++code) {
        CFilter f;
        f.SetSlopeCode(static_cast<int16_t>(code));
        EXPECT_EQ(f.m_nXoverFamilyCode, expected[code][0]) << code;
        EXPECT_EQ(f.m_nXoverStepCode, expected[code][1]) << code;
        EXPECT_EQ(f.m_bFlat, 0);
    }
    CFilter f;
    f.SetSlopeCode(7);
    f.SetSlopeCode(0);  // leaves both codes, sets flat
    EXPECT_EQ(f.m_nXoverFamilyCode, 1);
    EXPECT_EQ(f.m_nXoverStepCode, 3);
    EXPECT_EQ(f.m_bFlat, 1);
    // Family and order stay as created.
    CAudioData data;
    CFilter* hp = data.MainOut(0).GetHighPass();
    hp->SetSlopeCode(12);
    EXPECT_EQ(hp->m_nFamily, 1);
    EXPECT_EQ(hp->m_nSlopeStep, 2);
    EXPECT_EQ(data.MainOut(0).GetLowPass()->m_nFamily, 0);
    EXPECT_EQ(data.MainOut(0).GetLowPass()->m_nSlopeStep, 0);
}

TEST(FilterFields, FlatRulesAndDerivedValues) {
    CFilter f;
    f.SetGain(150);
    EXPECT_EQ(f.m_bFlat, 0);
    EXPECT_DOUBLE_EQ(f.m_dGainDb, 6.0);
    f.SetType(1);
    EXPECT_EQ(f.m_bFlat, 1);
    for (double v : f.Response())
        ASSERT_EQ(v, 0.0);
    f.SetType(0);
    EXPECT_EQ(f.m_bFlat, 0);
    f.SetGain(120);
    EXPECT_EQ(f.m_bFlat, 1);
    f.SetType(9);  // stores nothing
    EXPECT_EQ(f.GetType(), 0);
    EXPECT_EQ(f.m_bTypeChanged, 1);
    f.SetQ(16);
    EXPECT_EQ(f.m_dQ, 1.0);
    f.SetSlope(28);
    EXPECT_EQ(f.m_dQ, 2.0);
    f.SetQ(500);  // out of the table: clamped where used
    EXPECT_EQ(f.m_dQ, 128.0);
    f.SetFreq(-5);
    EXPECT_EQ(f.m_dFreqHz, 19.7);
    EXPECT_EQ(f.GainIndexForDb(3.0), 120);  // flat
    f.SetGain(130);
    EXPECT_EQ(f.GainIndexForDb(3.0), 135);
    EXPECT_EQ(f.GainIndexForDb(-24.0), 0);
}

TEST(FilterFields, LoadedBandIsFlatOnlyAtZeroDbOrBypass) {
    // Words: gain, Q, slope, type, frequency. Flat means no effect: 0 dB (gain 120) or type 1.
    struct Case {
        std::array<int16_t, 5> words;
        int flat;
        int gainIndexAfterDrag;  // of +3 dB
    };
    const Case cases[] = {
        {{150, 16, 0, 0, 204}, 0, 135},  // +6 dB peaking
        {{120, 16, 0, 0, 204}, 1, 120},  // 0 dB peaking
        {{150, 16, 0, 1, 204}, 1, 120},  // bypass type at +6 dB
        {{60, 16, 4, 2, 300}, 0, 135},   // -12 dB high shelf
        {{120, 16, 4, 2, 300}, 1, 120},  // 0 dB high shelf
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words[0] * 10 + c.words[3]);
        CFilter band;
        band.InitBand(73);  // created flat
        band.LoadBandWords(c.words);
        EXPECT_EQ(band.m_bFlat, c.flat);
        EXPECT_EQ(band.GainIndexForDb(3.0), c.gainIndexAfterDrag);
    }
    // Through a read-back: the flag follows the unit's band, not the band's creation.
    CAudioData data;
    DeviceImage image;
    image.SetWord(kChMainOut, 17 + 5 + kBandWordGain, 150);
    image.SetWord(kChMainOut, 17 + kBandWordGain, 120);
    data.LoadAllFromImage(image);
    EXPECT_EQ(data.MainOut(0).GetEQ().GetAt(1).m_bFlat, 0);
    EXPECT_EQ(data.MainOut(0).GetEQ().GetAt(0).m_bFlat, 1);
}

TEST(FilterReset, BandsBackToInitialCrossoversUntouched) {
    CAudioData data;
    CAudioSubData& sub = data.Sub(0);
    sub.GetEQ().GetAt(0).SetFreq(100);
    sub.GetEQ().GetAt(0).SetGain(150);
    sub.GetHighPass()->SetXoverFreq(20);
    sub.GetLowPass()->SetXoverFreq(200);
    sub.SetEqBypass(1);
    EXPECT_FALSE(sub.ResetEq());
    EXPECT_EQ(sub.GetEQ().GetAt(0).GetFreq(), 100);
    // Only 1 bypasses: any other word leaves the equaliser active.
    sub.SetEqBypass(4);
    EXPECT_TRUE(sub.ResetEq());
    sub.GetEQ().GetAt(0).SetFreq(100);
    sub.SetEqBypass(0);
    EXPECT_TRUE(sub.ResetEq());
    const CFilter& band = sub.GetEQ().GetAt(0);
    EXPECT_EQ(band.GetFreq(), 0);
    EXPECT_EQ(band.GetGain(), 120);
    EXPECT_EQ(band.GetQ(), 16);
    EXPECT_EQ(band.GetSlope(), 16);
    EXPECT_FALSE(band.BandWordChanged(kBandWordFreq));
    EXPECT_EQ(sub.GetHighPass()->GetXoverFreq(), 20);
    EXPECT_EQ(sub.GetLowPass()->GetXoverFreq(), 200);
}

}  // namespace
