// The main window's keys, seen before any of its controls: Enter and Escape move the focus to
// the window, F5 is ignored, P toggles the spectrum, and Ctrl with Q/A, W/S, E/D raises or
// lowers the music, microphone or effect volume by one step (not while the window is disabled).
// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, F7 toggles A/B.
// While a text box has the focus it keeps its keys: Enter reaches it (it confirms a password or
// a name), and P, the Ctrl letters and Ctrl+Z / Ctrl+Y edit its text (Ctrl+A selects all, as in
// any text box) instead of acting on the spectrum, the volumes or the history. A number box is
// no text box here: Enter takes its number and the Ctrl letters step the volumes (its Ctrl+Z and
// Ctrl+Y stay its own). Escape, F5 and F7 keep their meaning everywhere.
#pragma once

#include <QObject>
#include <functional>

class CAudioData;
class CMainVolDlg;
class CSwitchChDlg;
class QWidget;

class CShortcutFilter : public QObject {
    Q_OBJECT
public:
    CShortcutFilter(QWidget* pWindow, CAudioData& model, CMainVolDlg& mainVol,
                    CSwitchChDlg& selector);

    struct SEditKeys {
        std::function<void()> undo;
        std::function<void()> redo;
        std::function<void()> toggleAb;
    };
    void SetEditKeys(SEditKeys keys) { m_editKeys = std::move(keys); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Steps volume `field` of the master volume record; false when the key is not one.
    bool StepVolume(int key);
    // Undo, redo, A/B; false when the key is none of them.
    bool EditKey(int key, Qt::KeyboardModifiers modifiers);

    QWidget* m_pWindow;
    CAudioData& m_model;
    CMainVolDlg& m_mainVol;
    CSwitchChDlg& m_selector;
    SEditKeys m_editKeys;
};
