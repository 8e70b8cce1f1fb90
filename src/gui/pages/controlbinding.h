// How a page ties its controls to the fields of its records: one binding per value, naming the
// field (through a getter of its record, so an output page always reaches the scene shown) and
// every control that shows it. Loading a page and editing one value are the same table read in
// two directions (bindingpage.h). Views are made with the named makers below, so what a view
// does with a value is said where it is bound.
#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/model/fieldranges.h"

class CBitmapSlider;
class CFilter;
class CNumEdit;
class CNumSpin;
class CParamRecord;
class CStaticTrans;
class CXPButton;
class QComboBox;
class QWidget;

enum class EControlKind {
    Slider,  // CBitmapSlider: position = value, or top - value for a slider with its top up
    Spin,    // CNumSpin: position = value (its buddy number box shows it)
    Box,     // CNumEdit, the buddy of a spin: reports the typed value's index
    Combo,   // QComboBox: list position = value
    Toggle,  // CXPButton: a click inverts the value; a face per state
    Choice,  // CXPButton standing for one value; selected while the field holds it
    Step,    // CXPButton: a click moves the value by a step, within the field's range
    Text,    // CStaticTrans: the value's text
};

// What a button shows in one state: its image, its text colour and (when not empty) its text.
struct SFace {
    int bitmap = 0;
    QColor colour;
    QString text;
};

struct SControlView {
    int id = 0;
    QWidget* pWidget = nullptr;
    EControlKind kind = EControlKind::Text;
    // Slider: its top when it runs backwards (value = top - position), else -1.
    int top = -1;
    // Choice: the value the button stands for; Step: the step.
    int param = 0;
    // Text: the value's text.
    std::function<std::string(int)> text;
    // Toggle: off (0) and on (any other value); Choice: not selected and selected.
    std::array<SFace, 2> faces{};
};

SControlView SliderView(int id, CBitmapSlider* pSlider);
SControlView TopDownSliderView(int id, CBitmapSlider* pSlider, int top);
SControlView SpinView(int id, CNumSpin* pSpin);
SControlView BoxView(int id, CNumEdit* pBox);
SControlView ComboView(int id, QComboBox* pCombo);
SControlView ToggleView(int id, CXPButton* pButton, SFace off, SFace on);
SControlView ChoiceView(int id, CXPButton* pButton, int value, SFace normal, SFace selected);
SControlView StepView(int id, CXPButton* pButton, int step);
SControlView TextView(int id, CStaticTrans* pLabel, std::function<std::string(int)> text);

// The faces of the EQ type buttons (P, BY, HS).
SFace TypeFaceNormal();
SFace TypeFaceSelected();

// One field: how to read it, store it (through the record's setter, which raises its flag) and
// the values it may take.
struct SField {
    std::function<int()> get;
    std::function<void(int)> set;
    std::function<FieldRange()> range;
};

// Field `field` (position in the record's field table) of the record `record` returns now; its
// range is the one the table gives.
SField RecordField(std::function<CParamRecord&()> record, int field);
// The same by the field's id (the output records lay the same ids out at their own positions).
SField RecordFieldById(std::function<CParamRecord&()> record, int id);
// A band field of the band `band` returns now.
SField BandField(std::function<CFilter&()> band, EBandField field);
// The corner of a crossover filter, within the limits of the page of `kind`.
SField CrossoverField(std::function<CFilter&()> filter, OwnerKind kind);

// Which band value a binding holds; the curve callbacks reload by role.
enum class EFieldRole { Other, Gain, Freq, Q, Type };

struct SBinding {
    std::vector<SControlView> views;
    SField field;
    // The band column the value belongs to (the band shown there is selected on an edit and
    // marked on the curve); -1 for none.
    int column = -1;
    // The curve-only band the value belongs to (a crossover: marked on the curve after an edit,
    // reloaded when the curve moves it); -1 for none.
    int curveBand = -1;
    EFieldRole role = EFieldRole::Other;
    // A page's own rule for an edited value (a volume limit), given the view it came from; the
    // controls then show the adjusted value.
    std::function<int(int value, EControlKind from)> limit;
    // Run before the controls show a value (ranges and scales that depend on other fields).
    std::function<void()> configure;
    // Run after the setter: what the page does beyond storing the value.
    std::function<void(int)> edited;
    // Bindings shown again after an edit of this one (a type change rescales the Q).
    std::vector<int> reloadAfter;
};
