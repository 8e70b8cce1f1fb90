// The Microphone page: feedback suppression, treble boost, the microphone's high-pass filter
// and fifteen equaliser bands shown ten at a time with a scroll bar.
#pragma once

#include "gui/pages/channelpage.h"

class CAudioData;
class QScrollBar;

inline constexpr int IDC_MIC_FEEDBACK = 1634;
inline constexpr int IDC_MIC_TREBLE_SLIDER = 1639;
inline constexpr int IDC_MIC_TREBLE_LABEL = 1640;
inline constexpr int IDC_MIC_HPF_SLIDER = 1638;
inline constexpr int IDC_MIC_HPF_LABEL = 1637;
inline constexpr int IDC_MIC_SCROLL = 1652;
inline constexpr int kMicBands = 15;
inline constexpr int kMicColumns = 10;
// The high-pass filter's index in the microphone's band set (the curve's band 15).
inline constexpr int kMicHighPassBand = 15;

class CMicDlg : public CChannelPage {
    Q_OBJECT
public:
    explicit CMicDlg(CAudioData& model, QWidget* parent = nullptr);

    void SetFirstBand(int first) override;
    QScrollBar* ScrollBar() const { return m_pScroll; }

private:
    QScrollBar* m_pScroll = nullptr;
};
