#include "core/dsp/pcmconvert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

template <typename T>
std::vector<std::byte> Bytes(const std::vector<T>& samples) {
    std::vector<std::byte> bytes(samples.size() * sizeof(T));
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

std::vector<std::int16_t> ConvertAll(const PcmFormat& from, const std::vector<std::byte>& bytes) {
    CPcmConverter converter(from);
    std::vector<std::int16_t> out;
    converter.Convert(bytes, out);
    return out;
}

struct SampleCase {
    const char* name;
    PcmFormat from;
    std::vector<std::byte> bytes;
    std::vector<std::int16_t> expected;  // interleaved stereo
};

TEST(PcmConvert, SampleFormatsAndChannelsAt44100) {
    const SampleCase cases[] = {
        {"16-bit stereo passes through",
         {PcmSampleFormat::Int16, 2, 44100},
         Bytes<std::int16_t>({1, -2, 32767, -32768}),
         {1, -2, 32767, -32768}},
        {"8-bit unsigned, mono to both sides",
         {PcmSampleFormat::UInt8, 1, 44100},
         Bytes<std::uint8_t>({0, 128, 255}),
         {-32768, -32768, 0, 0, 32512, 32512}},
        {"32-bit keeps its upper 16 bits",
         {PcmSampleFormat::Int32, 2, 44100},
         Bytes<std::int32_t>({0x7FFF0000, -100 * 65536, 0x00008000, 0}),
         {32767, -100, 1, 0}},
        {"float, clipped at full scale, not-a-number silent",
         {PcmSampleFormat::Float, 2, 44100},
         Bytes<float>({0.5f, -0.25f, 1.0f, -1.0f, 2.0f, -3.0f, 1e30f, std::nanf("")}),
         {16384, -8192, 32767, -32768, 32767, -32768, 32767, 0}},
        {"three channels give their first two",
         {PcmSampleFormat::Int16, 3, 44100},
         Bytes<std::int16_t>({10, 20, 30, -10, -20, -30}),
         {10, 20, -10, -20}},
    };
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ConvertAll(c.from, c.bytes), c.expected);
    }
}

// Bytes arriving in pieces that split frames and samples convert exactly as in one piece.
TEST(PcmConvert, PartialFramesAcrossCalls) {
    const PcmFormat formats[] = {{PcmSampleFormat::Float, 1, 48000},
                                 {PcmSampleFormat::Int16, 2, 44100},
                                 {PcmSampleFormat::Int32, 3, 22050}};
    for (const PcmFormat& from : formats) {
        std::vector<float> floats;
        std::vector<std::int32_t> ints;
        for (int i = 0; i < 3000; ++i) {
            floats.push_back(static_cast<float>(std::sin(i * 0.01)));
            ints.push_back(static_cast<std::int32_t>((i * 7919u) << 12));
        }
        const std::vector<std::byte> bytes =
            from.sample == PcmSampleFormat::Float ? Bytes(floats) : Bytes(ints);
        const std::vector<std::int16_t> whole = ConvertAll(from, bytes);
        ASSERT_FALSE(whole.empty());
        for (std::size_t piece : {1u, 3u, 7u, 1000u}) {
            CPcmConverter converter(from);
            std::vector<std::int16_t> out;
            for (std::size_t at = 0; at < bytes.size(); at += piece) {
                converter.Convert(std::span(bytes).subspan(at, std::min(piece, bytes.size() - at)),
                                  out);
            }
            EXPECT_EQ(out, whole) << "pieces of " << piece;
        }
    }
}

// Another rate is resampled: a 1 kHz tone stays a 1 kHz tone at 44100 Hz, and the number of
// frames follows the ratio of the rates.
TEST(PcmConvert, ResamplesToCaptureRate) {
    for (int rate : {48000, 22050, 96000}) {
        SCOPED_TRACE(rate);
        const int inputFrames = rate / 2;  // half a second
        std::vector<std::int16_t> mono(static_cast<std::size_t>(inputFrames));
        for (int i = 0; i < inputFrames; ++i) {
            mono[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
                std::lround(10000 * std::sin(2 * std::numbers::pi * 1000 * i / rate)));
        }
        const std::vector<std::int16_t> out =
            ConvertAll({PcmSampleFormat::Int16, 1, rate}, Bytes(mono));
        const double expectedFrames = (inputFrames - 1) * 44100.0 / rate + 1;
        EXPECT_NEAR(static_cast<double>(out.size()) / 2, expectedFrames, 1.0);
        double worst = 0;
        for (std::size_t f = 0; f < out.size() / 2; ++f) {
            const double ideal =
                10000 * std::sin(2 * std::numbers::pi * 1000 * static_cast<double>(f) / 44100);
            worst = std::max(worst, std::abs(out[2 * f] - ideal));
            ASSERT_EQ(out[2 * f], out[2 * f + 1]);
        }
        // Linear interpolation errs by at most A (w T)^2 / 8 between the input samples, plus
        // the rounding of input and output.
        const double step = 2 * std::numbers::pi * 1000 / rate;
        EXPECT_LT(worst, 10000 * step * step / 8 + 1.0);
    }
}

TEST(PcmConvert, ResetStartsAFreshStream) {
    CPcmConverter converter({PcmSampleFormat::Int16, 1, 22050});
    std::vector<std::int16_t> first;
    const auto bytes = Bytes<std::int16_t>({100, 200, 300});
    converter.Convert(std::span(bytes).first(5), first);  // leaves half a sample behind
    converter.Reset();
    std::vector<std::int16_t> again;
    converter.Convert(bytes, again);
    EXPECT_EQ(again, (std::vector<std::int16_t>{100, 100, 150, 150, 200, 200, 250, 250}));
}

}  // namespace
