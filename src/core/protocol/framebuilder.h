// The unit's frame format. Every frame starts with the sync byte 0xF5; multi-byte values are
// little-endian.
//
//   parameter frame (9 bytes):  F5 35 06 op channel param lo hi cks
//   block frame (7 + n bytes):  F5 35 (n+4) op channel start payload[n] cks
//   status frame (2 bytes, from the unit only): EE AA|BB|CC|DD
//
// The checksum is the low 8 bits of byte 0 plus every byte from byte 3 up to the byte before
// the checksum; bytes 1 and 2 are not summed.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "core/protocol/senddata.h"

inline constexpr std::uint8_t kFrameSync = 0xF5;
inline constexpr std::uint8_t kFrameType = 0x35;
inline constexpr std::uint8_t kParamFrameCount = 0x06;
inline constexpr std::uint8_t kOpWrite = 0xB7;
inline constexpr std::uint8_t kOpRead = 0xB0;
inline constexpr std::uint8_t kStatusByte = 0xEE;
// Status codes, byte 1 of a status frame.
inline constexpr std::uint8_t kStatusAa = 0xAA;
inline constexpr std::uint8_t kStatusBb = 0xBB;
inline constexpr std::uint8_t kStatusCc = 0xCC;
inline constexpr std::uint8_t kStatusDd = 0xDD;
inline constexpr int kParamFrameLength = 9;
inline constexpr int kBlockHeaderLength = 6;
inline constexpr int kMaxBlockPayload = 400;

// Checksum of a frame by the rule above: bytes[0] + bytes[3 .. end) mod 256. `bytes` runs up
// to, not including, the checksum byte.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes);

// Builds ready-to-queue frames.
class CFrameBuilder {
public:
    static std::unique_ptr<CSendData> MakeParamFrame(std::uint8_t op, std::uint8_t channel,
                                                     std::uint8_t param, std::int16_t value);
    // The same frame with the two value bytes given apart (requests: lo = channel, hi = start).
    static std::unique_ptr<CSendData> MakeParamFrameBytes(std::uint8_t op, std::uint8_t channel,
                                                          std::uint8_t param, std::uint8_t lo,
                                                          std::uint8_t hi);
    // A block frame with n payload bytes; n is clamped to 0 .. kMaxBlockPayload and to the
    // bytes given.
    static std::unique_ptr<CSendData> MakeBlockFrame(std::uint8_t op, std::uint8_t channel,
                                                     std::uint8_t start,
                                                     std::span<const std::uint8_t> data, int n);
};
