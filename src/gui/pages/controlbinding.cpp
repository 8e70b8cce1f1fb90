#include "gui/pages/controlbinding.h"

#include <QComboBox>

#include "core/model/filter.h"
#include "core/model/paramrecord.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/bitmapslider.h"
#include "gui/controls/numedit.h"
#include "gui/controls/numspin.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/pagecolours.h"

namespace {
SControlView View(int id, QWidget* pWidget, EControlKind kind) {
    SControlView view;
    view.id = id;
    view.pWidget = pWidget;
    view.kind = kind;
    return view;
}
}  // namespace

SControlView SliderView(int id, CBitmapSlider* pSlider) {
    return View(id, pSlider, EControlKind::Slider);
}

SControlView TopDownSliderView(int id, CBitmapSlider* pSlider, int top) {
    SControlView view = View(id, pSlider, EControlKind::Slider);
    view.top = top;
    return view;
}

SControlView SpinView(int id, CNumSpin* pSpin) {
    return View(id, pSpin, EControlKind::Spin);
}

SControlView BoxView(int id, CNumEdit* pBox) {
    return View(id, pBox, EControlKind::Box);
}

SControlView ComboView(int id, QComboBox* pCombo) {
    return View(id, pCombo, EControlKind::Combo);
}

SControlView ToggleView(int id, CXPButton* pButton, SFace off, SFace on) {
    SControlView view = View(id, pButton, EControlKind::Toggle);
    view.faces = {std::move(off), std::move(on)};
    return view;
}

SControlView ChoiceView(int id, CXPButton* pButton, int value, SFace normal, SFace selected) {
    SControlView view = View(id, pButton, EControlKind::Choice);
    view.param = value;
    view.faces = {std::move(normal), std::move(selected)};
    return view;
}

SControlView StepView(int id, CXPButton* pButton, int step) {
    SControlView view = View(id, pButton, EControlKind::Step);
    view.param = step;
    return view;
}

SControlView TextView(int id, CStaticTrans* pLabel, std::function<std::string(int)> text) {
    SControlView view = View(id, pLabel, EControlKind::Text);
    view.text = std::move(text);
    return view;
}

SFace TypeFaceNormal() {
    return {IDB_TYPE_NORMAL, kTypeGrey, {}};
}

SFace TypeFaceSelected() {
    return {IDB_TYPE_SELECTED, kGreen, {}};
}

SField RecordField(std::function<CParamRecord&()> record, int field) {
    return {[record, field] { return static_cast<int>(record().Get(field)); },
            [record, field](int v) { record().Set(field, static_cast<std::int16_t>(v)); },
            [record, field] { return record().Fields()[static_cast<std::size_t>(field)].range; }};
}

SField RecordFieldById(std::function<CParamRecord&()> record, int id) {
    return {
        [record, id] { return static_cast<int>(record().Get(record().FieldOf(id))); },
        [record, id](int v) { record().Set(record().FieldOf(id), static_cast<std::int16_t>(v)); },
        [record, id] {
            CParamRecord& r = record();
            return r.Fields()[static_cast<std::size_t>(r.FieldOf(id))].range;
        }};
}

SField BandField(std::function<CFilter&()> band, EBandField field) {
    return {[band, field] { return BandFieldValue(band(), field); },
            [band, field](int v) { SetBandField(band(), field, v); },
            [band, field] { return BandFieldRange(band(), field); }};
}

SField CrossoverField(std::function<CFilter&()> filter, OwnerKind kind) {
    return {[filter] { return static_cast<int>(filter().GetXoverFreq()); },
            [filter](int v) { filter().SetXoverFreq(static_cast<std::int16_t>(v)); },
            [filter, kind] { return CrossoverFreqRange(kind, filter().IsHighPass()); }};
}
