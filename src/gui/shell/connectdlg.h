// The connect dialog: shows the search's status text and progress (0 .. 10) while the search
// runs, and closes when the search has connected or given up.
#pragma once

#include <QDialog>

#include "link/connectsearch.h"

class QLabel;
class QProgressBar;

class CConnectDlg : public QDialog {
    Q_OBJECT
public:
    CConnectDlg(CConnectSearch& search, QWidget* parent);

    // Starts the search; the dialog closes itself when it ends.
    void Run(const SearchPlan& plan, bool usbDeviceOpen);

    QLabel* StatusLabel() const { return m_pStatus; }
    QProgressBar* ProgressBar() const { return m_pProgress; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CConnectSearch& m_search;
    QLabel* m_pStatus;
    QProgressBar* m_pProgress;
};
