#include "gui/controls/sxgroupbox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace {
QPolygon ToPolygon(const std::vector<SFramePoint>& points) {
    QPolygon polygon;
    for (const SFramePoint& p : points) {
        polygon << QPoint(p.nX, p.nY);
    }
    return polygon;
}
}  // namespace

CColourGroupBox::CColourGroupBox(const QString& caption, ECaptionAlign align, QWidget* parent)
    : QWidget(parent),
      m_caption(caption),
      m_align(align),
      m_disabledA(palette().color(QPalette::Dark)),
      m_disabledB(palette().color(QPalette::Light)),
      m_borderA(m_disabledA),
      m_borderB(m_disabledB),
      m_captionFont(QStringLiteral("Arial"), 9) {
    m_captionFont.setStyleHint(QFont::SansSerif);
    m_captionFont.setWeight(QFont::Normal);
}

void CColourGroupBox::SetBorderColour(const QColor& colour, bool bRedraw) {
    const bool restore = !colour.isValid() || colour.rgb() == qRgb(0, 0, 0);
    m_borderA = restore ? m_disabledA : colour;
    m_borderB = restore ? m_disabledB : colour;
    if (bRedraw) {
        update();
    }
}

void CColourGroupBox::SetCaptionColour(const QColor& colour, bool bRedraw) {
    m_captionColour = colour;
    if (bRedraw) {
        update();
    }
}

void CColourGroupBox::SetCaption(const QString& caption, bool bRedraw) {
    m_caption = caption;
    if (bRedraw) {
        repaint();
    }
}

SGroupBoxLines CColourGroupBox::FrameLines() const {
    const int frameFontHeight = QFontMetrics(font()).height();
    const int captionWidth = QFontMetrics(m_captionFont).horizontalAdvance(m_caption);
    const QRect frame = rect();
    return ComputeGroupBoxLines(frame.left(), frame.top(), frame.left() + frame.width(),
                                frame.top() + frame.height(), m_nLineWidth, frameFontHeight,
                                captionWidth, m_align);
}

void CColourGroupBox::paintEvent(QPaintEvent* /*event*/) {
    const SGroupBoxLines lines = FrameLines();
    const bool enabled = isEnabled();
    QPainter painter(this);
    QPen first(enabled ? m_borderA : m_disabledA, m_nLineWidth, Qt::SolidLine, Qt::SquareCap);
    QPen second(enabled ? m_borderB : m_disabledB, m_nLineWidth, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(first);
    painter.drawPolyline(ToPolygon(lines.firstPen));
    painter.setPen(second);
    for (const auto& line : lines.secondPen) {
        painter.drawPolyline(ToPolygon(line));
    }
    if (m_caption.isEmpty() || !enabled) {
        return;
    }
    painter.setFont(m_captionFont);
    painter.setPen(m_captionColour);
    const int captionHeight = QFontMetrics(m_captionFont).height();
    const QRect gap(lines.nGapX1, lines.nTopY - captionHeight / 2, lines.nGapX2 - lines.nGapX1,
                    captionHeight);
    painter.drawText(gap, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     m_caption);
}
