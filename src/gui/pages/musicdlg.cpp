#include "gui/pages/musicdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/model/audiodata.h"
#include "core/model/datadefine.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/bandcolumn.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/pagestate.h"

namespace {
constexpr SBandIds kMusicBandIds = {1300, 1307, 1314, 1321, 1328, 1335, 1342,
                                    1349, 1377, 1384, 1356, 1363, 1370};
constexpr int kKeySteps = 2 * kKeyShiftOffset;
// Label slots of the music inputs: Auto, Analog1, Analog2, Bluetooth, Optical, USB, HDMI1..3,
// HDMIARC.
constexpr int kLabelGroupMusic = 6;
constexpr int kFirstInputSlot = 10;
constexpr int kMusicInputs = 10;

CStaticTrans* Caption(int group, int slot, QWidget* pParent) {
    auto* pLabel = new CStaticTrans(LabelText(group, slot), pParent);
    pLabel->SetTextColour(Qt::black);
    return pLabel;
}
}  // namespace

CMusicDlg::CMusicDlg(CAudioData& model, QWidget* parent)
    : CChannelPage(OwnerKind::Music, parent), m_model(model) {
    CAudioMusicData& music = m_model.Music();

    // The channel's own controls, left.
    m_pInput = new QComboBox(this);
    m_pInput->setObjectName("musicInput");
    m_pKeySlider = new CBitmapSlider(IDC_MUSIC_KEY_SLIDER, this);
    m_pKeySlider->SetVertical(false);
    m_pKeySlider->SetBitmapChannel(IDB_H_CHANNEL, IDB_H_CHANNEL_FILLED);
    m_pKeySlider->SetBitmapThumb(IDB_H_THUMB);
    m_pKeySlider->SetRange(0, kKeySteps);
    m_pKeySlider->SetPageSize(1);
    m_pKeyLabel = new CStaticTrans(QString::number(-kKeyShiftOffset), this);
    m_pKeyLabel->SetTextColour(Qt::black);
    m_pKeyLabel->setMinimumWidth(24);
    auto* pExciter = new CXPButton(IDC_MUSIC_EXCITER, this);
    pExciter->SetFaceBitmap(IDB_TOGGLE_OFF);

    m_pKeyLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* pLeft = new QVBoxLayout;
    pLeft->setSpacing(4);
    pLeft->addWidget(Caption(kLabelGroupMusic, 0, this));
    pLeft->addWidget(m_pInput);
    pLeft->addSpacing(12);
    pLeft->addWidget(Caption(kLabelGroupMusic, 6, this));
    auto* pKeyRow = new QHBoxLayout;
    pKeyRow->addWidget(m_pKeySlider);
    pKeyRow->addWidget(m_pKeyLabel);
    pLeft->addLayout(pKeyRow);
    pLeft->addSpacing(12);
    pLeft->addWidget(Caption(kLabelGroupMusic, 9, this));
    pLeft->addWidget(pExciter, 0, Qt::AlignLeft);
    pLeft->addStretch(1);

    // The seven band columns behind their row captions.
    auto* pBands = new QGridLayout;
    pBands->setHorizontalSpacing(6);
    pBands->setVerticalSpacing(3);
    pBands->addWidget(Caption(0, 0, this), kBandRowGain, 0);
    pBands->addWidget(Caption(0, 1, this), kBandRowType, 0);
    pBands->addWidget(Caption(0, 2, this), kBandRowFreq, 0);
    pBands->addWidget(Caption(0, 3, this), kBandRowQ, 0);
    for (int b = 0; b < kMusicBands; ++b) {
        AddBandColumn(*this, *pBands, b + 1, b, kMusicBandIds,
                      [&music, b]() -> CFilter& { return music.GetEQ().GetAt(b); });
    }
    pBands->setRowStretch(kBandRowQ + 1, 1);
    auto* pSeparator = new QLabel(this);
    pSeparator->setFixedWidth(2);
    pSeparator->setStyleSheet("background: rgb(200, 200, 200);");

    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(10, 6, 4, 4);
    pLayout->setSpacing(8);
    pLayout->addLayout(pLeft);
    pLayout->addWidget(pSeparator);
    pLayout->addLayout(pBands);
    pLayout->addStretch(1);

    SBinding input;
    input.views = {{IDC_MUSIC_INPUT, m_pInput, EControlKind::Combo}};
    input.get = [&music] { return music.GetInput(); };
    input.set = [&music](int v) { music.SetInput(static_cast<std::int16_t>(v)); };
    Bind(std::move(input));

    SBinding key;
    key.views = {{IDC_MUSIC_KEY_SLIDER, m_pKeySlider, EControlKind::Slider},
                 {IDC_MUSIC_KEY_LABEL, m_pKeyLabel, EControlKind::Label, kKeyShiftOffset}};
    key.get = [&music] { return music.GetKeyShift(); };
    key.set = [&music](int v) { music.SetKeyShift(static_cast<std::int16_t>(v)); };
    key.edited = [this, &music](int v) {
        music.SetLastKeyShown(static_cast<std::int16_t>(v));
        emit KeyEdited(v);
    };
    m_nKeyBinding = Bind(std::move(key));

    SBinding exciter;
    exciter.views = {{IDC_MUSIC_EXCITER, pExciter, EControlKind::Toggle}};
    exciter.get = [&music] { return music.GetExciter(); };
    exciter.set = [&music](int v) { music.SetExciter(static_cast<std::int16_t>(v)); };
    Bind(std::move(exciter));

    // Tab order: input, key, exciter, then each band column in turn.
    setTabOrder(m_pInput, m_pKeySlider);
    setTabOrder(m_pKeySlider, pExciter);
}

void CMusicDlg::FillInputList() {
    const QSignalBlocker blocker(m_pInput);
    m_pInput->clear();
    if (g_musicInputMax < 0 || g_musicInputMax >= kMusicInputs) {
        return;
    }
    for (int i = 0; i <= g_musicInputMax; ++i) {
        m_pInput->addItem(LabelText(kLabelGroupMusic, kFirstInputSlot + i));
    }
}

void CMusicDlg::LoadFromModel(int bandSet) {
    FillInputList();
    CChannelPage::LoadFromModel(bandSet);
}

void CMusicDlg::ShowReportedKey() {
    m_pKeyLabel->SetTextColour(Qt::black);
    LoadBinding(m_nKeyBinding);
}
