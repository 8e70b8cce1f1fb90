// A page with an equaliser: the binding page with band columns, the curve view attached to its
// band set, band selection, EQ bypass and the curve callbacks. Bands are not columns: a page
// may show fewer columns than it has bands (a band window, scrolled), and a band set may hold
// curve-only bands (crossovers) that a slider of the page edits instead of a column.
#pragma once

#include <optional>
#include <vector>

#include "core/model/filter.h"
#include "gui/pages/bindingpage.h"
#include "gui/pages/pagecontract.h"

class CStaticTrans;
class ICurveView;

class CChannelPage : public CBindingPage, public IChannelPage {
    Q_OBJECT
public:
    // bands: the parametric bands of the page's band set; columns are added by AddBandLabel.
    CChannelPage(OwnerKind ownerKind, int bands, QWidget* parent = nullptr);

    void SetCurveView(ICurveView* pCurve) { m_pCurve = pCurve; }
    OwnerKind GetOwnerKind() const { return m_ownerKind; }
    // The band selected (an index into the band set).
    int SelectedBand() const { return m_nSelectedBand; }
    int BandCount() const { return m_nBands; }
    int ColumnCount() const { return static_cast<int>(m_bandLabels.size()); }
    // The band the first column shows, and the band of column c.
    int FirstBand() const { return m_nFirstBand; }
    int BandOfColumn(int column) const { return m_nFirstBand + column; }
    // The highest first band (the window's last position).
    int LastFirstBand() const { return std::max(0, m_nBands - ColumnCount()); }
    // Scrolls the window so that column 0 shows band `first` and reloads the columns.
    virtual void SetFirstBand(int first);
    // The band-set index the page was last loaded with.
    int BandSet() const { return m_nBandSet; }

    // IChannelPage: the parts every page shares. LoadFromModel loads every binding and
    // attaches the curve; pages with more to load override it and call it.
    void LoadFromModel(int bandSet) override;
    void ApplyEqBypass(int state) override;
    void OnCurveBandMoved(int band) override;
    void OnCurveQChanged(int band) override;
    void SelectBand(int band) override;
    // Shows the band columns again (after a bypass ends or an EQ reset).
    void ReloadBands();
    // Whether the band controls may be edited now (an output page in Auto says no).
    virtual bool BandsEditable() const { return true; }

    // The number label of the next column (columns in order), and column c's label.
    void AddBandLabel(CStaticTrans* pLabel);
    CStaticTrans* BandLabel(int column) const {
        return m_bandLabels[static_cast<std::size_t>(column)];
    }

protected:
    void OnBindingEdited(const SBinding& binding, int value) override;
    void OnBindingTouched(const SBinding& binding) override;
    // Attaches the curve to the page's band set and marks the selected band.
    void AttachCurveView();
    void SetBandSet(int bandSet) { m_nBandSet = bandSet; }
    // Disables (or enables) every band column control with its look, without reloading.
    void ShowBandsEnabled(bool bEnable);

    ICurveView* m_pCurve = nullptr;

private:
    void LoadBandRoles(int band, EFieldRole a, EFieldRole b);
    // Scrolls so that `band` is shown; true when the window moved.
    bool ScrollTo(int band);
    void ColourLabels();

    OwnerKind m_ownerKind;
    int m_nBands = 0;
    int m_nBandSet = 0;
    int m_nFirstBand = 0;
    int m_nSelectedBand = 0;
    bool m_bBandsEnabled = true;
    std::vector<CStaticTrans*> m_bandLabels;
};
