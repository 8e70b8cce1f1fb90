#include "gui/pages/bandcolumn.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "core/common/labelids.h"
#include "core/dsp/frequencygrid.h"
#include "core/model/datadefine.h"
#include "core/model/filter.h"
#include "core/viewmath/numformat.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/channelpage.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/pagecolours.h"

namespace {
constexpr int kColumnMinWidth = 84;
constexpr int kSliderMargin = 20;
constexpr int kBoxHeight = 20;
constexpr int kTypeFontHeight = 14;
// Pages with more columns than this set them closer together.
constexpr int kRoomyColumns = 7;
// The frame and margins of a number box, beside its text.
constexpr int kBoxFrame = 8;
constexpr QSize kQStepSize(16, 20);

std::vector<double> TableOf(std::span<const double> values) {
    return {values.begin(), values.end()};
}

// `longest`: the longest text the box shows, which it must show whole.
CNumEdit* MakeEdit(int id, QWidget* pParent, int displayType, const char* longest) {
    auto* pEdit = new CNumEdit(id, pParent);
    pEdit->SetDisplayType(displayType);
    pEdit->setMaxLength(8);
    pEdit->setFixedHeight(kBoxHeight);
    pEdit->setAlignment(Qt::AlignCenter);
    pEdit->setTextMargins(0, 0, 0, 0);
    pEdit->setMinimumWidth(pEdit->fontMetrics().horizontalAdvance(QString::fromLatin1(longest)) +
                           kBoxFrame);
    return pEdit;
}

CNumSpin* MakeSpin(int id, QWidget* pParent, CNumEdit* pBuddy, int max) {
    auto* pSpin = new CNumSpin(id, pParent);
    pSpin->SetBuddy(pBuddy);
    pSpin->SetRange(0, max);
    pSpin->hide();
    return pSpin;
}

CXPButton* MakeTypeButton(int id, QWidget* pParent, const QString& caption) {
    auto* pButton = new CXPButton(id, pParent);
    pButton->setText(caption);
    pButton->SetFontSize(kTypeFontHeight);
    pButton->SetFaceBitmap(IDB_TYPE_NORMAL);
    pButton->SetSelected(false);
    pButton->SetTextColour(kTypeGrey);
    // The text keeps its colour under the pointer (red would read as an error).
    pButton->SetHoverTextColour(QColor());
    return pButton;
}
}  // namespace

void AddBandRowCaptions(QWidget& page, QGridLayout& grid) {
    const std::pair<LabelId, int> kRows[] = {{kLabelBandGain, kBandRowGain},
                                             {kLabelBandType, kBandRowType},
                                             {kLabelBandFreq, kBandRowFreq},
                                             {kLabelBandQ, kBandRowQ}};
    for (const auto& [label, row] : kRows) {
        auto* pCaption = new CStaticTrans(LabelText(label), &page);
        pCaption->SetTextColour(Qt::black);
        grid.addWidget(pCaption, row, 0);
    }
}

