// The command engine and a real model wired to the in-process simulated unit: every frame the
// engine writes reaches the unit at once, and its answer is delivered right after the tick,
// so the unit always answers within one tick (and so do the answers to the reads that the
// delivered answers send at once).
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "core/model/audiodata.h"
#include "core/protocol/audiodataadapter.h"
#include "core/protocol/command.h"
#include "core/protocol/readback.h"
#include "simunit.h"

class CSimLinks : public ISerialPort, public IUsbReportLink, public INetworkLink {
public:
    explicit CSimLinks(CSimUnit& sim) : m_sim(sim) {}

    bool Open(const std::string&) override { return m_bOpen = true; }
    bool Close() override { return std::exchange(m_bOpen, false); }
    bool IsOpen() const override { return m_bOpen; }
    void Write(std::span<const std::uint8_t> bytes) override { Stream(bytes); }
    void Purge() override {}
    void Send(std::span<const std::uint8_t> bytes) override { Stream(bytes); }
    void WriteReport(const UsbReport& report) override {
        for (const SimReport& answer : m_sim.OnUsbReport(std::span(report).subspan(1))) {
            m_usbOut.push_back(answer);
        }
    }

    std::vector<std::uint8_t> m_streamOut;
    std::deque<SimReport> m_usbOut;

private:
    void Stream(std::span<const std::uint8_t> bytes) {
        const auto answer = m_sim.OnStreamBytes(bytes);
        m_streamOut.insert(m_streamOut.end(), answer.begin(), answer.end());
    }
    CSimUnit& m_sim;
    bool m_bOpen = false;
};

class CSimSink : public ICommandSink {
public:
    void SendMessage(int message, int) override { m_sent.push_back(message); }
    void PostMessage(int message, int wParam) override { m_posted.push_back({message, wParam}); }
    void DisconnectLink(LinkKind kind) override {
        m_disconnects.push_back(kind);
        if (m_pEngine != nullptr) {
            m_pEngine->ClearQueue();
        }
    }
    std::vector<int> m_sent;
    std::vector<std::pair<int, int>> m_posted;
    std::vector<LinkKind> m_disconnects;
    CCommand* m_pEngine = nullptr;
};

struct SimRig {
    explicit SimRig(LinkKind kind, SimOptions options = {})
        : sim(std::move(options)), linkKind(kind) {
        state.linkKind = kind;
        state.searchStage = static_cast<SearchStage>(kind);
        state.unitAcked = 1;
        state.connected = 1;
        engine.SetUsbLink(&links);
        engine.SetNetworkLink(&links);
        sink.m_pEngine = &engine;
    }

    // One timer tick, then the unit's answer delivered on the link.
    void Tick() {
        engine.LinkTick(linkKind);
        while (linkKind != LinkKind::Usb && !links.m_streamOut.empty()) {
            std::vector<std::uint8_t> bytes;
            bytes.swap(links.m_streamOut);
            engine.OnReceived(linkKind, bytes);
        }
        while (!links.m_usbOut.empty()) {
            const SimReport report = links.m_usbOut.front();
            links.m_usbOut.pop_front();
            engine.OnReceived(LinkKind::Usb, report);
        }
    }
    // Ticks until `done` holds; the number of ticks, or -1 after `limit` ticks.
    int TickUntil(const std::function<bool()>& done, int limit = 100000) {
        for (int ticks = 1; ticks <= limit; ++ticks) {
            Tick();
            if (done()) {
                return ticks;
            }
        }
        return -1;
    }
    bool Sent(int message) const {
        return std::find(sink.m_sent.begin(), sink.m_sent.end(), message) != sink.m_sent.end();
    }
    bool Chunked() const { return linkKind == LinkKind::Usb; }

    CSimUnit sim;
    LinkKind linkKind;
    CAudioData model;
    CLinkState state;
    CAudioDataAdapter port{model, state};
    CSimSink sink;
    CSimLinks links{sim};
    CCommand engine{state, sink, port, links};
};
