#include "gui/pages/messagebox.h"

#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

namespace {
QMessageBox* MakeBox(QWidget* pParent, QMessageBox::Icon icon, const QString& text,
                     const QString& caption, QMessageBox::StandardButtons buttons) {
    auto* pBox = new QMessageBox(icon, caption, text, buttons, pParent);
    pBox->setAttribute(Qt::WA_DeleteOnClose);
    pBox->setWindowModality(pParent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    return pBox;
}
}  // namespace

void ShowQueuedMessage(QWidget* pParent, const QString& text, const QString& caption,
                       std::function<void()> after) {
    QPointer<QWidget> parent(pParent);
    QObject* context = pParent != nullptr ? static_cast<QObject*>(pParent) : qApp;
    QMetaObject::invokeMethod(
        context,
        [parent, text, caption, after = std::move(after)] {
            QMessageBox* pBox =
                MakeBox(parent, QMessageBox::Information, text, caption, QMessageBox::Ok);
            QObject::connect(pBox, &QMessageBox::finished, pBox, [after](int) {
                if (after) {
                    after();
                }
            });
            pBox->open();
        },
        Qt::QueuedConnection);
}

namespace {
void AskWithButtons(QWidget* pParent, const QString& text, const QString& caption,
                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton yes,
                    std::function<void(bool)> answer) {
    QPointer<QWidget> parent(pParent);
    QObject* context = pParent != nullptr ? static_cast<QObject*>(pParent) : qApp;
    QMetaObject::invokeMethod(
        context,
        [parent, text, caption, buttons, yes, answer = std::move(answer)] {
            QMessageBox* pBox = MakeBox(parent, QMessageBox::Question, text, caption, buttons);
            QObject::connect(pBox, &QMessageBox::finished, pBox,
                             [answer, yes](int result) { answer(result == yes); });
            pBox->open();
        },
        Qt::QueuedConnection);
}
}  // namespace

void AskQueued(QWidget* pParent, const QString& text, const QString& caption,
               std::function<void(bool)> answer) {
    AskWithButtons(pParent, text, caption, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok,
                   std::move(answer));
}

void AskYesNoQueued(QWidget* pParent, const QString& text, const QString& caption,
                    std::function<void(bool)> answer) {
    AskWithButtons(pParent, text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                   std::move(answer));
}

void CMessageBoxNotify::ShowMessage(const std::string& text, const std::string& caption) {
    ShowQueuedMessage(m_pParent, QString::fromStdString(text), QString::fromStdString(caption));
}

void CBlockingBoxNotify::ShowMessage(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Information, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}
