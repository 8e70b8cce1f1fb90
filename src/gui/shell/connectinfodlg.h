// The busy box: "Data update, please wait..." blinking over the main window, which is disabled
// while the box shows. It closes when told to, or by itself after a set time.
#pragma once

#include <QDialog>
#include <QTimer>

class CStaticTrans;

class CConnectInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBlinkMs = 200;

    explicit CConnectInfoDlg(QWidget* pOwner);

    // 0: stays until HideBusy; otherwise closes by itself after that many milliseconds.
    void SetAutoClose(int milliseconds);
    void ShowBusy();
    void HideBusy();

    int BlinkCount() const { return m_blinkCount; }
    bool IsAutoClose() const { return m_bAutoClose != 0; }
    CStaticTrans* Label() const { return m_pLabel; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnBlink();

    QWidget* m_pOwner;
    CStaticTrans* m_pLabel;
    int m_blinkCount = 0;
    int m_bAutoClose = 0;
    int m_autoCloseMs = 0;
    QTimer m_blinkTimer;
    QTimer m_autoCloseTimer;
};
