// The editor's one top-level window: its own title bar, the channel selector, the pages, the
// master volume strip and the curve view. It starts the search one second after start,
// completes connections (busy box, read-back, panel lock), shows the link's state, follows the
// unit's key reports and routes the curve's notifications to the page they concern.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "gui/pages/pagetable.h"
#include "link/connectsearch.h"

class CAudioData;
class CConnectDlg;
class CConnectInfoDlg;
class CDrawCurve;
class CEditActions;
class CUnitConnection;
class CMainVolDlg;
class CMusicDlg;
class CShortcutFilter;
class CSpectrumInput;
class CSwitchChDlg;
class CSystemSettingDlg;
class CTitleBar;
class CUnlockDlg;
class ISpectrumRecorder;

inline constexpr int kMainWindowWidth = 1200;
inline constexpr int kMainWindowHeight = 607;
inline constexpr int kConnectActionDelayMs = 1000;
// Page frame (Algorithms of the layout): selector and strip widths, page height.
inline constexpr int kSelectorWidth = 100;
inline constexpr int kVolumeStripWidth = 190;
inline constexpr int kPageHeight = 270;

class CBrioDlg : public QWidget {
    Q_OBJECT
public:
    // plan: what the connect action searches; libraryFolder: the parameter-file library, empty
    // for the usual place (pmxfolder.h), which is created when missing.
    CBrioDlg(CAudioData& model, CUnitConnection& connection, const SearchPlan& plan,
             const QString& libraryFolder = {}, QWidget* parent = nullptr);
    ~CBrioDlg() override;

    // Tries the unit's USB device and schedules the connect action.
    void Start();
    // The master volume strip's connect action: disconnect when connected, else search.
    void ConnectAction();
    // A message routed by number (windowmessages.h, linkinterfaces.h).
    void OnWindowMessage(int message, int wParam, int lParam);
    // The same, queued: handled after the caller has returned.
    void PostWindowMessage(int message, int wParam, int lParam);

    // The spectrum's audio input: the default input unless a test gives its own.
    void SetRecorder(ISpectrumRecorder* pRecorder);
    CSpectrumInput& SpectrumInput() { return *m_pSpectrumInput; }

    CTitleBar* TitleBar() const { return m_pTitleBar; }
    CSwitchChDlg* Selector() const { return m_pSelector; }
    CMainVolDlg* MainVolPage() const { return m_pMainVol; }
    CMusicDlg* MusicPage() const { return m_pMusic; }
    CDrawCurve* CurveView() const { return m_pCurve; }
    CSystemSettingDlg* SystemPage() const { return m_pSystem; }
    CConnectInfoDlg* BusyBox() const { return m_pBusy; }
    CEditActions* EditActions() const { return m_pEditActions; }
    CUnlockDlg* UnlockDialog() const;
    CConnectDlg* ConnectDialog() const;
    const SPageTable& Pages() const { return m_pages; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A .pmx file dropped on the window is offered for upload as "Open..." offers it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Creates every channel page and wires each into the selector, the curve and the window.
    void BuildPages();
    void LayoutPages();
    void OnReadBackCompleted(bool bLocked);
    // The whole model to the unit, then the volume strip, page 0 and the curve follow.
    void UploadModel();
    void ShowUnlockDialog(bool bModal);
    void OnLinkLost(LinkKind link);
    void OnStatusClicked();
    void SendBluetoothName();
    void RunConnectDialog();
    void ToggleMaximised();

    CUnitConnection& m_connection;
    CAudioData& m_model;
    SearchPlan m_plan;
    SPageTable m_pages;
    CTitleBar* m_pTitleBar = nullptr;
    CSwitchChDlg* m_pSelector = nullptr;
    CMainVolDlg* m_pMainVol = nullptr;
    CMusicDlg* m_pMusic = nullptr;
    CDrawCurve* m_pCurve = nullptr;
    CSystemSettingDlg* m_pSystem = nullptr;
    CConnectInfoDlg* m_pBusy = nullptr;
    CEditActions* m_pEditActions = nullptr;
    QPointer<CUnlockDlg> m_pUnlock;
    QPointer<CConnectDlg> m_pConnectDlg;
    std::unique_ptr<CShortcutFilter> m_pShortcuts;
    std::unique_ptr<CSpectrumInput> m_pSpectrumInput;
    int m_statusClicks = 0;
    bool m_bConnectActionDone = false;
    bool m_bMaximised = false;
};
