// The pieces the pages build their controls from: captions, horizontal sliders, toggles, and
// a slider row (caption, value text, slider) bound to a field. Written once, so every page's
// rows look and behave alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/common/labelids.h"
#include "gui/pages/controlbinding.h"

class CBindingPage;
class CBitmapSlider;
class CStaticTrans;
class CXPButton;
class QGridLayout;
class QWidget;

// A black caption from the label table.
CStaticTrans* MakeCaption(QWidget* pParent, LabelId label);
// A horizontal slider with the page images, range 0 .. max.
CBitmapSlider* MakeHSlider(int id, QWidget* pParent, int min, int max);
// A toggle button (mute, exciter): the "on" image while the field is not 0.
CXPButton* MakeToggle(int id, QWidget* pParent);
SControlView ToggleFaces(int id, CXPButton* pButton);

// Control ids of a slider row: caption (0 when the row has no id of its own), value, slider.
struct SSliderRowIds {
    int caption;
    int value;
    int slider;
};

struct SSliderRow {
    QWidget* pRow = nullptr;  // the container of the row's widgets
    CStaticTrans* pCaption = nullptr;
    CStaticTrans* pValue = nullptr;
    CBitmapSlider* pSlider = nullptr;
    int binding = -1;
};

// A slider row in a container of its own (the page places pRow): the caption with the value
// text at its right and the slider under them, bound to `field`; the slider's range is the
// field's. The controls report to `page` wherever the container is put.
SSliderRow MakeSliderRow(CBindingPage& page, LabelId caption, const SSliderRowIds& ids,
                         SField field, std::function<std::string(int)> text, int curveBand = -1);
