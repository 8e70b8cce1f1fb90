// The spectrum analyser's arithmetic: one captured buffer (8192 stereo frames of 16-bit PCM at
// 44.1 kHz) to 4096 magnitude values, and those values to the heights of 128 bars.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/dsp/spectrumbars.h"

inline constexpr int kAnalysisFrames = 8192;
inline constexpr int kAnalysisSamples = 2 * kAnalysisFrames;  // interleaved left/right

using SpectrumValues = std::array<double, kSpectrumValueCount>;

// FFT of the left channel of the first 8192 frames (a shorter buffer is padded with silence);
// value k (1-4095) = ((floor(|X_k| / 8192) mod 16384) div 2) with |X_k| in single precision;
// value 0 = 0.
void AnalyseBuffer(std::span<const std::int16_t> interleaved, SpectrumValues& values);

// Integer average of the 16 values from k = 1 + 16 * group (group 0-255; 0 outside), which
// the analysis traces for diagnostics as "Average for Bar#%d is %d\n".
int ValueGroupAverage(const SpectrumValues& values, int group);
