// The main window's keys, seen before any of its controls: Enter and Escape move the focus to
// the window, F5 is ignored, P toggles the spectrum, and Ctrl with Q/A, W/S, E/D raises or
// lowers the music, microphone or effect volume by one step (not while the window is disabled).
// While a text box has the focus it keeps its keys: Enter reaches it (it confirms a password or
// a name), and P and the Ctrl letters edit its text (Ctrl+A selects all, as in any text box)
// instead of acting on the spectrum or the volumes. A number box is no text box here: Enter
// takes its number and the Ctrl letters step the volumes. Escape and F5 keep their meaning
// everywhere.
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
