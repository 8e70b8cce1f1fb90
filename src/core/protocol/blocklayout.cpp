#include "core/protocol/blocklayout.h"

#include <algorithm>
#include <array>

#include "core/model/deviceimage.h"

namespace {
static_assert(kChannelCount == kBlockChannels && kSystemBlockBytes == kSystemBlockLength);

constexpr std::array<std::uint8_t, 1> kOneChunk = {0};
constexpr std::array<std::uint8_t, 2> kTwoChunks = {0, 25};
constexpr std::array<std::uint8_t, 4> kFourChunks = {0, 25, 50, 75};
}  // namespace

int BlockWords(int channel) {
    if (channel >= 0 && channel < kBlockChannels) {
        return kChannelWords[static_cast<std::size_t>(channel)];
    }
    if (channel == kChSystem) {
        return kSystemBlockWords;
    }
    return channel == kChKey ? 1 : 0;
}

int ReplyTotal(int channel) {
    const int words = BlockWords(channel);
    return words == 0 ? 0 : 2 * words + 7;
}

bool IsDataReplyTotal(int total) {
    static constexpr std::array<int, 9> kTotals = {9, 21, 43, 71, 77, 87, 91, 159, 171};
    return std::find(kTotals.begin(), kTotals.end(), total) != kTotals.end();
}

std::span<const std::uint8_t> ChunkStarts(int channel) {
    const int words = BlockWords(channel);
    if (words == 0) {
        return {};
    }
    if (words <= kChunkWords) {
        return kOneChunk;
    }
    return words <= 2 * kChunkWords ? std::span<const std::uint8_t>(kTwoChunks)
                                    : std::span<const std::uint8_t>(kFourChunks);
}

bool IsChunk(int channel, int start) {
    const auto starts = ChunkStarts(channel);
    return std::find(starts.begin(), starts.end(), start) != starts.end();
}

bool IsLastChunk(int channel, int start) {
    const auto starts = ChunkStarts(channel);
    return !starts.empty() && starts.back() == start;
}

int ChunkWords(int channel, int start) {
    if (!IsChunk(channel, start)) {
        return 0;
    }
    return std::min(kChunkWords, BlockWords(channel) - start);
}
