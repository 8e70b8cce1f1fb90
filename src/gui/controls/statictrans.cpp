#include "gui/controls/statictrans.h"

#include <QPainter>

CStaticTrans::CStaticTrans(QWidget* parent) : CStaticTrans(QString(), parent) {}

CStaticTrans::CStaticTrans(const QString& text, QWidget* parent) : QLabel(text, parent) {
    SetTextColour(m_textColour);
}

void CStaticTrans::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour);
    setPalette(colours);
    update();
}

void CStaticTrans::SetBackColour(const QColor& colour) {
    m_backColour = colour;
    update();
}

void CStaticTrans::paintEvent(QPaintEvent* event) {
    if (m_backColour.isValid() && m_backColour.alpha() > 0) {
        QPainter painter(this);
        painter.fillRect(rect(), m_backColour);
    }
    QLabel::paintEvent(event);
}
