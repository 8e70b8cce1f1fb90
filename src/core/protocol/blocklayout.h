// The unit's memory as the protocol sees it: channel numbers, the word count of each block,
// the total length of each data reply, and the chunk plan used over USB, whose 64-byte reports
// cannot carry a whole block.
#pragma once

#include <cstdint>
#include <span>

inline constexpr std::uint8_t kChMusic = 0;
inline constexpr std::uint8_t kChMic = 1;
inline constexpr std::uint8_t kChEffect = 2;
inline constexpr std::uint8_t kChMainOut = 3;  // + scene
inline constexpr std::uint8_t kChCenter = 5;   // + scene
inline constexpr std::uint8_t kChSub = 7;      // + scene
inline constexpr std::uint8_t kChToneLimits = 9;
inline constexpr std::uint8_t kChVolume = 10;
inline constexpr std::uint8_t kChEqReset = 11;
inline constexpr std::uint8_t kChKey = 13;
inline constexpr std::uint8_t kChSystem = 30;
inline constexpr int kLastBlockChannel = 10;
inline constexpr int kBlockChannels = 11;

inline constexpr int kSystemBlockLength = 152;
inline constexpr int kStoredModes = 7;
inline constexpr int kModeNameBytes = 20;
inline constexpr int kChunkWords = 25;
// Frame bytes a USB report can carry after its report id.
inline constexpr int kUsbFrameBytes = 64;
// Largest payload one USB chunk report may carry: 64 bytes minus the 6 header bytes.
inline constexpr int kMaxUsbChunkPayload = kUsbFrameBytes - 6;
// Largest data reply the unit sends (the microphone block).
inline constexpr int kLongestReply = 171;

// Words of the block of `channel` (0-10, 30; 13 carries the one key word); 0 for others.
int BlockWords(int channel);
// Total frame length of the data reply for `channel`; 0 for channels without one.
int ReplyTotal(int channel);
// Whether `total` is the length of some data reply (9, 21, 43, 71, 77, 87, 91, 159, 171).
bool IsDataReplyTotal(int total);

// The start words of the USB chunks of `channel`, in ascending order; empty when the channel
// has no chunk plan.
std::span<const std::uint8_t> ChunkStarts(int channel);
bool IsChunk(int channel, int start);
bool IsLastChunk(int channel, int start);
// Words of the chunk of `channel` starting at `start`; 0 for a pair outside the plan.
int ChunkWords(int channel, int start);
