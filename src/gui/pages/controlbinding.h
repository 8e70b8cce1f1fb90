// How a page ties its controls to the fields of its record: one binding per value, listing
// every control that shows it (a slider, its number box and spin, a toggle, choice buttons)
// and how each control maps positions to values. Loading a page and editing one value are the
// same table read in two directions (channelpage.h).
#pragma once

#include <functional>
#include <vector>

class QWidget;

enum class EControlKind {
    Slider,  // CBitmapSlider; param >= 0: runs backwards, value = param - position
    Spin,    // CNumSpin (its buddy number box shows the value)
    Edit,    // CNumEdit, the buddy of a spin: reports the value's index
    Combo,   // QComboBox: list position = value
    Toggle,  // CXPButton: a click inverts the value; face on / off
    Choice,  // CXPButton standing for value `param`; shown pressed when the value is param
    Step,    // CXPButton: a click adds `param` to the value
    Label,   // CStaticTrans: shows value - param
};

struct SControlView {
    int id;
    QWidget* pWidget;
    EControlKind kind;
    int param = -1;
};

// Which band value a binding holds; the curve callbacks reload by role.
enum class EFieldRole { Other, Gain, Freq, Q, Type };

struct SBinding {
    std::vector<SControlView> views;
    std::function<int()> get;
    std::function<void(int)> set;
    // The EQ band the value belongs to (selected on edit, shown on the curve); -1 for none.
    int band = -1;
    EFieldRole role = EFieldRole::Other;
    // Adjusts a value edited with a control of kind `from` (a limit); the controls then show
    // the adjusted value.
    std::function<int(int value, EControlKind from)> limit;
    // Run before the controls show a value (ranges and scales that depend on other fields).
    std::function<void()> configure;
    // Run after the setter: what the page does beyond storing the value.
    std::function<void(int)> edited;
    // Bindings shown again after an edit of this one (a type change rescales the Q).
    std::vector<int> reloadAfter;
};
