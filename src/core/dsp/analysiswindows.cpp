#include "core/dsp/analysiswindows.h"

#include <algorithm>

#include "core/dsp/spectrum.h"

namespace {
constexpr std::size_t kBufferSamples = 2 * kCaptureBufferFrames;
constexpr std::size_t kWindowSamples = kAnalysisSamples;
constexpr std::size_t kHopSamples = 2 * kLiveHopFrames;
}  // namespace

CAnalysisWindows::CAnalysisWindows(RefreshMode mode)
    : m_mode(mode), m_buffer(kBufferSamples), m_window(kWindowSamples) {}

void CAnalysisWindows::SetMode(RefreshMode mode) {
    m_mode = mode;
    Reset();
}

void CAnalysisWindows::Reset() {
    m_nFill = 0;
    m_nCollected = 0;
    m_nSinceWindow = 0;
}

void CAnalysisWindows::Push(std::span<const std::int16_t> interleaved, const WindowReady& ready) {
    const auto samples = interleaved.first(interleaved.size() & ~std::size_t{1});
    if (m_mode == RefreshMode::PerBuffer) {
        PushPerBuffer(samples, ready);
    } else {
        PushLive(samples, ready);
    }
}

void CAnalysisWindows::PushPerBuffer(std::span<const std::int16_t> samples,
                                     const WindowReady& ready) {
    while (!samples.empty()) {
        const std::size_t take = std::min(kBufferSamples - m_nFill, samples.size());
        std::copy_n(samples.begin(), take, m_buffer.begin() + static_cast<long>(m_nFill));
        m_nFill += take;
        samples = samples.subspan(take);
        if (m_nFill == kBufferSamples) {
            ready(std::span<const std::int16_t>(m_buffer).first(kWindowSamples));
            m_nFill = 0;
        }
    }
}

void CAnalysisWindows::PushLive(std::span<const std::int16_t> samples, const WindowReady& ready) {
    // The ring is m_buffer's first window-length; m_nFill is where the next sample goes.
    while (!samples.empty()) {
        const std::size_t untilHop = kHopSamples - m_nSinceWindow;
        const std::size_t take = std::min({kWindowSamples - m_nFill, samples.size(), untilHop});
        std::copy_n(samples.begin(), take, m_buffer.begin() + static_cast<long>(m_nFill));
        samples = samples.subspan(take);
        m_nFill = (m_nFill + take) % kWindowSamples;
        m_nCollected = std::min(m_nCollected + take, kWindowSamples);
        m_nSinceWindow += take;
        if (m_nSinceWindow == kHopSamples) {
            m_nSinceWindow = 0;
            if (m_nCollected == kWindowSamples) {
                // Oldest sample first: from the write position to the end, then the start.
                const auto split = static_cast<long>(m_nFill);
                std::copy(m_buffer.begin() + split, m_buffer.begin() + kWindowSamples,
                          m_window.begin());
                std::copy(m_buffer.begin(), m_buffer.begin() + split,
                          m_window.begin() + (static_cast<long>(kWindowSamples) - split));
                ready(m_window);
            }
        }
    }
}
