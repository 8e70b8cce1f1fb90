#include "gui/pages/bandcolumn.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include <algorithm>

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
#include "gui/pages/pagecolours.h"

namespace {
constexpr int kColumnWidth = 84;
constexpr int kGainSliderHeight = 128;
constexpr int kSliderMargin = 20;
constexpr int kBoxHeight = 20;
constexpr int kTypeFontHeight = 14;
constexpr int kQPeakMax = kQCount - 1;
constexpr int kQShelfMax = kSlopeCount - 1;

std::vector<double> TableOf(std::span<const double> values) {
    return {values.begin(), values.end()};
}

CNumEdit* MakeEdit(int id, QWidget* pParent, int displayType) {
    auto* pEdit = new CNumEdit(id, pParent);
    pEdit->SetDisplayType(displayType);
    pEdit->setMaxLength(8);
    pEdit->setFixedHeight(kBoxHeight);
    pEdit->setAlignment(Qt::AlignCenter);
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
    return pButton;
}
}  // namespace

void AddBandColumn(CChannelPage& page, QGridLayout& grid, int column, int band, const SBandIds& ids,
                   std::function<CFilter&()> filter, bool bShelf) {
    QWidget* pColumn = &page;

    auto* pLabel = new CStaticTrans(QString::number(band + 1), pColumn);
    pLabel->setAlignment(Qt::AlignCenter);
    pLabel->setFixedHeight(18);
    page.AddBandLabel(pLabel);

    // Gain: box (dB, one decimal), hidden spin, slider with +12 dB at the top.
    CNumEdit* pGainEdit = MakeEdit(ids.gainEdit + band, pColumn, kNumDisplayOffset);
    pGainEdit->SetStep(kGainStepDb);
    pGainEdit->SetOffset(kGainOffsetDb);
    pGainEdit->SetSuffix("dB");
    CNumSpin* pGainSpin = MakeSpin(ids.gainSpin + band, pColumn, pGainEdit, kGainMaxIndex);
    auto* pSlider = new CBitmapSlider(ids.gainSlider + band, pColumn);
    pSlider->SetBitmapChannel(IDB_EQ_CHANNEL, IDB_EQ_CHANNEL_GREY);
    pSlider->SetBitmapThumb(IDB_EQ_THUMB);
    pSlider->SetVertical(true);
    pSlider->setFixedHeight(kGainSliderHeight);
    pSlider->SetMargin(0, kSliderMargin, 0, kSliderMargin);
    pSlider->SetRange(0, kGainMaxIndex);

    // Type buttons.
    CXPButton* pPeak = MakeTypeButton(ids.typePeak + band, pColumn, "P");
    CXPButton* pBypass = MakeTypeButton(ids.typeBypass + band, pColumn, "BY");
    CXPButton* pShelf = MakeTypeButton(ids.typeShelf + band, pColumn, "HS");
    pShelf->setVisible(bShelf);

    // Frequency: the 361-step grid, one decimal.
    CNumEdit* pFreqEdit = MakeEdit(ids.freqEdit + band, pColumn, kNumDisplayTable);
    pFreqEdit->SetMode(kNumTableOneDecimal);
    CNumSpin* pFreqSpin = MakeSpin(ids.freqSpin + band, pColumn, pFreqEdit, kFreqMaxIndex);
    pFreqEdit->SetTable(TableOf(kFreqTable));

    // Q: the Q table for a peaking band, the shelf-slope table otherwise; two decimals.
    CNumEdit* pQEdit = MakeEdit(ids.qEdit + band, pColumn, kNumDisplayTable);
    pQEdit->SetMode(kNumTableTwoDecimals);
    CNumSpin* pQSpin = MakeSpin(ids.qSpin + band, pColumn, pQEdit, kQPeakMax);
    auto* pQDown = new CXPButton(ids.qDown + band, pColumn);
    pQDown->SetFaceBitmap(IDB_Q_DOWN);
    auto* pQUp = new CXPButton(ids.qUp + band, pColumn);
    pQUp->SetFaceBitmap(IDB_Q_UP);

    grid.addWidget(pLabel, kBandRowNumber, column);
    grid.addWidget(pGainEdit, kBandRowGain, column);
    grid.addWidget(pSlider, kBandRowSlider, column, Qt::AlignHCenter);
    auto* pTypes = new QHBoxLayout;
    pTypes->setSpacing(0);
    pTypes->addWidget(pPeak);
    pTypes->addWidget(pBypass);
    pTypes->addWidget(pShelf);
    grid.addLayout(pTypes, kBandRowType, column);
    grid.addWidget(pFreqEdit, kBandRowFreq, column);
    auto* pQRow = new QHBoxLayout;
    pQRow->setSpacing(1);
    pQRow->addWidget(pQDown);
    pQRow->addWidget(pQEdit, 1);
    pQRow->addWidget(pQUp);
    grid.addLayout(pQRow, kBandRowQ, column);

    auto peak = [filter] { return filter().GetType() == kTypePeaking; };
    SBinding gain;
    gain.views = {{ids.gainEdit + band, pGainEdit, EControlKind::Edit},
                  {ids.gainSpin + band, pGainSpin, EControlKind::Spin},
                  {ids.gainSlider + band, pSlider, EControlKind::Slider, kGainMaxIndex}};
    gain.get = [filter] { return filter().GetGain(); };
    gain.set = [filter](int v) { filter().SetGain(static_cast<std::int16_t>(v)); };
    gain.band = band;
    gain.role = EFieldRole::Gain;
    page.Bind(std::move(gain));

    SBinding freq;
    freq.views = {{ids.freqEdit + band, pFreqEdit, EControlKind::Edit},
                  {ids.freqSpin + band, pFreqSpin, EControlKind::Spin}};
    freq.get = [filter] { return filter().GetFreq(); };
    freq.set = [filter](int v) { filter().SetFreq(static_cast<std::int16_t>(v)); };
    freq.band = band;
    freq.role = EFieldRole::Freq;
    page.Bind(std::move(freq));

    SBinding q;
    q.views = {{ids.qEdit + band, pQEdit, EControlKind::Edit},
               {ids.qSpin + band, pQSpin, EControlKind::Spin},
               {ids.qDown + band, pQDown, EControlKind::Step, -1},
               {ids.qUp + band, pQUp, EControlKind::Step, +1}};
    q.get = [filter, peak] { return peak() ? filter().GetQ() : filter().GetSlope(); };
    q.set = [filter, peak](int v) {
        if (peak()) {
            filter().SetQ(static_cast<std::int16_t>(v));
        } else {
            filter().SetSlope(static_cast<std::int16_t>(v));
        }
    };
    q.limit = [peak](int v, EControlKind) {
        return std::clamp(v, 0, peak() ? kQPeakMax : kQShelfMax);
    };
    q.configure = [peak, pQSpin, pQEdit] {
        const bool bPeak = peak();
        pQSpin->SetRange(0, bPeak ? kQPeakMax : kQShelfMax);
        pQEdit->SetTable(bPeak ? TableOf(kQTable) : TableOf(kSlopeTable));
    };
    q.band = band;
    q.role = EFieldRole::Q;
    const int qIndex = page.Bind(std::move(q));

    SBinding type;
    type.views = {{ids.typePeak + band, pPeak, EControlKind::Choice, kTypePeaking},
                  {ids.typeBypass + band, pBypass, EControlKind::Choice, kTypeBypass},
                  {ids.typeShelf + band, pShelf, EControlKind::Choice, kTypeHighShelf}};
    type.get = [filter] { return filter().GetType(); };
    type.set = [filter](int v) { filter().SetType(static_cast<std::int16_t>(v)); };
    type.band = band;
    type.role = EFieldRole::Type;
    type.reloadAfter = {qIndex};
    page.Bind(std::move(type));
    for (QWidget* pWidget : {static_cast<QWidget*>(pLabel), static_cast<QWidget*>(pGainEdit),
                             static_cast<QWidget*>(pFreqEdit)}) {
        pWidget->setFixedWidth(kColumnWidth - 4);
    }
}
