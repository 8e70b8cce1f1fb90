#include "gui/pages/switchchdlg.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include "core/model/audiodata.h"
#include "core/protocol/catalogue.h"
#include "core/protocol/command.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/channelpage.h"
#include "gui/pages/curveview.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/mainvoldlg.h"
#include "gui/pages/messagebox.h"
#include "gui/pages/pagecolours.h"
#include "gui/pages/spectrumrecorder.h"

namespace {

CNoAudioInput g_noAudioInput;

// Page buttons by page index (page 6 does not exist).
constexpr std::array<int, 8> kPageButtons = {
    IDC_SEL_MUSIC, IDC_SEL_MIC, IDC_SEL_EFFECT, IDC_SEL_MAIN, IDC_SEL_CENTER,
    IDC_SEL_SUB,   0,           IDC_SEL_SYSTEM};
}  // namespace

CSwitchChDlg::CSwitchChDlg(CAudioData& model, CCommand& command, QWidget* parent)
    : QWidget(parent), m_model(model), m_command(command), m_pRecorder(&g_noAudioInput) {
    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(2, 8, 2, 8);
    pLayout->setSpacing(6);
    struct SDef {
        int id;
        LabelId caption;
        int font;
    };
    constexpr SDef kDefs[] = {
        {IDC_SEL_MUSIC, kLabelSelectorMusic, 20},     {IDC_SEL_MIC, kLabelSelectorMIC, 19},
        {IDC_SEL_EFFECT, kLabelSelectorEffect, 20},   {IDC_SEL_MAIN, kLabelSelectorMain, 18},
        {IDC_SEL_CENTER, kLabelSelectorCenter, 20},   {IDC_SEL_SUB, kLabelSelectorSUB, 20},
        {IDC_SEL_FFT, kLabelSelectorFFT, 18},         {IDC_SEL_CATCH, kLabelSelectorCatch, 18},
        {IDC_SEL_SYSTEM, kLabelSelectorSystem, 18},   {IDC_SEL_EQ_PASS, kLabelSelectorEQPass, 18},
        {IDC_SEL_EQ_RESET, kLabelSelectorEQReset, 18}};
    for (const SDef& def : kDefs) {
        pLayout->addWidget(AddButton(def.id, def.caption, def.font), 0, Qt::AlignHCenter);
    }
    pLayout->addStretch(1);

    for (int page = 0; page < static_cast<int>(kPageButtons.size()); ++page) {
        if (kPageButtons[static_cast<std::size_t>(page)] != 0) {
            connect(Button(kPageButtons[static_cast<std::size_t>(page)]), &CXPButton::clicked, this,
                    [this, page] { ShowPage(page); });
        }
    }
    connect(Button(IDC_SEL_FFT), &CXPButton::clicked, this, &CSwitchChDlg::ToggleSpectrum);
    // The refresh rate of the spectrum is chosen on the FFT button's context menu.
    CXPButton* pFft = Button(IDC_SEL_FFT);
    pFft->setToolTip(LocalText("PC 音频输入的频谱。右键：刷新速度",
                               "Spectrum of the PC's audio input. Right-click: refresh rate"));
    pFft->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pFft, &QWidget::customContextMenuRequested, this,
            [this, pFft](const QPoint& at) { ShowRefreshMenu(pFft->mapToGlobal(at)); });
    connect(Button(IDC_SEL_CATCH), &CXPButton::clicked, this, &CSwitchChDlg::ToggleCatch);
    connect(Button(IDC_SEL_EQ_PASS), &CXPButton::clicked, this, &CSwitchChDlg::ToggleEqBypass);
    connect(Button(IDC_SEL_EQ_RESET), &CXPButton::clicked, this, &CSwitchChDlg::ResetEq);

    Colour(Button(IDC_SEL_MUSIC), true);
    Button(IDC_SEL_CATCH)->setVisible(g_spectrumOn == 1);
}

CXPButton* CSwitchChDlg::AddButton(int id, LabelId caption, int fontHeight) {
    auto* pButton = new CXPButton(id, this);
    pButton->SetFaceBitmap(IDB_SELECTOR_BUTTON);
    pButton->setText(LabelText(caption));
    pButton->SetFontSize(fontHeight);
    pButton->SetHoverTextColour(Qt::white);
    Colour(pButton, false);
    m_buttons.push_back(pButton);
    return pButton;
}

CXPButton* CSwitchChDlg::Button(int id) const {
    for (CXPButton* pButton : m_buttons) {
        if (pButton->ControlId() == id) {
            return pButton;
        }
    }
    return nullptr;
}

