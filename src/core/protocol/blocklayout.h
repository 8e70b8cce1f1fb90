// The unit's memory as the protocol sees it: the word count of each block, the total length of
// each data reply, and the chunk plan used over USB, whose 64-byte reports cannot carry a
// whole block. Channel numbers are in core/model/channels.h.
#pragma once

#include <cstdint>
#include <span>

#include "core/model/deviceimage.h"

inline constexpr int kChunkWords = 25;
// Frame bytes a USB report can carry after its report id.
inline constexpr int kUsbFrameBytes = 64;
// Largest payload one USB chunk report may carry: 64 bytes minus the 6 header bytes.
inline constexpr int kMaxUsbChunkPayload = kUsbFrameBytes - 6;

// Words of the block of `channel` (0-10, 30; 13 carries the one key word); 0 for others.
constexpr int BlockWords(int channel) {
    if (channel >= 0 && channel < kBlockChannels) {
        return kChannelWords[static_cast<std::size_t>(channel)];
    }
    if (channel == kChSystem) {
        return kSystemBlockWords;
    }
    return channel == kChKey ? 1 : 0;
}

// Total frame length of the data reply for `channel`: six header bytes, the block's words and
// the checksum; 0 for channels without one.
constexpr int ReplyTotal(int channel) {
    const int words = BlockWords(channel);
    return words == 0 ? 0 : 2 * words + 7;
}

// Largest data reply the unit sends (the microphone block).
inline constexpr int kLongestReply = ReplyTotal(kChMic);

// The channel whose block a data reply of `total` bytes carries, given its channel byte: the
// channel byte itself when its block has that total, else the one block channel with that
// total; -1 when the total belongs to no channel or to several others (centre and subwoofer,
// the two main scenes), none of them named by the channel byte. The 9-byte key report counts
// only with its own channel byte, 13.
int ReplyChannel(int total, std::uint8_t channelByte);

// The start words of the USB chunks of `channel`, in ascending order; empty when the channel
// has no chunk plan.
std::span<const std::uint8_t> ChunkStarts(int channel);
bool IsChunk(int channel, int start);
bool IsLastChunk(int channel, int start);
// Words of the chunk of `channel` starting at `start`; 0 for a pair outside the plan.
int ChunkWords(int channel, int start);
