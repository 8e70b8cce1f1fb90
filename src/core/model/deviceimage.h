// The PC's copy of the unit's parameter memory: one block of signed 16-bit words per channel
// (0-10), laid out exactly as the unit keeps it, plus the 152-byte system block. A parameter
// number in a frame is the word index inside its channel's block.
//
// Beside the device words of a channel the image keeps a few PC-side words that are never
// sent: the crossover filters' step code and variable-Q index (see CrossoverPcWord).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/model/channels.h"

inline constexpr int kMaxChannelWords = 82;
// Device words of the blocks of channels 0-10.
inline constexpr std::array<int, kBlockChannels> kChannelWords = {40, 82, 35, 42, 42, 32,
                                                                  32, 32, 32, 18, 7};
inline constexpr int kPcWordCount = 4;
inline constexpr int kSystemBlockBytes = 152;
inline constexpr int kSystemBlockWords = kSystemBlockBytes / 2;

// PC-side word slots of a channel block. The microphone uses only the high-pass step code.
inline constexpr int kPcHighPassStep = 0;
inline constexpr int kPcHighPassQ = 1;
inline constexpr int kPcLowPassStep = 2;
inline constexpr int kPcLowPassQ = 3;

// System block layout (byte offsets).
inline constexpr int kSysModeIndexByte = 0;
inline constexpr int kSysModeNamesByte = 2;
inline constexpr int kModeCount = 7;
inline constexpr int kModeNameLength = 20;
inline constexpr int kSysOutAutoWord = 71;
inline constexpr int kSysOutSceneWord = 72;
inline constexpr int kSysPanelLockWord = 73;
inline constexpr int kSysPasswordByte = 148;
inline constexpr int kPasswordLength = 4;

struct DeviceImage {
    struct Block {
        std::array<std::int16_t, kMaxChannelWords> words{};
        std::array<std::int16_t, kPcWordCount> pcWords{};
        bool operator==(const Block&) const = default;
    };

    // Device words of channel ch (0-10), exactly kChannelWords[ch] long; empty for any other
    // channel.
    std::span<std::int16_t> Words(int ch);
    std::span<const std::int16_t> Words(int ch) const;
    // Word `word` of channel ch; 0 (read) or nothing (write) outside the block.
    std::int16_t Word(int ch, int word) const;
    void SetWord(int ch, int word, std::int16_t v);
    // PC-side word `slot` (kPcHighPassStep ...) of channel ch; same bounds rule.
    std::int16_t PcWord(int ch, int slot) const;
    void SetPcWord(int ch, int slot, std::int16_t v);

    // The system block as bytes, and as little-endian words 0-75.
    std::span<std::uint8_t> SystemBytes() { return system; }
    std::span<const std::uint8_t> SystemBytes() const { return system; }
    std::int16_t SystemWord(int word) const;
    void SetSystemWord(int word, std::int16_t v);
    // Mode name `mode` (0-6): 20 bytes of the system block; empty outside 0-6.
    std::span<std::uint8_t> ModeName(int mode);
    std::span<const std::uint8_t> ModeName(int mode) const;
    std::span<std::uint8_t> Password() { return SystemBytes().subspan(kSysPasswordByte, 4); }
    std::span<const std::uint8_t> Password() const {
        return SystemBytes().subspan(kSysPasswordByte, 4);
    }

    std::array<Block, kBlockChannels> blocks{};
    std::array<std::uint8_t, kSystemBlockBytes> system{};

    bool operator==(const DeviceImage&) const = default;
};
