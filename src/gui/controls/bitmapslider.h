// A slider drawn entirely from images: a channel (with an optional "active" variant shown from
// the minimum end up to the thumb) and a thumb. Horizontal or vertical; operated with the
// mouse, the keyboard and the wheel. Reports to its parent with posted messages:
//   MSG_SLIDER_DRAGGING (control id, position): during a press, every 50 ms while the position
//       moved, and at the release after a one-step click the timer has not reported yet;
//   MSG_SLIDER_CHANGED (control id, position): at the release of a press that began on the
//       thumb, after each handled key, after a completed wheel step.
// A disabled widget receives no input and looks the same; pages swap in grey images for that.
#pragma once

#include <QSize>
#include <QTimer>
#include <QWidget>

#include "core/viewmath/slidergeometry.h"

class CBitmapSlider : public QWidget {
    Q_OBJECT
public:
    // The drag report period.
    static constexpr int kDragReportMs = 50;

    explicit CBitmapSlider(int nControlId, QWidget* parent = nullptr);

    int ControlId() const { return m_nControlId; }

    // Sets both limits and puts the position on the minimum.
    void SetRange(int nMin, int nMax, bool bRedraw = false);
    int GetRangeMin() const { return m_range.nMin; }
    int GetRangeMax() const { return m_range.nMax; }
    // Position limited to the range; repaints.
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    void SetPageSize(int nSize) { m_nPageSize = nSize; }
    void SetVertical(bool bVertical);
    bool IsVertical() const { return m_bVertical; }
    void SetMargin(int nLeft, int nTop, int nRight, int nBottom);

    // Images by number; 0 as the normal id unloads the channel (or thumb) and succeeds; 0 as
    // the active id means none. The control takes the channel's size. False when an image is
    // missing; then nothing of that part stays loaded.
    bool SetBitmapChannel(int nNormalId, int nActiveId = 0);
    bool SetBitmapThumb(int nNormalId, int nActiveId = 0);

    // The thumb's centre pixel along the axis, for the current position.
    int ThumbPixel() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Checks and stores an image pair; size is the normal image's logical size (empty when
    // unloaded). False when an image is missing, leaving the pair unloaded.
    static bool LoadImagePair(int nNormalId, int nActiveId, int& nNormal, int& nActive,
                              QSize& size);
    SSliderAxis Axis() const;
    int AxisCoordinate(const QPoint& point) const;
    // Target pixel of the pointer, corrected by the grab offset and kept on the track.
    int TargetPixel(const QPoint& point) const;
    void OnDragTimer();
    void Notify(int nMessage);
    void DrawChannel(class QPainter& painter) const;
    void DrawThumb(class QPainter& painter) const;

    int m_nControlId;
    SSliderRange m_range;
    int m_nPos = 0;
    int m_nPageSize = 20;
    bool m_bVertical = true;
    int m_nMarginLeft = 0;
    int m_nMarginTop = 0;
    int m_nMarginRight = 0;
    int m_nMarginBottom = 0;

    int m_nChannelId = 0;
    int m_nChannelActiveId = 0;
    int m_nThumbId = 0;
    int m_nThumbActiveId = 0;
    QSize m_thumbSize;  // logical size of the thumb image; empty without a thumb

    bool m_bDragging = false;
    bool m_bMoved = false;
    int m_nDragOffset = 0;
    int m_nWheelAccumulator = 0;
    QTimer m_dragTimer;
};
