#include "gui/pages/channelpage.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>

#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/controlevent.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/curveview.h"
#include "gui/pages/pagecolours.h"

namespace {
void ShowChoice(CXPButton* pButton, bool bSelected) {
    pButton->SetSelected(bSelected);
    pButton->SetTextColour(bSelected ? kGreen : kTypeGrey);
    pButton->SetFaceBitmap(bSelected ? IDB_TYPE_SELECTED : IDB_TYPE_NORMAL);
}
}  // namespace

CChannelPage::CChannelPage(std::optional<OwnerKind> ownerKind, QWidget* parent)
    : QWidget(parent), m_ownerKind(ownerKind) {
    setFocusPolicy(Qt::ClickFocus);
}

int CChannelPage::Bind(SBinding binding) {
    const int index = static_cast<int>(m_bindings.size());
    for (int v = 0; v < static_cast<int>(binding.views.size()); ++v) {
        const SControlView& view = binding.views[static_cast<std::size_t>(v)];
        m_byControl.insert(view.id, {index, v});
        if (view.kind == EControlKind::Combo) {
            auto* pCombo = static_cast<QComboBox*>(view.pWidget);
            connect(pCombo, &QComboBox::activated, this,
                    [this, id = view.id](int position) { OnControl(id, position); });
        }
    }
    m_bindings.push_back(std::move(binding));
    return index;
}

void CChannelPage::AddBandLabel(CStaticTrans* pLabel) {
    pLabel->SetBackColour(Qt::white);
    pLabel->SetTextColour(static_cast<int>(m_bandLabels.size()) == m_nSelectedBand ? kGreen
                                                                                   : Qt::black);
    m_bandLabels.push_back(pLabel);
}

void CChannelPage::Show(const SBinding& binding, int value) {
    const bool bChoiceMatches =
        std::any_of(binding.views.begin(), binding.views.end(), [value](const SControlView& v) {
            return v.kind == EControlKind::Choice && v.param == value;
        });
    for (const SControlView& view : binding.views) {
        const QSignalBlocker blocker(view.pWidget);
        switch (view.kind) {
            case EControlKind::Slider:
                static_cast<CBitmapSlider*>(view.pWidget)
                    ->SetPos(view.param >= 0 ? view.param - value : value);
                break;
            case EControlKind::Spin:
                static_cast<CNumSpin*>(view.pWidget)->SetPos(value);
                break;
            case EControlKind::Edit:
                static_cast<CNumEdit*>(view.pWidget)->SetValue(value);
                break;
            case EControlKind::Combo:
                static_cast<QComboBox*>(view.pWidget)->setCurrentIndex(value);
                break;
            case EControlKind::Toggle:
                static_cast<CXPButton*>(view.pWidget)
                    ->SetFaceBitmap(value != 0 ? IDB_TOGGLE_ON : IDB_TOGGLE_OFF);
                break;
            case EControlKind::Choice:
                // A value none of the buttons stands for leaves them as they were.
                if (bChoiceMatches) {
                    ShowChoice(static_cast<CXPButton*>(view.pWidget), view.param == value);
                }
                break;
            case EControlKind::Label:
                static_cast<CStaticTrans*>(view.pWidget)
                    ->setText(QString::number(value - view.param));
                break;
            case EControlKind::Step:
                break;
        }
    }
}

int CChannelPage::ToValue(const SBinding& binding, const SControlView& view, int reported) const {
    switch (view.kind) {
        case EControlKind::Slider:
            return view.param >= 0 ? view.param - reported : reported;
        case EControlKind::Toggle:
            return binding.get() != 0 ? 0 : 1;
        case EControlKind::Choice:
            return view.param;
        case EControlKind::Step:
            return binding.get() + view.param;
        default:
            return reported;
    }
}

void CChannelPage::LoadBinding(int index) {
    const SBinding& binding = m_bindings[static_cast<std::size_t>(index)];
    if (binding.configure) {
        binding.configure();
    }
    Show(binding, binding.get());
}

