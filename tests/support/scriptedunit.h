// A minimal unit for the search and controller tests: it answers the handshake with a chosen
// status reply and a system-block read request with a 159-byte reply (panel lock as chosen),
// and counts the handshakes it saw. The transports wire it to a TCP server, a pty or a fake
// HID backend.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The handshake written out byte for byte: write 17 to system command 48, checksum
// F5 + B7 + 1E + 30 + 11 = 0x20B -> 0B. Anything else is not a handshake and is not answered.
inline constexpr std::array<std::uint8_t, 9> kHandshakeFrame = {0xF5, 0x35, 0x06, 0xB7, 0x1E,
                                                                0x30, 0x11, 0x00, 0x0B};

struct ScriptedUnit {
    std::uint8_t handshakeReply = 0xCC;  // EE CC acknowledges, EE DD refuses
    bool silent = false;
    bool locked = false;
    int handshakes = 0;
    int readRequests = 0;

    // Answers every complete 9-byte frame in `bytes` (frames are taken whole, as sent).
    std::vector<std::uint8_t> Answer(std::span<const std::uint8_t> bytes) {
        std::vector<std::uint8_t> out;
        for (std::size_t i = 0; i + 9 <= bytes.size(); i += 9) {
            const auto f = bytes.subspan(i, 9);
            if (f[0] != 0xF5 || f[1] != 0x35) {
                continue;
            }
            if (std::equal(f.begin(), f.end(), kHandshakeFrame.begin())) {
                ++handshakes;
                if (!silent) {
                    out.insert(out.end(), {0xEE, handshakeReply});
                }
            } else if (f[3] == 0xB0 && f[4] == 0x1E && f[5] == 0x10 && f[6] == 30) {
                ++readRequests;
                if (!silent) {
                    const auto reply = SystemReply();
                    out.insert(out.end(), reply.begin(), reply.end());
                }
            }
        }
        return out;
    }

    std::vector<std::uint8_t> SystemReply() const {
        std::vector<std::uint8_t> reply(159, 0);
        reply[0] = 0xF5;
        reply[1] = 0x35;
        reply[2] = 152 + 4;
        reply[3] = 0xB0;
        reply[4] = 30;
        // Payload from byte 6; the panel-lock word is payload bytes 146-147.
        reply[6 + 146] = locked ? 1 : 0;
        return reply;
    }
};
