// The simulated TQ640V unit's protocol core: its parameter memory and its answers to frames.
// Pure C++; the tq640v-sim executable puts it behind a TCP server and a pseudo-terminal, and
// tests drive it in-process.
//
// Two ways in: a byte stream (serial, network), parsed frame by frame with resynchronisation
// on the next 0xF5, and USB reports (64 bytes, one frame each), answered with one report per
// reply carrying at most one 25-word chunk. A read starting at word 0 over the stream answers
// the whole block; any other read answers the chunk of the chunk plan that starts there.
//
// Frames the unit would not understand are answered EE BB and reported as rejected, with the
// reason: a read of a channel without a block or of a word where no chunk starts, a write
// outside a block, a probe value other than 17, a mode index above 6, an unknown command.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/protocol/blocklayout.h"

using SimReport = std::array<std::uint8_t, kUsbFrameBytes>;

// The password a unit leaves the factory with, as the System page's note line names it.
inline constexpr const char* kFactoryPassword = "3958";

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
    int rejected = 0;   // well-formed frames answered EE BB
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
    // Called with every well-formed frame received, every frame rejected (with the reason),
    // every answer sent and every run of bytes skipped as malformed.
    enum class Event { kReceived, kRejected, kSent, kMalformed };
    using Logger =
        std::function<void(Event event, std::span<const std::uint8_t> bytes, std::string_view why)>;
    void SetLogger(Logger logger) { m_logger = std::move(logger); }

private:
    using Blocks = std::array<std::vector<std::int16_t>, kBlockChannels>;

    using Frame = std::vector<std::uint8_t>;
    // Answers one well-formed frame; `usb` selects chunked read answers.
    std::vector<Frame> Answer(std::span<const std::uint8_t> frame, bool usb);
    // Each returns the answer's frame, or fills `why` and returns nothing for a rejection.
    std::vector<Frame> AnswerRead(int channel, int start, bool usb, std::string& why) const;
    bool ApplyWrite(std::span<const std::uint8_t> frame, std::string& why);
    bool ApplySystemWrite(int param, std::span<const std::uint8_t> payload, std::int16_t value,
                          std::string& why);
    void ResetEqualiser(int channel);
    std::vector<std::uint8_t> BlockReply(int channel, int start, int words) const;
    std::vector<Frame> Deliver(std::vector<Frame> answers);
    void Log(Event event, std::span<const std::uint8_t> bytes, std::string_view why = {});

    SimOptions m_options;
    SimCounters m_counters;
    Blocks m_blocks;
    std::array<Blocks, kModeCount> m_modes;
    std::array<std::uint8_t, kSystemBlockBytes> m_system{};
    std::array<std::uint8_t, kModeNameLength> m_bluetoothName{};
    std::vector<std::uint8_t> m_pending;
    Logger m_logger;
};
