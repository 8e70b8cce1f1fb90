// CColourGroupBox: a group box that draws its own double frame line in chosen colours, with the
// caption set into the top line (groupboxgeometry.h). While disabled it draws the frame in the
// system shadow and highlight colours and no caption. Passive: it reports nothing.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include "core/viewmath/groupboxgeometry.h"

class CColourGroupBox : public QWidget {
    Q_OBJECT
public:
    explicit CColourGroupBox(const QString& caption = {}, ECaptionAlign align = ECaptionAlign::Left,
                             QWidget* parent = nullptr);

    // A colour other than black sets both line colours; black (or an invalid colour) restores
    // the system colours.
    void SetBorderColour(const QColor& colour, bool bRedraw = true);
    void SetCaptionColour(const QColor& colour, bool bRedraw = true);
    void SetCaption(const QString& caption, bool bRedraw = true);
    QString Caption() const { return m_caption; }
    ECaptionAlign CaptionAlign() const { return m_align; }

    // The frame lines for the current size, caption and fonts.
    SGroupBoxLines FrameLines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    ECaptionAlign m_align;
    QColor m_disabledA;  // system shadow colour
    QColor m_disabledB;  // system highlight colour
    QColor m_borderA;
    QColor m_borderB;
    QColor m_captionColour{0, 0, 0};
    QFont m_captionFont;
    int m_nLineWidth = 1;
};
