#include "gui/pages/effectdlg.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "core/model/audiodata.h"
#include "core/viewmath/valuetext.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/bandcolumn.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/pagewidgets.h"

namespace {
constexpr SBandIds kEffectBandIds = {1700, 1703, 1706, 1709, 1712, 1715, 1718,
                                     1721, 1733, 1736, 1724, 1727, 1730};

using E = CAudioEchoData;
struct SEffectRow {
    LabelId caption;
    SSliderRowIds ids;
    int field;
    std::string (*text)(int);
};
constexpr SEffectRow kEchoARows[] = {
    {kLabelEffectEchoAVol, {1743, 1744, 1745}, E::kEchoAVol, PercentText},
    {kLabelEffectEchoADelay, {1746, 1747, 1748}, E::kEchoADelay, EchoADelayText},
    {kLabelEffectEchoARepeat, {1749, 1750, 1751}, E::kEchoARepeat, StepText},
};
constexpr SEffectRow kEchoBRows[] = {
    {kLabelEffectEchoBVol, {1754, 1755, 1756}, E::kEchoBVol, PercentText},
    {kLabelEffectEchoBDelay, {1757, 1758, 1759}, E::kEchoBDelay, EchoBDelayText},
    {kLabelEffectEchoBRepeat, {1760, 1761, 1762}, E::kEchoBRepeat, StepText},
    {kLabelEffectEchoBHighCut, {1763, 1764, 1765}, E::kEchoBHighCut, StepText},
    {kLabelEffectEchoBLAndRStereo, {1766, 1767, 1768}, E::kEchoBStereo, StepText},
};
constexpr SEffectRow kReverbRows[] = {
    {kLabelEffectRevbVol, {1769, 1770, 1771}, E::kRevbVol, PercentText},
    {kLabelEffectRevbTime1, {1772, 1773, 1774}, E::kRevbTime1, ReverbTimeText},
    {kLabelEffectRevbTime2, {1775, 1776, 1777}, E::kRevbTime2, ReverbTimeText},
    {kLabelEffectRevbTime3, {1778, 1779, 1780}, E::kRevbTime3, ReverbTimeText},
    {kLabelEffectRevbPreDelay, {1781, 1782, 1783}, E::kRevbPreDelay, MsText},
    {kLabelEffectRevbHighCut1, {1784, 1785, 1786}, E::kRevbHighCut1, StepText},
    {kLabelEffectRevbHighCut2, {1787, 1788, 1789}, E::kRevbHighCut2, StepText},
};
// Rows per column of the shared area.
constexpr int kAreaRows = 4;
}  // namespace

CEffectDlg::CEffectDlg(CAudioData& model, QWidget* parent)
    : CChannelPage(OwnerKind::Effect, kEffectBands, parent), m_model(model) {
    auto echo = [&model]() -> CParamRecord& { return model.Echo(); };
    auto* pEffects = new QGridLayout;
    pEffects->setHorizontalSpacing(12);
    pEffects->setVerticalSpacing(2);

    // Column 0: the mode and echo A.
    pEffects->addWidget(MakeCaption(this, kLabelEffectEffectModeSelection), 0, 0);
    auto* pMode = new CXPButton(IDC_EFFECT_MODE, this);
    pMode->SetFontSize(14);
    pMode->SetTextColour(Qt::black);
    pMode->SetHoverTextColour(QColor());
    pEffects->addWidget(pMode, 1, 0, Qt::AlignLeft);
    SBinding mode;
    mode.views = {ToggleView(IDC_EFFECT_MODE, pMode,
                             {IDB_MODE_REVERB, Qt::black, LabelText(kLabelEffectEchoARevb)},
                             {IDB_MODE_ECHO, Qt::black, LabelText(kLabelEffectEchoAEchoB)})};
    mode.field = RecordField(echo, E::kEffectMode);
    mode.edited = [this](int v) { ShowModeGroups(v); };
    Bind(std::move(mode));
    int row = 2;
    for (const SEffectRow& def : kEchoARows) {
        const SSliderRow r =
            MakeSliderRow(*this, def.caption, def.ids, RecordField(echo, def.field), def.text);
        pEffects->addWidget(r.pRow, row++, 0);
    }

    // Columns 1 and 2: echo B or the reverb, in the same cells.
    auto addGroup = [&](std::span<const SEffectRow> rows) {
        std::vector<int> bindings;
        std::vector<QWidget*> widgets;
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const SEffectRow& def = rows[static_cast<std::size_t>(i)];
            const SSliderRow r =
                MakeSliderRow(*this, def.caption, def.ids, RecordField(echo, def.field), def.text);
            pEffects->addWidget(r.pRow, i % kAreaRows, 1 + i / kAreaRows);
            bindings.push_back(r.binding);
            widgets.push_back(r.pRow);
        }
        return AddGroup(std::move(bindings), std::move(widgets));
    };
    m_nEchoBGroup = addGroup(kEchoBRows);
    m_nReverbGroup = addGroup(kReverbRows);
    pEffects->setRowStretch(kAreaRows + 1, 1);

    LayOutChannelPage(
        *this, pEffects,
        MakeBandGrid(*this, kEffectBands, kEffectBandIds,
                     [&model](int band) -> CFilter& { return model.Echo().GetEQ().GetAt(band); }));
    ShowModeGroups(0);
}

void CEffectDlg::ShowModeGroups(int mode) {
    // Hide first, so the two groups never show together.
    SetGroupVisible(mode == 1 ? m_nReverbGroup : m_nEchoBGroup, false);
    SetGroupVisible(mode == 1 ? m_nEchoBGroup : m_nReverbGroup, true);
}

void CEffectDlg::LoadFromModel(int bandSet) {
    CChannelPage::LoadFromModel(bandSet);
    ShowModeGroups(m_model.Echo().GetEffectMode());
}
