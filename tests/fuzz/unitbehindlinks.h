// The simulated unit behind the three fake transports of a fuzzed connection. Each link
// answers the way the input chooses: not at all, from inside the write (a link whose reply is
// already waiting when the frame goes out), or held back until the input delivers it in pieces
// of its choosing, so that replies arrive late, split or grouped.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <vector>

#include "core/protocol/command.h"
#include "fuzzinput.h"
#include "simunit.h"
#include "tests/support/enginefakes.h"

enum class AnswerMode { Silent, AtOnce, Held };

class CUnitBehindLinks {
public:
    // Starts from a copy of `unit`: building a simulated unit computes a whole model.
    explicit CUnitBehindLinks(const CSimUnit& unit) : m_sim(unit) {
        m_serial.m_onWrite = [this] { AnswerStream(LinkKind::Serial, m_serial.m_writes); };
        m_network.m_onWrite = [this] { AnswerStream(LinkKind::Network, m_network.m_sends); };
        m_usb.m_onWrite = [this] { AnswerUsb(); };
    }
    CUnitBehindLinks(const CUnitBehindLinks&) = delete;
    CUnitBehindLinks& operator=(const CUnitBehindLinks&) = delete;

    // The engine is built on the serial port, so it is attached afterwards.
    void Attach(CCommand& engine) {
        m_pEngine = &engine;
        engine.SetUsbLink(&m_usb);
        engine.SetNetworkLink(&m_network);
    }
    CFakeSerialPort& SerialPort() { return m_serial; }
    CSimUnit& Sim() { return m_sim; }
    void SetMode(LinkKind link, AnswerMode mode) { m_modes[LinkIndex(link)] = mode; }

    // Hands what `link` holds back to the engine: the byte stream in up to eight pieces whose
    // lengths the input gives (the last piece takes the rest), or up to eight USB reports.
    void DeliverHeld(LinkKind link, CInput& in) {
        const int pieces = 1 + in.Byte() % 8;
        if (link == LinkKind::Usb) {
            for (int i = 0; i < pieces && !m_heldReports.empty(); ++i) {
                const SimReport report = m_heldReports.front();
                m_heldReports.pop_front();
                m_pEngine->OnReceived(link, report);
            }
            return;
        }
        auto& held = m_heldStream[LinkIndex(link)];
        std::size_t at = 0;
        for (int i = 0; i < pieces && at < held.size(); ++i) {
            const std::size_t rest = held.size() - at;
            const std::size_t length =
                i + 1 == pieces ? rest : std::min<std::size_t>(rest, 1 + in.Byte());
            const Bytes piece(held.begin() + static_cast<std::ptrdiff_t>(at),
                              held.begin() + static_cast<std::ptrdiff_t>(at + length));
            at += length;
            m_pEngine->OnReceived(link, piece);
        }
        held.erase(held.begin(), held.begin() + static_cast<std::ptrdiff_t>(at));
    }

private:
    void AnswerStream(LinkKind link, std::vector<Bytes>& writes) {
        const Bytes written = std::move(writes.back());
        writes.clear();
        Deliver(link, m_sim.OnStreamBytes(written));
    }
    void AnswerUsb() {
        const UsbReport report = m_usb.m_reports.back();
        m_usb.m_reports.clear();
        for (const SimReport& answer : m_sim.OnUsbReport(std::span(report).subspan(1))) {
            Deliver(LinkKind::Usb, Bytes(answer.begin(), answer.end()));
        }
    }
    // An answer goes to the engine at once, is held, or is dropped, as the link's mode says.
    void Deliver(LinkKind link, const Bytes& answer) {
        const AnswerMode mode = m_modes[LinkIndex(link)];
        if (answer.empty() || mode == AnswerMode::Silent) {
            return;
        }
        if (mode == AnswerMode::AtOnce) {
            m_pEngine->OnReceived(link, answer);
        } else if (link == LinkKind::Usb) {
            std::copy(answer.begin(), answer.end(), m_heldReports.emplace_back().begin());
        } else {
            auto& held = m_heldStream[LinkIndex(link)];
            held.insert(held.end(), answer.begin(), answer.end());
        }
    }

    CSimUnit m_sim;
    CFakeSerialPort m_serial;
    CFakeUsbLink m_usb;
    CFakeNetworkLink m_network;
    CCommand* m_pEngine = nullptr;
    AnswerMode m_modes[kLinkKinds] = {AnswerMode::Silent, AnswerMode::Silent, AnswerMode::Silent};
    Bytes m_heldStream[kLinkKinds];
    std::deque<SimReport> m_heldReports;
};
