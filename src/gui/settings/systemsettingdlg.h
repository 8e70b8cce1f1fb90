// The System page: recalling and storing the unit's modes, the three volume limits, the panel
// lock and its password, the unit's network address, the user tone limits and the library of
// parameter files (CPmxFilePanel). A binding page: the volume limits and the tone limits are
// bindings (their rules as the bindings' limit and edited steps); the lock, the password, the
// modes and the files ask or check before they change anything and are handled here. The page
// keeps a fixed layout and stays centred in whatever room the window gives it.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "gui/pages/bindingpage.h"

class CAudioData;
class CBitmapSlider;
class CColourGroupBox;
class CLimitInputEdit;
class CNumEdit;
class CPmxFilePanel;
class CStaticTrans;
class CXPButton;
class QComboBox;

inline constexpr int IDC_SYS_MAX_MUSIC_VALUE = 2900;
inline constexpr int IDC_SYS_MAX_EFFECT_VALUE = 2901;
inline constexpr int IDC_SYS_MAX_MIC_VALUE = 2902;
inline constexpr int IDC_SYS_IP_ADDRESS = 2908;
inline constexpr int IDC_SYS_MAX_MUSIC = 2911;
inline constexpr int IDC_SYS_MAX_EFFECT = 2913;
inline constexpr int IDC_SYS_MAX_MIC = 2915;
inline constexpr int IDC_SYS_PASSWORD_OK = 2916;
inline constexpr int IDC_SYS_OLD_PASSWORD = 2917;
inline constexpr int IDC_SYS_NEW_PASSWORD = 2918;
inline constexpr int IDC_SYS_AGAIN_PASSWORD = 2919;
inline constexpr int IDC_SYS_MODE_NAME = 2920;
inline constexpr int IDC_SYS_LOAD_MODE = 2921;
inline constexpr int IDC_SYS_MODE_LIST = 2928;
inline constexpr int IDC_SYS_ADDRESS_OK = 2931;
inline constexpr int IDC_SYS_SAVE_MODE = 2934;
inline constexpr int IDC_SYS_PANEL_LOCK = 2936;
// Tone-limit box of row r (0-5: music bass, middle, treble, microphone bass, middle, treble)
// and column c (max gain, current, max cut): IDC_SYS_TONE_FIRST + 3 r + c.
inline constexpr int IDC_SYS_TONE_FIRST = 2948;
inline constexpr int kToneRows = 6;

class CSystemSettingDlg : public CBindingPage {
    Q_OBJECT
public:
    // What the page needs of the main window.
    struct SHandlers {
        std::function<bool()> isConnected;
        // The network link is the one in use.
        std::function<bool()> isNetworkLink;
        // A window message (MSG_LOAD_MODE, MSG_UPLOAD_MODEL), handled after the caller returns.
        std::function<void(int message, int wParam, int lParam)> postMessage;
        // The model's volumes changed: the volume strip follows.
        std::function<void()> volumesChanged;
        // Ends the network link when it is in use.
        std::function<void()> closeNetworkLink;
        // Runs the connect action with this address, used as given.
        std::function<void(const QString& address)> connectTo;
    };

    // libraryFolder: the parameter-file library (empty: none).
    CSystemSettingDlg(CAudioData& model, const QString& libraryFolder, QWidget* parent = nullptr);

    void SetHandlers(SHandlers handlers);
    // Every control from the model and the link state; runs whenever the page is shown.
    void RefreshFromModel();

    // Volume limit v: 0 music, 1 microphone, 2 effect.
    CBitmapSlider* LimitSlider(int v) const {
        return m_limits[static_cast<std::size_t>(v)].pSlider;
    }
    CStaticTrans* LimitValue(int v) const { return m_limits[static_cast<std::size_t>(v)].pValue; }
    QComboBox* ModeList() const { return m_pModeList; }
    CLimitInputEdit* ModeName() const { return m_pModeName; }
    CXPButton* LoadModeButton() const { return m_pLoadMode; }
    CXPButton* SaveModeButton() const { return m_pSaveMode; }
    CXPButton* PanelLockButton() const { return m_pPanelLock; }
    // 0 old, 1 new, 2 again.
    CLimitInputEdit* PasswordEdit(int i) const { return m_password[static_cast<std::size_t>(i)]; }
    CXPButton* PasswordOk() const { return m_pPasswordOk; }
    CLimitInputEdit* AddressEdit() const { return m_pAddress; }
    CXPButton* AddressOk() const { return m_pAddressOk; }
    CNumEdit* ToneEdit(int row, int column) const;
    CPmxFilePanel* FilePanel() const { return m_pFiles; }
    QWidget* Body() const { return m_pBody; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct SLimit {
        CBitmapSlider* pSlider = nullptr;
        CStaticTrans* pValue = nullptr;
    };

    void BuildModes();
    void BuildLimits();
    void BuildPassword();
    void BuildNetwork();
    void BuildToneLimits();
    CColourGroupBox* AddGroup(int labelSlot, const QRect& frame);
    CStaticTrans* AddLabel(const QString& text, const QRect& frame);
    CXPButton* AddButton(int id, const QString& text, int face, const QRect& frame);
    CLimitInputEdit* AddEdit(int maxLength, const QRect& frame);

    bool Connected() const;
    // "Please connect the device" unless a unit is connected.
    bool RequireConnection();
    void OnModeSelected(int index);
    void LoadMode();
    void SaveMode();
    void ToggleLock();
    void CheckOldPassword();
    bool CheckNewPassword(int edit);
    void ChangePassword();
    void ApplyAddress();
    void EnablePasswordEdits(bool bOld, bool bNewAndOk);

    CAudioData& m_model;
    SHandlers m_handlers;
    QWidget* m_pBody = nullptr;
    QComboBox* m_pModeList = nullptr;
    CLimitInputEdit* m_pModeName = nullptr;
    CXPButton* m_pLoadMode = nullptr;
    CXPButton* m_pSaveMode = nullptr;
    std::array<SLimit, 3> m_limits{};
    CXPButton* m_pPanelLock = nullptr;
    std::array<CLimitInputEdit*, 3> m_password{};
    CXPButton* m_pPasswordOk = nullptr;
    CLimitInputEdit* m_pAddress = nullptr;
    CXPButton* m_pAddressOk = nullptr;
    std::array<CNumEdit*, 3 * kToneRows> m_tone{};
    CPmxFilePanel* m_pFiles = nullptr;
};
