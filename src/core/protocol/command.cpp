#include "core/protocol/command.h"

#include <algorithm>

#include "core/protocol/blocklayout.h"
#include "core/protocol/framebuilder.h"
#include "core/protocol/systemcommands.h"

namespace {
constexpr std::uint8_t kSpace = 0x20;
constexpr std::uint8_t kFrameUsbOther = 0xC1;
constexpr int kStatusLength = 2;
constexpr int kDoubleStatusLength = 4;
constexpr int kNetworkHelloLength = 14;

bool IsSystemWrite(const CSendData& frame, std::uint8_t param) {
    const auto b = frame.Bytes();
    return b.size() == kParamFrameLength && b[3] == kOpWrite && b[4] == kChSystem && b[5] == param;
}

// A data reply's header agrees with its total: F5 35 and a count byte of total - 3.
bool HeaderAgrees(std::span<const std::uint8_t> frame) {
    return frame.size() >= kBlockHeaderLength && frame[0] == kFrameSync && frame[1] == kFrameType &&
           frame[2] + 3 == static_cast<int>(frame.size());
}
}  // namespace

CCommand::CCommand(CLinkState& state, ICommandSink& sink, ICommandModel& model, ISerialPort& serial)
    : m_state(state), m_sink(sink), m_model(model), m_serial(serial) {
    m_rxBuffer.fill(kSpace);
    m_readChunk.fill(kSpace);
    m_usbStaging.fill(kSpace);
}

CSendData* CCommand::GetHead() {
    CSendData* head = m_queue.Head();
    if (head == nullptr) {
        m_sink.SendMessage(MSG_DISCONNECT, 0);
    }
    return head;
}

void CCommand::PopHead() {
    m_queue.RemoveHead();
    ResetReceive();
}

void CCommand::ResetReceive() {
    RestartAccumulation();
    m_readChunk.fill(kSpace);
}

void CCommand::RestartAccumulation() {
    m_serial.Purge();
    m_nRxCount = 0;
    m_rxBuffer.fill(kSpace);
}

bool CCommand::OpenSerial(const std::string& portName) {
    return m_serial.Open(portName);
}

bool CCommand::CloseSerial() {
    return m_serial.IsOpen() && m_serial.Close();
}

void CCommand::SendHead(LinkKind link) {
    const CSendData* head = GetHead();
    if (head == nullptr) {
        return;
    }
    m_sendCopy.assign(head->Bytes().begin(), head->Bytes().end());
    const std::span<const std::uint8_t> bytes = m_sendCopy;
    m_bSending = true;
    switch (link) {
        case LinkKind::Serial:
            m_serial.Write(bytes);
            break;
        case LinkKind::Usb:
            if (bytes.size() <= kUsbFrameBytes && m_pUsb != nullptr) {
                UsbReport report{};
                std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
                m_pUsb->WriteReport(report);
            }
            break;
        case LinkKind::Network:
            if (m_pNetwork != nullptr) {
                m_pNetwork->Send(bytes);
            }
            break;
    }
    m_bSending = false;
    auto deferred = std::exchange(m_deferred, {});
    for (const auto& [from, received] : deferred) {
        OnReceived(from, received);
    }
}

void CCommand::LinkTick(LinkKind link) {
    const std::size_t k = LinkIndex(link);
    m_state.idleTicks[k] += 1;
    if (m_queue.GetCount() > 0) {
        LinkStep(link);
        return;
    }
    if (m_state.idleTicks[k] >= m_state.idleLimit[k]) {
        m_state.idleTicks[k] = 0;
        if (m_queue.GetCount() == 0) {
            m_queue.Enqueue(
                CFrameBuilder::MakeParamFrame(kOpRead, kChSystem, kSysCmdReadRequest, kChKey));
        }
        return;
    }
    m_queue.Enqueue(m_model.NextPendingFrame());
}

int CCommand::TimeoutFor(const CSendData& head, LinkKind link) const {
    if (link == LinkKind::Usb && m_state.searchStage != SearchStage::Usb) {
        return kUsbSearchTimeoutTicks;
    }
    if (IsSystemWrite(head, kSysCmdSelectMode)) {
        return kModeRecallTimeoutTicks;
    }
    if (IsSystemWrite(head, kSysCmdSlow)) {
        return kSlowCommandTimeoutTicks;
    }
    return kReplyTimeoutTicks;
}

int CCommand::WorstCaseTicks(LinkKind link) const {
    int ticks = 0;
    for (int i = 0; i < m_queue.GetCount(); ++i) {
        // The tick that sends, the ticks counted up to the time-out and the one past it.
        ticks += (kMaxRetries + 1) * (TimeoutFor(*m_queue.At(i), link) + 2);
    }
    return ticks;
}