void CSwitchChDlg::Colour(CXPButton* pButton, bool bActive) {
    pButton->SetSelected(bActive);
    pButton->SetTextColour(bActive ? kGreen : kSelectorGrey);
    pButton->update();
}

void CSwitchChDlg::SetRecorder(ISpectrumRecorder* pRecorder) {
    m_pRecorder = pRecorder != nullptr ? pRecorder : &g_noAudioInput;
}

CEqRecord* CSwitchChDlg::CurrentRecord() const {
    return m_model.EqRecordOfChannel(PageChannel(g_curPage));
}

void CSwitchChDlg::ShowPage(int page) {
    const bool bSystem = page == kPageSystem;
    CChannelPage* pPage = m_pages.Page(page);
    if ((!bSystem && pPage == nullptr) || (bSystem && m_pages.pSystemPage == nullptr)) {
        return;
    }
    for (CChannelPage* pOther : m_pages.channelPages) {
        if (pOther != nullptr) {
            pOther->setVisible(pOther == pPage);
        }
    }
    if (m_pages.pSystemPage != nullptr) {
        m_pages.pSystemPage->setVisible(bSystem);
    }
    if (m_pages.pMainVol != nullptr) {
        m_pages.pMainVol->setVisible(!bSystem);
    }
    if (m_pages.pCurveWidget != nullptr) {
        m_pages.pCurveWidget->setVisible(!bSystem);
    }
    for (int other = 0; other < static_cast<int>(kPageButtons.size()); ++other) {
        if (kPageButtons[static_cast<std::size_t>(other)] != 0) {
            Colour(Button(kPageButtons[static_cast<std::size_t>(other)]), other == page);
        }
    }
    Button(IDC_SEL_EQ_PASS)->setVisible(!bSystem);
    Button(IDC_SEL_EQ_RESET)->setVisible(!bSystem);
    g_curPage = page;
    if (!bSystem) {
        const CEqRecord* pRecord = CurrentRecord();
        const bool bBypassed = pRecord != nullptr && pRecord->IsEqBypassed();
        Colour(Button(IDC_SEL_EQ_PASS), bBypassed);
        pPage->LoadFromModel(PageBandSet(page));
        pPage->ApplyEqBypass(bBypassed ? 1 : 0);
    }
    if (m_pages.pCurve != nullptr) {
        m_pages.pCurve->Redraw();
    }
}

void CSwitchChDlg::ShowEqPassState() {
    const CEqRecord* pRecord = CurrentRecord();
    Colour(Button(IDC_SEL_EQ_PASS), pRecord != nullptr && pRecord->IsEqBypassed());
}

void CSwitchChDlg::ReloadCurrentPage(int band) {
    ShowPage(g_curPage);
    if (CChannelPage* pPage = m_pages.Page(g_curPage); pPage != nullptr && band >= 0) {
        pPage->SelectBand(band);
        if (m_pages.pCurve != nullptr) {
            m_pages.pCurve->ShowBand(band);
        }
    }
}

void CSwitchChDlg::ToggleEqBypass() {
    CChannelPage* pPage = m_pages.Page(g_curPage);
    CEqRecord* pRecord = CurrentRecord();
    if (pPage == nullptr || pRecord == nullptr) {
        return;
    }
    if (g_curPage >= kPageMainOut && g_autoMode) {
        return;
    }
    const int bypass = pRecord->IsEqBypassed() ? 0 : 1;
    Colour(Button(IDC_SEL_EQ_PASS), bypass == 1);
    pRecord->SetEqBypass(static_cast<std::int16_t>(bypass));
    pPage->ApplyEqBypass(bypass);
    if (m_pages.pCurve != nullptr) {
        AttachCurve(*m_pages.pCurve, pPage->GetOwnerKind(), PageBandSet(g_curPage));
        m_pages.pCurve->ShowBand(g_curPage >= kPageMainOut ? pPage->SelectedBand() : -1);
    }
}

void CSwitchChDlg::ResetEq() {
    const CEqRecord* pRecord = CurrentRecord();
    if (pRecord == nullptr || m_pages.Page(g_curPage) == nullptr || pRecord->IsEqBypassed()) {
        return;
    }
    if (g_autoMode && g_curPage > kPageEffect) {
        return;
    }
    // The page and its record as they are now: the page shown or the outputs' scene may
    // change while the question is open.
    const int page = g_curPage;
    const int channel = PageChannel(page);
    AskQueued(window(), LabelText(kLabelMessageDoYouWantToReset), LabelText(kLabelMessageResetEQ),
              [this, page, channel](bool bOk) {
                  if (bOk) {
                      DoResetEq(page, channel);
                  }
              });
}

