#include "core/dsp/filterresponse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/model/audiodata.h"
#include "core/model/conversiontool.h"

namespace {

constexpr int kIndex1k = 204;  // 1000 Hz
constexpr int kOctave = 36;

TEST(ResponseBand, ZeroDbPeakingBandIsExactlyFlat) {
    CAudioData data;
    for (int k = 0; k < 7; ++k) {
        CFilter& band = data.Music().GetEQ().GetAt(k);
        band.SetQ(static_cast<int16_t>(10 * k));
        band.SetGain(120);
        for (double v : band.Response())
            ASSERT_EQ(v, 0.0);
    }
    for (double v : data.Music().GetEQ().SumResponse())
        ASSERT_EQ(v, 0.0);
}

TEST(ResponseBand, PeakingPlus12dBAt1kHz) {
    CFilter band;
    band.SetFreq(kIndex1k);
    band.SetQ(16);      // Q 1
    band.SetGain(180);  // +12 dB
    const auto& r = band.Response();
    EXPECT_NEAR(r[kIndex1k], 12.0, 1e-9);
    EXPECT_EQ(std::max_element(r.begin(), r.end()) - r.begin(), kIndex1k);
    for (int d : {6, kOctave, 2 * kOctave, 3 * kOctave}) {
        SCOPED_TRACE(d);
        EXPECT_NEAR(r[kIndex1k - d], r[kIndex1k + d], 0.1);  // symmetric on the log axis
        EXPECT_LT(r[kIndex1k + d], 12.0);
    }
    EXPECT_NEAR(r[0], 0.0, 0.05);
    // A bypassed or bypass-type band is flat whatever its gain.
    band.SetType(1);
    for (double v : band.Response())
        ASSERT_EQ(v, 0.0);
    band.SetType(0);
    band.m_bBypass = 1;
    band.UpdateResponse();
    for (double v : band.Response())
        ASSERT_EQ(v, 0.0);
}

TEST(ResponseBand, UnusedTypesAreFlatUnknownTypesKeepTheResponse) {
    CFilter band;
    band.SetFreq(kIndex1k);
    band.SetGain(150);
    const double peak = band.Response()[kIndex1k];
    EXPECT_NEAR(peak, 6.0, 1e-9);
    band.m_nType = 7;  // as a file may carry it
    band.m_nGain = 60;
    band.UpdateResponse();
    EXPECT_EQ(band.Response()[kIndex1k], peak);
    band.m_nType = 3;
    band.UpdateResponse();
    for (double v : band.Response())
        ASSERT_EQ(v, 0.0);
    // Back to a peaking band at +6 dB: the peak again, though only the type differs from the
    // flat band's values.
    band.SetType(0);
    band.SetGain(150);
    EXPECT_NEAR(band.Response()[kIndex1k], peak, 1e-9);
}

TEST(ResponseBand, HighShelfUsesTheShelfSlope) {
    CFilter band;
    band.SetType(2);
    band.SetFreq(kIndex1k);
    band.SetSlope(16);
    band.SetGain(150);  // +6 dB
    const auto& r = band.Response();
    EXPECT_NEAR(r[0], 0.0, 0.05);
    EXPECT_NEAR(r[330], 6.0, 0.1);
    EXPECT_NEAR(r[kIndex1k], 3.0, 0.1);  // half the shelf gain at the corner
}

TEST(ResponseBand, PlusAndMinusSixDbCancel) {
    CAudioData data;
    CEQ& eq = data.Echo().GetEQ();
    for (int k = 0; k < 2; ++k) {
        eq.GetAt(k).SetFreq(150);
        eq.GetAt(k).SetQ(30);
    }
    eq.GetAt(0).SetGain(150);
    eq.GetAt(1).SetGain(90);
    eq.GetAt(2).SetGain(120);
    EXPECT_NEAR(eq.GetAt(0).Response()[150], 6.0, 1e-9);
    for (double v : eq.SumResponse())
        ASSERT_NEAR(v, 0.0, 1e-9);
}

// dB per octave in the far stop band, measured between two grid points an octave apart.
double SlopeAt(const ResponseDb& r, int upper) {
    return r[static_cast<std::size_t>(upper)] - r[static_cast<std::size_t>(upper - kOctave)];
}

TEST(ResponseCrossover, CreatedHighPassFalls18dBPerOctave) {
    CAudioData data;
    CFilter* hp = data.MainOut(0).GetHighPass();
    hp->SetXoverFreq(kIndex1k + 1);  // corner at the grid entry below: 1000 Hz
    const auto& r = hp->Response();
    EXPECT_NEAR(r[kIndex1k], -3.01, 0.05);
    EXPECT_NEAR(SlopeAt(r, kIndex1k - 3 * kOctave), 18.0, 0.3);
    EXPECT_NEAR(r[360], 0.0, 0.05);
    EXPECT_LE(*std::max_element(r.begin(), r.end()), 1e-6);  // Butterworth: no overshoot
    // Index 1: corner at 19.7 Hz; index 0: off.
    hp->SetXoverFreq(1);
    EXPECT_NEAR(hp->Response()[0], -3.01, 0.05);
    hp->SetXoverFreq(0);
    for (double v : hp->Response())
        ASSERT_EQ(v, 0.0);
}

TEST(ResponseCrossover, VariableQOnlyForStepCodes3And4) {
    CAudioData data;
    CFilter* hp = data.Center(1).GetHighPass();
    hp->SetXoverFreq(150);
    hp->SetXoverQ(23);  // Q 1.5
    for (int code = 0; code <= 5; ++code) {
        SCOPED_TRACE(code);
        hp->SetXoverStepCode(static_cast<int16_t>(code));
        const double peak = *std::max_element(hp->Response().begin(), hp->Response().end());
        if (code == 3 || code == 4) {
            EXPECT_GT(peak, 1.0);
        } else {
            EXPECT_LE(peak, 1e-6);
        }
        // The first-order section stays: still 18 dB per octave far below.
        EXPECT_NEAR(SlopeAt(hp->Response(), 150 - 3 * kOctave), 18.0, 0.5);
    }
}

TEST(ResponseCrossover, LowPassIsFirstOrderWhateverItsStepCode) {
    CAudioData data;
    for (int code : {0, 2, 3, 4}) {
        SCOPED_TRACE(code);
        CFilter* lp = data.MainOut(1).GetLowPass();
        lp->SetXoverStepCode(static_cast<int16_t>(code));
        lp->SetXoverFreq(96);  // main: corner at its own index (125 Hz)
        const auto& r = lp->Response();
        EXPECT_NEAR(r[96], -3.01, 0.05);
        EXPECT_NEAR(SlopeAt(r, 96 + 3 * kOctave), -6.0, 0.3);
    }
    // The subwoofer's low-pass corner is one grid step below its index.
    CFilter* sub = data.Sub(0).GetLowPass();
    EXPECT_NEAR(sub->Response()[141], -3.01, 0.05);  // created at 142
    data.MainOut(0).GetLowPass()->SetXoverFreq(360);
    for (double v : data.MainOut(0).GetLowPass()->Response())
        ASSERT_EQ(v, 0.0);
}

TEST(ResponseMath, DesignAndEvaluate) {
    Coeffs den{9, 9, 9}, num{8, 8, 8};
    DesignFirstOrder(3, 1000, den, num);  // unknown kind: untouched
    EXPECT_EQ(den, (Coeffs{9, 9, 9}));
    EXPECT_EQ(num, (Coeffs{8, 8, 8}));
    DesignFirstOrder(kFirstOrderLowPass, 1000, den, num);
    EXPECT_EQ(den[0], 1.0);
    EXPECT_EQ(den[2], 0.0);
    EXPECT_NEAR(num[0] + num[1], 1 + den[1], 1e-12);  // unity gain at DC
    std::array<std::complex<double>, kFreqCount> h{};
    EvaluateResponse(den, num, h);
    EXPECT_NEAR(std::abs(h[0]), 1.0, 1e-3);
    EXPECT_NEAR(20 * std::log10(std::abs(h[kIndex1k])), -3.01, 0.02);
    // The all-pass keeps unit magnitude everywhere.
    DesignBiquad(kBiquadAllPass, 2000, 0.7, 0, den, num);
    EvaluateResponse(den, num, h);
    for (const auto& v : h)
        ASSERT_NEAR(std::abs(v), 1.0, 1e-9);
    // Low shelf: full gain at the bottom, none at the top.
    DesignBiquad(kBiquadLowShelf, 1000, 1, 6, den, num);
    EvaluateResponse(den, num, h);
    EXPECT_NEAR(20 * std::log10(std::abs(h[0])), 6.0, 0.05);
    EXPECT_NEAR(20 * std::log10(std::abs(h[360])), 0.0, 0.05);
    EXPECT_EQ(ResponseGridHz(360), 20000.0);
    EXPECT_EQ(ResponseGridHz(400), 20000.0);
    EXPECT_EQ(ResponseGridHz(0), 19.7);
}

TEST(ResponseMath, CrossoverTables) {
    const int orders[] = {1, 2, 3, 4, 6, 8, 8, 1};
    const int steps[] = {0, 1, 2, 3, 4, 5, 9, -1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(CrossoverOrder(steps[i]), orders[i]);
    EXPECT_EQ(CrossoverStageQ(kFamilyBessel, 3, 0), 0.691);
    EXPECT_EQ(CrossoverStageQ(kFamilyButterworth, 8, 3), 2.5628);
    EXPECT_EQ(CrossoverStageQ(kFamilyLinkwitzRiley, 6, 2), 1.0);
    EXPECT_EQ(CrossoverStageQ(kFamilyLinkwitzRiley, 6, 3), 0.0);
    EXPECT_EQ(CrossoverStageQ(kFamilyButterworth, 1, 0), 0.0);
    EXPECT_EQ(CrossoverStageQ(7, 2, 0), 0.5);  // family clamped
    // Orders 6 and 8 are all second-order sections: 36 and 48 dB per octave.
    ResponseDb r{};
    CrossoverResponse(true, 1000, kFamilyButterworth, 4, false, 0, r);
    EXPECT_NEAR(SlopeAt(r, kIndex1k - 2 * kOctave), 36.0, 0.6);
    CrossoverResponse(false, 1000, kFamilyLinkwitzRiley, 5, false, 0, r);
    EXPECT_NEAR(SlopeAt(r, 340), -48.0, 3.0);
}

// Single points of whole records, from an independent double-precision evaluation of the design
// formulas on the grid (last point 20000 Hz, angular frequency from truncated tenths of a hertz).
TEST(ResponseMath, RecordResponsesAtGridPoints) {
    struct Case {
        const char* what;
        int channel;  // record's channel (owner kind and scene)
        int record;   // position in the band set
        int type, freq, gain, q, slope;
        int xoverFreq, stepCode, xoverQ, family, slopeStep;
        int point;
        double db;
    };
    const Case cases[] = {
        {"peaking 1 kHz Q 1 +12 dB", 0, 0, 0, 204, 180, 16, 0, 0, 0, 0, 0, 0, 240, 3.962075868},
        {"peaking at 20 kHz", 0, 0, 0, 204, 180, 16, 0, 0, 0, 0, 0, 0, 360, 0.037633534},
        {"high shelf 8 kHz -6 dB", 2, 1, 2, 312, 90, 16, 0, 0, 0, 0, 0, 0, 300, -2.551798608},
        {"high shelf at 20 kHz", 2, 1, 2, 312, 90, 16, 0, 0, 0, 0, 0, 0, 360, -4.758944544},
        {"main high-pass, variable Q 1.5", 3, 3, 4, 0, 120, 16, 0, 150, 3, 23, 1, 2, 114,
         -16.760825412},
        {"main high-pass peak", 3, 3, 4, 0, 120, 16, 0, 150, 3, 23, 1, 2, 150, 0.755312505},
        {"sub low-pass one step below", 7, 4, 5, 0, 120, 16, 0, 100, 0, 0, 0, 0, 100, -3.108995212},
        {"sub low-pass at 20 kHz", 7, 4, 5, 0, 120, 16, 0, 100, 0, 0, 0, 0, 360, -43.927336042},
        {"center low-pass, order 8 LR", 5, 4, 5, 0, 120, 16, 0, 300, 0, 0, 2, 5, 300, -5.620057672},
        {"center low-pass far", 5, 4, 5, 0, 120, 16, 0, 300, 0, 0, 2, 5, 336, -48.892068394},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CAudioData data;
        CFilter& f = data.EqRecordOfChannel(c.channel)->GetEQ().GetAt(c.record);
        // As a parameter file may carry them.
        f.m_nFamily = static_cast<int16_t>(c.family);
        f.m_nSlopeStep = static_cast<int16_t>(c.slopeStep);
        f.SetXoverStepCode(static_cast<int16_t>(c.stepCode));
        f.SetXoverQ(static_cast<int16_t>(c.xoverQ));
        f.SetXoverFreq(static_cast<int16_t>(c.xoverFreq));
        if (c.type < kTypeHighPass) {
            f.SetType(static_cast<int16_t>(c.type));
            f.SetFreq(static_cast<int16_t>(c.freq));
            if (c.type == kTypePeaking)
                f.SetQ(static_cast<int16_t>(c.q));
            else
                f.SetSlope(static_cast<int16_t>(c.slope));
            f.SetGain(static_cast<int16_t>(c.gain));
        }
        EXPECT_NEAR(f.Response()[static_cast<std::size_t>(c.point)], c.db, 1e-6);
    }
}

TEST(ResponseMath, NearestFrequencyIndexExamples) {
    EXPECT_EQ(NearestFrequencyIndex(20), 1);
    EXPECT_EQ(NearestFrequencyIndex(1010), 205);
    EXPECT_EQ(NearestFrequencyIndex(30000), 360);
}

}  // namespace
