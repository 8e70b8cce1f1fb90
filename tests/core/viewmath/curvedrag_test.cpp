#include "core/viewmath/curvedrag.h"

#include <gtest/gtest.h>

#include "core/model/audiodata.h"
#include "core/model/conversiontool.h"
#include "core/viewmath/curvelabel.h"
#include "core/viewmath/curvenotify.h"

namespace {

// The plot is 600 x 360 at client (35, 10): x(200 Hz) = 235, x(1 kHz) = 374.8, y(0 dB) = 130.
constexpr int kW = 600;
constexpr int kH = 360;

// Main out scene 0, band 1: 1000 Hz (index 204), 0 dB, handle centre (374, 130); its words
// are 22 (gain) to 26 (frequency) of channel 3.
struct SBandRig {
    SBandRig() {
        data.SetPlotSize(kW, kH);
        data.SetAllChanged(0);
    }
    CFilter& Band() { return data.MainOut(0).GetEQ().GetAt(1); }
    CAudioData data;
};

TEST(CurveDrag, BandDraggedToEveryEdge) {
    const struct {
        const char* name;
        SCurvePoint pointer;
        int freq;
        int gain;
    } cases[] = {
        {"above the plot: +12 dB", {375, 0}, 204, 180},
        {"far above the view", {375, -300}, 204, 180},
        {"below the plot: -24 dB", {375, 400}, 204, 0},
        {"left edge: 20 Hz is index 1 (20.1 Hz is nearer than 19.7 Hz)", {0, 130}, 1, 120},
        {"right edge: 20.2 kHz", {700, 130}, 360, 120},
        {"top-left corner", {-20, -20}, 1, 180},
        {"bottom-right corner", {900, 900}, 360, 0},
        {"inside: 200 Hz (tie between 198 and 202 goes up), +6 dB", {235, 70}, 121, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SBandRig rig;
        CFilter& band = rig.Band();
        EXPECT_TRUE(PointToFD(band, c.pointer));
        EXPECT_EQ(band.m_nFreq, c.freq);
        EXPECT_EQ(band.m_nGain, c.gain);
        EXPECT_EQ(band.m_dFreqHz, FreqAt(c.freq));
        EXPECT_EQ(band.m_dGainDb, GainIndexToDb(c.gain));
        EXPECT_EQ(band.m_bFlat, c.gain == 120 ? 1 : 0);
        // Only the words that changed are written (the fresh image holds 0).
        EXPECT_EQ(rig.data.Image().Word(3, 26), c.freq != 204 ? c.freq : 0);
        EXPECT_EQ(rig.data.Image().Word(3, 22), c.gain != 120 ? c.gain : 0);
        EXPECT_EQ(band.m_bFreqChanged, c.freq != 204 ? 1 : 0);
        EXPECT_EQ(band.m_bGainChanged, c.gain != 120 ? 1 : 0);
        // The handle follows: its centre is back on the values' pixels.
        EXPECT_EQ(band.m_rcHandle, BandHandleRect(band.m_dFreqHz, band.m_dGainDb, kW, kH));
    }
}

TEST(CurveDrag, ADragThatKeepsBothIndexesWritesNothing) {
    SBandRig rig;
    CFilter& band = rig.Band();
    const DeviceImage before = rig.data.Image();
    // x 375 reads 1002 Hz, nearest 1000 Hz; y 130 is the handle's own row.
    EXPECT_FALSE(PointToFD(band, {375, 130}));
    // The handle's centre itself reads 984 Hz (nearer 981 Hz) but keeps the band where it is.
    EXPECT_FALSE(PointToFD(band, band.m_rcHandle.Centre()));
    EXPECT_EQ(band.m_nFreq, 204);
    EXPECT_EQ(band.m_nGain, 120);
    EXPECT_EQ(band.m_bFreqChanged + band.m_bGainChanged, 0);
    EXPECT_EQ(rig.data.Image().blocks, before.blocks);
}

TEST(CurveDrag, GrabOffsetIsTakenOffThePointer) {
    SBandRig rig;
    CFilter& band = rig.Band();
    band.m_ptGrabOffset = {3, -2};
    EXPECT_TRUE(PointToFD(band, {3, 128}));  // the centre goes to (0, 130)
    EXPECT_EQ(band.m_nFreq, 1);
    EXPECT_EQ(band.m_nGain, 120);
}

// One drag from the left edge to the right edge along the 0 dB row: every step reports a
// change exactly when the frequency index moved, and the index only rises.
TEST(CurveDrag, SweepReportsEveryIndexChangeOnce) {
    SBandRig rig;
    CFilter& band = rig.Band();
    int previous = band.m_nFreq;
    int reported = 0;
    PointToFD(band, {0, 130});
    previous = band.m_nFreq;
    for (int x = 1; x <= 35 + kW + 20; ++x) {
        band.SetAllChanged(0);
        const bool changed = PointToFD(band, {x, 130});
        ASSERT_EQ(changed, band.m_nFreq != previous) << "x " << x;
        ASSERT_EQ(band.m_bFreqChanged, changed ? 1 : 0) << "x " << x;
        ASSERT_GE(band.m_nFreq, previous) << "x " << x;
        ASSERT_EQ(band.m_nGain, 120);
        reported += changed ? 1 : 0;
        previous = band.m_nFreq;
    }
    EXPECT_EQ(band.m_nFreq, 360);
    // 600 pixels over three decades cannot reach every one of the 360 steps.
    EXPECT_GT(reported, 150);
    EXPECT_LT(reported, 360);
}

TEST(CurveDrag, CrossoverLimitsByPage) {
    const struct {
        bool highPass;
        int page;
        int index;
        std::optional<int> limited;
    } cases[] = {
        {true, 1, 300, 142},  {true, 3, 300, 142},
        {true, 4, 300, 142},  {true, 5, 300, 142},
        {true, 0, 300, 143},  {true, 2, 300, 205},
        {true, 3, 100, 100},  {true, 7, 100, std::nullopt},
        {false, 3, 1, 297},   {false, 3, 330, 330},
        {false, 5, 360, 142}, {false, 5, 1, 1},
        {false, 4, 1, 1},     {false, 7, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.highPass ? "HP" : "LP") << " page " << c.page << " index " << c.index);
        EXPECT_EQ(LimitCrossoverIndex(c.highPass, c.page, c.index), c.limited);
    }
}

// Crossover drags on every output and the microphone, pointer x in client coordinates (the
// crossover's handle is grabbed at its centre, so no offset).
TEST(CurveDrag, CrossoverDrags) {
    enum Which { kMainHp, kMainLp, kCenterLp, kSubHp, kSubLp, kMicHp };
    const struct {
        const char* name;
        Which which;
        int page;
        int startIndex;
        int pointerX;
        bool changed;
        int index;
    } cases[] = {
        {"main high-pass to 200 Hz", kMainHp, 3, 0, 235, true, 121},
        {"main high-pass to the right edge stops at 142", kMainHp, 3, 0, 700, true, 142},
        {"high-pass within 10 px of the left edge switches off", kMainHp, 3, 121, 45, true, 0},
        {"an off high-pass stays off without a report", kMainHp, 3, 0, 40, false, 0},
        {"11 px from the edge is not off", kMainHp, 3, 121, 46, true, 6},
        {"high-pass on a page without limits keeps its index", kMainHp, 7, 50, 235, false, 50},
        {"microphone high-pass stops at 142", kMicHp, 1, 0, 700, true, 142},
        {"main low-pass at the left edge stops at 297, never off", kMainLp, 3, 360, 45, true, 297},
        {"main low-pass left of the view stops at 297", kMainLp, 3, 360, -100, true, 297},
        {"main low-pass already at 297 reports nothing", kMainLp, 3, 297, 0, false, 297},
        {"main low-pass to the right edge", kMainLp, 3, 300, 700, true, 360},
        {"center low-pass at the left edge goes to 1, not off", kCenterLp, 4, 360, 0, true, 1},
        {"sub high-pass never above 142", kSubHp, 5, 0, 700, true, 142},
        {"sub low-pass never above 142", kSubLp, 5, 142, 700, false, 142},
        {"sub low-pass from 100 to the right edge", kSubLp, 5, 100, 700, true, 142},
        {"sub low-pass to the left edge", kSubLp, 5, 142, 35, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CAudioData data;
        data.SetPlotSize(kW, kH);
        CFilter* records[] = {
            data.MainOut(0).GetEQ().GetHighPass(), data.MainOut(0).GetEQ().GetLowPass(),
            data.Center(0).GetEQ().GetLowPass(),   data.Sub(0).GetEQ().GetHighPass(),
            data.Sub(0).GetEQ().GetLowPass(),      data.Mic().GetEQ().GetHighPass()};
        CFilter& xover = *records[c.which];
        xover.SetXoverFreq(static_cast<std::int16_t>(c.startIndex));
        data.SetAllChanged(0);
        EXPECT_EQ(CrossoverPointToFD(xover, c.pointerX, c.page), c.changed);
        EXPECT_EQ(xover.m_nXoverFreq, c.index);
        EXPECT_EQ(xover.m_bXoverFreqChanged, c.changed ? 1 : 0);
        EXPECT_EQ(data.Image().Word(xover.Channel(), xover.XoverFreqWord()), c.index);
        EXPECT_EQ(xover.m_rcHandle, CrossoverHandleRect(FreqAt(c.index), kW, kH));
    }
}

TEST(CurveDrag, WheelTurnsQOrShelfSlopeOfBandsOnly) {
    const struct {
        const char* name;
        int type;  // -1: the microphone's high-pass filter
        int q;
        int slope;
        int direction;
        bool changed;
        int newQ;
        int newSlope;
    } cases[] = {
        {"peaking up", 0, 16, 0, 1, true, 17, 0},
        {"peaking down", 0, 16, 0, -1, true, 15, 0},
        {"peaking at 100 does not rise", 0, 100, 0, 1, false, 100, 0},
        {"peaking at 0 does not fall", 0, 0, 0, -1, false, 0, 0},
        {"zero turn", 0, 16, 0, 0, false, 16, 0},
        {"shelf up", 2, 16, 27, 1, true, 16, 28},
        {"shelf at 28 does not rise", 2, 16, 28, 1, false, 16, 28},
        {"type 3 down", 3, 16, 5, -1, true, 16, 4},
        {"shelf at 0 does not fall", 2, 16, 0, -1, false, 16, 0},
        {"bypass type", 1, 16, 5, 1, false, 16, 5},
        {"crossover, even with a peaking type word", -1, 16, 5, 1, false, 16, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CAudioData data;
        CFilter& record = c.type < 0 ? *data.Mic().GetHighPass() : data.Music().GetEQ().GetAt(3);
        record.m_nType = static_cast<std::int16_t>(c.type < 0 ? 0 : c.type);
        record.m_nQ = static_cast<std::int16_t>(c.q);
        record.m_nSlope = static_cast<std::int16_t>(c.slope);
        record.SetAllChanged(0);
        EXPECT_EQ(StepBandQ(record, c.direction), c.changed);
        EXPECT_EQ(record.m_nQ, c.newQ);
        EXPECT_EQ(record.m_nSlope, c.newSlope);
        EXPECT_EQ(record.m_bQChanged + record.m_bSlopeChanged, c.changed ? 1 : 0);
        if (c.changed) {
            EXPECT_EQ(record.m_dQ, c.type == 0 ? QAt(c.newQ) : SlopeAt(c.newSlope));
        }
    }
}

TEST(CurveNotify, CodesAndTheirPages) {
    const struct {
        int kind;
        int element;
        int code;
    } cases[] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 1}, {2, 1, 2}, {3, 0, 3},  {3, 1, 4},
                 {4, 0, 5}, {4, 1, 6}, {5, 0, 7}, {5, 1, 8}, {6, 0, -1}, {-1, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " element " << c.element);
        EXPECT_EQ(CurveNotifyCode(c.kind, c.element), c.code);
        if (c.code >= 0) {
            // The code is the band set's channel, and it routes back to its page.
            EXPECT_EQ(c.code, OwnerChannel(static_cast<OwnerKind>(c.kind), c.element));
            const int scene = c.kind >= 3 ? c.element : 0;
            EXPECT_EQ(CurveNotifyTarget(c.code), (SCurvePageTarget{c.kind, scene}));
        }
    }
    for (int code : {-1, 9, 10, 0x4C8, -100}) {
        EXPECT_FALSE(CurveNotifyTarget(code).has_value()) << code;
    }
}

TEST(CurveLabel, DescriptionsAndHandleLabels) {
    CAudioData data;
    CEQ& eq = data.MainOut(0).GetEQ();
    CFilter& band = eq.GetAt(2);
    band.SetFreq(204);
    band.SetGain(105);
    EXPECT_EQ(CurveRecordDescription(band, 2), "EQ3:Freq:1000.0Hz Q:1.00 Gain:-3.0dB");
    band.SetType(1);  // bypass type: flat whatever the gain word says
    EXPECT_EQ(CurveRecordDescription(band, 2), "EQ3:Freq:1000.0Hz Q:1.00 Gain:0.0dB");
    band.SetType(2);
    band.SetGain(150);
    band.SetSlope(28);
    EXPECT_EQ(CurveRecordDescription(band, 2), "EQ3:Freq:1000.0Hz Q:2.00 Gain:6.0dB");
    EXPECT_EQ(CurveRecordDescription(eq.GetAt(0), 0), "EQ1:Freq:80.3Hz Q:1.00 Gain:0.0dB");
    eq.GetHighPass()->SetXoverFreq(121);
    EXPECT_EQ(CurveRecordDescription(*eq.GetHighPass(), 3), "HPF:202.0Hz");
    EXPECT_EQ(CurveRecordDescription(*eq.GetLowPass(), 4), "LPF:20200.0Hz");
    EXPECT_EQ(CurveHandleLabel(eq.GetAt(0), 0), "1");
    EXPECT_EQ(CurveHandleLabel(*eq.GetHighPass(), 3), "H");
    EXPECT_EQ(CurveHandleLabel(*eq.GetLowPass(), 4), "L");
    EXPECT_EQ(CurveHandleLabel(*data.Mic().GetHighPass(), 15), "H");
    EXPECT_EQ(CurveHandleLabel(data.Mic().GetEQ().GetAt(14), 14), "15");
}

}  // namespace
