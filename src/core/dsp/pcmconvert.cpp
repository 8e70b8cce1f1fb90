#include "core/dsp/pcmconvert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

int SampleBytes(PcmSampleFormat sample) {
    switch (sample) {
        case PcmSampleFormat::UInt8:
            return 1;
        case PcmSampleFormat::Int16:
            return 2;
        case PcmSampleFormat::Int32:
        case PcmSampleFormat::Float:
            return 4;
    }
    return 2;
}

// Rounded and clipped to 16 bits; a float sample that is not a number counts as silence.
std::int16_t ToInt16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -32768.0, 32767.0)));
}

}  // namespace

int PcmBytesPerFrame(const PcmFormat& format) {
    return SampleBytes(format.sample) * format.channels;
}

bool IsCaptureFormat(const PcmFormat& format) {
    return format.sample == PcmSampleFormat::Int16 && format.channels == kCaptureChannels &&
           format.rate == kCaptureRate;
}

CPcmConverter::CPcmConverter(const PcmFormat& from)
    : m_from(from),
      m_nFrameBytes(PcmBytesPerFrame(from)),
      m_dStep(static_cast<double>(from.rate) / kCaptureRate) {
    m_partial.reserve(static_cast<std::size_t>(m_nFrameBytes));
}

void CPcmConverter::Reset() {
    m_partial.clear();
    m_bHavePrevious = false;
    m_dPhase = 0;
}

void CPcmConverter::Convert(std::span<const std::byte> bytes, std::vector<std::int16_t>& out) {
    const auto frameBytes = static_cast<std::size_t>(m_nFrameBytes);
    if (!m_partial.empty()) {
        const std::size_t take = std::min(frameBytes - m_partial.size(), bytes.size());
        m_partial.insert(m_partial.end(), bytes.begin(), bytes.begin() + take);
        bytes = bytes.subspan(take);
        if (m_partial.size() < frameBytes) {
            return;
        }
        ConvertFrames(m_partial.data(), 1, out);
        m_partial.clear();
    }
    const std::size_t frames = bytes.size() / frameBytes;
    ConvertFrames(bytes.data(), frames, out);
    m_partial.assign(bytes.begin() + frames * frameBytes, bytes.end());
}

double CPcmConverter::SampleAt(const std::byte* frame, int channel) const {
    const std::byte* p = frame + channel * SampleBytes(m_from.sample);
    switch (m_from.sample) {
        case PcmSampleFormat::UInt8:
            return (std::to_integer<int>(*p) - 128) * 256.0;
        case PcmSampleFormat::Int16: {
            std::int16_t v;
            std::memcpy(&v, p, sizeof v);
            return v;
        }
        case PcmSampleFormat::Int32: {
            std::int32_t v;
            std::memcpy(&v, p, sizeof v);
            return v / 65536.0;
        }
        case PcmSampleFormat::Float: {
            float v;
            std::memcpy(&v, p, sizeof v);
            return static_cast<double>(v) * 32768.0;
        }
    }
    return 0;
}

void CPcmConverter::ConvertFrames(const std::byte* data, std::size_t frames,
                                  std::vector<std::int16_t>& out) {
    if (frames == 0) {
        return;
    }
    if (IsCaptureFormat(m_from)) {
        const std::size_t at = out.size();
        out.resize(at + frames * kCaptureChannels);
        std::memcpy(out.data() + at, data, frames * kCaptureChannels * sizeof(std::int16_t));
        return;
    }
    const int right = m_from.channels > 1 ? 1 : 0;
    for (std::size_t f = 0; f < frames; ++f) {
        const std::byte* frame = data + f * static_cast<std::size_t>(m_nFrameBytes);
        const double current[kCaptureChannels] = {SampleAt(frame, 0), SampleAt(frame, right)};
        if (m_from.rate == kCaptureRate) {
            out.push_back(ToInt16(current[0]));
            out.push_back(ToInt16(current[1]));
            continue;
        }
        if (!m_bHavePrevious) {
            // The first input frame is also the first output frame.
            m_bHavePrevious = true;
            std::copy(std::begin(current), std::end(current), std::begin(m_dPrevious));
            out.push_back(ToInt16(current[0]));
            out.push_back(ToInt16(current[1]));
            m_dPhase = m_dStep;
            continue;
        }
        // Output frames that fall between the previous input frame and this one.
        while (m_dPhase < 1.0) {
            for (int c = 0; c < kCaptureChannels; ++c) {
                out.push_back(ToInt16(m_dPrevious[c] + (current[c] - m_dPrevious[c]) * m_dPhase));
            }
            m_dPhase += m_dStep;
        }
        m_dPhase -= 1.0;
        std::copy(std::begin(current), std::end(current), std::begin(m_dPrevious));
    }
}
