#include "gui/shell/shortcuts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "core/model/audiodata.h"
#include "core/viewmath/volumerules.h"
#include "gui/controls/numedit.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/switchchdlg.h"

namespace {
bool IsTextBox(QObject* pObject) {
    return qobject_cast<QLineEdit*>(pObject) != nullptr &&
           qobject_cast<CNumEdit*>(pObject) == nullptr;
}
}  // namespace

CShortcutFilter::CShortcutFilter(QWidget* pWindow, CAudioData& model, CMainVolDlg& mainVol,
                                 CSwitchChDlg& selector)
    : m_pWindow(pWindow), m_model(model), m_mainVol(mainVol), m_selector(selector) {}

bool CShortcutFilter::StepVolume(int key) {
    struct SVolumeKey {
        int up;
        int down;
        CAudioVolData::Field field;
        CAudioVolData::Field maxField;
        int stop;
    };
    constexpr SVolumeKey kKeys[] = {
        {Qt::Key_Q, Qt::Key_A, CAudioVolData::kMusicVol, CAudioVolData::kMaxMusicVol,
         kShortcutStopMusicMic},
        {Qt::Key_W, Qt::Key_S, CAudioVolData::kMicVol, CAudioVolData::kMaxMicVol,
         kShortcutStopMusicMic},
        {Qt::Key_E, Qt::Key_D, CAudioVolData::kEffectVol, CAudioVolData::kMaxEffectVol,
         kShortcutStopEffect},
    };
    for (const SVolumeKey& def : kKeys) {
        if (key != def.up && key != def.down) {
            continue;
        }
        CAudioVolData& volume = m_model.Volume();
        const int current = volume.Get(def.field);
        const int next =
            ShortcutVolume(current, key == def.up ? 1 : -1, def.stop, volume.Get(def.maxField));
        if (next != current) {
            volume.Set(def.field, static_cast<std::int16_t>(next));
            m_mainVol.LoadVolumes();
        }
        return true;
    }
    return false;
}

bool CShortcutFilter::EditKey(int key, Qt::KeyboardModifiers modifiers) {
    const std::function<void()>* action = nullptr;
    if (key == Qt::Key_F7 && modifiers == Qt::NoModifier) {
        action = &m_editKeys.toggleAb;
    } else if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr) {
        return false;
    } else if (key == Qt::Key_Z && modifiers == Qt::ControlModifier) {
        action = &m_editKeys.undo;
    } else if ((key == Qt::Key_Y && modifiers == Qt::ControlModifier) ||
               (key == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
        action = &m_editKeys.redo;
    }
    if (action == nullptr || !*action) {
        return false;
    }
    (*action)();
    return true;
}

bool CShortcutFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != m_pWindow) {
        return false;
    }
    const auto* pKey = static_cast<QKeyEvent*>(event);
    const int key = pKey->key();
    const Qt::KeyboardModifiers modifiers = pKey->modifiers() & ~Qt::KeypadModifier;
    // A text box keeps its keys: Enter confirms what was typed (a password, a name), letters
    // with or without Ctrl edit the text (Ctrl+A selects it all). A number box is not one of
    // them: Enter takes its number by moving the focus away, and the volume keys work in it.
    // The key is seen first on the box it is typed into, then on its parents while it is not
    // taken, by which time a handler may have moved the focus to the next box.
    QWidget* pFocus = QApplication::focusWidget();
    const bool bInTextBox = IsTextBox(watched) || IsTextBox(pFocus);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (bInTextBox) {
            return false;
        }
        m_pWindow->setFocus();
        return true;
    }
    if (key == Qt::Key_Escape) {
        m_pWindow->setFocus();
        return true;
    }
    if (key == Qt::Key_F5) {
        return true;
    }
    if (EditKey(key, modifiers)) {
        return true;
    }
    if (bInTextBox) {
        return false;
    }
    if (modifiers == Qt::ControlModifier) {
        // A disabled window (the busy box shows) takes no edit.
        return m_pWindow->isEnabled() && StepVolume(key);
    }
    if (key == Qt::Key_P && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        // In a number box P is still a letter.
        if (qobject_cast<QLineEdit*>(pFocus) != nullptr) {
            return false;
        }
        m_selector.ToggleSpectrum();
        return true;
    }
    return false;
}
