// The response curve view in the gallery: each channel kind with its default band set, bands
// and crossovers moved, the bypass text and spectrum bars from a synthetic buffer. Each view
// edits a model of its own.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class CAudioData;
class CDrawCurve;

class CurveGallery : public QWidget {
public:
    CurveGallery();
    ~CurveGallery() override;

    // The shown states, by file-friendly name, each with the view that shows it.
    const std::vector<std::pair<QString, QWidget*>>& States() const { return m_states; }

    // Drags a band with mouse events, so that its view shows the drag's information line.
    void ApplyPointerStates();

private:
    // A view of `kind` (scene 0) on a model of its own; `prepare` sets the model up.
    CDrawCurve* AddView(const QString& name, int kind, void (*prepare)(CAudioData&));

    std::vector<std::unique_ptr<CAudioData>> m_models;
    std::vector<std::pair<QString, QWidget*>> m_states;
    CDrawCurve* m_dragged = nullptr;
};
