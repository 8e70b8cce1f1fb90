// Text and box colours of an edit box; an invalid or transparent box colour shows the parent.
#pragma once

#include <QColor>

class QLineEdit;

inline const QColor kDisabledEditText(150, 150, 150);
inline const QColor kDisabledEditBack(232, 232, 232);
inline const QColor kDisabledEditFrame(190, 190, 190);

// The colours while enabled; a disabled box shows grey text on a grey box.
void ApplyEditColours(QLineEdit* pEdit, const QColor& text, const QColor& back);
