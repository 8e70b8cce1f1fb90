#include "gui/controls/xpbutton.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "core/common/usernotify.h"
#include "core/viewmath/captionelide.h"
#include "gui/controls/artwork.h"
#include "gui/controls/controlevent.h"

namespace {
constexpr int kDefaultFontHeight = 15;

QFont CaptionFont(int nHeight) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(nHeight > 0 ? nHeight : kDefaultFontHeight);
    font.setWeight(QFont::Normal);
    return font;
}

const QCursor& HandCursor() {
    static const QCursor cursor = [] {
        DebugLine("loading from IDC_HAND\n");
        return ArtHandCursor();
    }();
    return cursor;
}

Qt::Alignment HorizontalAlignment(int nAlign) {
    switch (nAlign) {
        case 1:
            return Qt::AlignLeft;
        case 2:
            return Qt::AlignRight;
        default:
            return Qt::AlignHCenter;
    }
}
}  // namespace

CXPButton::CXPButton(int nControlId, QWidget* parent)
    : QAbstractButton(parent), m_nControlId(nControlId) {
    setFont(CaptionFont(kDefaultFontHeight));
    setCursor(HandCursor());
    setMouseTracking(true);
    connect(this, &QAbstractButton::clicked, this,
            [this] { SendControlMessage(ReportTarget(this), MSG_COMMAND, m_nControlId, 0); });
}

void CXPButton::SetFaceBitmaps(int nSelectedNormal, int nSelectedHover, int nSelectedPressed,
                               int nNormal, int nHover, int nPressed) {
    m_faceIds = {nSelectedNormal, nSelectedHover, nSelectedPressed, nNormal, nHover, nPressed};
    updateGeometry();
    update();
}

void CXPButton::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    update();
}

void CXPButton::SetHoverTextColour(const QColor& colour) {
    m_hoverTextColour = colour;
    update();
}

void CXPButton::SetSelected(bool bSelected) {
    m_bSelected = bSelected;
    update();
}

void CXPButton::SetFontSize(int nHeight) {
    setFont(CaptionFont(nHeight));
    update();
}

int CXPButton::CurrentFaceId() const {
    return ChooseButtonFace(m_faceIds, m_bSelected, m_bHover, m_bPressed);
}

QSize CXPButton::sizeHint() const {
    const QPixmap face = ArtPixmap(CurrentFaceId());
    return face.isNull() ? QSize(60, 24) : face.deviceIndependentSize().toSize();
}

void CXPButton::SetHover(bool bHover) {
    if (m_bHover != bHover) {
        m_bHover = bHover;
        update();
    }
}

void CXPButton::enterEvent(QEnterEvent* event) {
    SetHover(true);
    QAbstractButton::enterEvent(event);
}

void CXPButton::leaveEvent(QEvent* event) {
    SetHover(false);
    QAbstractButton::leaveEvent(event);
}

void CXPButton::mouseMoveEvent(QMouseEvent* event) {
    SetHover(rect().contains(event->position().toPoint()));
    QAbstractButton::mouseMoveEvent(event);
}

void CXPButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_bPressed = true;
        update();
    }
    QAbstractButton::mousePressEvent(event);
}

void CXPButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_bPressed = false;
        update();
    }
    QAbstractButton::mouseReleaseEvent(event);
}

namespace {
constexpr qreal kDisabledOpacity = 0.45;
}  // namespace

void CXPButton::paintEvent(QPaintEvent* /*event*/) {
    const QPixmap face = ArtPixmap(CurrentFaceId(), devicePixelRatioF());
    if (face.isNull()) {
        return;
    }
    const QRect area = rect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // A disabled button looks disabled: face and caption faded.
    if (!isEnabled()) {
        painter.setOpacity(kDisabledOpacity);
    }
    painter.drawPixmap(area, face);
    // The first paint stretches the face over the size the button was given; from then on
    // the button has the face's own size.
    const QSize faceSize = face.deviceIndependentSize().toSize();
    if (size() != faceSize) {
        QMetaObject::invokeMethod(
            this, [this, faceSize] { resize(faceSize); }, Qt::QueuedConnection);
    }
    const QString caption = text();
    if (caption.isEmpty()) {
        return;
    }
    const QFontMetrics metrics(font());
    const std::u32string shown = ElideCaptionAtWord(
        caption.toStdU32String(), area.width(), [&metrics](std::u32string_view part) {
            return metrics.horizontalAdvance(
                QString::fromUcs4(part.data(), static_cast<qsizetype>(part.size())));
        });
    painter.setPen(m_bHover && m_hoverTextColour.isValid() ? m_hoverTextColour : m_textColour);
    painter.drawText(area,
                     static_cast<int>(HorizontalAlignment(m_nCaptionAlign) | Qt::AlignVCenter |
                                      Qt::TextSingleLine),
                     QString::fromStdU32String(shown));
}
