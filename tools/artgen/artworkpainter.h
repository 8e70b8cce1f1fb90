// Draws the editor's images (artworkids.h) in code, at any scale. scripts/render-artwork.sh
// renders them to the PNG resources at 1x and 2x; the editor loads the PNGs.
#pragma once

#include <QImage>

class QPainter;

// The image for nId at scale (1 = logical pixels), or a null image for an unknown id.
QImage PaintArtwork(int nId, qreal dScale);
// The application icon (IDB_APP_ICON) in its 32 x 32 logical square, on any paint device: the
// images above and the scalable desktop icon.
void DrawAppIcon(QPainter& painter);
