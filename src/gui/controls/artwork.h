// The editor's images, looked up by number (artworkids.h). A number without an image gives a
// null pixmap, which the controls draw as nothing.
#pragma once

#include <QCursor>
#include <QPixmap>

// The image for id at the given device pixel ratio: the 2x image above a ratio of 1, with its
// ratio set, so the logical size (deviceIndependentSize) is the same at every density.
QPixmap ArtPixmap(int nId, qreal dDevicePixelRatio = 1.0);
// The image at the application's device pixel ratio.
QPixmap ArtPixmapForScreen(int nId);
// The hand cursor; nullopt-like: an arrow when its image is missing.
QCursor ArtHandCursor();
