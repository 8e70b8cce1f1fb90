// Geometry of the response curve view: where the plot sits in the view, the grid, the handle of
// a band record and the integer curve points of its response. Plot-relative coordinates put
// 20 Hz and +12 dB at (0, 0); client coordinates add the plot's left and top insets.
#pragma once

#include <array>
#include <span>

#include "core/dsp/frequencygrid.h"

// The plot is the view's client area less these margins.
inline constexpr int kCurveInsetLeft = 35;
inline constexpr int kCurveInsetTop = 10;
inline constexpr int kCurveInsetRight = 10;
inline constexpr int kCurveInsetBottom = 20;

// A band's handle is a 16 x 16 circle; it may stand out of the plot by half its size.
inline constexpr int kCurveHandleSize = 16;
inline constexpr int kCurveHandleHalf = kCurveHandleSize / 2;

// A record's curve: the 361 grid points between two points on the 0 dB line at the plot's
// left and right edges.
inline constexpr int kCurvePointCount = kFreqCount + 2;

// Vertical grid lines: 20 ... 100 Hz, 200 ... 1000 Hz and 2000 ... 10000 Hz.
inline constexpr int kCurveGridCount = 27;

struct SCurvePoint {
    int x = 0;
    int y = 0;
    bool operator==(const SCurvePoint&) const = default;
};

// A rectangle whose right and bottom edges are outside it.
struct SCurveRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SCurveRect&) const = default;
    bool Contains(SCurvePoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    SCurvePoint Centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
};

// The plot rectangle in client coordinates for a client area of the given size.
SCurveRect CurvePlotRect(int clientWidth, int clientHeight);

// Plot-relative y of a level for a plot of height h, limited to a range far outside the plot
// so that a response of -inf dB or NaN still maps to a drawable number.
double CurveYOfDb(double dB, int h);

// Frequency under plot-relative x: 20 Hz ... 20 kHz, truncated to whole hertz.
int CurveFreqAtX(int x, int w);

// Client x of the 27 vertical grid lines for a plot of width w.
std::array<int, kCurveGridCount> CurveGridX(int w);

// Handle of a parametric band centred on (x(hz), y(gainDb)) in a w x h plot, kept within half a
// handle of the plot's right and bottom edges, not left of -8 and not above the plot's top.
// Client coordinates.
SCurveRect BandHandleRect(double hz, double gainDb, int w, int h);
// Handle of a crossover record on the 0 dB line at x(hz), kept within half a handle of the
// plot's left and right edges. Client coordinates.
SCurveRect CrossoverHandleRect(double hz, int w, int h);

// Integer curve of a record's response in client coordinates: the left 0 dB point, one point
// per grid frequency, the right 0 dB point.
void ComputeCurvePoints(std::span<const double, kFreqCount> responseDb, int w, int h,
                        std::span<SCurvePoint, kCurvePointCount> out);

// Where an axis label `textWidth` wide whose place is `x` starts so that it stays whole inside
// a client area ending at `clientRight` (the last frequency label, "20K", near the right edge).
int AxisLabelX(int x, int textWidth, int clientRight);
