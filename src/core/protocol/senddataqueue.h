// First-in-first-out queue of outgoing frames. The queue owns its frames: removing the head or
// clearing the queue destroys them.
#pragma once

#include <deque>
#include <memory>

#include "core/protocol/senddata.h"

class CSendDataQueue {
public:
    void Enqueue(std::unique_ptr<CSendData> frame);
    int GetCount() const { return static_cast<int>(m_frames.size()); }
    // Frame i from the head (0), or null past the end.
    const CSendData* At(int i) const {
        return i >= 0 && i < GetCount() ? m_frames[static_cast<std::size_t>(i)].get() : nullptr;
    }
    // The head frame, or null when the queue is empty.
    CSendData* Head() const;
    // Destroys the head frame; false when the queue was empty.
    bool RemoveHead();
    void Clear() { m_frames.clear(); }

private:
    std::deque<std::unique_ptr<CSendData>> m_frames;
};
