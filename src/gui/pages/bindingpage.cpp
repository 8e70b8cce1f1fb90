#include "gui/pages/bindingpage.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <algorithm>

#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/controlevent.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/pagecolours.h"

namespace {
void ShowFace(CXPButton* pButton, const SFace& face) {
    if (face.bitmap != 0) {
        pButton->SetFaceBitmap(face.bitmap);
    }
    if (face.colour.isValid()) {
        pButton->SetTextColour(face.colour);
    }
    if (!face.text.isEmpty()) {
        pButton->setText(face.text);
    }
    pButton->update();
}

void ShowChoice(CXPButton* pButton, const SControlView& view, bool bSelected) {
    pButton->SetSelected(bSelected);
    ShowFace(pButton, view.faces[bSelected ? 1 : 0]);
}

int Clamped(const SBinding& binding, int value) {
    if (!binding.field.range) {
        return value;
    }
    const FieldRange range = binding.field.range();
    return std::clamp(value, static_cast<int>(range.min), static_cast<int>(range.max));
}
}  // namespace

CBindingPage::CBindingPage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

int CBindingPage::Bind(SBinding binding) {
    const int index = static_cast<int>(m_bindings.size());
    for (int v = 0; v < static_cast<int>(binding.views.size()); ++v) {
        const SControlView& view = binding.views[static_cast<std::size_t>(v)];
        Q_ASSERT(!m_byControl.contains(view.id));
        m_byControl.insert(view.id, {index, v});
        SetReportTarget(view.pWidget, this);
        if (view.kind == EControlKind::Combo) {
            auto* pCombo = static_cast<QComboBox*>(view.pWidget);
            connect(pCombo, &QComboBox::activated, this,
                    [this, id = view.id](int position) { OnControl(id, position); });
        }
    }
    m_bindings.push_back(std::move(binding));
    m_bLocked.push_back(false);
    return index;
}

int CBindingPage::BindingOfControl(int id) const {
    const auto found = m_byControl.constFind(id);
    return found == m_byControl.constEnd() ? -1 : found->first;
}

void CBindingPage::Show(const SBinding& binding, int value) {
    value = Clamped(binding, value);
    const bool bChoiceMatches =
        std::any_of(binding.views.begin(), binding.views.end(), [value](const SControlView& v) {
            return v.kind == EControlKind::Choice && v.param == value;
        });
    for (const SControlView& view : binding.views) {
        const QSignalBlocker blocker(view.pWidget);
        switch (view.kind) {
            case EControlKind::Slider:
                static_cast<CBitmapSlider*>(view.pWidget)
                    ->SetPos(view.top >= 0 ? view.top - value : value);
                break;
            case EControlKind::Spin:
                static_cast<CNumSpin*>(view.pWidget)->SetPos(value);
                break;
            case EControlKind::Box:
                static_cast<CNumEdit*>(view.pWidget)->SetValue(value);
                break;
            case EControlKind::Combo:
                static_cast<QComboBox*>(view.pWidget)->setCurrentIndex(value);
                break;
            case EControlKind::Toggle:
                ShowFace(static_cast<CXPButton*>(view.pWidget), view.faces[value != 0 ? 1 : 0]);
                break;
            case EControlKind::Choice:
                // A value none of the buttons stands for leaves them as they were.
                if (bChoiceMatches) {
                    ShowChoice(static_cast<CXPButton*>(view.pWidget), view, view.param == value);
                }
                break;
            case EControlKind::Text:
                static_cast<CStaticTrans*>(view.pWidget)
                    ->setText(QString::fromStdString(view.text(value)));
                break;
            case EControlKind::Step:
                break;
        }
    }
}

void CBindingPage::ShowLocked(const SBinding& binding) {
    for (const SControlView& view : binding.views) {
        const QSignalBlocker blocker(view.pWidget);
        switch (view.kind) {
            case EControlKind::Slider:
                static_cast<CBitmapSlider*>(view.pWidget)->SetPos(0);
                break;
            case EControlKind::Text:
                static_cast<CStaticTrans*>(view.pWidget)->setText(QStringLiteral("0"));
                break;
            case EControlKind::Toggle:
                ShowFace(static_cast<CXPButton*>(view.pWidget), view.faces[0]);
                break;
            default:
                break;
        }
    }
}

