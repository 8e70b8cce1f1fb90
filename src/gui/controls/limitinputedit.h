// A one-line edit box with its own colours that accepts only a fixed character set
// (inputcharrule.h): printable ASCII without the apostrophe, the backslash and {|}~, or digits
// only. The rule holds for everything entering the box: a paste with any refused character is
// refused whole.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <QValidator>

class CLimitInputValidator : public QValidator {
    Q_OBJECT
public:
    explicit CLimitInputValidator(QObject* parent = nullptr) : QValidator(parent) {}

    void SetDigitsOnly(bool bDigitsOnly) { m_bDigitsOnly = bDigitsOnly; }
    bool IsDigitsOnly() const { return m_bDigitsOnly; }

    State validate(QString& input, int& pos) const override;

private:
    bool m_bDigitsOnly = false;
};

class CLimitInputEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CLimitInputEdit(QWidget* parent = nullptr);

    void SetTextColour(const QColor& colour);
    // An invalid or transparent colour lets the parent show through.
    void SetBackColour(const QColor& colour);
    void SetDigitsOnly(bool bDigitsOnly);

private:
    void ApplyColours();

    CLimitInputValidator m_validator;
    QColor m_textColour{255, 255, 255};
    QColor m_backColour{0, 0, 0};
};
