#include "gui/shell/titlebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "gui/controls/artwork.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/labeltext.h"

namespace {
constexpr int kBluetoothNameLength = 20;
const QColor kStatusRed(255, 0, 0);
const QColor kStatusGreen(0, 255, 0);
const QColor kStatusOrange(230, 130, 0);
constexpr int kNoteWidth = 420;

CXPButton* TitleButton(int id, QWidget* pParent) {
    auto* pButton = new CXPButton(id, pParent);
    pButton->setFocusPolicy(Qt::NoFocus);
    return pButton;
}
}  // namespace

CTitleBar::CTitleBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kTitleBarHeight);
    auto* pIcon = new QLabel(this);
    pIcon->setPixmap(ArtPixmapForScreen(IDB_APP_ICON));
    auto* pTitle = new CStaticTrans(LabelText(kLabelTitleSonvela36), this);
    pTitle->SetTextColour(Qt::black);
    pTitle->SetBackColour(Qt::white);
    m_pStatus = new CStaticTrans(this);
    m_pStatus->setObjectName("status");
    m_pStatus->SetBackColour(Qt::white);
    m_pStatus->installEventFilter(this);
    m_pStatus->setCursor(Qt::PointingHandCursor);
    ShowStatus(false);

    m_pBtLabel = new CStaticTrans(LabelText(kLabelTitleModifyBluetoothName), this);
    m_pBtLabel->SetTextColour(Qt::black);
    m_pBtLabel->SetBackColour(Qt::white);
    m_pBtEdit = new CLimitInputEdit(this);
    m_pBtEdit->setMaxLength(kBluetoothNameLength);
    m_pBtEdit->SetTextColour(Qt::black);
    m_pBtEdit->SetBackColour(QColor(230, 230, 230));
    m_pBtEdit->setFixedWidth(180);
    m_pBtOk = new QPushButton(LabelText(kLabelTitleOK), this);
    m_pBtOk->setAutoDefault(false);
    m_pBtLabel->hide();
    m_pBtEdit->hide();
    m_pBtOk->hide();
    connect(m_pBtOk, &QPushButton::clicked, this, &CTitleBar::BluetoothOkClicked);
    m_pNote = new CStaticTrans(this);
    m_pNote->setObjectName("note");
    m_pNote->SetTextColour(Qt::darkGray);
    m_pNote->SetBackColour(Qt::white);
    m_pNote->setFixedWidth(kNoteWidth);
    m_pAb = new CStaticTrans(this);
    m_pAb->setObjectName("abSlot");
    m_pAb->SetTextColour(Qt::darkBlue);
    m_pAb->SetBackColour(Qt::white);
    m_pAb->hide();
    m_pSnapshot = new QPushButton(QStringLiteral("Snapshot"), this);
    m_pSnapshot->setAutoDefault(false);
    m_pSnapshot->setFocusPolicy(Qt::NoFocus);
    m_pSnapshot->setToolTip(QStringLiteral("Keep the current settings as a parameter file"));
    connect(m_pSnapshot, &QPushButton::clicked, this, &CTitleBar::SnapshotClicked);

    auto* pMinimise = TitleButton(1012, this);
    pMinimise->SetFaceBitmap(IDB_TITLE_MINIMISE);
    m_pMaximise = TitleButton(1013, this);
    m_pMaximise->SetFaceBitmap(IDB_TITLE_MAXIMISE);
    auto* pClose = TitleButton(1014, this);
    pClose->SetFaceBitmaps(IDB_TITLE_CLOSE, IDB_TITLE_CLOSE, IDB_TITLE_CLOSE, IDB_TITLE_CLOSE,
                           IDB_TITLE_CLOSE, IDB_TITLE_MINIMISE);
    connect(pMinimise, &CXPButton::clicked, this, &CTitleBar::MinimiseClicked);
    connect(m_pMaximise, &CXPButton::clicked, this, &CTitleBar::MaximiseClicked);
    connect(pClose, &CXPButton::clicked, this, &CTitleBar::CloseClicked);

    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(6, 4, 5, 4);
    pLayout->setSpacing(8);
    pLayout->addWidget(pIcon);
    pLayout->addWidget(pTitle);
    pLayout->addSpacing(20);
    pLayout->addWidget(m_pStatus);
    pLayout->addWidget(m_pAb);
    pLayout->addWidget(m_pNote);
    pLayout->addWidget(m_pSnapshot);
    pLayout->addSpacing(20);
    pLayout->addWidget(m_pBtLabel);
    pLayout->addWidget(m_pBtEdit);
    pLayout->addWidget(m_pBtOk);
    pLayout->addStretch(1);
    pLayout->addWidget(pMinimise);
    pLayout->addWidget(m_pMaximise);
    pLayout->addWidget(pClose);
}

void CTitleBar::ShowStatus(bool bConnected) {
    m_pStatus->setText(LabelText(bConnected ? kLabelMessageConnected : kLabelMessageUnConnect));
    m_pStatus->SetTextColour(bConnected ? kStatusGreen : kStatusRed);
}

void CTitleBar::ShowReconnecting(int attempt) {
    m_pStatus->setText(QStringLiteral("Reconnecting… (%1)").arg(attempt));
    m_pStatus->SetTextColour(kStatusOrange);
}

void CTitleBar::ShowNote(const QString& text) {
    m_pNote->setToolTip(text);
    m_pNote->setText(m_pNote->fontMetrics().elidedText(text, Qt::ElideRight, kNoteWidth - 4));
}

void CTitleBar::ShowAbSlot(const QString& slot) {
    m_pAb->setText(slot.isEmpty() ? QString() : QStringLiteral("A/B: %1").arg(slot));
    m_pAb->setVisible(!slot.isEmpty());
}

void CTitleBar::ShowBluetoothRow() {
    m_pBtLabel->show();
    m_pBtEdit->show();
    m_pBtOk->show();
}

bool CTitleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pStatus && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit StatusClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CTitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    QWidget* pWindow = window();
    // Where the platform moves windows itself, it does; elsewhere the window follows the mouse.
    if (pWindow->windowHandle() != nullptr && pWindow->windowHandle()->startSystemMove()) {
        return;
    }
    m_bDragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pWindow->pos();
}

void CTitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_bDragging && rect().contains(event->position().toPoint())) {
        window()->move(event->globalPosition().toPoint() - m_dragOffset);
    }
}

void CTitleBar::mouseReleaseEvent(QMouseEvent* /*event*/) {
    m_bDragging = false;
}

void CTitleBar::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), Qt::white);
}
