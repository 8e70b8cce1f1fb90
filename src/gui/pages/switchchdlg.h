// The channel selector: the dark column at the window's left edge whose buttons choose the
// page shown, switch and reset the equaliser of that page, and drive the spectrum display.
#pragma once

#include <QWidget>

#include "core/common/labelids.h"
#include "gui/pages/pagetable.h"

class CAudioData;
class CCommand;
class CEqRecord;
class CXPButton;
class ISpectrumRecorder;

inline constexpr int IDC_SEL_MUSIC = 1000;
inline constexpr int IDC_SEL_MIC = 1001;
inline constexpr int IDC_SEL_EFFECT = 1002;
inline constexpr int IDC_SEL_MAIN = 1003;
inline constexpr int IDC_SEL_CENTER = 1005;
inline constexpr int IDC_SEL_SUB = 1006;
inline constexpr int IDC_SEL_SYSTEM = 1007;
inline constexpr int IDC_SEL_EQ_PASS = 1008;
inline constexpr int IDC_SEL_EQ_RESET = 1009;
inline constexpr int IDC_SEL_FFT = 1016;
inline constexpr int IDC_SEL_CATCH = 1017;

class CSwitchChDlg : public QWidget {
    Q_OBJECT
public:
    CSwitchChDlg(CAudioData& model, CCommand& command, QWidget* parent = nullptr);

    void SetPages(const SPageTable& pages) { m_pages = pages; }
    // The spectrum's audio input; without one the machine counts as having no input device.
    void SetRecorder(ISpectrumRecorder* pRecorder);

    // Makes page k current: shown, its button green, loaded from the model.
    void ShowPage(int page);
    // Loads the page shown from the model again (after undo, redo or A/B) and selects `band`
    // (-1: none) on it and on the curve.
    void ReloadCurrentPage(int band);
    void ToggleEqBypass();
    // EQ Pass green while the record of the page shown is bypassed, else grey.
    void ShowEqPassState();
    // Asks first; the reset itself follows the answer.
    void ResetEq();
    void ToggleSpectrum();
    void ToggleCatch();

    CXPButton* Button(int id) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CXPButton* AddButton(int id, LabelId caption, int fontHeight);
    static void Colour(CXPButton* pButton, bool bActive);
    // The equalised record of the page shown, or null.
    CEqRecord* CurrentRecord() const;
    // Resets the equaliser of channel `channel`, asked for on page `page`.
    void DoResetEq(int page, int channel);
    void StopSpectrum();
    // The input could not be opened or started: everything back to off, and the user is told.
    void NoAudioInput();
    // The FFT button's context menu: the live refresh choice.
    void ShowRefreshMenu(const QPoint& globalPos);

    CAudioData& m_model;
    CCommand& m_command;
    SPageTable m_pages;
    ISpectrumRecorder* m_pRecorder = nullptr;
    std::vector<CXPButton*> m_buttons;
};
