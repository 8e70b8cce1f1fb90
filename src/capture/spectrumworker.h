// The analysis thread. The capture side hands in windows of 8192 stereo frames; this thread
// runs the FFT and the bar math on each and passes the result, with the tag the window came
// with, to a delivery function (called on this thread). Window memory is allocated once, at
// Start. A window that finds every slot taken displaces the oldest one still waiting, so a
// slow analysis shows the newest sound rather than falling behind.
#pragma once

#include <QtGlobal>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "capture/spectrumframe.h"

class QThread;

class CSpectrumWorker {
public:
    using Deliver = std::function<void(SpectrumFrame frame, quint64 tag)>;

    explicit CSpectrumWorker(Deliver deliver);
    ~CSpectrumWorker();
    CSpectrumWorker(const CSpectrumWorker&) = delete;
    CSpectrumWorker& operator=(const CSpectrumWorker&) = delete;

    // Allocates the window slots and starts the thread; nothing when already running.
    void Start();
    // Queues a copy of `window` (kAnalysisSamples samples); ignored while not running.
    void Submit(std::span<const std::int16_t> window, quint64 tag);
    // Drops the waiting windows and returns once no analysis is running.
    void Flush();
    // Flushes, ends the thread and frees the slots.
    void Stop();

    bool IsRunning() const { return m_pThread != nullptr; }
    // Windows displaced before analysis since Start.
    quint64 Dropped() const;

private:
    struct Slot {
        std::vector<std::int16_t> samples;
        quint64 tag = 0;
    };
    static constexpr int kSlotCount = 4;

    void Run();

    Deliver m_deliver;
    std::unique_ptr<QThread> m_pThread;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;  // a window waits, or the thread must end
    std::condition_variable m_idle;  // an analysis finished
    std::vector<Slot> m_slots;
    std::vector<int> m_free;
    std::deque<int> m_pending;
    bool m_bBusy = false;
    bool m_bQuit = false;
    quint64 m_nDropped = 0;
};
