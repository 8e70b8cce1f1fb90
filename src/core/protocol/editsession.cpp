#include "core/protocol/editsession.h"

#include <algorithm>

#include "core/model/audiodata.h"
#include "core/model/editapply.h"

CEditSession::CEditSession(CAudioData& model) : m_model(model), m_unitImage(model.Image()) {
    m_model.SetEditObserver(&m_history);
}

CEditSession::~CEditSession() {
    if (m_model.EditObserver() == &m_history) {
        m_model.SetEditObserver(nullptr);
    }
}

std::optional<CEditHistory::Step> CEditSession::Undo() {
    auto step = m_history.TakeUndo();
    if (step) {
        const CEditPause pause(m_model);
        ApplyChanges(m_model, step->changes, true);
    }
    return step;
}

std::optional<CEditHistory::Step> CEditSession::Redo() {
    auto step = m_history.TakeRedo();
    if (step) {
        const CEditPause pause(m_model);
        ApplyChanges(m_model, step->changes);
    }
    return step;
}

void CEditSession::AllSent() {
    if (!m_bLinkUp && !m_bAsking) {
        m_unitImage = m_model.Image();
    }
}

void CEditSession::LinkUp() {
    // Edits still waiting for an answer to the question stay kept; newer ones join them.
    std::vector<EditChange> kept = DiffImages(m_model, m_unitImage, m_model.Image());
    for (const EditChange& change : m_kept) {
        const auto it = std::find_if(kept.begin(), kept.end(),
                                     [&](const EditChange& c) { return c.cell == change.cell; });
        if (it == kept.end()) {
            kept.push_back(change);
        }
    }
    m_kept = std::move(kept);
    m_bLinkUp = true;
    m_bAsking = false;
}

bool CEditSession::UnitUnchanged(const DeviceImage& read) const {
    // The music key: the unit changes it itself (remote, front panel) and reports it.
    const CAudioMusicData& music = m_model.Music();
    const EditCell keyCell{CellSpace::Word, kChMusic,
                           music.FieldWord(music.FieldOf(CAudioMusicData::kKeyShift))};
    const auto keptValue = [this](const EditCell& cell) -> std::optional<std::int16_t> {
        for (const EditChange& change : m_kept) {
            if (change.cell == cell) {
                return change.newValue;
            }
        }
        return std::nullopt;
    };
    const auto same = [&](const EditCell& cell) {
        const std::int16_t now = CellValue(read, cell);
        return cell == keyCell || now == CellValue(m_unitImage, cell) || keptValue(cell) == now;
    };
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        for (int w = 0; w < kChannelWords[static_cast<std::size_t>(ch)]; ++w) {
            if (!same({CellSpace::Word, ch, w})) {
                return false;
            }
        }
    }
    for (int w = 0; w < kSystemBlockWords; ++w) {
        if (!same({CellSpace::System, 0, w})) {
            return false;
        }
    }
    return true;
}

CEditSession::Outcome CEditSession::ReadBackApplied() {
    m_readImage = m_model.Image();
    if (!m_bLinkUp) {
        m_history.Clear();
        m_unitImage = m_model.Image();
        return Outcome::NotALinkUp;
    }
    m_bLinkUp = false;
    const bool first = !m_bEverConnected;
    m_bEverConnected = true;
    const bool unchanged = !first && UnitUnchanged(m_model.Image());
    m_unitImage = m_model.Image();
    if (!unchanged) {
        m_history.Clear();
    }
    if (m_kept.empty()) {
        return unchanged || first ? Outcome::NothingKept : Outcome::UnitReplaced;
    }
    if (unchanged) {
        SendKept();
        return Outcome::Sent;
    }
    m_bAsking = true;
    return first ? Outcome::AskFirstUnit : Outcome::Ask;
}

void CEditSession::SendKept() {
    {
        const CEditPause pause(m_model);
        ApplyChanges(m_model, m_kept);
    }
    m_nLastSent = static_cast<int>(m_kept.size());
    m_kept.clear();
    m_bAsking = false;
}

void CEditSession::DropKept() {
    // PC-side words (crossover step codes and Qs) are not read back: they go back too.
    {
        const CEditPause pause(m_model);
        for (const EditChange& change : m_kept) {
            if (change.cell.space == CellSpace::PcWord) {
                ApplyEditCell(m_model, change.cell, change.oldValue);
            }
        }
    }
    m_kept.clear();
    m_bAsking = false;
}

void CEditSession::Uploaded() {
    m_history.Clear();
    m_kept.clear();
    m_bAsking = false;
    m_unitImage = m_model.Image();
}

int CEditSession::ToggleAb() {
    const int other = 1 - m_nLiveSlot;
    m_slots[static_cast<std::size_t>(m_nLiveSlot)] = m_model.Image();
    if (!m_bAbStarted) {
        m_slots[static_cast<std::size_t>(other)] = m_model.Image();
        m_bAbStarted = true;
    }
    const auto changes =
        DiffImages(m_model, m_model.Image(), m_slots[static_cast<std::size_t>(other)]);
    {
        const CEditPause pause(m_model);
        ApplyChanges(m_model, changes);
    }
    m_nLiveSlot = other;
    return static_cast<int>(changes.size());
}
