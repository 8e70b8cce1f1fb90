// A curve view that remembers what the pages asked of it.
#pragma once

#include <optional>

#include "gui/pages/curveview.h"

class CFakeCurveView : public ICurveView {
public:
    void AttachChannel(OwnerKind kind, int index) override {
        m_kind = kind;
        m_nIndex = index;
        m_nBand = -1;
        ++m_nAttaches;
    }
    void ShowBand(int band) override { m_nBand = band; }
    void Redraw() override { ++m_nRedraws; }
    void SetSpectrumMode(bool bOn) override { m_bSpectrum = bOn; }

    std::optional<OwnerKind> m_kind;
    int m_nIndex = -1;
    int m_nBand = -2;
    int m_nAttaches = 0;
    int m_nRedraws = 0;
    bool m_bSpectrum = false;
};
