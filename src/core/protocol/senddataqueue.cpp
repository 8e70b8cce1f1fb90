#include "core/protocol/senddataqueue.h"

void CSendDataQueue::Enqueue(std::unique_ptr<CSendData> frame) {
    if (frame) {
        m_frames.push_back(std::move(frame));
    }
}

CSendData* CSendDataQueue::Head() const {
    return m_frames.empty() ? nullptr : m_frames.front().get();
}

bool CSendDataQueue::RemoveHead() {
    if (m_frames.empty()) {
        return false;
    }
    m_frames.pop_front();
    return true;
}
