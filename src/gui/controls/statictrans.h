// A text label with its own text colour and either a solid or a see-through background.
#pragma once

#include <QColor>
#include <QLabel>

class CStaticTrans : public QLabel {
    Q_OBJECT
public:
    explicit CStaticTrans(QWidget* parent = nullptr);
    CStaticTrans(const QString& text, QWidget* parent);

    void SetTextColour(const QColor& colour);
    // An invalid or transparent colour lets the parent show through.
    void SetBackColour(const QColor& colour);
    QColor TextColour() const { return m_textColour; }
    QColor BackColour() const { return m_backColour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_textColour{255, 255, 255};
    QColor m_backColour;  // invalid: transparent
};
