#include "gui/settings/systemsettingdlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QShowEvent>

#include "core/common/utilities.h"
#include "core/model/audiodata.h"
#include "core/model/datadefine.h"
#include "core/viewmath/numformat.h"
#include "core/viewmath/systemrules.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/limitinputedit.h"
#include "gui/controls/numedit.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/sxgroupbox.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/messagebox.h"
#include "gui/pages/pagecolours.h"
#include "gui/settings/pmxfilepanel.h"
#include "gui/settings/settingscontrols.h"
#include "gui/shell/windowmessages.h"

namespace {
constexpr int kBodyWidth = 1100;
constexpr int kBodyHeight = 560;
constexpr int kLimitTop = 80;
constexpr int kOfferedModes = 6;
constexpr int kPasswordOld = 0;
constexpr int kPasswordNew = 1;
constexpr int kPasswordAgain = 2;

struct SLimitDef {
    int sliderId;
    int valueId;
    int captionSlot;
    CAudioVolData::Field volume;
    CAudioVolData::Field limit;
};
// Top to bottom: music, microphone, effect.
constexpr SLimitDef kLimitDefs[3] = {
    {IDC_SYS_MAX_MUSIC, IDC_SYS_MAX_MUSIC_VALUE, 6, CAudioVolData::kMusicVol,
     CAudioVolData::kMaxMusicVol},
    {IDC_SYS_MAX_MIC, IDC_SYS_MAX_MIC_VALUE, 7, CAudioVolData::kMicVol, CAudioVolData::kMaxMicVol},
    {IDC_SYS_MAX_EFFECT, IDC_SYS_MAX_EFFECT_VALUE, 8, CAudioVolData::kEffectVol,
     CAudioVolData::kMaxEffectVol},
};

// A disabled box takes the page's colour, so that it does not look ready for typing.
void EnableEdit(CLimitInputEdit* pEdit, bool bEnabled) {
    pEdit->setEnabled(bEnabled);
    pEdit->SetBackColour(bEnabled ? QColor(Qt::white) : kPageBack);
}

// The 20 bytes of mode name `mode` as the unit holds them, padding included.
QString ModeNameText(const CAudioData& model, int mode) {
    return QString::fromStdString(BytesToString(model.Image().ModeName(mode), kModeNameLength));
}
}  // namespace

CSystemSettingDlg::CSystemSettingDlg(CAudioData& model, const QString& libraryFolder,
                                     QWidget* parent)
    : CBindingPage(parent), m_model(model) {
    // The body keeps its size; the stretches around it centre it in a larger window.
    m_pBody = new QWidget(this);
    m_pBody->setFixedSize(kBodyWidth, kBodyHeight);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addStretch(1);
    pLayout->addWidget(m_pBody, 0, Qt::AlignTop);
    pLayout->addStretch(1);

    CStaticTrans* pNote = AddLabel(LabelText(kLabelGroupSystem, 29), QRect(10, 4, 1080, 20));
    pNote->SetTextColour(QColor(200, 0, 0));

    BuildModes();
    BuildLimits();
    BuildPassword();
    BuildNetwork();
    BuildToneLimits();

    AddGroup(18, QRect(750, 30, 345, 520));
    m_pFiles = new CPmxFilePanel(m_model, libraryFolder, m_pBody);
    m_pFiles->setGeometry(758, 55, 330, 485);
}

CColourGroupBox* CSystemSettingDlg::AddGroup(int labelSlot, const QRect& frame) {
    auto* pGroup =
        new CColourGroupBox(LabelText(kLabelGroupSystem, labelSlot), ECaptionAlign::Left, m_pBody);
    pGroup->setGeometry(frame);
    pGroup->lower();
    return pGroup;
}

CStaticTrans* CSystemSettingDlg::AddLabel(const QString& text, const QRect& frame) {
    auto* pLabel = new CStaticTrans(text, m_pBody);
    pLabel->SetTextColour(Qt::black);
    pLabel->setGeometry(frame);
    return pLabel;
}

CXPButton* CSystemSettingDlg::AddButton(int id, const QString& text, int face, const QRect& frame) {
    return MakeSettingsButton(id, text, face, m_pBody, frame);
}

