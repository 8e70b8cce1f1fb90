// The label table's texts (UTF-8) as the widgets show them.
#pragma once

#include <QString>

#include "core/common/labelids.h"
#include "core/common/labeltable.h"

inline QString LabelText(LabelId id) {
    return QString::fromStdString(Label(id));
}

inline QString LabelText(int group, int slot) {
    return LabelText(LabelId{group, slot});
}

// A text of the editor's own that the label table does not hold, in the table's language.
inline QString LocalText(const char* chinese, const char* english) {
    return QString::fromUtf8(CurrentLanguage() == kLanguageChinese ? chinese : english);
}
