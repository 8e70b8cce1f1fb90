#include "gui/shell/focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace {
constexpr int kRingMargin = 2;
const QColor kRingColour(30, 110, 230);
}  // namespace

CFocusRing::CFocusRing(QWidget* pWindow) : QWidget(pWindow) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* pNow) { Follow(pNow); });
}

void CFocusRing::Follow(QWidget* pNow) {
    if (m_pTarget != nullptr) {
        m_pTarget->removeEventFilter(this);
    }
    m_pTarget = nullptr;
    if (pNow == nullptr || pNow == parentWidget() || pNow->window() != parentWidget()) {
        hide();
        return;
    }
    m_pTarget = pNow;
    m_pTarget->installEventFilter(this);
    Place();
}

void CFocusRing::Place() {
    if (m_pTarget == nullptr || !m_pTarget->isVisible()) {
        hide();
        return;
    }
    const QPoint topLeft = m_pTarget->mapTo(parentWidget(), QPoint(0, 0));
    setGeometry(QRect(topLeft, m_pTarget->size())
                    .adjusted(-kRingMargin, -kRingMargin, kRingMargin, kRingMargin));
    raise();
    show();
}

bool CFocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pTarget && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                                 event->type() == QEvent::Hide)) {
        Place();
    }
    return QWidget::eventFilter(watched, event);
}

void CFocusRing::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(QPen(kRingColour, 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
