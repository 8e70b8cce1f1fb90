// The master volume strip at the right edge of the window: music, microphone and effect
// volumes (0 .. 80), each as a slider (80 at the top) and a number box. It also owns the
// connect action the main window runs after start-up.
#pragma once

#include <functional>

#include "gui/pages/bindingpage.h"

class CAudioData;
class CBitmapSlider;
class CNumEdit;
class CXPButton;

inline constexpr int IDC_VOL_MUSIC_SLIDER = 2703;
inline constexpr int IDC_VOL_MIC_SLIDER = 2705;
inline constexpr int IDC_VOL_EFFECT_SLIDER = 2704;
inline constexpr int IDC_VOL_MUSIC_EDIT = 2706;
inline constexpr int IDC_VOL_MIC_EDIT = 2708;
inline constexpr int IDC_VOL_EFFECT_EDIT = 2707;
inline constexpr int IDC_VOL_MUSIC_SPIN = 2709;
inline constexpr int IDC_VOL_MIC_SPIN = 2711;
inline constexpr int IDC_VOL_EFFECT_SPIN = 2710;
inline constexpr int IDC_VOL_LINK = 2712;
inline constexpr int kVolumeTop = 80;

class CMainVolDlg : public CBindingPage {
    Q_OBJECT
public:
    explicit CMainVolDlg(CAudioData& model, QWidget* parent = nullptr);

    // What the connect action needs of the window: whether a link is up, the disconnect
    // request, and running the connect dialog.
    struct SConnectHandlers {
        std::function<bool()> isConnected;
        std::function<void()> disconnect;
        std::function<void()> runConnectDialog;
    };
    void SetConnectHandlers(SConnectHandlers handlers) { m_handlers = std::move(handlers); }
    // Connected: the disconnect request; otherwise the connect dialog.
    void ConnectAction();
    // The link button's text ("已连接" / "未连接").
    void ShowLinkState(bool bConnected);

    // Sets every volume control from the model; sends nothing.
    void LoadVolumes() { LoadBindings(); }

    CBitmapSlider* Slider(int volume) const { return m_pSliders[volume]; }
    CNumEdit* Edit(int volume) const { return m_pEdits[volume]; }
    CXPButton* LinkButton() const { return m_pLink; }

    // Volume indexes of Slider and Edit.
    static constexpr int kMusic = 0;
    static constexpr int kMic = 1;
    static constexpr int kEffect = 2;

private:
    CBitmapSlider* m_pSliders[3] = {};
    CNumEdit* m_pEdits[3] = {};
    CXPButton* m_pLink = nullptr;
    SConnectHandlers m_handlers;
};
