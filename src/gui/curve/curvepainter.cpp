#include "gui/curve/curvepainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "core/dsp/spectrum.h"
#include "core/model/eq.h"
#include "core/viewmath/curvelabel.h"

namespace {

const QColor kBackground(23, 23, 23);
const QColor kAxisText(160, 160, 160);
const QColor kPlotFrame(61, 63, 68);
const QColor kGridLine(60, 60, 60);
const QColor kCurve(14, 186, 7);
const QColor kBypassText(200, 200, 200);
const QColor kInfoText(241, 241, 241);
const QColor kHandleText(0, 0, 0);

// Bars above these heights (pixels) take the first or second colour, others the third.
constexpr int kBarHighLevel = 80;
constexpr int kBarMidLevel = 60;
const QColor kBarColours[3] = {QColor(0, 195, 0), QColor(0, 195, 0), QColor(0, 195, 0)};
constexpr bool kBarFrame = true;

constexpr int kAxisFontHeight = 14;
constexpr int kInfoFontHeight = 18;
constexpr int kBypassFontHeight = 60;
// 8 points at 96 dots per inch.
constexpr int kHandleFontPixels = 11;

constexpr int kLevelLabelX = 6;
constexpr int kCurvePenWidth = 2;
constexpr int kHorizontalGridLines = 12;
constexpr double kHorizontalGridDivisions = 9.0;

// Where the information line and the "Bypass" text stand.
constexpr int kInfoInset = 5;
constexpr int kInfoRight = 300;
constexpr int kInfoBottom = 50;
constexpr int kBypassWidth = 200;
constexpr int kBypassHeight = 100;

// Frequency labels: the grid line they stand under and their offset from it.
struct SFreqLabel {
    const char* text;
    int grid;
    int offset;
};
constexpr SFreqLabel kFreqLabels[] = {{"20", 0, -5},  {"50", 3, -5},   {"100", 8, -8},
                                      {"200", 9, -8}, {"500", 12, -8}, {"1K", 17, -5},
                                      {"2K", 18, -5}, {"5K", 21, -5},  {"10K", 26, -8}};
constexpr const char* k20kLabel = "20K";
constexpr int k20kOffset = -8;

// Arial whose character cell (ascent plus descent) is `cellHeight` pixels; a system without
// Arial substitutes a metric-compatible family.
QFont CellFont(int cellHeight, QFont::Weight weight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight);
    font.setPixelSize(cellHeight);
    const qreal height = QFontMetricsF(font).height();
    if (height > 0) {
        font.setPixelSize(std::max(1, qRound(cellHeight * cellHeight / height)));
    }
    return font;
}

QRect ToQRect(const SCurveRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Text whose character cell starts at (x, y).
void TextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
}

}  // namespace

void PaintCurveBackground(QPainter& painter, const QRect& client, const SCurveRect& plot,
                          std::span<const int, kCurveGridCount> gridX) {
    const int h = plot.bottom - plot.top;
    painter.fillRect(client, kBackground);

    painter.setFont(CellFont(kAxisFontHeight, QFont::Thin));
    painter.setPen(kAxisText);
    TextAt(painter, kLevelLabelX, client.top() + 5, QStringLiteral("12"));
    const char* const levels[] = {"6", "0dB", "-6", "-12", "-18"};
    for (int i = 0; i < 5; ++i) {
        const int k = 2 * (i + 1);
        TextAt(painter, kLevelLabelX, k * (h / 12) + 6, QString::fromLatin1(levels[i]));
    }
    TextAt(painter, kLevelLabelX, h, QStringLiteral("-24"));
    const int labelY = plot.bottom + 1;
    for (const SFreqLabel& label : kFreqLabels) {
        TextAt(painter, gridX[static_cast<std::size_t>(label.grid)] + label.offset, labelY,
               QString::fromLatin1(label.text));
    }
    const QString last = QString::fromLatin1(k20kLabel);
    TextAt(painter,
           AxisLabelX(plot.right + k20kOffset, painter.fontMetrics().horizontalAdvance(last),
                      client.right() - 1),
           labelY, last);

    const QRect area = ToQRect(plot);
    painter.fillRect(area, kBackground);
    painter.setPen(QPen(kPlotFrame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));

    painter.save();
    painter.setClipRect(area);
    painter.setPen(QPen(kGridLine, 1));
    for (std::size_t i = 1; i < gridX.size(); ++i) {
        painter.drawLine(gridX[i], plot.top, gridX[i], plot.bottom - 1);
    }
    for (int j = 1; j <= kHorizontalGridLines; ++j) {
        const int y = plot.top + static_cast<int>(std::floor(h / kHorizontalGridDivisions * j));
        painter.drawLine(plot.left, y, plot.right - 1, y);
    }
    painter.restore();
}

