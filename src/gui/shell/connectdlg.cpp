#include "gui/shell/connectdlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
const QColor kDialogBack(100, 100, 100);
}  // namespace

CConnectDlg::CConnectDlg(CConnectSearch& search, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_search(search) {
    setFixedSize(360, 90);
    m_pStatus = new QLabel(QStringLiteral("正在搜索,请等待......"), this);
    m_pStatus->setStyleSheet("color: white;");
    m_pProgress = new QProgressBar(this);
    m_pProgress->setRange(0, kSearchProgressMax);
    m_pProgress->setValue(0);
    m_pProgress->setTextVisible(false);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pStatus);
    pLayout->addWidget(m_pProgress);
    connect(&m_search, &CConnectSearch::StatusChanged, m_pStatus, &QLabel::setText);
    connect(&m_search, &CConnectSearch::ProgressChanged, m_pProgress, &QProgressBar::setValue);
    connect(&m_search, &CConnectSearch::Finished, this, [this](SearchResult result) {
        done(result == SearchResult::Connected ? QDialog::Accepted : QDialog::Rejected);
    });
}

void CConnectDlg::Run(const SearchPlan& plan, bool usbDeviceOpen) {
    setModal(true);
    if (parentWidget() != nullptr) {
        move(parentWidget()->frameGeometry().center() - rect().center());
    }
    open();
    m_search.Start(plan, usbDeviceOpen);
}

void CConnectDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), kDialogBack);
}

void CConnectDlg::keyPressEvent(QKeyEvent* event) {
    // The search ends the dialog, never a key.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}
