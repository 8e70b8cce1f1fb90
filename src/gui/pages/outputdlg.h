// The output pages: Main out, Center and Sub share one design (mix rows with polarities,
// delay, mute, high-pass and low-pass crossovers, three equaliser bands and the scene buttons
// that act on every output); a member table says what differs. A page always edits the record
// of the scene it shows (g_outScene), and shows the output section's Auto look while the
// outputs follow the unit's automatic scene.
#pragma once

#include "gui/pages/channelpage.h"
#include "gui/pages/outputmembers.h"

class CAudioData;
class COutputRecord;

class COutputDlg : public CChannelPage {
    Q_OBJECT
public:
    COutputDlg(CAudioData& model, const SOutputMembers& members, QWidget* parent = nullptr);

    void LoadFromModel(int bandSet) override;
    void ApplyEqBypass(int state) override;
    bool BandsEditable() const override;

    // The record the page edits: its channel's record of the scene it was loaded with (the
    // selector loads it with its g_outScene entry), so the scene edited is the scene shown.
    COutputRecord& Record() const;
    const SOutputMembers& Members() const { return m_members; }

signals:
    // The page now edits another record (a scene switch, Manual): the selector recolours EQ Pass.
    void RecordSwitched();

private:
    void BuildMix(class QGridLayout& grid);
    void BuildScenes(class QGridLayout& grid);
    // The Auto look: mixes, delays, mutes and crossovers locked and blank (or, bBlank false,
    // kept as shown), the band columns disabled; the scene buttons show Auto.
    void ShowAutoLook(bool bBlank);
    void ShowSceneButtons();
    void OnAutoEdited(int outAuto);
    void OnSceneEdited(int scene);

    CAudioData& m_model;
    const SOutputMembers& m_members;
    int m_nLockGroup = -1;
    int m_nRevbGroup = -1;
    int m_nEchoBGroup = -1;
    int m_nAutoBinding = -1;
    int m_nSceneBinding = -1;
};
