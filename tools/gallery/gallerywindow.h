// The control gallery: every custom control in each of its states, laid out on a dark selector
// column and a light page as the editor shows them.
#pragma once

#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

class GalleryWindow : public QWidget {
public:
    GalleryWindow();

    // The shown states, by file-friendly name, each with the widget that shows it.
    const std::vector<std::pair<QString, QWidget*>>& States() const { return m_states; }

    // Puts hover and pressed states on the buttons that show them, through mouse events.
    void ApplyPointerStates();

private:
    void BuildSelector();
    void BuildSliders(QWidget* page);
    void BuildNumberBoxes(QWidget* page);
    void BuildButtons(QWidget* page);
    void BuildTextControls(QWidget* page);
    void BuildGroupBoxes(QWidget* page);
    void AddState(const QString& name, QWidget* widget) { m_states.emplace_back(name, widget); }

    std::vector<std::pair<QString, QWidget*>> m_states;
    std::vector<QWidget*> m_hovered;
    std::vector<QWidget*> m_pressed;
};
