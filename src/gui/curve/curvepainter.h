// Drawing of the response curve view, layer by layer in painting order: the background with
// the axis labels, the plot with its grid, the spectrum bars, the summed response, the "Bypass"
// text, the information line and the band handles. Coordinates are the view's client pixels.
#pragma once

#include <QString>
#include <span>

#include "core/dsp/frequencygrid.h"
#include "core/viewmath/curvegeometry.h"

class CEQ;
class QPainter;
class QRect;

// The client area in the background colour with the level labels at its left and the
// frequency labels under the plot; the plot framed, with its vertical and horizontal grid.
void PaintCurveBackground(QPainter& painter, const QRect& client, const SCurveRect& plot,
                          std::span<const int, kCurveGridCount> gridX);

// Bars of the spectrum analyser standing on the plot's bottom edge, clipped to the plot.
void PaintSpectrumBars(QPainter& painter, const SCurveRect& plot, std::span<const double> values,
                       int valuesPerBar, int barCount);

// The summed response as an anti-aliased line through (x[i], y(dB[i])), clipped to the plot.
void PaintResponse(QPainter& painter, const SCurveRect& plot, std::span<const double, kFreqCount> x,
                   std::span<const double, kFreqCount> totalDb);

// "Bypass" in the middle of the plot.
void PaintBypassText(QPainter& painter, const SCurveRect& plot);

// The description of a band at the plot's top-left corner.
void PaintInfoLine(QPainter& painter, const SCurveRect& plot, const QString& text);

// Every record's round handle with its label, the last record first so that the first lies on
// top.
void PaintHandles(QPainter& painter, const CEQ& eq);
