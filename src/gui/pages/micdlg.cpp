#include "gui/pages/micdlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/model/audiodata.h"
#include "core/viewmath/valuetext.h"
#include "gui/controls/statictrans.h"
#include "gui/pages/bandcolumn.h"
#include "gui/pages/pagewidgets.h"

namespace {
constexpr SBandIds kMicBandIds = {1500, 1510, 1520, 1530, 1540, 1550, 1560,
                                  1570, 1610, 1620, 1580, 1590, 1600};
constexpr int kGainSliderHeight = 80;
}  // namespace

CMicDlg::CMicDlg(CAudioData& model, QWidget* parent)
    : CChannelPage(OwnerKind::Mic, kMicBands, parent) {
    auto mic = [&model]() -> CAudioMICData& { return model.Mic(); };

    // The channel's own controls, in a row above the bands.
    auto* pFeedback = new QComboBox(this);
    pFeedback->setObjectName("micFeedback");
    pFeedback->addItems({"OFF", "1", "2", "3", "4"});
    SBinding feedback;
    feedback.views = {ComboView(IDC_MIC_FEEDBACK, pFeedback)};
    feedback.field = RecordField(mic, CAudioMICData::kFeedback);
    Bind(std::move(feedback));

    const SSliderRow treble =
        MakeSliderRow(*this, kLabelMicTrebleBoost, {0, IDC_MIC_TREBLE_LABEL, IDC_MIC_TREBLE_SLIDER},
                      RecordField(mic, CAudioMICData::kTrebleBoost), TrebleBoostText);
    const SSliderRow highPass =
        MakeSliderRow(*this, kLabelMicHPF, {0, IDC_MIC_HPF_LABEL, IDC_MIC_HPF_SLIDER},
                      CrossoverField([&model]() -> CFilter& { return *model.Mic().GetHighPass(); },
                                     OwnerKind::Mic),
                      CrossoverText, kMicHighPassBand);

    auto* pTop = new QHBoxLayout;
    pTop->setSpacing(10);
    auto* pFeedbackBox = new QVBoxLayout;
    pFeedbackBox->setSpacing(1);
    pFeedbackBox->addWidget(MakeCaption(this, kLabelMicFeedback));
    pFeedbackBox->addWidget(pFeedback);
    pTop->addLayout(pFeedbackBox);
    pTop->addWidget(treble.pRow);
    pTop->addWidget(highPass.pRow);
    pTop->addStretch(1);

    // Ten band columns over fifteen bands, and the scroll bar that moves them.
    QGridLayout* pBands = MakeBandGrid(
        *this, kMicColumns, kMicBandIds,
        [&model](int band) -> CFilter& { return model.Mic().GetEQ().GetAt(band); },
        kGainSliderHeight);
    m_pScroll = new QScrollBar(Qt::Horizontal, this);
    m_pScroll->setObjectName("micBandScroll");
    m_pScroll->setRange(0, LastFirstBand());
    m_pScroll->setSingleStep(1);
    // Only the arrows and the thumb move the window; a click beside the thumb does nothing.
    m_pScroll->setPageStep(0);
    pBands->addWidget(m_pScroll, kBandRowQ + 1, 1, 1, kMicColumns);
    connect(m_pScroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_pScroll->isSliderDown()) {
            SetFirstBand(value);
        }
    });
    connect(m_pScroll, &QScrollBar::sliderReleased, this,
            [this] { SetFirstBand(m_pScroll->value()); });

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(10, 4, 4, 2);
    pLayout->setSpacing(4);
    pLayout->addLayout(pTop);
    pLayout->addLayout(pBands, 1);
}

void CMicDlg::SetFirstBand(int first) {
    CChannelPage::SetFirstBand(first);
    const QSignalBlocker blocker(m_pScroll);
    m_pScroll->setValue(FirstBand());
}