void CCommand::LinkStep(LinkKind link) {
    CSendData* head = GetHead();
    if (head == nullptr) {
        return;
    }
    if (head->m_bSendPending == 1) {
        // The frame's state is settled before its bytes leave: a reply may remove it as soon
        // as the send has returned.
        head->m_bSendPending = 0;
        SendHead(link);
        return;
    }
    head->m_nTicks += 1;
    if (head->m_nTicks <= TimeoutFor(*head, link)) {
        return;
    }
    // A unit too slow for its answers to drive the reads is met at the tick's pace.
    m_state.readsBackedOff = 1;
    if (m_state.retryCount < kMaxRetries) {
        m_state.retryCount += 1;
        m_state.resends += 1;
        ResetReceive();
        head->m_bSendPending = 1;
        head->m_nTicks = 0;
        return;
    }
    m_state.retryCount = 0;
    m_sink.DisconnectLink(link);
}

bool CCommand::SendPendingHead(LinkKind link) {
    CSendData* head = m_queue.Head();
    if (head == nullptr || head->m_bSendPending != 1) {
        return false;
    }
    head->m_bSendPending = 0;
    SendHead(link);
    return true;
}

void CCommand::ImmediateStep() {
    if (m_queue.GetCount() < 2) {
        m_queue.Enqueue(m_model.NextPendingFrame());
    }
    // However fast the drag, the frame in flight ages only with the link's own ticks.
    SendPendingHead(m_state.linkKind);
}

void CCommand::OnReceived(LinkKind link, std::span<const std::uint8_t> bytes) {
    if (m_bSending) {
        m_deferred.emplace_back(link, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        return;
    }
    m_bReadAnswered = false;
    if (link == LinkKind::Usb) {
        std::array<std::uint8_t, kUsbFrameBytes> frame{};
        std::copy_n(bytes.begin(), std::min(bytes.size(), frame.size()), frame.begin());
        OnUsbReport(frame);
    } else {
        TakeStream(link, bytes);
    }
    if (std::exchange(m_bReadAnswered, false)) {
        SendNextRead(link);
    }
}

void CCommand::SendNextRead(LinkKind link) {
    const bool tickPaced = m_state.pacedReads == 1 || m_state.readsBackedOff == 1;
    if (tickPaced || m_state.connected != 1 || link != m_state.linkKind || !HeadIsRead()) {
        return;
    }
    SendPendingHead(link);
}

bool CCommand::HeadIsRead() const {
    const CSendData* head = m_queue.Head();
    return head != nullptr && head->Length() > 3 && head->Bytes()[3] == kOpRead;
}

void CCommand::PopAnsweredRead() {
    PopHead();
    m_bReadAnswered = true;
}

void CCommand::TakeStream(LinkKind link, std::span<const std::uint8_t> bytes) {
    // Stream bytes are taken in reads of at most kMaxReadChunk bytes; the dispatch by total
    // runs after each.
    while (!bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(kMaxReadChunk));
        std::copy_n(bytes.begin(), n, m_readChunk.begin());
        bytes = bytes.subspan(n);
        AppendAndDispatch(std::span(m_readChunk).first(n), link == LinkKind::Network);
    }
}

void CCommand::AppendAndDispatch(std::span<const std::uint8_t> bytes, bool network) {
    m_state.retryCount = 0;
    if (m_nRxCount + static_cast<int>(bytes.size()) > kRxBufferSize) {
        // Nothing recognisable has formed in the whole buffer: start again rather than overrun.
        // The read chunk holds the bytes being appended, so only the accumulation restarts.
        RestartAccumulation();
    }
    std::copy(bytes.begin(), bytes.end(), m_rxBuffer.begin() + m_nRxCount);
    m_nRxCount += static_cast<int>(bytes.size());
    DispatchByTotal(network);
}

void CCommand::DispatchByTotal(bool network) {
    const int total = m_nRxCount;
    const auto frame =
        std::span<const std::uint8_t>(m_rxBuffer).first(static_cast<std::size_t>(total));
    if (IsGroupedAcknowledgement(frame)) {
        // The answers to two search ticks' handshakes read together: EE CC four times.
        HandleAcknowledgement();
        return;
    }
    if (total == kStatusLength || total == kDoubleStatusLength) {
        if (frame[0] == kStatusByte) {
            HandleStatus(frame[1], total == kDoubleStatusLength);
        }
        return;
    }
    if (total == kNetworkHelloLength) {
        if (network && frame[0] == kStatusByte && frame[1] == kStatusAa) {
            m_state.unitAcked = 0;
            ResetReceive();
            PopHead();
        }
        return;
    }
    if (HeaderAgrees(frame)) {
        HandleDataReply(total);
    }
}

bool CCommand::IsGroupedAcknowledgement(std::span<const std::uint8_t> frame) const {
    if (frame.size() <= kDoubleStatusLength || frame.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < frame.size(); i += 2) {
        if (frame[i] != kStatusByte || frame[i + 1] != kStatusCc) {
            return false;
        }
    }
    return true;
}

