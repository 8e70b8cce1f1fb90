#include "gui/controls/artwork.h"

#include <QGuiApplication>
#include <QString>

#include "gui/controls/artworkids.h"

// Resources of a static library are registered explicitly, once, before the first look-up.
static void RegisterArtwork() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(artwork);
        return true;
    }();
    (void)registered;
}

QPixmap ArtPixmap(int nId, qreal dDevicePixelRatio) {
    RegisterArtwork();
    if (nId <= 0) {
        return {};
    }
    const bool highDensity = dDevicePixelRatio > 1.0;
    QPixmap pixmap(QStringLiteral(":/art/%1%2.png").arg(nId).arg(highDensity ? "@2x" : ""));
    if (!pixmap.isNull() && highDensity) {
        pixmap.setDevicePixelRatio(2.0);
    }
    return pixmap;
}

QPixmap ArtPixmapForScreen(int nId) {
    const qreal ratio = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                            ? qApp->devicePixelRatio()
                            : 1.0;
    return ArtPixmap(nId, ratio);
}

QCursor ArtHandCursor() {
    const QPixmap pixmap = ArtPixmapForScreen(IDC_HAND);
    if (pixmap.isNull()) {
        return QCursor(Qt::ArrowCursor);
    }
    return QCursor(pixmap, 9, 1);
}
