// A curve view that remembers what the pages asked of it.
#pragma once

#include <optional>

#include "gui/pages/curveview.h"

class CFakeCurveView : public ICurveView {
public:
    void SetChannelKind(int kind) override { m_nKindSet = kind; }
    void ShowMusic(int index) override { Shown(OwnerKind::Music, index); }
    void ShowMic(int index) override { Shown(OwnerKind::Mic, index); }
    void ShowEffect(int index) override { Shown(OwnerKind::Effect, index); }
    void ShowMainOut(int element) override { Shown(OwnerKind::MainOut, element); }
    void ShowCenter(int element) override { Shown(OwnerKind::Center, element); }
    void ShowSub(int element) override { Shown(OwnerKind::Sub, element); }
    void ShowBand(int band) override { m_nBand = band; }
    void Redraw() override { ++m_nRedraws; }
    void SetSpectrumMode(bool bOn) override { m_bSpectrum = bOn; }

    // The kind given to SetChannelKind, and the kind and index of the last show operation.
    int m_nKindSet = -1;
    std::optional<OwnerKind> m_kind;
    int m_nIndex = -1;
    int m_nBand = -2;
    int m_nAttaches = 0;
    int m_nRedraws = 0;
    bool m_bSpectrum = false;

private:
    void Shown(OwnerKind kind, int index) {
        m_kind = kind;
        m_nIndex = index;
        m_nBand = -1;
        ++m_nAttaches;
    }
};