CLimitInputEdit* CSystemSettingDlg::AddEdit(int maxLength, const QRect& frame) {
    auto* pEdit = new CLimitInputEdit(m_pBody);
    pEdit->SetTextColour(Qt::black);
    pEdit->SetBackColour(Qt::white);
    pEdit->setMaxLength(maxLength);
    pEdit->setGeometry(frame);
    return pEdit;
}

void CSystemSettingDlg::BuildModes() {
    AddGroup(0, QRect(10, 30, 360, 128));
    AddLabel(LabelText(kLabelGroupSystem, 1), QRect(22, 55, 60, 22));
    AddLabel(LabelText(kLabelGroupSystem, 2), QRect(22, 85, 60, 22));
    m_pModeList = new QComboBox(m_pBody);
    m_pModeList->setObjectName(QStringLiteral("modeList"));
    m_pModeList->setGeometry(90, 55, 260, 22);
    m_pModeName = AddEdit(kModeNameLength, QRect(90, 85, 260, 22));
    m_pModeName->setObjectName(QStringLiteral("modeName"));
    m_pLoadMode = AddButton(IDC_SYS_LOAD_MODE, LabelText(kLabelGroupSystem, 3), IDB_SELECTOR_BUTTON,
                            QRect(90, 116, 96, 32));
    m_pSaveMode = AddButton(IDC_SYS_SAVE_MODE, LabelText(kLabelGroupSystem, 4), IDB_SELECTOR_BUTTON,
                            QRect(200, 116, 96, 32));
    connect(m_pModeList, &QComboBox::activated, this, &CSystemSettingDlg::OnModeSelected);
    connect(m_pLoadMode, &CXPButton::clicked, this, &CSystemSettingDlg::LoadMode);
    connect(m_pSaveMode, &CXPButton::clicked, this, &CSystemSettingDlg::SaveMode);
}

void CSystemSettingDlg::BuildLimits() {
    AddGroup(5, QRect(10, 166, 360, 128));
    CAudioVolData& volume = m_model.Volume();
    for (std::size_t i = 0; i < m_limits.size(); ++i) {
        const SLimitDef& def = kLimitDefs[i];
        const int y = 192 + 32 * static_cast<int>(i);
        AddLabel(LabelText(kLabelGroupSystem, def.captionSlot), QRect(22, y, 118, 22));
        auto* pSlider = new CBitmapSlider(def.sliderId, m_pBody);
        pSlider->SetVertical(false);
        pSlider->SetBitmapChannel(IDB_H_CHANNEL, IDB_H_CHANNEL_FILLED);
        pSlider->SetBitmapThumb(IDB_H_THUMB);
        pSlider->SetRange(0, kLimitTop);
        pSlider->SetPageSize(5);
        pSlider->move(140, y);
        m_limits[i].pSlider = pSlider;
        m_limits[i].pValue = AddLabel(QString(), QRect(328, y, 36, 22));

        SBinding binding;
        binding.views = {
            SliderView(def.sliderId, pSlider),
            TextView(def.valueId, m_limits[i].pValue, [](int v) { return std::to_string(v); })};
        binding.field = RecordField([&volume]() -> CParamRecord& { return volume; }, def.limit);
        // A lower limit pulls the current volume down with it (the volume's frame leaves
        // first: the record's fields go out in their order), and the strip follows.
        binding.edited = [this, &volume, current = def.volume](int limit) {
            if (volume.Get(current) > limit) {
                volume.Set(current, static_cast<std::int16_t>(limit));
                if (m_handlers.volumesChanged) {
                    m_handlers.volumesChanged();
                }
            }
        };
        Bind(std::move(binding));
    }
}

