// The user's edits around the link: the undo history, what the unit is known to hold, the
// edits kept while no unit is connected, and the A/B comparison slots.
//
// The unit is known to hold the model's image whenever everything sent has been acknowledged
// (AllSent). When a link comes up (LinkUp), the edits the unit has not acknowledged are taken
// aside; when the read-back of that connection ends (ReadBackApplied) they are sent at once if
// the unit still holds what it held when the link dropped, and otherwise left to the user's
// choice (SendKept or DropKept). On the first connection there is nothing the unit was known
// to hold, so edits made before it are always left to the user. A unit that holds other
// settings replaces the model: the undo history is cleared.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/deviceimage.h"
#include "core/model/edithistory.h"

class CAudioData;

class CEditSession {
public:
    // What the end of a connection's read-back did with the kept edits.
    enum class Outcome {
        NothingKept,   // no edit was kept and the unit holds what it held
        Sent,          // the unit holds what it held: the kept edits are on their way
        Ask,           // the unit changed while the link was down: ask the user
        AskFirstUnit,  // edits were made before the first unit was connected: ask the user
        UnitReplaced,  // no edit was kept and the unit's settings differ: the history is gone
        NotALinkUp,    // a read-back of a mode recall: the model was replaced, history gone
    };

    explicit CEditSession(CAudioData& model);
    ~CEditSession();
    CEditSession(const CEditSession&) = delete;
    CEditSession& operator=(const CEditSession&) = delete;

    CEditHistory& History() { return m_history; }

    // Undo / redo of one step through the setters; the step applied, or nothing.
    std::optional<CEditHistory::Step> Undo();
    std::optional<CEditHistory::Step> Redo();

    // Everything sent has been acknowledged: the unit holds the model's image.
    void AllSent();
    // A link came up; its read-back is about to be queued.
    void LinkUp();
    // The read-back has been loaded into the model.
    Outcome ReadBackApplied();
    // The whole model was uploaded to the unit.
    void Uploaded();
    // What the unit held, as the last read-back found it.
    const DeviceImage& ReadImage() const { return m_readImage; }
    // The kept edits: how many, and the answers to the question.
    int KeptCount() const { return static_cast<int>(m_kept.size()); }
    // How many kept edits the last SendKept sent.
    int LastSentCount() const { return m_nLastSent; }
    bool Asking() const { return m_bAsking; }
    void SendKept();
    void DropKept();

    // A/B: the live slot (0 A, 1 B) and whether the other slot holds settings yet.
    int LiveSlot() const { return m_nLiveSlot; }
    bool AbStarted() const { return m_bAbStarted; }
    // Keeps the current settings in the live slot and sets the model to the other slot's (the
    // first time, the other slot takes the current settings), through the setters of the
    // differing fields only; the number of fields changed.
    int ToggleAb();

private:
    // The unit holds what it was known to hold, apart from the kept edits' own values.
    bool UnitUnchanged(const DeviceImage& read) const;

    CAudioData& m_model;
    CEditHistory m_history;
    DeviceImage m_unitImage;  // what the unit is known to hold
    DeviceImage m_readImage;
    std::vector<EditChange> m_kept;
    bool m_bLinkUp = false;  // a connection's read-back is awaited
    bool m_bEverConnected = false;
    bool m_bAsking = false;
    int m_nLastSent = 0;
    std::array<DeviceImage, 2> m_slots{};
    int m_nLiveSlot = 0;
    bool m_bAbStarted = false;
};
