#include "capture/spectrumworker.h"

#include <QThread>
#include <algorithm>

#include "capture/capturelog.h"

namespace {

SpectrumFrame Analyse(std::span<const std::int16_t> window, SpectrumValues& values) {
    AnalyseBuffer(window, values);
    if (lcCaptureAnalysis().isDebugEnabled()) {
        for (int group = 0; 1 + 16 * group < kSpectrumValueCount; ++group) {
            qCDebug(lcCaptureAnalysis, "Average for Bar#%d is %d", group,
                    ValueGroupAverage(values, group));
        }
    }
    SpectrumFrame frame;
    frame.values.assign(values.begin(), values.end());
    frame.bars = ComputeBarHeights(values);
    return frame;
}

}  // namespace

CSpectrumWorker::CSpectrumWorker(Deliver deliver) : m_deliver(std::move(deliver)) {}

CSpectrumWorker::~CSpectrumWorker() {
    Stop();
}

void CSpectrumWorker::Start() {
    if (m_pThread) {
        return;
    }
    m_slots.assign(kSlotCount, Slot{std::vector<std::int16_t>(kAnalysisSamples), 0});
    m_free.clear();
    for (int i = 0; i < kSlotCount; ++i) {
        m_free.push_back(i);
    }
    m_pending.clear();
    m_bBusy = false;
    m_bQuit = false;
    m_nDropped = 0;
    m_pThread.reset(QThread::create([this] { Run(); }));
    m_pThread->setObjectName(QStringLiteral("spectrum analysis"));
    m_pThread->start(QThread::HighestPriority);
}

void CSpectrumWorker::Submit(std::span<const std::int16_t> window, quint64 tag) {
    if (!m_pThread) {
        return;
    }
    int slot = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_free.empty()) {
            slot = m_free.back();
            m_free.pop_back();
        } else {
            // At most one slot is being analysed, so the others wait in m_pending.
            slot = m_pending.front();
            m_pending.pop_front();
            ++m_nDropped;
        }
    }
    // The slot is in neither list now, so it is this thread's alone while it is filled.
    Slot& s = m_slots[static_cast<std::size_t>(slot)];
    const std::size_t n = std::min(window.size(), s.samples.size());
    std::copy_n(window.begin(), n, s.samples.begin());
    std::fill(s.samples.begin() + static_cast<long>(n), s.samples.end(), std::int16_t{0});
    s.tag = tag;
    {
        std::lock_guard lock(m_mutex);
        m_pending.push_back(slot);
    }
    m_wake.notify_one();
}

void CSpectrumWorker::Flush() {
    std::unique_lock lock(m_mutex);
    while (!m_pending.empty()) {
        m_free.push_back(m_pending.front());
        m_pending.pop_front();
    }
    m_idle.wait(lock, [this] { return !m_bBusy; });
}

void CSpectrumWorker::Stop() {
    if (!m_pThread) {
        return;
    }
    Flush();
    {
        std::lock_guard lock(m_mutex);
        m_bQuit = true;
    }
    m_wake.notify_one();
    m_pThread->wait();
    m_pThread.reset();
    m_slots.clear();
    m_free.clear();
}

quint64 CSpectrumWorker::Dropped() const {
    std::lock_guard lock(m_mutex);
    return m_nDropped;
}

void CSpectrumWorker::Run() {
    SpectrumValues values{};
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bQuit || !m_pending.empty(); });
        if (m_bQuit) {
            return;
        }
        const int slot = m_pending.front();
        m_pending.pop_front();
        m_bBusy = true;
        lock.unlock();

        const Slot& s = m_slots[static_cast<std::size_t>(slot)];
        m_deliver(Analyse(s.samples, values), s.tag);

        lock.lock();
        m_free.push_back(slot);
        m_bBusy = false;
        m_idle.notify_all();
    }
}