void CSystemSettingDlg::BuildPassword() {
    AddLabel(LabelText(kLabelGroupSystem, 9), QRect(22, 304, 160, 22));
    m_pPanelLock =
        AddButton(IDC_SYS_PANEL_LOCK, QString(), IDB_TOGGLE_OFF, QRect(190, 304, 46, 22));
    connect(m_pPanelLock, &CXPButton::clicked, this, &CSystemSettingDlg::ToggleLock);

    AddGroup(10, QRect(10, 334, 360, 124));
    for (int i = 0; i < 3; ++i) {
        const int y = 360 + 30 * i;
        AddLabel(LabelText(kLabelGroupSystem, 11 + i), QRect(22, y, 100, 22));
        CLimitInputEdit* pEdit = AddEdit(kPasswordLength, QRect(126, y, 100, 22));
        // The unit's password is four digits (the unlock dialog takes nothing else).
        pEdit->SetDigitsOnly(true);
        pEdit->setEchoMode(QLineEdit::Password);
        m_password[static_cast<std::size_t>(i)] = pEdit;
    }
    m_pPasswordOk = AddButton(IDC_SYS_PASSWORD_OK, LabelText(kLabelGroupSystem, 14),
                              IDB_SCENE_NORMAL, QRect(256, 388, 70, 26));
    connect(m_password[kPasswordOld], &QLineEdit::returnPressed, this,
            &CSystemSettingDlg::CheckOldPassword);
    connect(m_password[kPasswordNew], &QLineEdit::returnPressed, this,
            [this] { CheckNewPassword(kPasswordNew); });
    connect(m_password[kPasswordAgain], &QLineEdit::returnPressed, this,
            [this] { CheckNewPassword(kPasswordAgain); });
    connect(m_pPasswordOk, &CXPButton::clicked, this, &CSystemSettingDlg::ChangePassword);
}

void CSystemSettingDlg::BuildNetwork() {
    AddGroup(15, QRect(10, 466, 360, 84));
    AddLabel(LabelText(kLabelGroupSystem, 16), QRect(22, 496, 90, 22));
    m_pAddress = AddEdit(15, QRect(116, 496, 140, 22));
    m_pAddress->setObjectName(QStringLiteral("address"));
    m_pAddressOk = AddButton(IDC_SYS_ADDRESS_OK, LabelText(kLabelGroupSystem, 17), IDB_SCENE_NORMAL,
                             QRect(270, 494, 70, 26));
    connect(m_pAddressOk, &CXPButton::clicked, this, &CSystemSettingDlg::ApplyAddress);
    connect(m_pAddress, &QLineEdit::returnPressed, this, &CSystemSettingDlg::ApplyAddress);
}

void CSystemSettingDlg::BuildToneLimits() {
    AddGroup(28, QRect(380, 30, 360, 290));
    for (int c = 0; c < 3; ++c) {
        CStaticTrans* pHeading =
            AddLabel(LabelText(kLabelGroupSettings, 3 + c), QRect(476 + 86 * c, 52, 80, 22));
        pHeading->setAlignment(Qt::AlignCenter);
    }
    CAudioSoundEnhanceData& tone = m_model.ToneLimits();
    auto record = [&tone]() -> CParamRecord& { return tone; };
    for (int r = 0; r < kToneRows; ++r) {
        const int group = r / 3;
        const int y = 104 + 30 * r + 28 * group;
        if (r % 3 == 0) {
            AddLabel(LabelText(kLabelGroupSettings, 12 + group), QRect(392, y - 26, 80, 22));
        }
        AddLabel(LabelText(kLabelGroupSettings, 6 + r), QRect(404, y, 72, 22));
        const int first = BindingCount();
        for (int c = 0; c < 3; ++c) {
            const int id = IDC_SYS_TONE_FIRST + 3 * r + c;
            auto* pEdit = new CNumEdit(id, m_pBody);
            pEdit->SetDisplayType(kNumDisplayOffset);
            pEdit->SetStep(kGainStepDb);
            pEdit->SetOffset(kGainOffsetDb);
            pEdit->SetRange(kToneColumnRanges[c].min, kToneColumnRanges[c].max);
            pEdit->setMaxLength(8);
            pEdit->setAlignment(Qt::AlignCenter);
            pEdit->setGeometry(484 + 86 * c, y, 64, 22);
            m_tone[static_cast<std::size_t>(3 * r + c)] = pEdit;

            SBinding binding;
            binding.views = {BoxView(id, pEdit)};
            binding.field = RecordField(record, 3 * r + c);
            auto row = [&tone, r] {
                return SToneRow{tone.GetMaxGain(r), tone.GetCurrent(r), tone.GetMaxCut(r)};
            };
            if (c == kToneColumnCurrent) {
                // The current value stays between the row's maximum cut and maximum gain.
                binding.limit = [row](int v, EControlKind) {
                    return ApplyToneLimit(row(), kToneColumnCurrent, v).current;
                };
            } else {
                // A new maximum gain or cut moves a current value that no longer obeys it.
                binding.edited = [&tone, r, c](int v) {
                    const SToneRow before{tone.GetMaxGain(r), tone.GetCurrent(r),
                                          tone.GetMaxCut(r)};
                    const int current = ApplyToneLimit(before, c, v).current;
                    if (current != before.current) {
                        tone.SetCurrent(r, static_cast<std::int16_t>(current));
                    }
                };
                binding.reloadAfter = {first + kToneColumnCurrent};
            }
            Bind(std::move(binding));
        }
    }
}

