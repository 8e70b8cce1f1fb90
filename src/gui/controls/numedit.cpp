#include "gui/controls/numedit.h"

#include <QPainter>
#include <algorithm>

#include "core/common/usernotify.h"
#include "gui/controls/controlevent.h"
#include "gui/controls/editcolours.h"

CNumEdit::CNumEdit(int nControlId, QWidget* parent) : QLineEdit(parent), m_nControlId(nControlId) {
    setFrame(false);
    setTextMargins(3, 0, 3, 0);
    ApplyColours();
    connect(this, &QLineEdit::textEdited, this, [this] { m_bModified = true; });
}

void CNumEdit::SetDisplayType(int nType) {
    m_format.m_nDisplayType = nType;
    RefreshText();
}

void CNumEdit::SetTable(const std::vector<double>& values) {
    const auto count = std::min(values.size(), static_cast<std::size_t>(std::max(m_nMax + 1, 0)));
    m_format.m_table.assign(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(count));
}

void CNumEdit::SetRange(int nMin, int nMax) {
    m_nMin = nMin;
    m_nMax = nMax;
}

void CNumEdit::SetValue(int nIndex) {
    if (nIndex < m_nMin || nIndex > m_nMax) {
        return;
    }
    m_nIndex = nIndex;
    m_bModified = false;
    RefreshText();
}

int CNumEdit::GetValue() {
    if (m_bModified) {
        ConvertPendingText();
    }
    return m_nIndex;
}

void CNumEdit::RefreshText() {
    setText(QString::fromStdString(FormatNumber(m_format, m_nIndex)));
}

bool CNumEdit::ConvertPendingText() {
    m_bModified = false;
    const auto index = ConvertTypedText(m_format, m_nMin, m_nMax, text().toStdString());
    if (!index) {
        if (m_format.m_nDisplayType == kNumDisplayTable) {
            NotifyUser("错误的Freq值");
        }
        RefreshText();
        return false;
    }
    m_nIndex = *index;
    RefreshText();
    return true;
}

void CNumEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (m_bModified && ConvertPendingText()) {
        SendControlMessage(ReportTarget(this), MSG_COMMAND, m_nControlId, m_nIndex);
    }
}

void CNumEdit::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    ApplyColours();
}

void CNumEdit::SetBackColour(const QColor& colour) {
    m_backColour = colour;
    ApplyColours();
}

void CNumEdit::SetFrameColour(const QColor& colour) {
    m_frameColour = colour;
    update();
}

void CNumEdit::ApplyColours() {
    ApplyEditColours(this, m_textColour, m_backColour);
}

void CNumEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(isEnabled() ? m_frameColour : kDisabledEditFrame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
