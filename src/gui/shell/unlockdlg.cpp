#include "gui/shell/unlockdlg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/statictrans.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/messagebox.h"

namespace {
const QColor kDialogBack(100, 100, 100);
}  // namespace

CUnlockDlg::CUnlockDlg(const CAudioData& model, SHandlers handlers, QWidget* parent)
    : QDialog(parent), m_model(model), m_handlers(std::move(handlers)) {
    setWindowTitle(LabelText(kLabelDialogUnlockedPassword));
    auto* pTitle = new CStaticTrans(LabelText(kLabelDialogUnlockedPassword), this);
    pTitle->SetTextColour(Qt::white);
    auto* pPrompt = new CStaticTrans(LabelText(kLabelDialogPleaseInputPassword), this);
    pPrompt->SetTextColour(Qt::black);
    m_pEdit = new CLimitInputEdit(this);
    m_pEdit->SetDigitsOnly(true);
    m_pEdit->setMaxLength(kPasswordLength);
    m_pEdit->setEchoMode(QLineEdit::Password);
    m_pOk = new QPushButton(LabelText(kLabelDialogOK), this);
    m_pCancel = new QPushButton(LabelText(kLabelDialogCancel), this);
    m_pOk->setAutoDefault(false);
    m_pCancel->setAutoDefault(false);

    auto* pLayout = new QGridLayout(this);
    pLayout->addWidget(pTitle, 0, 0, 1, 2);
    pLayout->addWidget(pPrompt, 1, 0, 1, 2);
    pLayout->addWidget(m_pEdit, 2, 0, 1, 2);
    pLayout->addWidget(m_pOk, 3, 0);
    pLayout->addWidget(m_pCancel, 3, 1);

    connect(m_pOk, &QPushButton::clicked, this, &CUnlockDlg::CheckPassword);
    connect(m_pEdit, &QLineEdit::returnPressed, this, &CUnlockDlg::CheckPassword);
    connect(m_pCancel, &QPushButton::clicked, this, [this] {
        m_bDone = true;
        if (m_handlers.cancelled) {
            m_handlers.cancelled();
        }
    });
}

void CUnlockDlg::CheckPassword() {
    const QString stored =
        QString::fromStdString(BytesToString(m_model.Image().Password(), kPasswordLength));
    const QString typed = m_pEdit->text();
    const QString caption = LabelText(kLabelMessagePrompt);
    if (typed.size() != kPasswordLength) {
        m_pEdit->clear();
        ShowQueuedMessage(this, LabelText(kLabelMessageTheNewPasswordMustBe), caption);
        return;
    }
    if (typed != stored) {
        m_pEdit->clear();
        ShowQueuedMessage(this, LabelText(kLabelMessagePasswordError), caption);
        return;
    }
    m_pOk->setEnabled(false);
    ShowQueuedMessage(this, LabelText(kLabelMessageUnlockSuccess), caption, [this] {
        m_bDone = true;
        if (m_handlers.unlocked) {
            m_handlers.unlocked();
        }
        accept();
    });
}

void CUnlockDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), kDialogBack);
}

void CUnlockDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape never close the dialog; the focus goes to the dialog itself (Enter in
    // the password box has already checked the password).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        setFocus();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CUnlockDlg::closeEvent(QCloseEvent* event) {
    if (!m_bDone) {
        // While a link is up the unit must be unlocked or the program ended with Cancel.
        if (m_handlers.isConnected && m_handlers.isConnected()) {
            event->ignore();
            return;
        }
        m_bDone = true;
        if (m_handlers.cancelled) {
            m_handlers.cancelled();
        }
    }
    QDialog::closeEvent(event);
}
