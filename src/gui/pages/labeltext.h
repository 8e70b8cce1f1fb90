// The label table's texts (UTF-8) as the widgets show them.
#pragma once

#include <QString>

#include "core/common/labeltable.h"

inline QString LabelText(int group, int slot) {
    return QString::fromStdString(Label(group, slot));
}
