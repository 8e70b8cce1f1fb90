#include "core/model/edithistory.h"

#include <algorithm>
#include <chrono>
#include <utility>

CEditHistory::CEditHistory(int capacity, std::function<std::int64_t()> nowMs)
    : m_capacity(std::max(capacity, 1)), m_now(std::move(nowMs)) {
    if (!m_now) {
        m_now = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
}

EditChange* CEditHistory::Find(Step& step, const EditCell& cell) {
    const auto it = std::find_if(step.changes.begin(), step.changes.end(),
                                 [&cell](const EditChange& c) { return c.cell == cell; });
    return it == step.changes.end() ? nullptr : &*it;
}

CEditHistory::Step& CEditHistory::OpenStep(bool bracketed, std::uintptr_t key) {
    m_undo.push_back(Step{{}, 0, key, bracketed});
    while (static_cast<int>(m_undo.size()) > m_capacity) {
        m_undo.pop_front();
    }
    return m_undo.back();
}

void CEditHistory::OnEdit(const EditChange& change) {
    if (change.oldValue == change.newValue) {
        return;
    }
    const std::int64_t now = m_now();
    m_redo.clear();
    Step* step = nullptr;
    if (m_depth > 0) {
        if (m_bReopen || m_groupHasStep) {
            step = &m_undo.back();
        } else {
            step = &OpenStep(true, m_groupKey);
            m_groupHasStep = true;
        }
    } else if (!m_undo.empty() && !m_undo.back().bracketed &&
               now - m_undo.back().lastEditMs <= kBurstMs &&
               Find(m_undo.back(), change.cell) != nullptr) {
        step = &m_undo.back();
    } else {
        step = &OpenStep(false, 0);
    }
    step->lastEditMs = now;
    EditChange* held = Find(*step, change.cell);
    if (held == nullptr) {
        step->changes.push_back(change);
        return;
    }
    held->newValue = change.newValue;
    if (held->newValue == held->oldValue) {
        // Back where it started: nothing of this cell to undo. A burst left empty goes; an
        // empty bracket goes when it closes.
        step->changes.erase(step->changes.begin() + (held - step->changes.data()));
        if (step->changes.empty() && m_depth == 0) {
            m_undo.pop_back();
        }
    }
}

void CEditHistory::BeginGroup(std::uintptr_t key) {
    if (m_depth++ > 0) {
        return;
    }
    m_groupKey = key;
    m_groupHasStep = false;
    m_bReopen = key != 0 && m_redo.empty() && !m_undo.empty() && m_undo.back().key == key &&
                m_now() - m_undo.back().lastEditMs <= kBurstMs;
}

void CEditHistory::EndGroup() {
    if (m_depth > 0 && --m_depth == 0) {
        if ((m_groupHasStep || m_bReopen) && !m_undo.empty() && m_undo.back().changes.empty()) {
            m_undo.pop_back();
        }
        m_bReopen = false;
        m_groupHasStep = false;
    }
}

std::optional<CEditHistory::Step> CEditHistory::Transfer(std::deque<Step>& from,
                                                         std::deque<Step>& to) {
    if (from.empty() || m_depth > 0) {
        return std::nullopt;
    }
    to.push_back(std::move(from.back()));
    from.pop_back();
    Seal();
    return to.back();
}

std::optional<CEditHistory::Step> CEditHistory::TakeUndo() {
    return Transfer(m_undo, m_redo);
}

std::optional<CEditHistory::Step> CEditHistory::TakeRedo() {
    return Transfer(m_redo, m_undo);
}

void CEditHistory::Seal() {
    if (!m_undo.empty()) {
        m_undo.back().bracketed = true;
        m_undo.back().key = 0;
    }
}

void CEditHistory::Clear() {
    m_undo.clear();
    m_redo.clear();
    m_groupHasStep = false;
    m_bReopen = false;
}
