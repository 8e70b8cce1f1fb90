// Fakes of the engine's outside world: transports that record what is written (and may answer
// from inside the write, as a hostile link would), a sink that records and queues messages,
// and a model that hands out prepared frames.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/protocol/command.h"
#include "tests/support/hex.h"

class CFakeSerialPort : public ISerialPort {
public:
    bool Open(const std::string& name) override {
        m_bOpen = m_bOpenSucceeds;
        m_name = name;
        return m_bOpen;
    }
    bool Close() override { return std::exchange(m_bOpen, false); }
    bool IsOpen() const override { return m_bOpen; }
    void Write(std::span<const std::uint8_t> bytes) override {
        m_writes.emplace_back(bytes.begin(), bytes.end());
        if (m_onWrite) {
            m_onWrite();
        }
    }
    void Purge() override { ++m_nPurges; }

    std::function<void()> m_onWrite;  // runs inside Write
    bool m_bOpen = false;
    bool m_bOpenSucceeds = true;
    std::string m_name;
    std::vector<Bytes> m_writes;
    int m_nPurges = 0;
};

class CFakeUsbLink : public IUsbReportLink {
public:
    void WriteReport(const UsbReport& report) override {
        m_reports.push_back(report);
        if (m_onWrite) {
            m_onWrite();
        }
    }
    std::function<void()> m_onWrite;  // runs inside WriteReport
    std::vector<UsbReport> m_reports;
};

class CFakeNetworkLink : public INetworkLink {
public:
    void Send(std::span<const std::uint8_t> bytes) override {
        m_sends.emplace_back(bytes.begin(), bytes.end());
        if (m_onWrite) {
            m_onWrite();
        }
    }
    std::function<void()> m_onWrite;  // runs inside Send
    std::vector<Bytes> m_sends;
};

struct SinkMessage {
    int message;
    int wParam;
    bool operator==(const SinkMessage&) const = default;
};

class CRecordingSink : public ICommandSink {
public:
    void SendMessage(int message, int wParam) override { m_sent.push_back({message, wParam}); }
    void PostMessage(int message, int wParam) override { m_posted.push_back({message, wParam}); }
    void DisconnectLink(LinkKind link) override { m_disconnects.push_back(link); }

    std::vector<SinkMessage> m_sent;
    std::vector<SinkMessage> m_posted;
    std::vector<LinkKind> m_disconnects;
};

struct DecodedReply {
    int channel;
    Bytes frame;
};

class CFakeModel : public ICommandModel {
public:
    std::unique_ptr<CSendData> NextPendingFrame() override {
        if (m_pending.empty()) {
            return nullptr;
        }
        auto frame = std::make_unique<CSendData>(m_pending.front());
        m_pending.pop_front();
        return frame;
    }
    void DecodeReply(std::uint8_t channel, std::span<const std::uint8_t> frame) override {
        m_decoded.push_back({channel, Bytes(frame.begin(), frame.end())});
    }

    std::deque<Bytes> m_pending;
    std::vector<DecodedReply> m_decoded;
};

// An engine wired to fakes.
struct EngineRig {
    CLinkState state;
    CRecordingSink sink;
    CFakeModel model;
    CFakeSerialPort serial;
    CFakeUsbLink usb;
    CFakeNetworkLink network;
    CCommand engine{state, sink, model, serial};

    EngineRig() {
        engine.SetUsbLink(&usb);
        engine.SetNetworkLink(&network);
    }
    void Ticks(int count, LinkKind link) {
        for (int i = 0; i < count; ++i) {
            engine.LinkTick(link);
        }
    }
    void Receive(LinkKind link, const std::string& hex) { engine.OnReceived(link, FromHex(hex)); }
    void Serial(const std::string& hex) { engine.OnReceived(LinkKind::Serial, FromHex(hex)); }
    void Network(const std::string& hex) { engine.OnReceived(LinkKind::Network, FromHex(hex)); }
    // One report of up to 64 bytes, zero-filled.
    void Usb(const std::string& hex) { engine.OnReceived(LinkKind::Usb, FromHex(hex)); }
    void Queue(const std::string& hex) {
        engine.Enqueue(std::make_unique<CSendData>(FromHex(hex)));
    }
};

// A data reply of `total` bytes for `channel` whose payload words count up from `first`.
inline Bytes DataReply(int total, std::uint8_t channel, int first = 1) {
    Bytes frame(static_cast<std::size_t>(total), 0);
    frame[0] = 0xF5;
    frame[1] = 0x35;
    frame[2] = static_cast<std::uint8_t>(total - 3);
    frame[3] = 0xB0;
    frame[4] = channel;
    for (int i = 6; i + 1 < total - 1; i += 2) {
        const int word = first + (i - 6) / 2;
        frame[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(word & 0xFF);
        frame[static_cast<std::size_t>(i) + 1] = static_cast<std::uint8_t>(word >> 8);
    }
    return frame;
}
