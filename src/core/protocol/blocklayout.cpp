#include "core/protocol/blocklayout.h"

#include <algorithm>
#include <array>

namespace {
constexpr std::array<std::uint8_t, 1> kOneChunk = {0};
constexpr std::array<std::uint8_t, 2> kTwoChunks = {0, 25};
constexpr std::array<std::uint8_t, 4> kFourChunks = {0, 25, 50, 75};

// Every channel that has a data reply: the blocks, the key report and the system block.
constexpr std::array<std::uint8_t, kBlockChannels + 2> kReplyChannels = {
    kChMusic, kChMic,     kChEffect,     kChMainOut, kChMainOut + 1, kChCenter, kChCenter + 1,
    kChSub,   kChSub + 1, kChToneLimits, kChVolume,  kChKey,         kChSystem};
}  // namespace

int ReplyChannel(int total, std::uint8_t channelByte) {
    if (total == 0) {
        return -1;
    }
    if (ReplyTotal(channelByte) == total) {
        return channelByte;
    }
    int found = -1;
    for (const int channel : kReplyChannels) {
        // The key report is known only by its own channel byte: nine bytes with another one
        // are some other frame (an echo of the handshake or the idle poll).
        if (channel != kChKey && ReplyTotal(channel) == total) {
            if (found >= 0) {
                return -1;
            }
            found = channel;
        }
    }
    return found;
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
