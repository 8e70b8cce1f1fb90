// A frame around the control that has the keyboard focus in the main window, so that moving
// through the controls with Tab always shows where the focus is, whatever the control draws.
#pragma once

#include <QPointer>
#include <QWidget>

class CFocusRing : public QWidget {
    Q_OBJECT
public:
    explicit CFocusRing(QWidget* pWindow);

    // The control framed now, or null.
    QWidget* Target() const { return m_pTarget; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Follow(QWidget* pNow);
    void Place();

    QPointer<QWidget> m_pTarget;
};
