// Draws the editor's images (artworkids.h) in code, at any scale. scripts/render-artwork.sh
// renders them to the PNG resources at 1x and 2x; the editor loads the PNGs.
#pragma once

#include <QImage>

// The image for nId at scale (1 = logical pixels), or a null image for an unknown id.
QImage PaintArtwork(int nId, qreal dScale);
