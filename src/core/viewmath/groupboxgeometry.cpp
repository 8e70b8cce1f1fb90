#include "core/viewmath/groupboxgeometry.h"

SGroupBoxLines ComputeGroupBoxLines(int nLeft, int nTop, int nRight, int nBottom, int nLineWidth,
                                    int nFontHeight, int nCaptionWidth, ECaptionAlign align) {
    const int w = nLineWidth;
    SGroupBoxLines lines;
    const int y = nTop + nFontHeight / 2 - 1;
    lines.nTopY = y;
    switch (align) {
        case ECaptionAlign::Left:
            lines.nGapX1 = nLeft + kGroupCaptionMargin;
            lines.nGapX2 = lines.nGapX1 + nCaptionWidth;
            break;
        case ECaptionAlign::Right:
            lines.nGapX2 = nRight - kGroupCaptionMargin;
            lines.nGapX1 = lines.nGapX2 - nCaptionWidth;
            break;
        case ECaptionAlign::Centre:
            lines.nGapX1 = ((nRight - nLeft) - nCaptionWidth) / 2;
            lines.nGapX2 = lines.nGapX1 + nCaptionWidth;
            break;
    }
    const int x1 = lines.nGapX1;
    const int x2 = lines.nGapX2;
    lines.firstPen = {{x1, y},         {nLeft, y}, {nLeft, nBottom - w}, {nRight - w, nBottom - w},
                      {nRight - w, y}, {x2, y}};
    lines.secondPen[0] = {{x1, y + w}, {nLeft + w, y + w}, {nLeft + w, nBottom - 2 * w}};
    lines.secondPen[1] = {{nLeft + w, nBottom}, {nRight, nBottom}, {nRight, y + w}};
    lines.secondPen[2] = {{nRight - 2 * w, y + w}, {x2, y + w}};
    return lines;
}
