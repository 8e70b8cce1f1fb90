// Conversion of captured PCM in whatever format the input device gives to the analyser's
// format: interleaved 16-bit stereo at 44100 Hz. Sample values are scaled to 16 bits, a mono
// input feeds both channels (inputs of more than two channels give their first two), and other
// rates are resampled by linear interpolation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kCaptureRate = 44100;
inline constexpr int kCaptureChannels = 2;
inline constexpr int kCaptureBits = 16;

enum class PcmSampleFormat { UInt8 = 0, Int16 = 1, Int32 = 2, Float = 3 };

struct PcmFormat {
    PcmSampleFormat sample = PcmSampleFormat::Int16;
    int channels = kCaptureChannels;
    int rate = kCaptureRate;
};

// Bytes of one frame (one sample of every channel) in `format`.
int PcmBytesPerFrame(const PcmFormat& format);
// True for a format that needs no conversion.
bool IsCaptureFormat(const PcmFormat& format);

class CPcmConverter {
public:
    // `from` must have at least one channel and a positive rate.
    explicit CPcmConverter(const PcmFormat& from);

    // Appends the converted frames of `bytes` (native byte order) to `out`. A trailing partial
    // frame is kept and completed by the next call.
    void Convert(std::span<const std::byte> bytes, std::vector<std::int16_t>& out);
    // Forgets the partial frame and the interpolation state (a new capture starts).
    void Reset();

private:
    void ConvertFrames(const std::byte* data, std::size_t frames, std::vector<std::int16_t>& out);
    double SampleAt(const std::byte* frame, int channel) const;

    PcmFormat m_from;
    int m_nFrameBytes;
    double m_dStep;  // input frames per output frame
    std::vector<std::byte> m_partial;
    bool m_bHavePrevious = false;
    double m_dPhase = 0;  // position of the next output frame after the previous input frame
    double m_dPrevious[kCaptureChannels] = {0, 0};
};
