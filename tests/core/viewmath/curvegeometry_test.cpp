#include "core/viewmath/curvegeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/model/audiodata.h"

namespace {

// A 600 x 360 plot: one decade is 200 px (x(200 Hz) = 200, x(2 kHz) = 400), one dB is 10 px
// (y(+12) = 0, y(0) = 120, y(-24) = 360).
constexpr int kW = 600;
constexpr int kH = 360;

TEST(CurveGeometry, PlotAndGrid) {
    EXPECT_EQ(CurvePlotRect(1100, 300), (SCurveRect{35, 10, 1090, 280}));
    const auto grid = CurveGridX(kW);
    EXPECT_EQ(grid[0], 35);         // 20 Hz: the plot's left edge
    EXPECT_EQ(grid[1], 35 + 35);    // 30 Hz: log10(1.5) * 200 = 35.2
    EXPECT_EQ(grid[8], 35 + 139);   // 100 Hz
    EXPECT_EQ(grid[9], 35 + 200);   // 200 Hz
    EXPECT_EQ(grid[17], 35 + 339);  // 1 kHz
    EXPECT_EQ(grid[26], 35 + 539);  // 10 kHz
}

TEST(CurveGeometry, FrequencyUnderXIsWholeHertzWithinTheAxis) {
    EXPECT_EQ(CurveFreqAtX(0, kW), 20);
    EXPECT_EQ(CurveFreqAtX(-40, kW), 20);
    EXPECT_EQ(CurveFreqAtX(200, kW), 200);
    EXPECT_EQ(CurveFreqAtX(340, kW), 1002);  // 1002.37 truncated
    EXPECT_EQ(CurveFreqAtX(kW, kW), 20000);
    EXPECT_EQ(CurveFreqAtX(kW + 50, kW), 20000);
    EXPECT_EQ(CurveFreqAtX(10, 0), 20);  // a plot without width
}

// Handle rectangles in client coordinates (plot at 35, 10), at the middle and every edge.
TEST(CurveGeometry, HandlesStayNearThePlot) {
    const struct {
        const char* name;
        bool crossover;
        double hz;
        double dB;
        SCurveRect rect;
    } cases[] = {
        {"band at 1 kHz, 0 dB", false, 1000, 0, {366, 122, 382, 138}},
        {"band at +12 dB keeps its top at the plot's top", false, 1000, 12, {366, 10, 382, 26}},
        {"band above the range", false, 1000, 20, {366, 10, 382, 26}},
        {"band at -24 dB", false, 1000, -24, {366, 362, 382, 378}},
        {"band below the range ends half a handle below the plot",
         false,
         1000,
         -40,
         {366, 362, 382, 378}},
        {"band at 19.7 Hz: left not below -8", false, 19.7, 0, {27, 122, 43, 138}},
        {"band at 20.2 kHz", false, 20200, 0, {627, 122, 643, 138}},
        {"band past the axis ends half a handle right of the plot",
         false,
         40000,
         0,
         {627, 122, 643, 138}},
        {"crossover off at 19.7 Hz", true, 19.7, 0, {27, 122, 43, 138}},
        {"crossover at 200 Hz", true, 200, 0, {227, 122, 243, 138}},
        {"crossover past the axis", true, 40000, 0, {627, 122, 643, 138}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SCurveRect r =
            c.crossover ? CrossoverHandleRect(c.hz, kW, kH) : BandHandleRect(c.hz, c.dB, kW, kH);
        EXPECT_EQ(r, c.rect);
        EXPECT_EQ(r.right - r.left, kCurveHandleSize);
        EXPECT_EQ(r.bottom - r.top, kCurveHandleSize);
    }
}

TEST(CurveGeometry, CurvePointsRunFromZeroDbToZeroDb) {
    std::array<double, kFreqCount> response{};
    response[204] = -6;  // 1000 Hz
    response[0] = -std::numeric_limits<double>::infinity();
    response[1] = std::numeric_limits<double>::quiet_NaN();
    std::array<SCurvePoint, kCurvePointCount> points{};
    ComputeCurvePoints(response, kW, kH, points);
    EXPECT_EQ(points[0], (SCurvePoint{35, 130}));
    EXPECT_EQ(points[kCurvePointCount - 1], (SCurvePoint{635, 130}));
    EXPECT_EQ(points[205], (SCurvePoint{374, 190}));  // x 339.8 + 35, y 180 + 10
    EXPECT_EQ(points[206].y, 130);
    EXPECT_EQ(points[361].x, 635);  // 20.2 kHz: x 600.9 + 35
    // A response without a finite value still gives a point, far below the plot.
    EXPECT_GT(points[1].y, 100000);
    EXPECT_GT(points[2].y, 100000);
    EXPECT_EQ(points[1].x, 33);  // 19.7 Hz lies just left of the plot
}

// The band records keep their view data current: laid out with the plot, moved by every
// setter that moves the response.
TEST(CurveGeometry, RecordsFollowThePlotAndTheirValues) {
    CAudioData data;
    data.SetPlotSize(kW, kH);
    CFilter& band = data.MainOut(1).GetEQ().GetAt(1);  // 1000 Hz, 0 dB
    EXPECT_EQ(band.m_nPlotWidth, kW);
    EXPECT_EQ(band.m_rcHandle, (SCurveRect{366, 122, 382, 138}));
    band.SetGain(180);  // +12 dB
    EXPECT_EQ(band.m_rcHandle, (SCurveRect{366, 10, 382, 26}));
    EXPECT_EQ(band.CurvePoints()[205].x, 374);
    EXPECT_NEAR(band.CurvePoints()[205].y, 10, 1);
    band.SetType(1);  // bypass type: flat whatever the gain, so back on the 0 dB line
    EXPECT_EQ(band.m_rcHandle, (SCurveRect{366, 122, 382, 138}));
    EXPECT_EQ(band.CurvePoints()[205], (SCurvePoint{374, 130}));

    const CFilter* subLow = data.Sub(0).GetEQ().GetLowPass();  // index 142, 303 Hz
    EXPECT_EQ(subLow->m_rcHandle, (SCurveRect{263, 122, 279, 138}));
    EXPECT_EQ(data.Mic().GetEQ().GetAt(14).m_nPlotHeight, kH);
    data.SetPlotSize(300, 180);
    EXPECT_EQ(data.Music().GetEQ().GetAt(0).m_nPlotWidth, 300);
    EXPECT_EQ(band.CurvePoints().back(), (SCurvePoint{300 + 35, 10 + 60}));
}

}  // namespace

TEST(CurveGeometry, TheLastAxisLabelStaysWholeInsideTheView) {
    // "20K" 21 px wide under the plot's right edge of a 1100 px view: pulled in to end at 1099.
    EXPECT_EQ(AxisLabelX(1092, 21, 1099), 1078);
    // Far from the edge it stays where it stands.
    EXPECT_EQ(AxisLabelX(500, 21, 1099), 500);
}
