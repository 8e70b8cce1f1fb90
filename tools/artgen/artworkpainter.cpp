#include "artworkpainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "gui/controls/artworkids.h"

namespace {

// One palette for every image.
const QColor kDark(40, 41, 45);            // selector column
const QColor kGreen(14, 186, 7);           // accent
const QColor kGrey(121, 122, 124);         // inactive
const QColor kTrack(206, 207, 210);        // empty slider channel
const QColor kTrackLocked(224, 225, 227);  // channel of a locked slider
const QColor kBorder(190, 191, 194);       // light control edge
const QColor kThumbEdge(146, 147, 150);
const QColor kTick(172, 173, 176);
const QColor kGlyph(84, 85, 88);

class CCanvas {
public:
    CCanvas(QSize logical, qreal scale)
        : m_image(logical * scale, QImage::Format_ARGB32_Premultiplied) {
        m_image.fill(Qt::transparent);
        m_image.setDevicePixelRatio(scale);
        m_painter.begin(&m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
    }
    QPainter& Painter() { return m_painter; }
    QImage Finish() {
        m_painter.end();
        return m_image;
    }

private:
    QImage m_image;
    QPainter m_painter;
};

QLinearGradient VerticalGradient(qreal top, qreal bottom, const QColor& a, const QColor& b) {
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, a);
    gradient.setColorAt(1, b);
    return gradient;
}

// A rounded face with a one-pixel edge, inset half a pixel so the edge stays crisp.
void Face(QPainter& p, const QRectF& r, qreal radius, const QBrush& fill, const QColor& edge) {
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void LightFace(QPainter& p, const QRectF& r) {
    Face(p, r, 3,
         VerticalGradient(r.top(), r.bottom(), QColor(255, 255, 255), QColor(236, 237, 239)),
         kBorder);
}

void Stroke(QPainter& p, const QColor& colour, qreal width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

QImage SelectorButton(qreal s) {
    CCanvas c({96, 32}, s);
    QPainter& p = c.Painter();
    Face(p, QRectF(0, 0, 96, 32), 4,
         VerticalGradient(0, 32, QColor(60, 62, 68), QColor(49, 50, 55)), QColor(76, 78, 85));
    Stroke(p, QColor(255, 255, 255, 22), 1);
    p.drawLine(QPointF(4, 1.5), QPointF(92, 1.5));
    return c.Finish();
}

QImage AppIcon(qreal s) {
    CCanvas c({32, 32}, s);
    DrawAppIcon(c.Painter());
    return c.Finish();
}

enum class ETitleGlyph { Minimise, Close, Maximise };

QImage TitleButton(qreal s, ETitleGlyph glyph) {
    CCanvas c({34, 28}, s);
    QPainter& p = c.Painter();
    Stroke(p, kGrey, 1.6);
    switch (glyph) {
        case ETitleGlyph::Minimise:
            p.drawLine(QPointF(12, 14), QPointF(22, 14));
            break;
        case ETitleGlyph::Close:
            p.drawLine(QPointF(12.5, 9.5), QPointF(21.5, 18.5));
            p.drawLine(QPointF(21.5, 9.5), QPointF(12.5, 18.5));
            break;
        case ETitleGlyph::Maximise:
            p.drawRect(QRectF(12.5, 9.5, 9, 9));
            break;
    }
    return c.Finish();
}

QImage StepButton(qreal s, bool bPlus) {
    CCanvas c({22, 20}, s);
    QPainter& p = c.Painter();
    LightFace(p, QRectF(0, 0, 22, 20));
    Stroke(p, kGlyph, 1.6);
    p.drawLine(QPointF(7, 10), QPointF(15, 10));
    if (bPlus) {
        p.drawLine(QPointF(11, 6), QPointF(11, 14));
    }
    return c.Finish();
}

// A vertical channel: a rounded bar between y0 and y1, tick marks on both sides at ticks.
QImage VerticalChannel(qreal s, QSize size, qreal barWidth, qreal y0, qreal y1, const QColor& bar,
                       std::initializer_list<qreal> ticks) {
    CCanvas c(size, s);
    QPainter& p = c.Painter();
    const qreal cx = size.width() / 2.0;
    Stroke(p, kTick, 1);
    for (const qreal y : ticks) {
        p.drawLine(QPointF(3, y), QPointF(cx - barWidth - 2, y));
        p.drawLine(QPointF(cx + barWidth + 2, y), QPointF(size.width() - 3, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(cx - barWidth / 2, y0, barWidth, y1 - y0), barWidth / 2, barWidth / 2);
    return c.Finish();
}

QImage VolumeChannel(qreal s, const QColor& bar) {
    // Thumb 16 high, no margins: the thumb's centre travels 8 ... 212; a tick every 10 steps.
    std::initializer_list<qreal> ticks = {8.5, 34.0, 59.5, 85.0, 110.5, 136.0, 161.5, 187.0, 211.5};
    return VerticalChannel(s, {32, 220}, 6, 6, 214, bar, ticks);
}

QImage EqChannel(qreal s, const QColor& bar) {
    // Margins 20 and a thumb 12 high: the centre travels 26 ... 174; 0 dB lies at 100.
    return VerticalChannel(s, {24, 200}, 4, 20, 180, bar, {26.5, 100.5, 173.5});
}

QImage HorizontalChannel(qreal s, const QColor& bar) {
    CCanvas c({180, 22}, s);
    QPainter& p = c.Painter();
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(3, 8.5, 174, 5), 2.5, 2.5);
    return c.Finish();
}

// A thumb: a light cap with a line across its middle in the accent (or a grey) colour.
QImage Thumb(qreal s, QSize size, bool bVerticalLine, const QColor& fillTop, const QColor& edge,
             const QColor& line) {
    CCanvas c(size, s);
    QPainter& p = c.Painter();
    const QRectF r(0, 0, size.width(), size.height());
    const QRectF cap = bVerticalLine ? r.adjusted(1, 2, -1, -2) : r.adjusted(1, 1, -1, -1);
    Face(p, cap, 3, VerticalGradient(cap.top(), cap.bottom(), fillTop, fillTop.darker(112)), edge);
    Stroke(p, line, 2);
    if (bVerticalLine) {
        p.drawLine(QPointF(r.center().x(), 7), QPointF(r.center().x(), size.height() - 7));
    } else {
        p.drawLine(QPointF(6, r.center().y()), QPointF(size.width() - 6, r.center().y()));
    }
    return c.Finish();
}

QImage Separator(qreal s) {
    CCanvas c({6, 400}, s);
    QPainter& p = c.Painter();
    QLinearGradient shade(0, 0, 0, 400);
    shade.setColorAt(0, QColor(200, 201, 204, 0));
    shade.setColorAt(0.08, QColor(200, 201, 204));
    shade.setColorAt(0.92, QColor(200, 201, 204));
    shade.setColorAt(1, QColor(200, 201, 204, 0));
    p.fillRect(QRectF(2, 0, 1, 400), shade);
    p.fillRect(QRectF(3, 0, 1, 400), QColor(255, 255, 255, 200));
    return c.Finish();
}

QImage TypeButton(qreal s, bool bSelected) {
    CCanvas c({40, 22}, s);
    QPainter& p = c.Painter();
    if (bSelected) {
        Face(p, QRectF(0, 0, 40, 22), 3, QColor(231, 247, 230), kGreen);
    } else {
        LightFace(p, QRectF(0, 0, 40, 22));
    }
    return c.Finish();
}

QImage PlainButton(qreal s, QSize size) {
    CCanvas c(size, s);
    LightFace(c.Painter(), QRectF(QPointF(0, 0), size));
    return c.Finish();
}

QImage SceneButton(qreal s, bool bSelected) {
    CCanvas c({70, 26}, s);
    QPainter& p = c.Painter();
    const QRectF r(0, 0, 70, 26);
    if (bSelected) {
        Face(p, r, 3, QColor(255, 255, 255), kBorder);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawRoundedRect(QRectF(4, 21, 62, 3), 1.5, 1.5);
    } else {
        Face(p, r, 3, QColor(229, 230, 232), QColor(206, 207, 210));
    }
    return c.Finish();
}

QImage Toggle(qreal s, bool bOn) {
    CCanvas c({46, 22}, s);
    QPainter& p = c.Painter();
    p.setPen(Qt::NoPen);
    p.setBrush(bOn ? kGreen : kGrey);
    p.drawRoundedRect(QRectF(1, 2, 44, 18), 9, 9);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(bOn ? 35 : 11, 11), 7, 7);
    return c.Finish();
}

QImage ModeButton(qreal s, const QColor& stripe) {
    CCanvas c({130, 26}, s);
    QPainter& p = c.Painter();
    LightFace(p, QRectF(0, 0, 130, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(stripe);
    p.drawRoundedRect(QRectF(4, 5, 3, 16), 1.5, 1.5);
    return c.Finish();
}

QImage HandCursor(qreal s) {
    CCanvas c({32, 32}, s);
    QPainter& p = c.Painter();
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 1, 5, 16), 2.5, 2.5);  // pointing finger
    hand.addRoundedRect(QRectF(12.5, 9, 4.5, 9), 2.2, 2.2);
    hand.addRoundedRect(QRectF(16.5, 10, 4.5, 8), 2.2, 2.2);
    hand.addRoundedRect(QRectF(20.5, 11, 4, 8), 2, 2);
    hand.addRoundedRect(QRectF(8, 13, 16.5, 13), 4, 4);  // palm
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2.2, -7, 4.4, 11), 2.2, 2.2);
    hand = hand.united(QTransform().translate(6.5, 17).rotate(-40).map(thumb)).simplified();
    p.setPen(QPen(QColor(0, 0, 0), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(hand);
    return c.Finish();
}

}  // namespace

void DrawAppIcon(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDark);
    p.drawRoundedRect(QRectF(0, 0, 32, 32), 6, 6);
    const qreal heights[] = {10, 18, 13, 21, 8};
    p.setBrush(kGreen);
    for (int i = 0; i < 5; ++i) {
        p.drawRoundedRect(QRectF(6 + i * 4.4, 26 - heights[i], 3, heights[i]), 1.2, 1.2);
    }
}

QImage PaintArtwork(int nId, qreal s) {
    switch (nId) {
        case IDC_HAND:
            return HandCursor(s);
        case IDB_SELECTOR_BUTTON:
            return SelectorButton(s);
        case IDB_APP_ICON:
            return AppIcon(s);
        case IDB_TITLE_MINIMISE:
            return TitleButton(s, ETitleGlyph::Minimise);
        case IDB_TITLE_CLOSE:
            return TitleButton(s, ETitleGlyph::Close);
        case IDB_TITLE_MAXIMISE:
            return TitleButton(s, ETitleGlyph::Maximise);
        case IDB_Q_DOWN:
            return StepButton(s, false);
        case IDB_Q_UP:
            return StepButton(s, true);
        case IDB_VOLUME_CHANNEL:
            return VolumeChannel(s, kGreen);
        case IDB_VOLUME_CHANNEL_TOP:
            return VolumeChannel(s, kTrack);
        case IDB_VOLUME_THUMB:
            return Thumb(s, {32, 16}, false, QColor(252, 252, 252), kThumbEdge, kGreen);
        case IDB_SEPARATOR:
            return Separator(s);
        case IDB_EQ_CHANNEL:
            return EqChannel(s, kGreen);
        case IDB_EQ_CHANNEL_GREY:
            return EqChannel(s, kTrack);
        case IDB_EQ_THUMB:
            return Thumb(s, {24, 12}, false, QColor(252, 252, 252), kThumbEdge, kGreen);
        case IDB_EQ_THUMB_GREY:
            return Thumb(s, {24, 12}, false, QColor(236, 237, 239), kBorder, kGrey);
        case IDB_TYPE_SELECTED:
            return TypeButton(s, true);
        case IDB_TYPE_NORMAL:
            return TypeButton(s, false);
        case IDB_H_CHANNEL:
            return HorizontalChannel(s, kTrack);
        case IDB_H_CHANNEL_FILLED:
            return HorizontalChannel(s, kGreen);
        case IDB_H_CHANNEL_DISABLED:
            return HorizontalChannel(s, kTrackLocked);
        case IDB_H_THUMB:
            return Thumb(s, {14, 22}, true, QColor(252, 252, 252), kThumbEdge, kGreen);
        case IDB_H_THUMB_DISABLED:
            return Thumb(s, {14, 22}, true, QColor(236, 237, 239), kBorder, kBorder);
        case IDB_POLARITY:
            return PlainButton(s, {30, 22});
        case IDB_SCENE_SELECTED:
            return SceneButton(s, true);
        case IDB_SCENE_NORMAL:
            return SceneButton(s, false);
        case IDB_TOGGLE_ON:
            return Toggle(s, true);
        case IDB_TOGGLE_OFF:
            return Toggle(s, false);
        case IDB_MODE_REVERB:
            return ModeButton(s, kGrey);
        case IDB_MODE_ECHO:
            return ModeButton(s, kGreen);
        default:
            return {};
    }
}
