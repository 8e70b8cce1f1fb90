// The place of the response curve view in the window: a dark area that remembers what the
// pages ask of the view until the view itself takes its place.
#pragma once

#include <QWidget>
#include <optional>

#include "gui/pages/curveview.h"

class CCurvePlaceholder : public QWidget, public ICurveView {
    Q_OBJECT
public:
    explicit CCurvePlaceholder(QWidget* parent = nullptr) : QWidget(parent) {
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, QColor(23, 23, 23));
        setPalette(palette);
    }
    void AttachChannel(OwnerKind kind, int index) override {
        m_kind = kind;
        m_nIndex = index;
        m_nBand = -1;
        update();
    }
    void ShowBand(int band) override {
        m_nBand = band;
        update();
    }
    void Redraw() override { update(); }
    void SetSpectrumMode(bool bOn) override {
        m_bSpectrum = bOn;
        update();
    }

    std::optional<OwnerKind> Kind() const { return m_kind; }
    int Band() const { return m_nBand; }
    bool SpectrumMode() const { return m_bSpectrum; }

private:
    std::optional<OwnerKind> m_kind;
    int m_nIndex = 0;
    int m_nBand = -1;
    bool m_bSpectrum = false;
};