int CBindingPage::ToValue(const SBinding& binding, const SControlView& view, int reported) const {
    switch (view.kind) {
        case EControlKind::Slider:
            return view.top >= 0 ? view.top - reported : reported;
        case EControlKind::Toggle:
            return binding.field.get() != 0 ? 0 : 1;
        case EControlKind::Choice:
            return view.param;
        case EControlKind::Step:
            return Clamped(binding, binding.field.get() + view.param);
        default:
            return reported;
    }
}

void CBindingPage::LoadBinding(int index) {
    const SBinding& binding = m_bindings[static_cast<std::size_t>(index)];
    if (binding.configure) {
        binding.configure();
    }
    if (m_bLocked[static_cast<std::size_t>(index)]) {
        ShowLocked(binding);
        return;
    }
    Show(binding, binding.field.get());
}

void CBindingPage::LoadBindings() {
    for (int i = 0; i < BindingCount(); ++i) {
        LoadBinding(i);
    }
}

void CBindingPage::OnControl(int id, int reported) {
    const auto found = m_byControl.constFind(id);
    if (found == m_byControl.constEnd() || m_bLocked[static_cast<std::size_t>(found->first)]) {
        return;
    }
    const SBinding& binding = m_bindings[static_cast<std::size_t>(found->first)];
    const SControlView& view = binding.views[static_cast<std::size_t>(found->second)];
    int value = ToValue(binding, view, reported);
    if (binding.limit) {
        value = binding.limit(value, view.kind);
    }
    OnBindingTouched(binding);
    // A step button at the end of its range changes nothing.
    if (view.kind == EControlKind::Step && value == binding.field.get()) {
        return;
    }
    Show(binding, value);
    binding.field.set(value);
    if (binding.edited) {
        binding.edited(value);
    }
    for (int other : binding.reloadAfter) {
        LoadBinding(other);
    }
    OnBindingEdited(binding, value);
}

void CBindingPage::OnBindingTouched(const SBinding& /*binding*/) {}

void CBindingPage::OnBindingEdited(const SBinding& /*binding*/, int /*value*/) {}

int CBindingPage::AddGroup(std::vector<int> bindings, std::vector<QWidget*> widgets) {
    m_groups.push_back({std::move(bindings), std::move(widgets), false});
    return static_cast<int>(m_groups.size()) - 1;
}

void CBindingPage::SetGroupVisible(int group, bool bVisible) {
    const SGroup& g = m_groups[static_cast<std::size_t>(group)];
    for (int index : g.bindings) {
        for (const SControlView& view : Binding(index).views) {
            view.pWidget->setVisible(bVisible);
        }
    }
    for (QWidget* pWidget : g.widgets) {
        pWidget->setVisible(bVisible);
    }
}

void CBindingPage::SetGroupLocked(int group, bool bLocked, bool bBlank) {
    SGroup& g = m_groups[static_cast<std::size_t>(group)];
    if (!bLocked && !g.bLocked) {
        return;
    }
    g.bLocked = bLocked;
    for (int index : g.bindings) {
        m_bLocked[static_cast<std::size_t>(index)] = bLocked;
        for (const SControlView& view : Binding(index).views) {
            view.pWidget->setEnabled(!bLocked);
            if (view.kind == EControlKind::Slider) {
                auto* pSlider = static_cast<CBitmapSlider*>(view.pWidget);
                pSlider->SetBitmapChannel(bLocked ? IDB_H_CHANNEL_DISABLED : IDB_H_CHANNEL,
                                          bLocked ? 0 : IDB_H_CHANNEL_FILLED);
                pSlider->SetBitmapThumb(bLocked ? IDB_H_THUMB_DISABLED : IDB_H_THUMB);
            }
        }
        if (!bLocked || bBlank) {
            LoadBinding(index);
        }
    }
}

bool CBindingPage::IsGroupLocked(int group) const {
    return m_groups[static_cast<std::size_t>(group)].bLocked;
}

void CBindingPage::customEvent(QEvent* event) {
    const CControlEvent* pMessage = CControlEvent::From(event);
    if (pMessage == nullptr) {
        QWidget::customEvent(event);
        return;
    }
    switch (pMessage->Message()) {
        case MSG_SLIDER_DRAGGING:
        case MSG_SLIDER_CHANGED:
        case MSG_COMMAND:
            OnControl(pMessage->ControlId(), pMessage->Value());
            break;
        default:
            break;
    }
}

void CBindingPage::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), kPageBack);
}

void CBindingPage::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape never close a page: the focus goes to the page itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}
