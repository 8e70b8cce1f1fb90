#include "gui/pages/channelpage.h"

#include <algorithm>

#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/curveview.h"
#include "gui/pages/pagecolours.h"

CChannelPage::CChannelPage(OwnerKind ownerKind, int bands, QWidget* parent)
    : CBindingPage(parent), m_ownerKind(ownerKind), m_nBands(bands) {}

void CChannelPage::AddBandLabel(CStaticTrans* pLabel) {
    pLabel->SetBackColour(Qt::white);
    m_bandLabels.push_back(pLabel);
    ColourLabels();
}

void CChannelPage::ColourLabels() {
    for (int c = 0; c < ColumnCount(); ++c) {
        CStaticTrans* pLabel = m_bandLabels[static_cast<std::size_t>(c)];
        pLabel->setText(QString::number(BandOfColumn(c) + 1));
        pLabel->SetTextColour(BandOfColumn(c) == m_nSelectedBand ? kGreen : Qt::black);
    }
}

void CChannelPage::AttachCurveView() {
    if (m_pCurve != nullptr) {
        AttachCurve(*m_pCurve, m_ownerKind, m_nBandSet);
        // The curve marks the band the page has selected.
        m_pCurve->ShowBand(m_nSelectedBand);
    }
}

void CChannelPage::LoadFromModel(int bandSet) {
    m_nBandSet = bandSet;
    ColourLabels();
    LoadBindings();
    AttachCurveView();
}

void CChannelPage::ReloadBands() {
    ColourLabels();
    for (int i = 0; i < BindingCount(); ++i) {
        if (Binding(i).column >= 0) {
            LoadBinding(i);
        }
    }
}

void CChannelPage::SetFirstBand(int first) {
    m_nFirstBand = std::clamp(first, 0, LastFirstBand());
    ReloadBands();
}

void CChannelPage::ShowBandsEnabled(bool bEnable) {
    // The look changes only when the state does (image loads are the costly part).
    if (bEnable == m_bBandsEnabled) {
        return;
    }
    m_bBandsEnabled = bEnable;
    for (int i = 0; i < BindingCount(); ++i) {
        const SBinding& binding = Binding(i);
        if (binding.column < 0) {
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
                auto* pButton = static_cast<CXPButton*>(view.pWidget);
                pButton->SetSelected(false);
                pButton->SetFaceBitmap(IDB_TYPE_NORMAL);
                pButton->SetTextColour(kTypeGrey);
            }
        }
    }
}

void CChannelPage::ApplyEqBypass(int state) {
    // Only 1 means bypassed.
    const bool bEnable = state != 1;
    ShowBandsEnabled(bEnable);
    if (bEnable) {
        ReloadBands();
    }
}

bool CChannelPage::ScrollTo(int band) {
    if (band >= m_nFirstBand && band < m_nFirstBand + ColumnCount()) {
        return false;
    }
    m_nFirstBand = std::clamp(band - (ColumnCount() - 1), 0, LastFirstBand());
    m_nFirstBand = std::min(m_nFirstBand, band);
    return true;
}

void CChannelPage::LoadBandRoles(int band, EFieldRole a, EFieldRole b) {
    for (int i = 0; i < BindingCount(); ++i) {
        const SBinding& binding = Binding(i);
        if (binding.column >= 0 && BandOfColumn(binding.column) == band &&
            (binding.role == a || binding.role == b)) {
            LoadBinding(i);
        }
    }
}

void CChannelPage::OnCurveBandMoved(int band) {
    if (band >= 0 && band < m_nBands) {
        m_nSelectedBand = band;
        if (ScrollTo(band)) {
            SetFirstBand(m_nFirstBand);
        } else {
            LoadBandRoles(band, EFieldRole::Freq, EFieldRole::Gain);
        }
        ColourLabels();
        return;
    }
    // A curve-only band (a crossover) reloads the controls that edit it; a band no control of
    // the page edits is ignored.
    for (int i = 0; i < BindingCount(); ++i) {
        if (Binding(i).curveBand == band && band >= 0) {
            LoadBinding(i);
        }
    }
}

void CChannelPage::OnCurveQChanged(int band) {
    if (band < 0 || band >= m_nBands) {
        return;
    }
    m_nSelectedBand = band;
    if (ScrollTo(band)) {
        SetFirstBand(m_nFirstBand);
    } else {
        LoadBandRoles(band, EFieldRole::Q, EFieldRole::Q);
    }
    ColourLabels();
}

void CChannelPage::SelectBand(int band) {
    if (band == m_nSelectedBand || band < 0 || band >= m_nBands) {
        return;
    }
    m_nSelectedBand = band;
    ColourLabels();
}

void CChannelPage::OnBindingTouched(const SBinding& binding) {
    if (binding.column >= 0) {
        SelectBand(BandOfColumn(binding.column));
    }
}

void CChannelPage::OnBindingEdited(const SBinding& binding, int /*value*/) {
    if (m_pCurve == nullptr) {
        return;
    }
    if (binding.column >= 0) {
        m_pCurve->ShowBand(BandOfColumn(binding.column));
    } else if (binding.curveBand >= 0) {
        m_pCurve->ShowBand(binding.curveBand);
    }
}
