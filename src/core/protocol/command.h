// The command engine: one queue of outgoing frames, exactly one frame in flight per link, the
// tick that paces and retransmits, and the receive paths that recognise the unit's replies.
//
// Threading: everything here runs on one thread. Every transport delivers what it received
// through the one entry point OnReceived, on the engine's thread; the USB reader thread hands
// each report over as a queued event. The engine takes no locks.
//
// Wiring (done once, by CUnitConnection in the link layer): construct with the link state
// record, the main window's sink, the model and the serial port; attach the USB and network
// links. Each connected link's timer (kLinkTickMs) calls LinkTick with the link's kind.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/protocol/blocklayout.h"
#include "core/protocol/linkinterfaces.h"
#include "core/protocol/linkstate.h"
#include "core/protocol/senddataqueue.h"

inline constexpr int kRxBufferSize = 2000;
inline constexpr int kUsbStagingSize = 200;
inline constexpr int kMaxReadChunk = 400;
inline constexpr int kMaxRetries = 5;
inline constexpr int kReplyTimeoutTicks = 60;
inline constexpr int kModeRecallTimeoutTicks = 500;
inline constexpr int kSlowCommandTimeoutTicks = 1000;
inline constexpr int kUsbSearchTimeoutTicks = 50;

// A band dragged on the curve view is sent at once (ImmediateStep) instead of at the next link
// tick, so that the unit follows the mouse; one frame still stays in flight, and its time-out
// counts only the link's own ticks.
inline constexpr bool kSendDragsImmediately = true;

class CCommand {
public:
    CCommand(CLinkState& state, ICommandSink& sink, ICommandModel& model, ISerialPort& serial);

    void SetUsbLink(IUsbReportLink* usb) { m_pUsb = usb; }
    void SetNetworkLink(INetworkLink* network) { m_pNetwork = network; }

    // Queue.
    void Enqueue(std::unique_ptr<CSendData> frame) { m_queue.Enqueue(std::move(frame)); }
    int GetCount() const { return m_queue.GetCount(); }
    // The head frame; on an empty queue sends MSG_DISCONNECT and returns null.
    CSendData* GetHead();
    // Destroys the head frame if there is one, then always ResetReceive.
    void PopHead();
    void ClearQueue() { m_queue.Clear(); }
    // The most ticks the queued frames can take on `link` before the last is answered or the
    // link is dropped: every frame sent kMaxRetries + 1 times, each time waiting its whole
    // reply time-out.
    int WorstCaseTicks(LinkKind link) const;
    // Purges the serial port, empties the reply buffer and fills it and the read chunk with
    // spaces. The USB staging area is left alone.
    void ResetReceive();

    // Serial port.
    bool OpenSerial(const std::string& portName);
    bool CloseSerial();

    // Transmission of the head frame on one link. Over USB a frame longer than 64 bytes is not
    // sent (it times out like an unanswered one). The link is given a copy of the bytes, and
    // whatever it delivers from inside its write is taken only after the write has returned,
    // so that no reply can remove the frame while it is being sent.
    void SendHead(LinkKind link);

    // One tick of the timer of `link`.
    void LinkTick(LinkKind link);
    // One step of the link: transmit the head once, then count ticks until a reply removes it.
    void LinkStep(LinkKind link);
    // Transmits the head when it waits to be sent; a frame in flight is left alone (no tick is
    // counted). False when nothing was sent.
    bool SendPendingHead(LinkKind link);
    // The step run at once after a curve drag (see kSendDragsImmediately), on the link in use:
    // fetches the next change when at most one frame is queued and sends the head if it waits.
    void ImmediateStep();

    // What `link` received: a piece of the byte stream (serial, network; any length, taken in
    // reads of at most kMaxReadChunk bytes) or one USB input report of at most 64 bytes,
    // without its report id. During a send the bytes wait until the send has returned.
    void OnReceived(LinkKind link, std::span<const std::uint8_t> bytes);

    int RxCount() const { return m_nRxCount; }

private:
    void RestartAccumulation();
    void OnUsbReport(std::span<const std::uint8_t, kUsbFrameBytes> frame);
    void TakeStream(LinkKind link, std::span<const std::uint8_t> bytes);
    void AppendAndDispatch(std::span<const std::uint8_t> bytes, bool network);
    // The head is a read request: the only frame a data reply may remove.
    bool HeadIsRead() const;
    // Removes the read request a data reply answered and notes it for SendNextRead.
    void PopAnsweredRead();
    // After a read's reply: the next queued read leaves at once, unless reads are tick-paced.
    void SendNextRead(LinkKind link);
    bool IsGroupedAcknowledgement(std::span<const std::uint8_t> frame) const;
    void DispatchByTotal(bool network);
    void HandleDataReply(int total);
    void HandleStatus(std::uint8_t code, bool fourBytes);
    void HandleAcknowledgement();
    void HandleUsbChunk(std::span<const std::uint8_t> frame);
    void FinishUsbChannel(std::uint8_t channel, int count);
    void NotifyDecoded(std::uint8_t channel);
    void PostKey(std::span<const std::uint8_t> payload);
    int TimeoutFor(const CSendData& head, LinkKind link) const;

    CLinkState& m_state;
    ICommandSink& m_sink;
    ICommandModel& m_model;
    ISerialPort& m_serial;
    IUsbReportLink* m_pUsb = nullptr;
    INetworkLink* m_pNetwork = nullptr;

    int m_nRxCount = 0;
    std::array<std::uint8_t, kRxBufferSize> m_rxBuffer{};
    std::array<std::uint8_t, kUsbStagingSize> m_usbStaging{};
    std::array<std::uint8_t, kRxBufferSize> m_readChunk{};
    CSendDataQueue m_queue;
    // A send is in progress: arrivals wait in m_deferred.
    bool m_bSending = false;
    std::vector<std::pair<LinkKind, std::vector<std::uint8_t>>> m_deferred;
    std::vector<std::uint8_t> m_sendCopy;
    // A read request was answered during the current delivery.
    bool m_bReadAnswered = false;
};
