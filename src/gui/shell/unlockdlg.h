// The unlock dialog: a locked unit is usable only after its 4-digit panel password has been
// entered. Cancel ends the program; closing is refused while a link is up.
#pragma once

#include <QDialog>
#include <functional>

class CAudioData;
class CLimitInputEdit;
class QPushButton;

class CUnlockDlg : public QDialog {
    Q_OBJECT
public:
    struct SHandlers {
        std::function<bool()> isConnected;
        // The right password was entered and its box closed.
        std::function<void()> unlocked;
        // Cancel: the program ends.
        std::function<void()> cancelled;
    };
    CUnlockDlg(const CAudioData& model, SHandlers handlers, QWidget* parent);

    // The OK button, or Enter in the password box.
    void CheckPassword();

    CLimitInputEdit* PasswordEdit() const { return m_pEdit; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const CAudioData& m_model;
    SHandlers m_handlers;
    CLimitInputEdit* m_pEdit;
    QPushButton* m_pOk;
    QPushButton* m_pCancel;
    bool m_bDone = false;
};
