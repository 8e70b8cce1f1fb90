#include "gui/pages/pagewidgets.h"

#include <QGridLayout>

#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/bindingpage.h"
#include "gui/pages/labeltext.h"

namespace {
constexpr int kValueWidth = 64;
}  // namespace

CStaticTrans* MakeCaption(QWidget* pParent, LabelId label) {
    auto* pCaption = new CStaticTrans(LabelText(label), pParent);
    pCaption->SetTextColour(Qt::black);
    return pCaption;
}

CBitmapSlider* MakeHSlider(int id, QWidget* pParent, int min, int max) {
    auto* pSlider = new CBitmapSlider(id, pParent);
    pSlider->SetVertical(false);
    pSlider->SetBitmapChannel(IDB_H_CHANNEL, IDB_H_CHANNEL_FILLED);
    pSlider->SetBitmapThumb(IDB_H_THUMB);
    pSlider->SetRange(min, max);
    pSlider->SetPageSize(1);
    return pSlider;
}

CXPButton* MakeToggle(int id, QWidget* pParent) {
    auto* pButton = new CXPButton(id, pParent);
    pButton->SetFaceBitmap(IDB_TOGGLE_OFF);
    return pButton;
}

SControlView ToggleFaces(int id, CXPButton* pButton) {
    return ToggleView(id, pButton, {IDB_TOGGLE_OFF, {}, {}}, {IDB_TOGGLE_ON, {}, {}});
}

SSliderRow MakeSliderRow(CBindingPage& page, LabelId caption, const SSliderRowIds& ids,
                         SField field, std::function<std::string(int)> text, int curveBand) {
    SSliderRow out;
    out.pRow = new QWidget(&page);
    out.pCaption = MakeCaption(out.pRow, caption);
    const FieldRange range = field.range();
    out.pValue = new CStaticTrans(QString::fromStdString(text(range.min)), out.pRow);
    out.pValue->SetTextColour(Qt::black);
    out.pValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    out.pValue->setMinimumWidth(kValueWidth);
    out.pSlider = MakeHSlider(ids.slider, out.pRow, range.min, range.max);
    auto* pGrid = new QGridLayout(out.pRow);
    pGrid->setContentsMargins(0, 0, 0, 0);
    pGrid->setSpacing(1);
    pGrid->addWidget(out.pCaption, 0, 0);
    pGrid->addWidget(out.pValue, 0, 1);
    pGrid->addWidget(out.pSlider, 1, 0, 1, 2);

    SBinding binding;
    binding.views = {SliderView(ids.slider, out.pSlider),
                     TextView(ids.value, out.pValue, std::move(text))};
    binding.field = std::move(field);
    binding.curveBand = curveBand;
    out.binding = page.Bind(std::move(binding));
    return out;
}
