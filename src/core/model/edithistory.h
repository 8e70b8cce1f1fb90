// Undo and redo: every edit (cell, old value, new value) grouped into steps. An edit outside a
// bracket joins the newest step when it touches a cell that step already holds, no other step
// came since and the step's last edit is at most kBurstMs old (a slider or spin burst);
// otherwise it opens a step of its own. Edits inside a bracket (BeginGroup/EndGroup, nested
// brackets count as one) form one step. A cell edited back to its value before the step
// leaves the step, and a step left empty goes. A new edit drops what could be redone. At most
// Capacity() steps are kept; the oldest go first.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "core/model/editcell.h"

class CEditHistory : public IEditObserver {
public:
    static constexpr int kDefaultCapacity = 1000;
    static constexpr std::int64_t kBurstMs = 1000;

    struct Step {
        std::vector<EditChange> changes;  // in the order they were made, one per cell
        std::int64_t lastEditMs = 0;
        std::uintptr_t key = 0;  // the bracket's key; 0 for a burst or a keyless bracket
        bool bracketed = false;
    };

    // nowMs: the clock in milliseconds (a steady clock unless a test gives its own).
    explicit CEditHistory(int capacity = kDefaultCapacity,
                          std::function<std::int64_t()> nowMs = {});

    void OnEdit(const EditChange& change) override;
    void BeginGroup(std::uintptr_t key = 0) override;
    void EndGroup() override;

    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    int UndoCount() const { return static_cast<int>(m_undo.size()); }
    int RedoCount() const { return static_cast<int>(m_redo.size()); }
    int Capacity() const { return m_capacity; }

    // The newest step, moved to the redo list: the caller applies each change's old value, last
    // change first. Nothing while a bracket is open.
    std::optional<Step> TakeUndo();
    // The step undone last, moved back: the caller applies each new value, first change first.
    std::optional<Step> TakeRedo();
    // Forgets every step (the model was replaced by a read-back or an upload).
    void Clear();

private:
    Step& OpenStep(bool bracketed, std::uintptr_t key);
    // Moves the newest step of `from` to `to` (undo or redo).
    std::optional<Step> Transfer(std::deque<Step>& from, std::deque<Step>& to);
    // After an undo or redo the newest step takes no further edit: the next one opens a step.
    void Seal();
    static EditChange* Find(Step& step, const EditCell& cell);

    int m_capacity;
    std::function<std::int64_t()> m_now;
    std::deque<Step> m_undo;
    std::deque<Step> m_redo;
    int m_depth = 0;
    std::uintptr_t m_groupKey = 0;
    bool m_groupHasStep = false;
    bool m_bReopen = false;  // the open bracket continues the newest step
};
