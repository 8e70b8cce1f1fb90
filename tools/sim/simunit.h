// The simulated TQ640V unit's protocol core: its parameter memory and its answers to frames.
// Pure C++; the tq640v-sim executable puts it behind a TCP server and a pseudo-terminal, and
// tests drive it in-process.
//
// Two ways in: a byte stream (serial, network), parsed frame by frame with resynchronisation
// on the next 0xF5, and USB reports (64 bytes, one frame each), answered with one report per
// reply carrying at most one 25-word chunk.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/protocol/blocklayout.h"

using SimReport = std::array<std::uint8_t, kUsbFrameBytes>;

struct SimOptions {
    bool refuse = false;       // answer the handshake with EE DD
    bool silent = false;       // never answer
    int dropEvery = 0;         // leave every Nth well-formed frame unanswered (0: never)
    int garbageEvery = 0;      // replace every Nth answer with garbage of its length (0: never)
    std::string lockPassword;  // non-empty: start with the panel locked and this password
};

struct SimCounters {
    int framesReceived = 0;
    int malformed = 0;  // bad checksum, bad header or stray bytes skipped
    int dropped = 0;
    int garbled = 0;
    int repliesSent = 0;
};

class CSimUnit {
public:
    explicit CSimUnit(SimOptions options = {});

    // Stream bytes in, answer bytes out. Partial frames wait for the rest.
    std::vector<std::uint8_t> OnStreamBytes(std::span<const std::uint8_t> bytes);
    // One 64-byte USB report in (without report id), the answer reports out.
    std::vector<SimReport> OnUsbReport(std::span<const std::uint8_t> report);

    // Memory.
    std::span<std::int16_t> Block(int channel);
    std::span<const std::int16_t> Block(int channel) const;
    std::span<std::uint8_t> SystemBlock() { return m_system; }
    std::span<const std::uint8_t> SystemBlock() const { return m_system; }
    std::span<const std::uint8_t> BluetoothName() const { return m_bluetoothName; }
    void SetBluetoothName(std::span<const std::uint8_t> name);
    // Stored mode m (0-6): every channel block as saved.
    std::span<std::int16_t> StoredBlock(int mode, int channel);
    std::span<const std::int16_t> StoredBlock(int mode, int channel) const;
    int ModeIndex() const;
    int PanelLock() const;
    std::string Password() const;
    // The 9-byte idle poll answer carries the music key word.
    std::int16_t Key() const { return Block(kChMusic)[2]; }

    const SimCounters& Counters() const { return m_counters; }
    // Called with every well-formed frame received, every answer sent and every run of bytes
    // skipped as malformed.
    enum class Event { kReceived, kSent, kMalformed };
    using Logger = std::function<void(Event event, std::span<const std::uint8_t> bytes)>;
    void SetLogger(Logger logger) { m_logger = std::move(logger); }

private:
    using Blocks = std::array<std::vector<std::int16_t>, kBlockChannels>;

    // Answers one well-formed frame; `usb` selects chunked read answers.
    std::vector<std::vector<std::uint8_t>> Answer(std::span<const std::uint8_t> frame, bool usb);
    std::vector<std::vector<std::uint8_t>> AnswerRead(int channel, int start, bool usb) const;
    bool ApplyWrite(std::span<const std::uint8_t> frame);
    bool ApplySystemWrite(int param, std::span<const std::uint8_t> payload, std::int16_t value);
    void ResetEqualiser(int channel);
    std::vector<std::uint8_t> BlockReply(int channel, int start, int words) const;
    std::vector<std::vector<std::uint8_t>> Deliver(std::vector<std::vector<std::uint8_t>> answers);

    SimOptions m_options;
    SimCounters m_counters;
    Blocks m_blocks;
    std::array<Blocks, kModeCount> m_modes;
    std::array<std::uint8_t, kSystemBlockBytes> m_system{};
    std::array<std::uint8_t, kModeNameLength> m_bluetoothName{};
    std::vector<std::uint8_t> m_pending;
    Logger m_logger;
};
