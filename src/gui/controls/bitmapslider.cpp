#include "gui/controls/bitmapslider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "gui/controls/artwork.h"
#include "gui/controls/controlevent.h"

namespace {
constexpr int kWheelStep = 120;

QSize LogicalSize(int nId) {
    const QPixmap pixmap = ArtPixmap(nId);
    return pixmap.isNull() ? QSize() : pixmap.deviceIndependentSize().toSize();
}

// Draws the part [from, to) of an image along the axis, in logical pixels.
void DrawAxisSection(QPainter& painter, const QPixmap& pixmap, bool bVertical, int from, int to) {
    if (pixmap.isNull() || to <= from) {
        return;
    }
    const qreal ratio = pixmap.devicePixelRatio();
    const QSizeF size = pixmap.deviceIndependentSize();
    const QRectF target = bVertical ? QRectF(0, from, size.width(), to - from)
                                    : QRectF(from, 0, to - from, size.height());
    const QRectF source(target.x() * ratio, target.y() * ratio, target.width() * ratio,
                        target.height() * ratio);
    painter.drawPixmap(target, pixmap, source);
}
}  // namespace

CBitmapSlider::CBitmapSlider(int nControlId, QWidget* parent)
    : QWidget(parent), m_nControlId(nControlId) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    m_dragTimer.setInterval(kDragReportMs);
    connect(&m_dragTimer, &QTimer::timeout, this, &CBitmapSlider::OnDragTimer);
}

void CBitmapSlider::SetRange(int nMin, int nMax, bool bRedraw) {
    m_range = {nMin, nMax};
    if (bRedraw) {
        update();
    }
    SetPos(nMin);
}

void CBitmapSlider::SetPos(int nPos) {
    m_nPos = SliderClampPos(m_range, nPos);
    update();
}

void CBitmapSlider::SetVertical(bool bVertical) {
    m_bVertical = bVertical;
    update();
}

void CBitmapSlider::SetMargin(int nLeft, int nTop, int nRight, int nBottom) {
    m_nMarginLeft = nLeft;
    m_nMarginTop = nTop;
    m_nMarginRight = nRight;
    m_nMarginBottom = nBottom;
    update();
}

bool CBitmapSlider::LoadImagePair(int nNormalId, int nActiveId, int& nNormal, int& nActive,
                                  QSize& size) {
    nNormal = 0;
    nActive = 0;
    size = QSize();
    if (nNormalId == 0) {
        return true;
    }
    const QSize normal = LogicalSize(nNormalId);
    if (normal.isEmpty() || (nActiveId != 0 && LogicalSize(nActiveId).isEmpty())) {
        return false;
    }
    nNormal = nNormalId;
    nActive = nActiveId;
    size = normal;
    return true;
}

bool CBitmapSlider::SetBitmapChannel(int nNormalId, int nActiveId) {
    QSize size;
    const bool loaded = LoadImagePair(nNormalId, nActiveId, m_nChannelId, m_nChannelActiveId, size);
    if (!size.isEmpty()) {
        setFixedSize(size);
    }
    update();
    return loaded;
}

bool CBitmapSlider::SetBitmapThumb(int nNormalId, int nActiveId) {
    const bool loaded =
        LoadImagePair(nNormalId, nActiveId, m_nThumbId, m_nThumbActiveId, m_thumbSize);
    update();
    return loaded;
}

QSize CBitmapSlider::sizeHint() const {
    const QSize channel = LogicalSize(m_nChannelId);
    return channel.isEmpty() ? QWidget::sizeHint() : channel;
}

SSliderAxis CBitmapSlider::Axis() const {
    if (m_bVertical) {
        return {height(), m_nMarginTop, m_nMarginBottom, m_thumbSize.height()};
    }
    return {width(), m_nMarginLeft, m_nMarginRight, m_thumbSize.width()};
}

int CBitmapSlider::ThumbPixel() const {
    return SliderPosToPixel(Axis(), m_range, m_nPos);
}

int CBitmapSlider::AxisCoordinate(const QPoint& point) const {
    return m_bVertical ? point.y() : point.x();
}

int CBitmapSlider::TargetPixel(const QPoint& point) const {
    return SliderClampPixel(Axis(), AxisCoordinate(point) - m_nDragOffset);
}

void CBitmapSlider::Notify(int nMessage) {
    PostControlMessage(ReportTarget(this), nMessage, m_nControlId, m_nPos);
}

void CBitmapSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    // A slider without a usable track (hidden, too small, or min = max) ignores the pointer.
    if (!SliderHasTrack(Axis(), m_range)) {
        return;
    }
    m_bDragging = true;
    const int thumbPixel = ThumbPixel();
    const int pointer = AxisCoordinate(event->position().toPoint());
    const int half = (m_bVertical ? m_thumbSize.height() : m_thumbSize.width()) / 2;
    m_nDragOffset = std::abs(pointer - thumbPixel) <= half ? pointer - thumbPixel : 0;
    const int target = TargetPixel(event->position().toPoint());
    if (target != thumbPixel) {
        // A click beside the thumb moves one step toward the pointer and does not drag.
        const int targetPos = SliderPixelToPos(Axis(), m_range, target);
        m_nPos = SliderClampPos(m_range, m_nPos + (targetPos >= m_nPos ? 1 : -1));
        m_bDragging = false;
        m_bMoved = true;
    }
    m_dragTimer.start();
    update();
}

void CBitmapSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bDragging) {
        return;
    }
    const SSliderAxis axis = Axis();
    const int target = TargetPixel(event->position().toPoint());
    const int thumbPixel = ThumbPixel();
    if (target == SliderLowestPixel(axis)) {
        m_nPos = m_range.nMin;
    } else if (target != thumbPixel) {
        m_nPos = SliderPixelToPos(axis, m_range, target);
    }
    if (target != thumbPixel) {
        m_bMoved = true;
        update();
    }
}

void CBitmapSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    update();
    if (m_bDragging) {
        Notify(MSG_SLIDER_CHANGED);
    } else if (m_bMoved) {
        Notify(MSG_SLIDER_DRAGGING);
    }
    m_bDragging = false;
    m_bMoved = false;
    m_dragTimer.stop();
}

void CBitmapSlider::OnDragTimer() {
    if (m_bMoved) {
        Notify(MSG_SLIDER_DRAGGING);
        m_bMoved = false;
    }
}

void CBitmapSlider::keyPressEvent(QKeyEvent* event) {
    const int towardMax = m_bVertical ? 1 : -1;  // Down moves toward the maximum when vertical
    switch (event->key()) {
        case Qt::Key_PageUp:
            SetPos(m_nPos - m_nPageSize);
            break;
        case Qt::Key_PageDown:
            SetPos(m_nPos + m_nPageSize);
            break;
        case Qt::Key_End:
            SetPos(m_range.nMax);
            break;
        case Qt::Key_Home:
            SetPos(m_range.nMin);
            break;
        case Qt::Key_Up:
            SetPos(m_nPos - towardMax);
            break;
        case Qt::Key_Down:
            SetPos(m_nPos + towardMax);
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    Notify(MSG_SLIDER_CHANGED);
}

void CBitmapSlider::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    m_nWheelAccumulator = std::clamp(m_nWheelAccumulator + delta, -kWheelStep, kWheelStep);
    const int step = m_nWheelAccumulator == kWheelStep    ? 1
                     : m_nWheelAccumulator == -kWheelStep ? -1
                                                          : 0;
    if (step != 0) {
        m_nWheelAccumulator = 0;
        // Wheel up moves a vertical thumb up (toward the minimum) and a horizontal one right.
        SetPos(m_nPos + (m_bVertical ? -step : step));
    }
    if (m_bVertical || step != 0) {
        Notify(MSG_SLIDER_CHANGED);
    }
    event->accept();
}

void CBitmapSlider::DrawChannel(QPainter& painter) const {
    const qreal ratio = devicePixelRatioF();
    const QPixmap channel = ArtPixmap(m_nChannelId, ratio);
    if (channel.isNull()) {
        return;
    }
    const QPixmap active = ArtPixmap(m_nChannelActiveId, ratio);
    if (active.isNull()) {
        painter.drawPixmap(0, 0, channel);
        return;
    }
    const int split = ThumbPixel();
    const int end = m_bVertical ? height() : width();
    DrawAxisSection(painter, active, m_bVertical, 0, split);
    DrawAxisSection(painter, channel, m_bVertical, split, end);
}

void CBitmapSlider::DrawThumb(QPainter& painter) const {
    const qreal ratio = devicePixelRatioF();
    QPixmap thumb = m_bDragging ? ArtPixmap(m_nThumbActiveId, ratio) : QPixmap();
    if (thumb.isNull()) {
        thumb = ArtPixmap(m_nThumbId, ratio);
    }
    if (thumb.isNull()) {
        return;
    }
    const int pixel = ThumbPixel();
    const QPoint at = m_bVertical ? QPoint(m_nMarginLeft, pixel - m_thumbSize.height() / 2)
                                  : QPoint(pixel - m_thumbSize.width() / 2, m_nMarginTop);
    painter.drawPixmap(at, thumb);
}

void CBitmapSlider::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawChannel(painter);
    DrawThumb(painter);
}