void CChannelPage::OnControl(int id, int reported) {
    const auto found = m_byControl.constFind(id);
    if (found == m_byControl.constEnd()) {
        return;
    }
    const SBinding& binding = m_bindings[static_cast<std::size_t>(found->first)];
    const SControlView& view = binding.views[static_cast<std::size_t>(found->second)];
    int value = ToValue(binding, view, reported);
    if (binding.limit) {
        value = binding.limit(value, view.kind);
    }
    // A step button at the end of its range changes nothing.
    if (view.kind == EControlKind::Step && value == binding.get()) {
        return;
    }
    Show(binding, value);
    if (binding.band >= 0) {
        SelectBand(binding.band);
    }
    binding.set(value);
    if (binding.edited) {
        binding.edited(value);
    }
    for (int other : binding.reloadAfter) {
        LoadBinding(other);
    }
    if (binding.band >= 0 && m_pCurve != nullptr) {
        m_pCurve->ShowBand(binding.band);
    }
}

void CChannelPage::LoadFromModel(int bandSet) {
    m_nBandSet = bandSet;
    for (int i = 0; i < static_cast<int>(m_bindings.size()); ++i) {
        LoadBinding(i);
    }
    if (m_pCurve != nullptr && m_ownerKind) {
        AttachCurve(*m_pCurve, *m_ownerKind, bandSet);
        // The curve marks the band the page has selected.
        m_pCurve->ShowBand(m_nSelectedBand);
    }
}

void CChannelPage::ReloadBands() {
    for (int b = 0; b < BandCount(); ++b) {
        m_bandLabels[static_cast<std::size_t>(b)]->SetTextColour(b == m_nSelectedBand ? kGreen
                                                                                      : Qt::black);
    }
    for (int i = 0; i < static_cast<int>(m_bindings.size()); ++i) {
        if (m_bindings[static_cast<std::size_t>(i)].band >= 0) {
            LoadBinding(i);
        }
    }
}

void CChannelPage::ApplyEqBypass(int state) {
    // Only 1 means bypassed.
    const bool bEnable = state != 1;
    for (const SBinding& binding : m_bindings) {
        if (binding.band < 0) {
            continue;
        }
        for (const SControlView& view : binding.views) {
            view.pWidget->setEnabled(bEnable);
            if (view.kind == EControlKind::Slider) {
                auto* pSlider = static_cast<CBitmapSlider*>(view.pWidget);
                pSlider->SetBitmapChannel(bEnable ? IDB_EQ_CHANNEL : IDB_EQ_CHANNEL_GREY,
                                          bEnable ? IDB_EQ_CHANNEL_GREY : 0);
                pSlider->SetBitmapThumb(bEnable ? IDB_EQ_THUMB : IDB_EQ_THUMB_GREY);
            } else if (view.kind == EControlKind::Choice && !bEnable) {
                ShowChoice(static_cast<CXPButton*>(view.pWidget), false);
            }
        }
    }
    if (bEnable) {
        ReloadBands();
    }
}

void CChannelPage::LoadBandRoles(int band, EFieldRole a, EFieldRole b) {
    for (int i = 0; i < static_cast<int>(m_bindings.size()); ++i) {
        const SBinding& binding = m_bindings[static_cast<std::size_t>(i)];
        if (binding.band == band && (binding.role == a || binding.role == b)) {
            LoadBinding(i);
        }
    }
}

void CChannelPage::OnCurveBandMoved(int band) {
    if (band < 0 || band >= BandCount()) {
        return;
    }
    LoadBandRoles(band, EFieldRole::Freq, EFieldRole::Gain);
    SelectBand(band);
}

void CChannelPage::OnCurveQChanged(int band) {
    if (band < 0 || band >= BandCount()) {
        return;
    }
    LoadBandRoles(band, EFieldRole::Q, EFieldRole::Q);
    SelectBand(band);
}

void CChannelPage::SelectBand(int band) {
    if (band == m_nSelectedBand || band < 0 || band >= BandCount()) {
        return;
    }
    if (m_nSelectedBand >= 0 && m_nSelectedBand < BandCount()) {
        m_bandLabels[static_cast<std::size_t>(m_nSelectedBand)]->SetTextColour(Qt::black);
    }
    m_nSelectedBand = band;
    m_bandLabels[static_cast<std::size_t>(band)]->SetTextColour(kGreen);
}

void CChannelPage::customEvent(QEvent* event) {
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

void CChannelPage::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), kPageBack);
}

void CChannelPage::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape never close a page: the focus goes to the page itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}
