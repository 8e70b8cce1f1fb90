// The Music page: the music input source, the key shift, the exciter and the seven-band
// equaliser of channel 0.
#pragma once

#include "gui/pages/channelpage.h"

class CAudioData;
class CBitmapSlider;
class CStaticTrans;
class QComboBox;

// Control ids of the page.
inline constexpr int IDC_MUSIC_INPUT = 1412;
inline constexpr int IDC_MUSIC_KEY_SLIDER = 1420;
inline constexpr int IDC_MUSIC_KEY_LABEL = 1419;
inline constexpr int IDC_MUSIC_EXCITER = 1418;
inline constexpr int kMusicBands = 7;

class CMusicDlg : public CChannelPage {
    Q_OBJECT
public:
    CMusicDlg(CAudioData& model, QWidget* parent = nullptr);

    void LoadFromModel(int bandSet) override;
    // The unit's key changed on its front panel (the model holds it, unflagged): the label and
    // the slider show it. Sends nothing.
    void ShowReportedKey();

    QComboBox* InputList() const { return m_pInput; }
    CBitmapSlider* KeySlider() const { return m_pKeySlider; }
    CStaticTrans* KeyLabel() const { return m_pKeyLabel; }

signals:
    // The user moved the key slider to `step`.
    void KeyEdited(int step);

private:
    void FillInputList();

    CAudioData& m_model;
    QComboBox* m_pInput = nullptr;
    CBitmapSlider* m_pKeySlider = nullptr;
    CStaticTrans* m_pKeyLabel = nullptr;
    int m_nKeyBinding = -1;
};
