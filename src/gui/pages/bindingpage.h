// The frame every page of controls is built on: the binding table, the editing path (control
// -> linked controls -> setter -> what the page adds), loading with the controls'
// notifications blocked, groups of bindings shown, hidden or locked together, the page's
// background and its keys. A page without bands (the master volume strip, the System page) is a
// binding page; a page with bands and a curve is a channel page (channelpage.h).
#pragma once

#include <QHash>
#include <QWidget>
#include <vector>

#include "gui/pages/controlbinding.h"

class CBindingPage : public QWidget {
    Q_OBJECT
public:
    explicit CBindingPage(QWidget* parent = nullptr);

    // Building the table. Bind returns the binding's index; every control of the binding then
    // reports to this page, wherever it sits.
    int Bind(SBinding binding);
    const SBinding& Binding(int index) const { return m_bindings[static_cast<std::size_t>(index)]; }
    int BindingCount() const { return static_cast<int>(m_bindings.size()); }
    // The binding of control `id`, or -1.
    int BindingOfControl(int id) const;

    // Sets every binding's controls from its field, notifications blocked. Sends nothing and
    // leaves every change flag as it is.
    void LoadBindings();
    void LoadBinding(int index);

    // The editing path for one report of control `id` (slider position, spin or box index,
    // list position, or a button click).
    void OnControl(int id, int reported);

    // Groups: bindings (and other widgets, such as their captions) that are shown and hidden
    // together, or locked: disabled, with the locked images, and (bBlank) blank: sliders at
    // their start, texts "0", toggles off; without bBlank the controls keep what they show.
    // Loading a locked binding shows it blank. Unlocking shows the fields again.
    int AddGroup(std::vector<int> bindings, std::vector<QWidget*> widgets = {});
    void SetGroupVisible(int group, bool bVisible);
    void SetGroupLocked(int group, bool bLocked, bool bBlank = true);
    bool IsGroupLocked(int group) const;

protected:
    // Shows `value` (clamped into the field's range for display) in every view of the binding.
    void Show(const SBinding& binding, int value);
    // What a page adds after an edit stored its value (band selection, the curve).
    virtual void OnBindingEdited(const SBinding& binding, int value);
    // Before an edit is stored: the binding's band is selected even when the value cannot move.
    virtual void OnBindingTouched(const SBinding& binding);

    void customEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct SGroup {
        std::vector<int> bindings;
        std::vector<QWidget*> widgets;
        bool bLocked = false;
    };
    int ToValue(const SBinding& binding, const SControlView& view, int reported) const;
    void ShowLocked(const SBinding& binding);

    std::vector<SBinding> m_bindings;
    // control id -> (binding, view)
    QHash<int, std::pair<int, int>> m_byControl;
    std::vector<SGroup> m_groups;
    // Per binding: its group is locked.
    std::vector<bool> m_bLocked;
};