CNumEdit* CSystemSettingDlg::ToneEdit(int row, int column) const {
    if (row < 0 || row >= kToneRows || column < 0 || column > 2) {
        return nullptr;
    }
    return m_tone[static_cast<std::size_t>(3 * row + column)];
}

void CSystemSettingDlg::SetHandlers(SHandlers handlers) {
    m_handlers = std::move(handlers);
    m_pFiles->SetHandlers({m_handlers.isConnected, [this] {
                               if (m_handlers.postMessage) {
                                   m_handlers.postMessage(MSG_UPLOAD_MODEL, 0, 0);
                               }
                           }});
}

bool CSystemSettingDlg::Connected() const {
    return m_handlers.isConnected && m_handlers.isConnected();
}

bool CSystemSettingDlg::RequireConnection() {
    if (Connected()) {
        return true;
    }
    ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 2), PromptCaption());
    return false;
}

void CSystemSettingDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        RefreshFromModel();
    }
}

void CSystemSettingDlg::RefreshFromModel() {
    const int selected = m_model.System().GetSelectedMode();
    m_pModeList->clear();
    for (int mode = 0; mode < kOfferedModes; ++mode) {
        m_pModeList->addItem(QStringLiteral("%1-").arg(mode + 1) + ModeNameText(m_model, mode));
    }
    const bool bOffered = selected >= 0 && selected < kOfferedModes;
    m_pModeList->setCurrentIndex(bOffered ? selected : -1);
    m_pModeName->setText(bOffered ? ModeNameText(m_model, selected) : QString());

    // The volume limits and the tone limits.
    LoadBindings();

    const bool bLocked = m_model.System().GetPanelLock() != 0;
    m_pPanelLock->SetFaceBitmap(bLocked ? IDB_TOGGLE_ON : IDB_TOGGLE_OFF);
    m_pPanelLock->update();
    for (CLimitInputEdit* pEdit : m_password) {
        pEdit->clear();
    }
    EnablePasswordEdits(bLocked && Connected(), false);

    const bool bNetwork = !Connected() || (m_handlers.isNetworkLink && m_handlers.isNetworkLink());
    EnableEdit(m_pAddress, bNetwork);
    m_pAddressOk->setEnabled(bNetwork);
}

void CSystemSettingDlg::OnModeSelected(int index) {
    if (!CAudioSystemData::IsModeIndex(index)) {
        return;
    }
    m_model.System().SetSelectedMode(index);
    m_pModeName->setText(ModeNameText(m_model, index));
}

void CSystemSettingDlg::LoadMode() {
    if (!RequireConnection()) {
        return;
    }
    const int index = m_pModeList->currentIndex();
    if (!CAudioSystemData::IsModeIndex(index)) {
        return;
    }
    const QString question = QStringLiteral("%1%2-%3?")
                                 .arg(LabelText(kLabelGroupMessages, 0))
                                 .arg(index + 1)
                                 .arg(ModeNameText(m_model, index));
    AskQueued(this, question, LabelText(kLabelGroupSettings, 15), [this, index](bool ok) {
        if (ok && m_handlers.postMessage) {
            m_handlers.postMessage(MSG_LOAD_MODE, 0, index + 1);
        }
    });
}

void CSystemSettingDlg::SaveMode() {
    if (!RequireConnection()) {
        return;
    }
    // Without a mode of the list selected the unit would be told another slot.
    const int index = m_pModeList->currentIndex();
    if (!CAudioSystemData::IsModeIndex(index)) {
        return;
    }
    const std::string name = m_pModeName->text().toStdString();
    std::array<std::uint8_t, kModeNameLength> slot{};
    if (!StringToFixedField(slot, name)) {
        return;
    }
    const QString shown = QString::fromStdString(BytesToString(slot, kModeNameLength));
    const QString question =
        QStringLiteral("%1%2-%3?").arg(LabelText(kLabelGroupMessages, 1)).arg(index + 1).arg(shown);
    AskQueued(this, question, LabelText(kLabelGroupSettings, 15), [this, index, slot](bool ok) {
        if (!ok || !Connected()) {
            return;
        }
        const auto target = m_model.Image().ModeName(index);
        std::copy(slot.begin(), slot.end(), target.begin());
        m_model.System().SetSelectedMode(index);
        m_model.System().SetSaveMode(static_cast<std::int16_t>(index));
        m_pModeList->setItemText(
            index, QStringLiteral("%1-").arg(index + 1) + ModeNameText(m_model, index));
    });
}

