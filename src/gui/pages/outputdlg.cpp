#include "gui/pages/outputdlg.h"

#include <QGridLayout>
#include <QHBoxLayout>

#include "core/model/audiodata.h"
#include "core/viewmath/valuetext.h"
#include "gui/controls/artworkids.h"
#include "gui/controls/statictrans.h"
#include "gui/controls/xpbutton.h"
#include "gui/pages/labeltext.h"
#include "gui/pages/pagestate.h"

namespace {
constexpr LabelId kMixCaptions[5] = {kLabelOutputMusicVolume, kLabelOutputDirectVolume,
                                     kLabelOutputEchoAVolume, kLabelOutputRevbVolume,
                                     kLabelOutputEchoBVolume};
constexpr int kMixLevelFields[5] = {kOutMusicLevel, kOutDirectLevel, kOutEchoALevel, kOutRevbLevel,
                                    kOutEchoBLevel};
constexpr int kMixPolarityFields[5] = {kOutMusicPolarity, kOutDirectPolarity, kOutEchoAPolarity,
                                       kOutRevbPolarity, kOutEchoBPolarity};
constexpr int kRevbRow = 3;
constexpr int kEchoBRow = 4;
constexpr LabelId kSceneCaptions[4] = {kLabelSceneAuto, kLabelSceneManual, kLabelSceneSing,
                                       kLabelSceneDisco};
const QColor kSceneGrey(130, 130, 130);

SFace SceneFace(bool bSelected) {
    return bSelected ? SFace{IDB_SCENE_SELECTED, Qt::black, {}}
                     : SFace{IDB_SCENE_NORMAL, kSceneGrey, {}};
}

CXPButton* MakeButton(int id, QWidget* pParent, const QString& text, int bitmap) {
    auto* pButton = new CXPButton(id, pParent);
    pButton->SetFaceBitmap(bitmap);
    pButton->setText(text);
    pButton->SetTextColour(Qt::black);
    pButton->SetHoverTextColour(QColor());
    return pButton;
}
}  // namespace

COutputDlg::COutputDlg(CAudioData& model, const SOutputMembers& members, QWidget* parent)
    : CChannelPage(members.kind, kOutputBands, parent), m_model(model), m_members(members) {
    auto* pControls = new QGridLayout;
    pControls->setHorizontalSpacing(12);
    pControls->setVerticalSpacing(2);
    BuildMix(*pControls);
    BuildScenes(*pControls);
    pControls->setRowStretch(5, 1);

    LayOutChannelPage(
        *this, pControls,
        MakeBandGrid(*this, kOutputBands, members.bands,
                     [this](int band) -> CFilter& { return Record().GetEQ().GetAt(band); }));
}

COutputRecord& COutputDlg::Record() const {
    return *static_cast<COutputRecord*>(
        m_model.EqRecordOfChannel(OwnerChannel(m_members.kind, BandSet())));
}

void COutputDlg::BuildMix(QGridLayout& grid) {
    auto record = [this]() -> CParamRecord& { return Record(); };
    std::vector<int> locked;
    // Column 0: the mix rows, each with its polarity; the Revb and EchoB rows share a place.
    for (int i = 0; i < 5; ++i) {
        const SMixRowIds& ids = m_members.mix[static_cast<std::size_t>(i)];
        const SSliderRow row =
            MakeSliderRow(*this, kMixCaptions[i], ids.row,
                          RecordFieldById(record, kMixLevelFields[i]), MixLevelText);
        CXPButton* pPolarity = MakeButton(ids.polarity, row.pRow, "+", IDB_POLARITY);
        static_cast<QGridLayout*>(row.pRow->layout())->addWidget(pPolarity, 1, 2);
        SBinding polarity;
        polarity.views = {ToggleView(ids.polarity, pPolarity, {IDB_POLARITY, Qt::black, "-"},
                                     {IDB_POLARITY, Qt::black, "+"})};
        polarity.field = RecordFieldById(record, kMixPolarityFields[i]);
        const int polarityBinding = Bind(std::move(polarity));
        locked.push_back(row.binding);
        locked.push_back(polarityBinding);
        grid.addWidget(row.pRow, std::min(i, kRevbRow), 0);
        if (i == kRevbRow) {
            m_nRevbGroup = AddGroup({row.binding, polarityBinding}, {row.pRow});
        } else if (i == kEchoBRow) {
            m_nEchoBGroup = AddGroup({row.binding, polarityBinding}, {row.pRow});
        }
    }
    // Column 1: delays, mutes, the crossovers.
    int gridRow = 0;
    for (int d = 0; d < m_members.delayCount; ++d) {
        const SDelayDef& def = m_members.delays[static_cast<std::size_t>(d)];
        const SSliderRow row = MakeSliderRow(*this, def.caption, def.ids,
                                             RecordFieldById(record, def.field), OutputDelayText);
        grid.addWidget(row.pRow, gridRow++, 1);
        locked.push_back(row.binding);
    }
    auto* pMutes = new QHBoxLayout;
    for (int m = 0; m < m_members.muteCount; ++m) {
        const SMuteDef& def = m_members.mutes[static_cast<std::size_t>(m)];
        pMutes->addWidget(MakeCaption(this, def.caption));
        CXPButton* pMute = MakeToggle(def.button, this);
        pMutes->addWidget(pMute);
        SBinding mute;
        mute.views = {ToggleFaces(def.button, pMute)};
        mute.field = RecordFieldById(record, def.field);
        locked.push_back(Bind(std::move(mute)));
    }
    pMutes->addStretch(1);
    grid.addLayout(pMutes, gridRow++, 1);
    const OwnerKind kind = m_members.kind;
    const SSliderRow highPass = MakeSliderRow(
        *this, kLabelOutputHPF, m_members.highPass,
        CrossoverField([this]() -> CFilter& { return *Record().GetHighPass(); }, kind),
        CrossoverText, kOutputHighPassBand);
    const SSliderRow lowPass =
        MakeSliderRow(*this, kLabelOutputLPF, m_members.lowPass,
                      CrossoverField([this]() -> CFilter& { return *Record().GetLowPass(); }, kind),
                      CrossoverText, kOutputLowPassBand);
    grid.addWidget(highPass.pRow, gridRow++, 1);
    grid.addWidget(lowPass.pRow, gridRow++, 1);
    locked.push_back(highPass.binding);
    locked.push_back(lowPass.binding);
    m_nLockGroup = AddGroup(std::move(locked));
}

