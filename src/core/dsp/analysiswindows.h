// Cuts the captured stream (interleaved 16-bit stereo at 44100 Hz) into the windows the
// analyser transforms, 8192 frames each.
//
// Per buffer: the stream is taken in buffers of 16384 frames, and each full buffer gives one
// window, its first 8192 frames (one picture every 0.37 s).
// Live: every 1400 frames (31.5 times a second) the latest 8192 frames form a window, so
// successive windows overlap; the first comes at the first such step after 8192 frames have
// arrived.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

enum class RefreshMode { PerBuffer = 0, Live = 1 };

inline constexpr int kCaptureBufferFrames = 16384;
inline constexpr int kLiveHopFrames = 1400;

class CAnalysisWindows {
public:
    using WindowReady = std::function<void(std::span<const std::int16_t> window)>;

    explicit CAnalysisWindows(RefreshMode mode = RefreshMode::PerBuffer);

    RefreshMode Mode() const { return m_mode; }
    // Switches the mode and starts over (frames already collected are dropped).
    void SetMode(RefreshMode mode);
    void Reset();

    // Appends whole stereo frames (a trailing odd sample is ignored) and calls `ready` once for
    // every window completed by them, in order. The window is valid only during the call.
    void Push(std::span<const std::int16_t> interleaved, const WindowReady& ready);

private:
    void PushPerBuffer(std::span<const std::int16_t> samples, const WindowReady& ready);
    void PushLive(std::span<const std::int16_t> samples, const WindowReady& ready);

    RefreshMode m_mode;
    // Per buffer: the buffer being filled. Live: a ring of the latest 8192 frames.
    std::vector<std::int16_t> m_buffer;
    std::vector<std::int16_t> m_window;  // live: the ring unrolled in time order
    std::size_t m_nFill = 0;             // samples in the buffer, or ring write position
    std::size_t m_nCollected = 0;        // live: samples received, up to one window
    std::size_t m_nSinceWindow = 0;      // live: samples since the last window
};