void PaintSpectrumBars(QPainter& painter, const SCurveRect& plot, std::span<const double> values,
                       int valuesPerBar, int barCount) {
    if (values.empty() || barCount <= 0) {
        return;
    }
    const int w = plot.right - plot.left;
    const int h = plot.bottom - plot.top;
    const int barWidth = (w + barCount - 1) / barCount;
    const BarHeights heights = ComputeBarHeights(values, valuesPerBar);
    const int bars = std::min(barCount, static_cast<int>(heights.size()));
    painter.save();
    painter.setClipRect(ToQRect(plot));
    for (int b = 0; b < bars; ++b) {
        // Anything taller than the plot is cut at its top edge.
        const int height = std::min(heights[static_cast<std::size_t>(b)], h + 1);
        if (height <= 0) {
            continue;
        }
        const QColor& colour = height > kBarHighLevel  ? kBarColours[0]
                               : height > kBarMidLevel ? kBarColours[1]
                                                       : kBarColours[2];
        const QRect bar(plot.left + b * barWidth, plot.bottom - height, barWidth, height);
        // A 1 px black frame around the colour, filled rather than stroked (the fast path).
        if (kBarFrame) {
            painter.fillRect(bar, Qt::black);
            painter.fillRect(bar.adjusted(1, 1, -1, -1), colour);
        } else {
            painter.fillRect(bar, colour);
        }
    }
    painter.restore();
}

void PaintResponse(QPainter& painter, const SCurveRect& plot, std::span<const double, kFreqCount> x,
                   std::span<const double, kFreqCount> totalDb) {
    const int h = plot.bottom - plot.top;
    QPolygonF line;
    line.reserve(kFreqCount);
    for (std::size_t i = 0; i < x.size(); ++i) {
        line.append(QPointF(x[i], CurveYOfDb(totalDb[i], h) + plot.top));
    }
    painter.save();
    painter.setClipRect(ToQRect(plot));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kCurve, kCurvePenWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(line);
    painter.restore();
}

void PaintBypassText(QPainter& painter, const SCurveRect& plot) {
    const int cx = (plot.left + plot.right) / 2;
    const int cy = (plot.top + plot.bottom) / 2;
    painter.setFont(CellFont(kBypassFontHeight, QFont::Bold));
    painter.setPen(kBypassText);
    painter.drawText(
        QRect(cx - kBypassWidth / 2, cy - kBypassHeight / 2, kBypassWidth, kBypassHeight),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, QStringLiteral("Bypass"));
}

void PaintInfoLine(QPainter& painter, const SCurveRect& plot, const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    painter.setFont(CellFont(kInfoFontHeight, QFont::Bold));
    painter.setPen(kInfoText);
    // The line may run past the box's right edge: a gain must never be cut off.
    painter.drawText(QRect(plot.left + kInfoInset, plot.top + kInfoInset, kInfoRight - kInfoInset,
                           kInfoBottom - kInfoInset),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

void PaintHandles(QPainter& painter, const CEQ& eq) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kHandleFontPixels);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    for (int i = eq.GetCount() - 1; i >= 0; --i) {
        const CFilter& record = eq.GetAt(i);
        const QRect box = ToQRect(record.m_rcHandle);
        painter.setPen(QPen(kCurve, 1));
        painter.setBrush(kCurve);
        painter.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(kHandleText);
        painter.drawText(box, Qt::AlignCenter, QString::fromStdString(CurveHandleLabel(record, i)));
    }
    painter.restore();
}
