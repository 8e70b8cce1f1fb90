// A push button whose face is an image chosen by its selected flag and by hover and pressed
// state (buttonface.h), with the caption drawn over it. A click sends MSG_COMMAND (control id,
// 0) to the parent at once, besides the ordinary clicked() signal. The button takes the size of
// its face image.
#pragma once

#include <QAbstractButton>
#include <QColor>

#include "core/viewmath/buttonface.h"

class CXPButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CXPButton(int nControlId, QWidget* parent = nullptr);

    int ControlId() const { return m_nControlId; }

    void SetFaceBitmaps(int nSelectedNormal, int nSelectedHover, int nSelectedPressed, int nNormal,
                        int nHover, int nPressed);
    // The same image in all six states.
    void SetFaceBitmap(int nId) { SetFaceBitmaps(nId, nId, nId, nId, nId, nId); }
    void SetTextColour(const QColor& colour);
    // The text colour under the pointer; an invalid colour keeps the text colour.
    void SetHoverTextColour(const QColor& colour);
    void SetSelected(bool bSelected);
    bool IsSelected() const { return m_bSelected; }
    // Caption font height in pixels (Arial-like, normal weight).
    void SetFontSize(int nHeight);
    // 0 centre, 1 left, 2 right.
    void SetCaptionAlign(int nAlign) { m_nCaptionAlign = nAlign; }

    bool IsHover() const { return m_bHover; }
    bool IsPressed() const { return m_bPressed; }
    // The image the next paint draws; 0 draws nothing.
    int CurrentFaceId() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetHover(bool bHover);

    int m_nControlId;
    ButtonFaceIds m_faceIds{};
    bool m_bSelected = true;
    bool m_bHover = false;
    bool m_bPressed = false;
    QColor m_textColour{0, 0, 0};
    QColor m_hoverTextColour{255, 0, 0};
    int m_nCaptionAlign = 0;
};
