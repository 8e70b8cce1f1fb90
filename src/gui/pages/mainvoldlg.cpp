#include "gui/pages/mainvoldlg.h"

#include <QGridLayout>
#include <QLabel>

#include "core/model/audiodata.h"
#include "core/viewmath/numformat.h"
#include "core/viewmath/volumerules.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/labeltext.h"

namespace {
constexpr int kSliderHeight = 200;

struct SVolumeDef {
    int sliderId;
    int editId;
    int spinId;
    LabelId caption;
    CAudioVolData::Field field;
    CAudioVolData::Field maxField;
};
// Left to right: music, microphone, effect.
constexpr SVolumeDef kVolumes[3] = {
    {IDC_VOL_MUSIC_SLIDER, IDC_VOL_MUSIC_EDIT, IDC_VOL_MUSIC_SPIN, kLabelVolumeMusic,
     CAudioVolData::kMusicVol, CAudioVolData::kMaxMusicVol},
    {IDC_VOL_MIC_SLIDER, IDC_VOL_MIC_EDIT, IDC_VOL_MIC_SPIN, kLabelVolumeMIC,
     CAudioVolData::kMicVol, CAudioVolData::kMaxMicVol},
    {IDC_VOL_EFFECT_SLIDER, IDC_VOL_EFFECT_EDIT, IDC_VOL_EFFECT_SPIN, kLabelVolumeEffect,
     CAudioVolData::kEffectVol, CAudioVolData::kMaxEffectVol},
};
}  // namespace

CMainVolDlg::CMainVolDlg(CAudioData& model, QWidget* parent) : CBindingPage(parent) {
    CAudioVolData& volume = model.Volume();
    auto* pLayout = new QGridLayout(this);
    pLayout->setContentsMargins(12, 6, 6, 4);
    pLayout->setVerticalSpacing(3);

    auto* pTitle = new CStaticTrans(LabelText(kLabelVolumeVolume), this);
    pTitle->SetTextColour(Qt::black);
    pTitle->setAlignment(Qt::AlignCenter);
    pLayout->addWidget(pTitle, 0, 0, 1, 3);

    QWidget* pPrevious = nullptr;
    for (int i = 0; i < 3; ++i) {
        const SVolumeDef& def = kVolumes[i];
        auto* pCaption = new CStaticTrans(LabelText(def.caption), this);
        pCaption->SetTextColour(Qt::black);
        pCaption->setAlignment(Qt::AlignCenter);

        auto* pSlider = new CBitmapSlider(def.sliderId, this);
        pSlider->SetVertical(true);
        pSlider->SetBitmapChannel(IDB_VOLUME_CHANNEL, IDB_VOLUME_CHANNEL_TOP);
        pSlider->SetBitmapThumb(IDB_VOLUME_THUMB);
        pSlider->setFixedHeight(kSliderHeight);
        pSlider->SetRange(0, kVolumeTop);
        pSlider->SetPageSize(5);

        auto* pEdit = new CNumEdit(def.editId, this);
        pEdit->SetDisplayType(kNumDisplayLinear);
        pEdit->SetStep(1.0);
        pEdit->setMaxLength(8);
        pEdit->setFixedSize(46, 20);
        pEdit->setAlignment(Qt::AlignCenter);
        auto* pSpin = new CNumSpin(def.spinId, this);
        pSpin->SetBuddy(pEdit);
        pSpin->SetRange(0, kVolumeTop);
        pSpin->hide();

        pLayout->addWidget(pCaption, 1, i);
        pLayout->addWidget(pSlider, 2, i, Qt::AlignHCenter);
        pLayout->addWidget(pEdit, 3, i, Qt::AlignHCenter);
        m_pSliders[i] = pSlider;
        m_pEdits[i] = pEdit;

        // Keyboard: each volume's slider, then its box, left to right.
        if (pPrevious != nullptr) {
            setTabOrder(pPrevious, pSlider);
        }
        setTabOrder(pSlider, pEdit);
        pPrevious = pEdit;

        SBinding binding;
        binding.views = {TopDownSliderView(def.sliderId, pSlider, kVolumeTop),
                         BoxView(def.editId, pEdit), SpinView(def.spinId, pSpin)};
        binding.field = RecordField([&volume]() -> CParamRecord& { return volume; }, def.field);
        // The System page's limit holds for the slider only; a typed value is taken as it is.
        binding.limit = [&volume, maxField = def.maxField](int v, EControlKind from) {
            return from == EControlKind::Slider ? LimitSliderVolume(v, volume.Get(maxField)) : v;
        };
        Bind(std::move(binding));
    }

    m_pLink = new CXPButton(IDC_VOL_LINK, this);
    m_pLink->setText(QStringLiteral("未连接"));
    m_pLink->hide();
    connect(m_pLink, &CXPButton::clicked, this, &CMainVolDlg::ConnectAction);
    pLayout->setRowStretch(4, 1);
    // Every view shows the model's value from the start, before any read-back.
    LoadBindings();
}

void CMainVolDlg::ConnectAction() {
    if (m_handlers.isConnected && m_handlers.isConnected()) {
        if (m_handlers.disconnect) {
            m_handlers.disconnect();
        }
        ShowLinkState(false);
    } else if (m_handlers.runConnectDialog) {
        m_handlers.runConnectDialog();
    }
}

void CMainVolDlg::ShowLinkState(bool bConnected) {
    m_pLink->setText(bConnected ? QStringLiteral("已连接") : QStringLiteral("未连接"));
}