void AddBandColumn(CChannelPage& page, QGridLayout& grid, int gridColumn, int column,
                   const SBandIds& ids, std::function<CFilter&(int band)> band,
                   int gainSliderHeight) {
    QWidget* pParent = &page;
    auto filter = [&page, band, column]() -> CFilter& { return band(page.BandOfColumn(column)); };

    auto* pLabel = new CStaticTrans(QString::number(column + 1), pParent);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setFixedHeight(18);
    page.AddBandLabel(pLabel);

    // Gain: box (dB, one decimal), hidden spin, slider with +12 dB at the top.
    CNumEdit* pGainEdit = MakeEdit(ids.gainEdit + column, pParent, kNumDisplayOffset, "-24.0dB");
    pGainEdit->SetStep(kGainStepDb);
    pGainEdit->SetOffset(kGainOffsetDb);
    pGainEdit->SetSuffix("dB");
    CNumSpin* pGainSpin = MakeSpin(ids.gainSpin + column, pParent, pGainEdit, kGainMaxIndex);
    auto* pSlider = new CBitmapSlider(ids.gainSlider + column, pParent);
    pSlider->SetBitmapChannel(IDB_EQ_CHANNEL, IDB_EQ_CHANNEL_GREY);
    pSlider->SetBitmapThumb(IDB_EQ_THUMB);
    pSlider->SetVertical(true);
    pSlider->setFixedHeight(gainSliderHeight);
    pSlider->SetMargin(0, kSliderMargin, 0, kSliderMargin);
    pSlider->SetRange(0, kGainMaxIndex);

    CXPButton* pPeak = MakeTypeButton(ids.typePeak + column, pParent, "P");
    CXPButton* pBypass = MakeTypeButton(ids.typeBypass + column, pParent, "BY");
    CXPButton* pShelf = MakeTypeButton(ids.typeShelf + column, pParent, "HS");
    pShelf->hide();

    // Frequency: the 361-step grid, one decimal.
    CNumEdit* pFreqEdit = MakeEdit(ids.freqEdit + column, pParent, kNumDisplayTable, "20200.0");
    pFreqEdit->SetMode(kNumTableOneDecimal);
    CNumSpin* pFreqSpin = MakeSpin(ids.freqSpin + column, pParent, pFreqEdit, kFreqMaxIndex);
    pFreqEdit->SetTable(TableOf(kFreqTable));

    // Q: the Q table for a peaking band, the shelf-slope table otherwise; two decimals.
    CNumEdit* pQEdit = MakeEdit(ids.qEdit + column, pParent, kNumDisplayTable, "128.00");
    pQEdit->SetMode(kNumTableTwoDecimals);
    CNumSpin* pQSpin = MakeSpin(ids.qSpin + column, pParent, pQEdit, kQCount - 1);
    auto* pQDown = new CXPButton(ids.qDown + column, pParent);
    pQDown->SetFaceBitmap(IDB_Q_DOWN);
    pQDown->setFixedSize(kQStepSize);
    auto* pQUp = new CXPButton(ids.qUp + column, pParent);
    pQUp->SetFaceBitmap(IDB_Q_UP);
    pQUp->setFixedSize(kQStepSize);

    grid.addWidget(pLabel, kBandRowNumber, gridColumn);
    grid.addWidget(pGainEdit, kBandRowGain, gridColumn);
    grid.addWidget(pSlider, kBandRowSlider, gridColumn, Qt::AlignHCenter);
    auto* pTypes = new QHBoxLayout;
    pTypes->setSpacing(0);
    pTypes->addWidget(pPeak);
    pTypes->addWidget(pBypass);
    pTypes->addWidget(pShelf);
    grid.addLayout(pTypes, kBandRowType, gridColumn);
    grid.addWidget(pFreqEdit, kBandRowFreq, gridColumn);
    auto* pQRow = new QHBoxLayout;
    pQRow->setSpacing(1);
    pQRow->addWidget(pQDown);
    pQRow->addWidget(pQEdit, 1);
    pQRow->addWidget(pQUp);
    grid.addLayout(pQRow, kBandRowQ, gridColumn);
    grid.setColumnMinimumWidth(gridColumn, kColumnMinWidth);
    grid.setColumnStretch(gridColumn, 1);

    SBinding gain;
    gain.views = {BoxView(ids.gainEdit + column, pGainEdit),
                  SpinView(ids.gainSpin + column, pGainSpin),
                  TopDownSliderView(ids.gainSlider + column, pSlider, kGainMaxIndex)};
    gain.field = BandField(filter, EBandField::Gain);
    gain.column = column;
    gain.role = EFieldRole::Gain;
    page.Bind(std::move(gain));

    SBinding freq;
    freq.views = {BoxView(ids.freqEdit + column, pFreqEdit),
                  SpinView(ids.freqSpin + column, pFreqSpin)};
    freq.field = BandField(filter, EBandField::Freq);
    freq.column = column;
    freq.role = EFieldRole::Freq;
    page.Bind(std::move(freq));

    SBinding q;
    q.views = {BoxView(ids.qEdit + column, pQEdit), SpinView(ids.qSpin + column, pQSpin),
               StepView(ids.qDown + column, pQDown, -1), StepView(ids.qUp + column, pQUp, +1)};
    q.field = BandField(filter, EBandField::QOrSlope);
    q.configure = [filter, pQSpin, pQEdit] {
        const bool bPeak = filter().GetType() == kTypePeaking;
        pQSpin->SetRange(0, bPeak ? kQCount - 1 : kSlopeCount - 1);
        pQEdit->SetTable(bPeak ? TableOf(kQTable) : TableOf(kSlopeTable));
    };
    q.column = column;
    q.role = EFieldRole::Q;
    const int qIndex = page.Bind(std::move(q));

    SBinding type;
    type.views = {ChoiceView(ids.typePeak + column, pPeak, kTypePeaking, TypeFaceNormal(),
                             TypeFaceSelected()),
                  ChoiceView(ids.typeBypass + column, pBypass, kTypeBypass, TypeFaceNormal(),
                             TypeFaceSelected()),
                  ChoiceView(ids.typeShelf + column, pShelf, kTypeHighShelf, TypeFaceNormal(),
                             TypeFaceSelected())};
    type.field = BandField(filter, EBandField::Type);
    type.column = column;
    type.role = EFieldRole::Type;
    type.reloadAfter = {qIndex};
    page.Bind(std::move(type));
}

QGridLayout* MakeBandGrid(CChannelPage& page, int columns, const SBandIds& ids,
                          const std::function<CFilter&(int band)>& band, int gainSliderHeight) {
    auto* pBands = new QGridLayout;
    pBands->setHorizontalSpacing(columns > kRoomyColumns ? 4 : 6);
    pBands->setVerticalSpacing(columns > kRoomyColumns ? 2 : 3);
    AddBandRowCaptions(page, *pBands);
    for (int c = 0; c < columns; ++c) {
        AddBandColumn(page, *pBands, c + 1, c, ids, band, gainSliderHeight);
    }
    return pBands;
}

void LayOutChannelPage(CChannelPage& page, QLayout* pControls, QGridLayout* pBands) {
    pBands->setRowStretch(kBandRowQ + 1, 1);
    auto* pSeparator = new QLabel(&page);
    pSeparator->setFixedWidth(2);
    pSeparator->setStyleSheet("background: rgb(200, 200, 200);");
    auto* pLayout = new QHBoxLayout(&page);
    pLayout->setContentsMargins(10, 6, 4, 4);
    pLayout->setSpacing(8);
    pLayout->addLayout(pControls);
    pLayout->addWidget(pSeparator);
    pLayout->addLayout(pBands, 1);
}
