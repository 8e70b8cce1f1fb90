// The window's own title bar: icon, title, link status, the hidden Bluetooth-name row and the
// minimise / maximise / close buttons. Dragging it moves the window.
#pragma once

#include <QPoint>
#include <QWidget>

class CLimitInputEdit;
class CStaticTrans;
class CXPButton;
class QPushButton;

inline constexpr int kTitleBarHeight = 40;

class CTitleBar : public QWidget {
    Q_OBJECT
public:
    explicit CTitleBar(QWidget* parent);

    // "Connected" in green or "UnConnect" in red.
    void ShowStatus(bool bConnected);
    // "Reconnecting… (n)" in orange, while a lost link is tried again.
    void ShowReconnecting(int attempt);
    // A line beside the status: why a search failed, what undo did, that edits are kept.
    void ShowNote(const QString& text);
    // The A/B slot that is live ("A" or "B"); empty hides it.
    void ShowAbSlot(const QString& slot);
    void ShowBluetoothRow();

    CStaticTrans* StatusLabel() const { return m_pStatus; }
    CLimitInputEdit* BluetoothEdit() const { return m_pBtEdit; }
    QPushButton* BluetoothOk() const { return m_pBtOk; }
    CStaticTrans* BluetoothLabel() const { return m_pBtLabel; }
    CXPButton* MaximiseButton() const { return m_pMaximise; }
    CStaticTrans* NoteLabel() const { return m_pNote; }
    CStaticTrans* AbLabel() const { return m_pAb; }
    QPushButton* SnapshotButton() const { return m_pSnapshot; }

signals:
    void StatusClicked();
    void BluetoothOkClicked();
    void MinimiseClicked();
    void MaximiseClicked();
    void CloseClicked();
    void SnapshotClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CStaticTrans* m_pStatus;
    CStaticTrans* m_pNote;
    CStaticTrans* m_pAb;
    QPushButton* m_pSnapshot;
    CStaticTrans* m_pBtLabel;
    CLimitInputEdit* m_pBtEdit;
    QPushButton* m_pBtOk;
    CXPButton* m_pMaximise;
    bool m_bDragging = false;
    QPoint m_dragOffset;
};