void CSystemSettingDlg::ToggleLock() {
    const bool bLocked = m_model.System().GetPanelLock() != 0;
    AskYesNoQueued(this, LabelText(kLabelGroupSystem, bLocked ? 27 : 25),
                   LabelText(kLabelGroupSystem, 26), [this, bLocked](bool yes) {
                       if (!yes) {
                           return;
                       }
                       m_model.System().SetPanelLock(bLocked ? 0 : 1);
                       m_pPanelLock->SetFaceBitmap(bLocked ? IDB_TOGGLE_OFF : IDB_TOGGLE_ON);
                       m_pPanelLock->update();
                       for (CLimitInputEdit* pEdit : m_password) {
                           pEdit->clear();
                       }
                       EnablePasswordEdits(!bLocked, false);
                   });
}

void CSystemSettingDlg::EnablePasswordEdits(bool bOld, bool bNewAndOk) {
    EnableEdit(m_password[kPasswordOld], bOld);
    EnableEdit(m_password[kPasswordNew], bNewAndOk);
    EnableEdit(m_password[kPasswordAgain], bNewAndOk);
    m_pPasswordOk->setEnabled(bNewAndOk);
}

void CSystemSettingDlg::CheckOldPassword() {
    CLimitInputEdit* pOld = m_password[kPasswordOld];
    const QString typed = pOld->text();
    if (typed.size() != kPasswordLength) {
        if (!typed.isEmpty()) {
            pOld->clear();
            ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 4), PromptCaption());
        }
        return;
    }
    const QString stored =
        QString::fromStdString(BytesToString(m_model.Image().Password(), kPasswordLength));
    if (typed != stored) {
        ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 5), PromptCaption());
        return;
    }
    EnablePasswordEdits(true, true);
    m_password[kPasswordNew]->setFocus();
}

bool CSystemSettingDlg::CheckNewPassword(int edit) {
    CLimitInputEdit* pEdit = m_password[static_cast<std::size_t>(edit)];
    if (pEdit->text().size() == kPasswordLength) {
        return true;
    }
    pEdit->clear();
    ShowQueuedMessage(this, LabelText(kLabelGroupMessages, edit == kPasswordNew ? 6 : 7),
                      PromptCaption());
    return false;
}

void CSystemSettingDlg::ChangePassword() {
    if (!CheckNewPassword(kPasswordNew) || !CheckNewPassword(kPasswordAgain)) {
        return;
    }
    const QString typed = m_password[kPasswordNew]->text();
    if (typed != m_password[kPasswordAgain]->text()) {
        m_password[kPasswordNew]->clear();
        m_password[kPasswordAgain]->clear();
        ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 9), PromptCaption());
        return;
    }
    const std::string digits = typed.toStdString();
    std::copy(digits.begin(), digits.end(), m_model.Image().Password().begin());
    m_model.System().SetPassword(static_cast<std::int16_t>(typed.toInt()));
    for (CLimitInputEdit* pEdit : m_password) {
        pEdit->clear();
    }
    EnablePasswordEdits(false, false);
    ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 8), PromptCaption());
}

void CSystemSettingDlg::ApplyAddress() {
    if (m_handlers.closeNetworkLink) {
        m_handlers.closeNetworkLink();
    }
    const QString address = m_pAddress->text().trimmed();
    switch (CheckIpAddressText(address.toStdString())) {
        case EIpEntry::Blank:
            ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 10), PromptCaption());
            return;
        case EIpEntry::Incomplete:
            ShowQueuedMessage(this, LabelText(kLabelGroupMessages, 11), PromptCaption());
            return;
        case EIpEntry::Complete:
            break;
    }
    if (m_handlers.connectTo) {
        m_handlers.connectTo(address);
    }
}
