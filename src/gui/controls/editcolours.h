// Text and box colours of an edit box; an invalid or transparent box colour shows the parent.
#pragma once

#include <QColor>

class QLineEdit;

void ApplyEditColours(QLineEdit* pEdit, const QColor& text, const QColor& back);
