#include "gui/controls/numspin.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "gui/controls/controlevent.h"
#include "gui/controls/numedit.h"

namespace {
const QColor kSpinFrame(20, 20, 24);
const QColor kSpinArrow(102, 102, 102);
}  // namespace

CNumSpin::CNumSpin(int nControlId, QWidget* parent) : QWidget(parent), m_nControlId(nControlId) {
    // Pressing the arrows must leave the keyboard focus with the buddy.
    setFocusPolicy(Qt::NoFocus);
    // Precise timers never fire early, so a held arrow reports at most once per period.
    m_reportTimer.setTimerType(Qt::PreciseTimer);
    m_repeatTimer.setTimerType(Qt::PreciseTimer);
    m_reportTimer.setInterval(kReportMs);
    connect(&m_reportTimer, &QTimer::timeout, this, &CNumSpin::OnReportTimer);
    connect(&m_repeatTimer, &QTimer::timeout, this, [this] {
        m_repeatTimer.setInterval(kRepeatIntervalMs);
        Step(m_nHeldDelta);
    });
}

void CNumSpin::SetRange(int nMin, int nMax) {
    m_nMin = nMin;
    m_nMax = nMax;
    if (m_pBuddy != nullptr) {
        m_pBuddy->SetRange(nMin, nMax);
    }
}

void CNumSpin::SetPos(int nPos) {
    if (nPos < m_nMin || nPos > m_nMax) {
        return;
    }
    m_nPos = nPos;
    if (m_pBuddy != nullptr) {
        m_pBuddy->SetValue(nPos);
    }
}

int CNumSpin::GetPos() {
    if (m_pBuddy != nullptr) {
        m_nPos = m_pBuddy->GetValue();
    }
    return m_nPos;
}

bool CNumSpin::IsModified() const {
    return m_pBuddy != nullptr && m_pBuddy->IsModified();
}

void CNumSpin::Step(int nDelta) {
    if (m_pBuddy == nullptr || !m_pBuddy->hasFocus() || nDelta == 0) {
        return;
    }
    const int start = m_pBuddy->GetValue();
    const int next = std::clamp(start + nDelta, m_nMin, std::max(m_nMin, m_nMax));
    if (next == start) {
        return;
    }
    m_nPos = next;
    m_bChanged = true;
    m_pBuddy->SetValue(next);
    if (m_nHeldDelta == 0) {
        Report();
    }
}

void CNumSpin::Report() {
    m_bChanged = false;
    SendControlMessage(ReportTarget(this), MSG_COMMAND, m_nControlId, m_nPos);
}

void CNumSpin::OnReportTimer() {
    if (m_bChanged) {
        Report();
    }
}

void CNumSpin::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_nHeldDelta = event->position().y() < height() / 2.0 ? 1 : -1;
    m_reportTimer.start();
    update();
    Step(m_nHeldDelta);
    m_repeatTimer.start(kRepeatDelayMs);
}

void CNumSpin::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_nHeldDelta = 0;
    m_repeatTimer.stop();
    if (m_bChanged) {
        Report();
    }
    m_reportTimer.stop();
    update();
}

void CNumSpin::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, Qt::white);
    painter.setPen(kSpinFrame);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.fillRect(0, 0, 2, area.height(), Qt::white);  // joins the box on the left

    // Upward triangle in the upper half: apex 3 px below the top at the centre, base 5 px in
    // from the sides and 3 px above the middle; the downward one mirrors it.
    const int w = area.width();
    const int h = area.height();
    const int centre = w / 2;
    const int middle = h / 2;
    const QPolygon up({QPoint(centre, 3), QPoint(w - 5, middle - 3), QPoint(5, middle - 3)});
    const QPolygon down({QPoint(centre, h - 1 - 3), QPoint(w - 5, h - 1 - (middle - 3)),
                         QPoint(5, h - 1 - (middle - 3))});
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kSpinArrow);
    painter.drawPolygon(up);
    painter.drawPolygon(down);
}
