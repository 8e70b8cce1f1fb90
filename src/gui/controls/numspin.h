// The up/down arrows beside a number box (its buddy). While the buddy has the keyboard focus,
// a press on an arrow steps the buddy's index by one and keeps stepping while held; the parent
// receives MSG_COMMAND (control id, new index) at once for a single step, and for a held
// button at most once per report period and once more at the release.
#pragma once

#include <QTimer>
#include <QWidget>

class CNumEdit;

class CNumSpin : public QWidget {
    Q_OBJECT
public:
    static constexpr int kReportMs = 400;         // report period while a button is held
    static constexpr int kRepeatDelayMs = 300;    // hold time before auto-repeat starts
    static constexpr int kRepeatIntervalMs = 60;  // auto-repeat step period

    explicit CNumSpin(int nControlId, QWidget* parent = nullptr);

    int ControlId() const { return m_nControlId; }

    void SetBuddy(CNumEdit* pEdit) { m_pBuddy = pEdit; }
    CNumEdit* GetBuddy() const { return m_pBuddy; }
    // Stores the range and passes it to the buddy.
    void SetRange(int nMin, int nMax);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    // Accepted only within the range; the buddy shows it.
    void SetPos(int nPos);
    // The buddy's index (pending typing converted first); also stored as the position.
    int GetPos();
    bool IsModified() const;

    // One step as the arrows make it (+1 up, -1 down); ignored unless the buddy has the focus.
    void Step(int nDelta);

    QSize sizeHint() const override { return {18, 24}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnReportTimer();
    void Report();

    int m_nControlId;
    CNumEdit* m_pBuddy = nullptr;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
    int m_nHeldDelta = 0;  // +1 or -1 while an arrow is held, else 0
    bool m_bChanged = false;
    QTimer m_reportTimer;
    QTimer m_repeatTimer;
};
