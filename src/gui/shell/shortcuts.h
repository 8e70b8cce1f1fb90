// The main window's keys, seen before any of its controls: Enter and Escape move the focus to
// the window, F5 is ignored, P toggles the spectrum (unless a text box has the focus), and
// Ctrl with Q/A, W/S, E/D raises or lowers the music, microphone or effect volume by one step.
#pragma once

#include <QObject>

class CAudioData;
class CMainVolDlg;
class CSwitchChDlg;
class QWidget;

class CShortcutFilter : public QObject {
    Q_OBJECT
public:
    CShortcutFilter(QWidget* pWindow, CAudioData& model, CMainVolDlg& mainVol,
                    CSwitchChDlg& selector);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Steps volume `field` of the master volume record; false when the key is not one.
    bool StepVolume(int key);

    QWidget* m_pWindow;
    CAudioData& m_model;
    CMainVolDlg& m_mainVol;
    CSwitchChDlg& m_selector;
};
