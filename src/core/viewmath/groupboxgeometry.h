// Frame lines of the colour group box: two pens draw a double line around the frame rectangle,
// and the top line leaves a gap for the caption.
#pragma once

#include <array>
#include <vector>

enum class ECaptionAlign { Left, Right, Centre };

// Distance of a left- or right-aligned caption from the frame's edge.
inline constexpr int kGroupCaptionMargin = 8;

struct SFramePoint {
    int nX = 0;
    int nY = 0;
    bool operator==(const SFramePoint&) const = default;
};

struct SGroupBoxLines {
    int nTopY = 0;   // y of the top line; the caption is centred on it
    int nGapX1 = 0;  // caption gap, x1 ... x2
    int nGapX2 = 0;
    // First pen: one connected line from the gap's left end round the frame to its right end.
    std::vector<SFramePoint> firstPen;
    // Second pen: three lines inside and outside the first (the lighter edge of the frame).
    std::array<std::vector<SFramePoint>, 3> secondPen;
};

// Frame rectangle L, T, R, B; nLineWidth the pen width; nFontHeight the height of the control's
// own font (places the top line); nCaptionWidth the caption's width in the caption font.
SGroupBoxLines ComputeGroupBoxLines(int nLeft, int nTop, int nRight, int nBottom, int nLineWidth,
                                    int nFontHeight, int nCaptionWidth, ECaptionAlign align);
