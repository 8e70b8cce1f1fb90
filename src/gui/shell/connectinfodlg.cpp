#include "gui/shell/connectinfodlg.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "gui/controls/statictrans.h"
#include "gui/pages/labeltext.h"

namespace {
const QColor kBoxBack(100, 100, 100);
const QColor kBlinkText(150, 150, 150);
}  // namespace

CConnectInfoDlg::CConnectInfoDlg(QWidget* pOwner)
    : QDialog(pOwner, Qt::Dialog | Qt::FramelessWindowHint), m_pOwner(pOwner) {
    setFixedSize(320, 80);
    m_pLabel = new CStaticTrans(LabelText(kLabelMessageDataUpdatePleaseWait), this);
    m_pLabel->SetBackColour(kBoxBack);
    m_pLabel->SetTextColour(Qt::white);
    m_pLabel->setAlignment(Qt::AlignCenter);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pLabel);
    m_blinkTimer.setInterval(kBlinkMs);
    connect(&m_blinkTimer, &QTimer::timeout, this, &CConnectInfoDlg::OnBlink);
    m_autoCloseTimer.setSingleShot(true);
    connect(&m_autoCloseTimer, &QTimer::timeout, this, [this] {
        m_bAutoClose = 0;
        HideBusy();
    });
}

void CConnectInfoDlg::SetAutoClose(int milliseconds) {
    m_bAutoClose = milliseconds >= 1 ? 1 : 0;
    m_autoCloseMs = milliseconds;
}

void CConnectInfoDlg::ShowBusy() {
    m_blinkCount = 0;
    m_pLabel->SetTextColour(Qt::white);
    if (m_pOwner != nullptr) {
        const QRect owner = m_pOwner->frameGeometry();
        move(owner.center() - rect().center());
    }
    show();
    if (m_pOwner != nullptr) {
        m_pOwner->setEnabled(false);
        // A window of its own stays usable while its owner is disabled.
        setEnabled(true);
    }
    m_blinkTimer.start();
    m_autoCloseTimer.stop();
    if (m_bAutoClose == 1) {
        m_autoCloseTimer.start(m_autoCloseMs);
    }
}

void CConnectInfoDlg::HideBusy() {
    if (m_pOwner != nullptr) {
        m_pOwner->setEnabled(true);
    }
    m_blinkTimer.stop();
    m_autoCloseTimer.stop();
    hide();
}

void CConnectInfoDlg::OnBlink() {
    ++m_blinkCount;
    m_pLabel->SetTextColour(m_blinkCount % 2 == 1 ? kBlinkText : QColor(Qt::white));
}

void CConnectInfoDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), kBoxBack);
}

void CConnectInfoDlg::keyPressEvent(QKeyEvent* event) {
    // The box is closed by the program, never by a key.
    event->accept();
}
