#include "gui/controls/editcolours.h"

#include <QLineEdit>
#include <QPalette>

void ApplyEditColours(QLineEdit* pEdit, const QColor& text, const QColor& back) {
    const bool solid = back.isValid() && back.alpha() > 0;
    QPalette colours = pEdit->palette();
    colours.setColor(QPalette::Text, text);
    colours.setColor(QPalette::Base, solid ? back : QColor(Qt::transparent));
    // A disabled box looks disabled: grey text on a greyed box.
    colours.setColor(QPalette::Disabled, QPalette::Text, kDisabledEditText);
    colours.setColor(QPalette::Disabled, QPalette::Base,
                     solid ? kDisabledEditBack : QColor(Qt::transparent));
    pEdit->setPalette(colours);
    pEdit->setAutoFillBackground(solid);
    pEdit->update();
}