void CCommand::HandleDataReply(int total) {
    const auto frame =
        std::span<const std::uint8_t>(m_rxBuffer).first(static_cast<std::size_t>(total));
    const int channel = ReplyChannel(total, frame[4]);
    if (channel < 0) {
        return;
    }
    if (!HeadIsRead()) {
        // A late answer to a read that is no longer queued (a retransmitted request answered
        // twice): it neither removes a write nor reaches the model.
        ResetReceive();
        return;
    }
    if (channel == kChKey) {
        PostKey(frame.subspan(kBlockHeaderLength, 2));
        PopAnsweredRead();
        m_usbStaging.fill(kSpace);
        return;
    }
    m_model.DecodeReply(static_cast<std::uint8_t>(channel), frame);
    PopAnsweredRead();
    NotifyDecoded(static_cast<std::uint8_t>(channel));
}

void CCommand::NotifyDecoded(std::uint8_t channel) {
    if (channel == kChSystem) {
        m_sink.SendMessage(MSG_SYSTEM_DATA_READ, 0);
    } else if (channel == kChVolume && m_state.uploadConfirm == 1) {
        m_sink.SendMessage(MSG_VOLUMES_READ, 0);
    }
}

void CCommand::PostKey(std::span<const std::uint8_t> payload) {
    int value = 0;
    if (payload.size() >= 2) {
        const std::size_t last = payload.size() - 2;
        value = static_cast<std::int16_t>(payload[last] | (payload[last + 1] << 8));
    }
    m_sink.PostMessage(MSG_KEY_REPORTED, value);
}

void CCommand::HandleStatus(std::uint8_t code, bool fourBytes) {
    switch (code) {
        case kStatusCc:
            HandleAcknowledgement();
            return;
        case kStatusBb:
            if (m_state.unitAcked == 0) {
                m_state.unitRefused = 1;
            }
            ResetReceive();
            PopHead();
            return;
        case kStatusDd:
            // A refusal however the bytes are grouped: two refusals read together (two
            // handshakes in one search tick) are still a refusal.
            m_state.unitAcked = 0;
            m_state.unitRefused = 1;
            ResetReceive();
            PopHead();
            return;
        case kStatusAa:
            if (!fourBytes) {
                // Busy: the head is sent again after its time-out, and reads wait for the tick.
                m_state.readsBackedOff = 1;
                ResetReceive();
                return;
            }
            break;
        default:
            if (!fourBytes) {
                return;  // not a status reply: keep accumulating
            }
            break;
    }
    // Four bytes that are not an acknowledgement or a busy answer.
    m_state.unitAcked = 0;
    ResetReceive();
    PopHead();
}

void CCommand::OnUsbReport(std::span<const std::uint8_t, kUsbFrameBytes> frame) {
    m_state.retryCount = 0;
    if (frame[0] == kFrameSync && frame[1] == kFrameType) {
        HandleUsbChunk(frame);
    } else if (frame[0] == kFrameSync && frame[1] == kFrameUsbOther) {
        return;
    } else if (frame[0] == kStatusByte) {
        HandleStatus(frame[1], false);
    }
}

void CCommand::HandleAcknowledgement() {
    const bool wasAcked = m_state.unitAcked == 1;
    m_state.unitAcked = 1;
    ResetReceive();
    // The unit acknowledges the handshake and each write with EE CC, while a read request is
    // only ever answered by its data. An EE CC that comes late (the answer to an earlier
    // handshake or retransmission) must not take the place of that data, nor remove a write
    // that has not been sent yet.
    const CSendData* head = m_queue.Head();
    if (head == nullptr || head->Length() < 4 || head->Bytes()[3] == kOpRead) {
        return;
    }
    const bool transmittedWrite = head->m_bSendPending == 0 && head->Bytes()[3] == kOpWrite;
    if (!wasAcked || transmittedWrite) {
        PopHead();
    }
}

void CCommand::HandleUsbChunk(std::span<const std::uint8_t> frame) {
    const std::uint8_t channel = frame[4];
    const std::uint8_t start = frame[5];
    const int n = frame[2] - 4;
    const int offset = kBlockHeaderLength + 2 * start;
    if (!IsChunk(channel, start) || n < 0 || n > kMaxUsbChunkPayload ||
        offset + n > kUsbStagingSize || !HeadIsRead()) {
        return;
    }
    std::copy_n(frame.begin() + kBlockHeaderLength, n, m_usbStaging.begin() + offset);
    if (!IsLastChunk(channel, start)) {
        PopAnsweredRead();
        return;
    }
    const bool ownCount = channel == kChVolume || channel == kChKey;
    FinishUsbChannel(channel, ownCount ? frame[2] : 2 * BlockWords(channel) + 4);
}

void CCommand::FinishUsbChannel(std::uint8_t channel, int count) {
    m_usbStaging[2] = static_cast<std::uint8_t>(count);
    const auto staged = std::span<const std::uint8_t>(m_usbStaging);
    if (channel == kChKey) {
        const auto payload =
            staged.subspan(kBlockHeaderLength, static_cast<std::size_t>(count - 4));
        PopAnsweredRead();
        PostKey(payload);
        m_usbStaging.fill(kSpace);
        return;
    }
    m_model.DecodeReply(channel, staged);
    PopAnsweredRead();
    m_usbStaging.fill(kSpace);
    NotifyDecoded(channel);
}
