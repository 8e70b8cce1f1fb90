// A number box: holds an integer step index and shows it as a formatted value (numformat.h).
// Typed text is converted back to the nearest index when the box loses the focus; the parent
// then receives MSG_COMMAND (control id, new index), sent at once.
#pragma once

#include <QColor>
#include <QLineEdit>
#include <string>
#include <vector>

#include "core/viewmath/numformat.h"

class CNumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CNumEdit(int nControlId, QWidget* parent = nullptr);

    int ControlId() const { return m_nControlId; }

    void SetDisplayType(int nType);
    void SetStep(double dStep) { m_format.m_dStep = dStep; }
    void SetOffset(double dOffset) { m_format.m_dOffset = dOffset; }
    void SetSuffix(const std::string& suffix) { m_format.m_strSuffix = suffix; }
    void SetPrefix(const std::string& prefix) { m_format.m_strPrefix = prefix; }
    void SetMode(int nMode) { m_format.m_nMode = nMode; }
    void SetOffText(bool bOff) { m_format.m_bOffText = bOff; }
    // Copies entries 0 ... maximum index, so the range must be set first.
    void SetTable(const std::vector<double>& values);

    void SetRange(int nMin, int nMax);
    int GetRangeMin() const { return m_nMin; }
    int GetRangeMax() const { return m_nMax; }
    // Accepted only within the range; refreshes the text and drops pending typing.
    void SetValue(int nIndex);
    // Converts pending typing first (without telling the parent).
    int GetValue();
    bool IsModified() const { return m_bModified; }

    // Colours of the text, the box (an invalid or transparent colour shows what lies behind)
    // and the frame.
    void SetTextColour(const QColor& colour);
    void SetBackColour(const QColor& colour);
    void SetFrameColour(const QColor& colour);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void RefreshText();
    // Reads the typed text into the index; true when it changed the text (pending typing).
    bool ConvertPendingText();
    void ApplyColours();

    int m_nControlId;
    SNumFormat m_format;
    int m_nIndex = 0;
    int m_nMin = 0;
    int m_nMax = 0;
    bool m_bModified = false;
    QColor m_textColour{0, 0, 0};
    QColor m_backColour{255, 255, 255};
    QColor m_frameColour{20, 20, 24};
};
