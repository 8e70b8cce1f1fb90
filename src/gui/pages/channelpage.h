// The frame every channel page is built on: the binding table, the editing path (control ->
// linked controls -> setter -> curve), loading with the controls' notifications blocked, band
// selection, EQ bypass and the curve callbacks. A page creates its controls, binds them, and
// adds only what is truly its own.
#pragma once

#include <QHash>
#include <QWidget>
#include <optional>
#include <vector>

#include "core/model/filter.h"
#include "gui/pages/controlbinding.h"
#include "gui/pages/pagecontract.h"

class CStaticTrans;
class ICurveView;

class CChannelPage : public QWidget, public IChannelPage {
    Q_OBJECT
public:
    // ownerKind: the kind of band set the page shows on the curve view; none for a page
    // without one (the master volume strip).
    CChannelPage(std::optional<OwnerKind> ownerKind, QWidget* parent = nullptr);

    void SetCurveView(ICurveView* pCurve) { m_pCurve = pCurve; }
    std::optional<OwnerKind> GetOwnerKind() const { return m_ownerKind; }
    int SelectedBand() const { return m_nSelectedBand; }
    int BandCount() const { return static_cast<int>(m_bandLabels.size()); }

    // IChannelPage: the parts every page shares. LoadFromModel loads every binding and
    // attaches the curve; pages with more to load override it and call it.
    void LoadFromModel(int bandSet) override;
    void ApplyEqBypass(int state) override;
    void OnCurveBandMoved(int band) override;
    void OnCurveQChanged(int band) override;
    void SelectBand(int band) override;
    // Shows every band binding again (after a bypass ends or an EQ reset).
    void ReloadBands();

    // The editing path for one report of control `id` (slider position, spin or box index,
    // list position, or a button click).
    void OnControl(int id, int reported);

    // Building the table (the page and the column builders). Bind returns the index.
    int Bind(SBinding binding);
    SBinding& Binding(int index) { return m_bindings[static_cast<std::size_t>(index)]; }
    // The number label of the next band (bands in order).
    void AddBandLabel(CStaticTrans* pLabel);
    // Sets the binding's controls from its field, notifications blocked.
    void LoadBinding(int index);

protected:
    void customEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    ICurveView* m_pCurve = nullptr;

private:
    void Show(const SBinding& binding, int value);
    int ToValue(const SBinding& binding, const SControlView& view, int reported) const;
    void LoadBandRoles(int band, EFieldRole a, EFieldRole b);

    std::optional<OwnerKind> m_ownerKind;
    int m_nBandSet = 0;
    int m_nSelectedBand = 0;
    std::vector<SBinding> m_bindings;
    // control id -> (binding, view)
    QHash<int, std::pair<int, int>> m_byControl;
    std::vector<CStaticTrans*> m_bandLabels;
};