void CSwitchChDlg::DoResetEq(int page, int channel) {
    CEqRecord* pRecord = m_model.EqRecordOfChannel(channel);
    CChannelPage* pPage = m_pages.Page(page);
    // The outputs went to Auto while the question was open: their equalisers are locked now.
    if (g_autoMode && page > kPageEffect) {
        return;
    }
    if (pRecord == nullptr || pPage == nullptr || !pRecord->ResetEq()) {
        return;
    }
    if (page == g_curPage) {
        pPage->ReloadBands();
        if (m_pages.pCurve != nullptr) {
            AttachCurve(*m_pages.pCurve, pPage->GetOwnerKind(), PageBandSet(page));
            m_pages.pCurve->ShowBand(-1);
        }
    }
    m_command.Enqueue(MakeEqReset(static_cast<std::uint8_t>(channel)));
}

void CSwitchChDlg::StopSpectrum() {
    Colour(Button(IDC_SEL_FFT), false);
    g_spectrumOn = 0;
    if (m_pages.pCurve != nullptr) {
        m_pages.pCurve->SetSpectrumMode(false);
    }
    g_captureState = ECaptureState::Off;
    Colour(Button(IDC_SEL_CATCH), false);
    Button(IDC_SEL_CATCH)->hide();
}

void CSwitchChDlg::NoAudioInput() {
    m_pRecorder->Close();
    StopSpectrum();
    ShowQueuedMessage(window(), LabelText(kLabelMessageNoAudioDeviceWasFound),
                      LabelText(kLabelMessagePrompt));
}

void CSwitchChDlg::ShowRefreshMenu(const QPoint& globalPos) {
    auto* pMenu = new QMenu(this);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* pLive = pMenu->addAction(
        LocalText("实时刷新（每秒 30 帧以上）", "Live refresh (30 or more pictures a second)"));
    pLive->setObjectName("liveRefresh");
    pLive->setCheckable(true);
    pLive->setChecked(m_pRecorder->LiveRefresh());
    pLive->setToolTip(LocalText("不选：每个采集缓冲区一帧（约每秒 2.7 帧）",
                                "Off: one picture per captured buffer (about 2.7 a second)"));
    pMenu->setToolTipsVisible(true);
    connect(pLive, &QAction::toggled, this,
            [this](bool bLive) { m_pRecorder->SetLiveRefresh(bLive); });
    // Not exec(): the menu must not run an event loop of its own inside this handler.
    pMenu->popup(globalPos);
}

void CSwitchChDlg::ToggleSpectrum() {
    m_pRecorder->Open();
    if (!m_pRecorder->IsOpen()) {
        NoAudioInput();
        return;
    }
    if (m_pRecorder->IsRecording()) {
        m_pRecorder->Stop();
        m_pRecorder->Close();
        StopSpectrum();
        return;
    }
    if (!m_pRecorder->Start()) {
        // An input that opens but cannot capture is no input to the user.
        NoAudioInput();
        return;
    }
    Colour(Button(IDC_SEL_FFT), true);
    if (g_captureState != ECaptureState::Off) {
        // A capture that ended by itself: everything back to off.
        m_pRecorder->Stop();
        m_pRecorder->Close();
        StopSpectrum();
        return;
    }
    g_spectrumOn = 1;
    if (m_pages.pCurve != nullptr) {
        m_pages.pCurve->SetSpectrumMode(true);
    }
    g_captureState = ECaptureState::Live;
    Colour(Button(IDC_SEL_CATCH), false);
    Button(IDC_SEL_CATCH)->show();
}

void CSwitchChDlg::ToggleCatch() {
    if (g_spectrumOn != 1) {
        return;
    }
    if (g_captureState != ECaptureState::Frozen) {
        m_pRecorder->Close();
        Colour(Button(IDC_SEL_CATCH), true);
        g_captureState = ECaptureState::Frozen;
        return;
    }
    m_pRecorder->Open();
    if (!m_pRecorder->IsOpen() || !m_pRecorder->Start()) {
        NoAudioInput();
        return;
    }
    Colour(Button(IDC_SEL_CATCH), false);
    g_captureState = ECaptureState::Live;
    if (m_pages.pCurve != nullptr) {
        m_pages.pCurve->Redraw();
    }
}

void CSwitchChDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), kSelectorBack);
}

void CSwitchChDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Escape) {
        setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}
