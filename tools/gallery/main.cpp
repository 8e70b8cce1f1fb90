// sonvela-gallery: shows every custom control in each state.
//   sonvela-gallery               opens the gallery window and the response curve window
//   sonvela-gallery --render DIR  writes gallery.png, curves.png and one PNG per state into
//                                 DIR, then ends
//                                 (works on the offscreen platform: no display needed)
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "curvegallery.h"
#include "gallerywindow.h"

namespace {

int Render(GalleryWindow& window, CurveGallery& curves, const QString& directory) {
    QDir dir;
    if (!dir.mkpath(directory)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(directory));
        return 1;
    }
    window.show();
    window.ApplyPointerStates();
    QApplication::processEvents();
    int failures = 0;
    const auto save = [&](const QPixmap& pixmap, const QString& name) {
        const QString path = QDir(directory).filePath(name + QStringLiteral(".png"));
        if (!pixmap.save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    };
    save(window.grab(), QStringLiteral("gallery"));
    for (const auto& [name, widget] : window.States()) {
        // Cut from the whole window, so each state shows on the background it stands on.
        const QRect area(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        save(window.grab(area.adjusted(-4, -4, 4, 4)), name);
    }
    curves.show();
    curves.ApplyPointerStates();
    QApplication::processEvents();
    save(curves.grab(), QStringLiteral("curves"));
    for (const auto& [name, view] : curves.States()) {
        save(view->grab(), name);
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    GalleryWindow window;
    CurveGallery curves;
    if (args.size() == 3 && args[1] == QLatin1String("--render")) {
        return Render(window, curves, args[2]);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: sonvela-gallery [--render DIR]\n");
        return 2;
    }
    window.show();
    curves.ApplyPointerStates();
    curves.show();
    return QApplication::exec();
}
