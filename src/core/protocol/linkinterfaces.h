// The small interfaces through which the command engine (CCommand) reaches the world: the
// three transports it writes frames to, the window-message sink of the editor, and the model
// that supplies changed parameters and decodes replies.
//
// Threading: the engine and everything it calls run on ONE thread. Whoever owns a transport
// delivers its bytes and reports on the engine's thread (the USB reader thread hands every
// report over as a queued event before it reaches CCommand::OnReceived). No locks are taken
// anywhere.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/protocol/senddata.h"

// Messages of the engine to the editor's main window.
inline constexpr int MSG_SYSTEM_DATA_READ = 0x46E;  // sent: system block decoded
inline constexpr int MSG_DISCONNECT = 0x46F;        // sent: GetHead found the queue empty
inline constexpr int MSG_VOLUMES_READ = 0x474;      // sent: volume block decoded while confirming
inline constexpr int MSG_KEY_REPORTED = 0x477;      // posted: wParam = the unit's music key

// The three links to the unit, numbered as the link state and the idle counters number them.
enum class LinkKind : int { Usb = 0, Serial = 1, Network = 2 };
inline constexpr int kLinkKinds = 3;
constexpr std::size_t LinkIndex(LinkKind kind) {
    return static_cast<std::size_t>(kind);
}

// Period of each link's timer. The engine counts everything in ticks, and the unit was built
// against a pace of about 64 ticks per second; at 16 ms a tick the engine gives about 0.98 s
// before a first retransmission (61 ticks), 8.0 s for a mode recall (501 ticks), an idle poll
// every 0.88 s (55 ticks) and a silent link dropped after about 5.9 s (six time-outs).
inline constexpr int kLinkTickMs = 16;

// USB output reports: report id 0 followed by 64 bytes.
inline constexpr int kUsbReportLength = 65;
using UsbReport = std::array<std::uint8_t, kUsbReportLength>;

// The serial port as the engine needs it. The implementation configures 115200 baud, 8 data
// bits, no parity, 1 stop bit, no handshaking.
class ISerialPort {
public:
    virtual ~ISerialPort() = default;
    // Closes the port first when it is open; false when the port cannot be opened or set up.
    virtual bool Open(const std::string& portName) = 0;
    // false when the port was not open.
    virtual bool Close() = 0;
    virtual bool IsOpen() const = 0;
    // Queues the bytes and returns at once. A write that fails, or does not finish within
    // 5000 ms, is dropped without a report: the frame's reply time-out sends it again.
    virtual void Write(std::span<const std::uint8_t> bytes) = 0;
    // Discards what has been received and not taken yet; what is being sent still leaves.
    // Harmless when the port is closed.
    virtual void Purge() = 0;
};

// Where a transport delivers what it received, on the engine's thread: a piece of the byte
// stream (serial, network) or one input report of at most 64 bytes without its report id (USB).
using ByteReceiver = std::function<void(std::span<const std::uint8_t> bytes)>;

// The USB device: takes one 65-byte output report (byte 0 = report id 0).
class IUsbReportLink {
public:
    virtual ~IUsbReportLink() = default;
    virtual void WriteReport(const UsbReport& report) = 0;
};

// The network socket: sends bytes as they are.
class INetworkLink {
public:
    virtual ~INetworkLink() = default;
    virtual void Send(std::span<const std::uint8_t> bytes) = 0;
};

// The main window as the engine sees it.
class ICommandSink {
public:
    virtual ~ICommandSink() = default;
    // Handled completely before the call returns (MSG_SYSTEM_DATA_READ, MSG_DISCONNECT,
    // MSG_VOLUMES_READ). The engine has finished its own bookkeeping before it sends.
    virtual void SendMessage(int message, int wParam) = 0;
    // Handled after the current handler returns (MSG_KEY_REPORTED); the sink decides how.
    virtual void PostMessage(int message, int wParam) = 0;
    // The link of this kind timed out six times in a row: run its disconnect routine (which
    // is expected to call CCommand::ClearQueue).
    virtual void DisconnectLink(LinkKind link) = 0;
};

// The parameter model as the engine sees it.
class ICommandModel {
public:
    virtual ~ICommandModel() = default;
    // The frame for the next changed parameter (its flag cleared), or null.
    virtual std::unique_ptr<CSendData> NextPendingFrame() = 0;
    // Decodes one complete data reply for `channel` into the device image. `frame` covers the
    // whole frame (byte 2 = payload length + 4, payload from byte 6).
    virtual void DecodeReply(std::uint8_t channel, std::span<const std::uint8_t> frame) = 0;
};
