// The Effect page: echo A, and either echo B or the reverb beside it (the mode button chooses;
// the two groups share one area), and the three-band equaliser of the effect signal.
#pragma once

#include "gui/pages/channelpage.h"

class CAudioData;

inline constexpr int IDC_EFFECT_MODE = 1753;
inline constexpr int kEffectBands = 3;

class CEffectDlg : public CChannelPage {
    Q_OBJECT
public:
    explicit CEffectDlg(CAudioData& model, QWidget* parent = nullptr);

    void LoadFromModel(int bandSet) override;
    // Mode 1 shows the echo B group, any other mode the reverb group.
    void ShowModeGroups(int mode);

private:
    CAudioData& m_model;
    int m_nEchoBGroup = -1;
    int m_nReverbGroup = -1;
};