void COutputDlg::BuildScenes(QGridLayout& grid) {
    auto mic = [this]() -> CParamRecord& { return m_model.Mic(); };
    CXPButton* pButtons[4] = {};
    for (int i = 0; i < 4; ++i) {
        pButtons[i] = MakeButton(m_members.scenes[static_cast<std::size_t>(i)], this,
                                 LabelText(kSceneCaptions[i]), IDB_SCENE_NORMAL);
    }
    auto* pScenes = new QGridLayout;
    pScenes->setSpacing(4);
    for (int i = 0; i < 4; ++i) {
        pScenes->addWidget(pButtons[i], i / 2, i % 2);
    }
    grid.addLayout(pScenes, 4, 0, 2, 1, Qt::AlignLeft | Qt::AlignBottom);

    SBinding autoMode;
    autoMode.views = {
        ChoiceView(m_members.scenes[0], pButtons[0], 1, SceneFace(false), SceneFace(true)),
        ChoiceView(m_members.scenes[1], pButtons[1], 0, SceneFace(false), SceneFace(true))};
    autoMode.field = RecordField(mic, CAudioMICData::kOutAuto);
    autoMode.edited = [this](int v) { OnAutoEdited(v); };
    m_nAutoBinding = Bind(std::move(autoMode));

    SBinding scene;
    scene.views = {
        ChoiceView(m_members.scenes[2], pButtons[2], 0, SceneFace(false), SceneFace(true)),
        ChoiceView(m_members.scenes[3], pButtons[3], 1, SceneFace(false), SceneFace(true))};
    scene.field = RecordField(mic, CAudioMICData::kOutScene);
    scene.edited = [this](int v) { OnSceneEdited(v); };
    m_nSceneBinding = Bind(std::move(scene));
}

void COutputDlg::ShowSceneButtons() {
    // Auto or Manual as the microphone record holds them; in Auto neither scene is selected.
    LoadBinding(m_nAutoBinding);
    if (g_autoMode) {
        for (const SControlView& view : Binding(m_nSceneBinding).views) {
            auto* pButton = static_cast<CXPButton*>(view.pWidget);
            pButton->SetSelected(false);
            pButton->SetFaceBitmap(view.faces[0].bitmap);
            pButton->SetTextColour(view.faces[0].colour);
        }
    } else {
        LoadBinding(m_nSceneBinding);
    }
}

void COutputDlg::ShowAutoLook(bool bBlank) {
    SetGroupLocked(m_nLockGroup, true, bBlank);
    ShowBandsEnabled(false);
    ShowSceneButtons();
    AttachCurveView();
}

void COutputDlg::LoadFromModel(int bandSet) {
    // The page edits the scene it shows.
    SetBandSet(bandSet == 1 ? 1 : 0);
    g_autoMode = m_model.Mic().GetOutAuto() == 1;
    g_sceneSel = m_model.Mic().GetOutScene() == 1 ? EScene::Disco : EScene::Sing;
    const bool bEchoB = m_model.Echo().GetEffectMode() == 1;
    SetGroupVisible(bEchoB ? m_nRevbGroup : m_nEchoBGroup, false);
    SetGroupVisible(bEchoB ? m_nEchoBGroup : m_nRevbGroup, true);
    if (g_autoMode) {
        // The band columns keep what they showed; the record's other values are not shown.
        ShowAutoLook(true);
        return;
    }
    SetGroupLocked(m_nLockGroup, false);
    ShowBandsEnabled(true);
    CChannelPage::LoadFromModel(BandSet());
    ShowSceneButtons();
}

void COutputDlg::ApplyEqBypass(int state) {
    if (!g_autoMode) {
        CChannelPage::ApplyEqBypass(state);
    }
}

bool COutputDlg::BandsEditable() const {
    return !g_autoMode;
}

void COutputDlg::OnAutoEdited(int outAuto) {
    g_autoMode = outAuto == 1;
    if (g_autoMode) {
        ShowAutoLook(false);
        return;
    }
    LoadFromModel(g_outScene[static_cast<std::size_t>(m_members.outSceneEntry)]);
    ApplyEqBypass(Record().IsEqBypassed() ? 1 : 0);
    emit RecordSwitched();
}

void COutputDlg::OnSceneEdited(int scene) {
    SetOutputScene(scene == 1 ? EScene::Disco : EScene::Sing);
    LoadFromModel(scene);
    ApplyEqBypass(Record().IsEqBypassed() ? 1 : 0);
    emit RecordSwitched();
}
