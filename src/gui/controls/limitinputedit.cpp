#include "gui/controls/limitinputedit.h"

#include "core/viewmath/inputcharrule.h"
#include "gui/controls/editcolours.h"

QValidator::State CLimitInputValidator::validate(QString& input, int& /*pos*/) const {
    return IsAllowedInputText(input.toStdU32String(), m_bDigitsOnly) ? Acceptable : Invalid;
}

CLimitInputEdit::CLimitInputEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(&m_validator);
    ApplyColours();
}

void CLimitInputEdit::SetTextColour(const QColor& colour) {
    m_textColour = colour;
    ApplyColours();
}

void CLimitInputEdit::SetBackColour(const QColor& colour) {
    m_backColour = colour;
    ApplyColours();
}

void CLimitInputEdit::SetDigitsOnly(bool bDigitsOnly) {
    m_validator.SetDigitsOnly(bDigitsOnly);
}

void CLimitInputEdit::ApplyColours() {
    ApplyEditColours(this, m_textColour, m_backColour);
}
