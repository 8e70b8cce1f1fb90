#include "gui/pages/musicdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/model/audiodata.h"
#include "core/viewmath/valuetext.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/bandcolumn.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/pagestate.h"
#include "gui/pages/pagewidgets.h"

namespace {
constexpr SBandIds kMusicBandIds = {1300, 1307, 1314, 1321, 1328, 1335, 1342,
                                    1349, 1377, 1384, 1356, 1363, 1370};
constexpr int kMusicInputs = 10;
}  // namespace

CMusicDlg::CMusicDlg(CAudioData& model, QWidget* parent)
    : CChannelPage(OwnerKind::Music, kMusicBands, parent), m_model(model) {
    auto music = [&model]() -> CAudioMusicData& { return model.Music(); };

    // The channel's own controls, left.
    m_pInput = new QComboBox(this);
    m_pInput->setObjectName("musicInput");
    m_pKeySlider = MakeHSlider(IDC_MUSIC_KEY_SLIDER, this, 0, 2 * kKeyShiftOffset);
    m_pKeyLabel = new CStaticTrans(QString::fromStdString(KeyShiftText(0)), this);
    m_pKeyLabel->SetTextColour(Qt::black);
    m_pKeyLabel->setMinimumWidth(24);
    m_pKeyLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CXPButton* pExciter = MakeToggle(IDC_MUSIC_EXCITER, this);

    auto* pLeft = new QVBoxLayout;
    pLeft->setSpacing(4);
    pLeft->addWidget(MakeCaption(this, kLabelMusicMusicInput));
    pLeft->addWidget(m_pInput);
    pLeft->addSpacing(12);
    pLeft->addWidget(MakeCaption(this, kLabelMusicKeyControl));
    auto* pKeyRow = new QHBoxLayout;
    pKeyRow->addWidget(m_pKeySlider);
    pKeyRow->addWidget(m_pKeyLabel);
    pLeft->addLayout(pKeyRow);
    pLeft->addSpacing(12);
    pLeft->addWidget(MakeCaption(this, kLabelMusicMusicExciter));
    pLeft->addWidget(pExciter, 0, Qt::AlignLeft);
    pLeft->addStretch(1);

    // The seven band columns behind their row captions.
    LayOutChannelPage(
        *this, pLeft,
        MakeBandGrid(*this, kMusicBands, kMusicBandIds,
                     [&model](int band) -> CFilter& { return model.Music().GetEQ().GetAt(band); }));

    SBinding input;
    input.views = {ComboView(IDC_MUSIC_INPUT, m_pInput)};
    input.field = RecordField(music, CAudioMusicData::kInput);
    Bind(std::move(input));

    SBinding key;
    key.views = {SliderView(IDC_MUSIC_KEY_SLIDER, m_pKeySlider),
                 TextView(IDC_MUSIC_KEY_LABEL, m_pKeyLabel, KeyShiftText)};
    key.field = RecordField(music, CAudioMusicData::kKeyShift);
    key.edited = [this, &model](int v) {
        model.Music().SetLastKeyShown(static_cast<std::int16_t>(v));
        emit KeyEdited(v);
    };
    m_nKeyBinding = Bind(std::move(key));

    SBinding exciter;
    exciter.views = {ToggleFaces(IDC_MUSIC_EXCITER, pExciter)};
    exciter.field = RecordField(music, CAudioMusicData::kExciter);
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
        m_pInput->addItem(
            LabelText(LabelId{kLabelMusicInputAuto.group, kLabelMusicInputAuto.slot + i}));
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
