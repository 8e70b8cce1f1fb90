#include "simunit.h"

#include <algorithm>

#include "core/model/audiodata.h"
#include "core/model/deviceimage.h"
#include "core/model/eq.h"
#include "core/model/parametercheck.h"
#include "core/protocol/framebuilder.h"
#include "core/protocol/systemcommands.h"

namespace {
constexpr std::uint8_t kGarbageByte = 0x5A;
constexpr int kMaxFrame = kBlockHeaderLength + kMaxBlockPayload + 1;
constexpr int kMicOutAutoWord = 2;
constexpr int kMicOutSceneWord = 3;

using Frame = std::vector<std::uint8_t>;

struct BandLayout {
    OwnerKind kind;  // owner kind of the channel's band set
    int first;       // word of band 0's gain
    int count;       // parametric bands; 0 for a channel without
};

BandLayout BandsOf(int channel) {
    const std::optional<OwnerKind> kind = OwnerKindOfChannel(channel);
    if (!kind) {
        return {OwnerKind::Music, 0, 0};
    }
    return {*kind, OwnerBandBase(*kind), static_cast<int>(CEQ::InitialFrequencies(*kind).size())};
}

void PutWord(std::span<std::uint8_t> bytes, int word, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    bytes[static_cast<std::size_t>(2 * word)] = static_cast<std::uint8_t>(u & 0xFF);
    bytes[static_cast<std::size_t>(2 * word + 1)] = static_cast<std::uint8_t>(u >> 8);
}

std::int16_t GetWord(std::span<const std::uint8_t> bytes, int word) {
    const auto i = static_cast<std::size_t>(2 * word);
    return static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8));
}

Frame Status(std::uint8_t code) {
    return {kStatusByte, code};
}

// Values a working unit could hold, different from a fresh editor model.
std::vector<std::int16_t> PatternBlock(int channel) {
    std::vector<std::int16_t> words(static_cast<std::size_t>(BlockWords(channel)));
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = static_cast<std::int16_t>((channel * 7 + static_cast<int>(i) * 3) % 9 + 1);
    }
    const BandLayout bands = BandsOf(channel);
    const int bandWords =
        channel >= kChMainOut ? (static_cast<int>(words.size()) - 17) / 5 : bands.count;
    for (int k = 0; k < bandWords; ++k) {
        auto band = std::span(words).subspan(static_cast<std::size_t>(bands.first + 5 * k), 5);
        band[0] = static_cast<std::int16_t>(110 + 3 * k + channel);  // gain
        band[1] = static_cast<std::int16_t>(12 + k);                 // Q
        band[2] = 4;                                                 // slope
        band[3] = 0;                                                 // peaking
        band[4] = static_cast<std::int16_t>(std::min(360, 30 + 23 * k + channel));
    }
    if (channel == kChVolume) {
        words = {24, 18, 35, 80, 76, 70, 0};
    } else if (channel == kChToneLimits) {
        for (std::size_t g = 0; g < 6; ++g) {
            words[3 * g] = static_cast<std::int16_t>(170 - g);
            words[3 * g + 1] = static_cast<std::int16_t>(100 + g);
            words[3 * g + 2] = static_cast<std::int16_t>(80 + g);
        }
    } else if (channel == kChMic) {
        words[kMicOutAutoWord] = 0;
        words[kMicOutSceneWord] = 1;
    }
    return words;
}

// The pattern with every word the editor's pages set brought into the range its page allows,
// so that a backup of this unit is a file the editor accepts.
std::array<std::vector<std::int16_t>, kBlockChannels> PlausibleBlocks() {
    std::array<std::vector<std::int16_t>, kBlockChannels> blocks;
    CAudioData model;
    for (int ch = 0; ch < kBlockChannels; ++ch) {
        blocks[static_cast<std::size_t>(ch)] = PatternBlock(ch);
        std::copy(blocks[static_cast<std::size_t>(ch)].begin(),
                  blocks[static_cast<std::size_t>(ch)].end(), model.Image().Words(ch).begin());
    }
    model.LoadAllFromImage(model.Image());
    ClampToAllowedRanges(model);
    // A unit fresh from the factory has every equaliser in circuit.
    for (int ch = kChMusic; ch <= kChSub + 1; ++ch) {
        model.EqRecordOfChannel(ch)->SetEqBypass(0);
    }
    model.StoreAllToImage(model.Image());
    for (int ch = 0; ch <= kChToneLimits; ++ch) {
        const auto words = model.Image().Words(ch);
        std::copy(words.begin(), words.end(), blocks[static_cast<std::size_t>(ch)].begin());
    }
    return blocks;
}
}  // namespace

CSimUnit::CSimUnit(SimOptions options) : m_options(std::move(options)) {
    const auto blocks = PlausibleBlocks();
    std::copy(blocks.begin(), blocks.end(), m_blocks.begin());
    for (int m = 0; m < kModeCount; ++m) {
        auto& mode = m_modes[static_cast<std::size_t>(m)];
        mode = m_blocks;
        mode[kChMusic][2] = static_cast<std::int16_t>(3 + m);  // each mode its own key
        const std::string name = "Mode " + std::to_string(m + 1);
        auto field = std::span(m_system).subspan(static_cast<std::size_t>(2 + kModeNameLength * m),
                                                 kModeNameLength);
        std::fill(field.begin(), field.end(), ' ');
        std::copy(name.begin(), name.end(), field.begin());
    }
    PutWord(m_system, 0, 0);
    PutWord(m_system, kSysOutAutoWord, m_blocks[kChMic][kMicOutAutoWord]);
    PutWord(m_system, kSysOutSceneWord, m_blocks[kChMic][kMicOutSceneWord]);
    const std::string password = m_options.lockPassword.empty() ? "1234" : m_options.lockPassword;
    for (std::size_t i = 0; i < 4; ++i) {
        m_system[kSysPasswordByte + i] =
            static_cast<std::uint8_t>(i < password.size() ? password[i] : '0');
    }
    PutWord(m_system, kSysPanelLockWord, m_options.lockPassword.empty() ? 0 : 1);
    m_bluetoothName.fill(' ');
    const std::string bt = "TQ640V";
    std::copy(bt.begin(), bt.end(), m_bluetoothName.begin());
}

std::span<std::int16_t> CSimUnit::Block(int channel) {
    if (channel < 0 || channel >= kBlockChannels) {
        return {};
    }
    return m_blocks[static_cast<std::size_t>(channel)];
}

std::span<const std::int16_t> CSimUnit::Block(int channel) const {
    if (channel < 0 || channel >= kBlockChannels) {
        return {};
    }
    return m_blocks[static_cast<std::size_t>(channel)];
}

std::span<std::int16_t> CSimUnit::StoredBlock(int mode, int channel) {
    if (mode < 0 || mode >= kModeCount || channel < 0 || channel >= kBlockChannels) {
        return {};
    }
    return m_modes[static_cast<std::size_t>(mode)][static_cast<std::size_t>(channel)];
}

std::span<const std::int16_t> CSimUnit::StoredBlock(int mode, int channel) const {
    return const_cast<CSimUnit*>(this)->StoredBlock(mode, channel);
}

void CSimUnit::SetBluetoothName(std::span<const std::uint8_t> name) {
    m_bluetoothName.fill(' ');
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), kModeNameLength),
                m_bluetoothName.begin());
}

int CSimUnit::ModeIndex() const {
    return GetWord(m_system, 0);
}

int CSimUnit::PanelLock() const {
    return GetWord(m_system, kSysPanelLockWord);
}

std::string CSimUnit::Password() const {
    return std::string(m_system.begin() + kSysPasswordByte,
                       m_system.begin() + kSysPasswordByte + 4);
}

std::vector<std::uint8_t> CSimUnit::OnStreamBytes(std::span<const std::uint8_t> bytes) {
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    std::vector<std::uint8_t> out;
    // A bad frame counts once; the stray bytes skipped after it belong to it.
    bool skipping = false;
    auto skip = [&](std::size_t n, bool badFrame) {
        if (badFrame || !skipping) {
            ++m_counters.malformed;
        }
        skipping = true;
        Log(Event::kMalformed, std::span(m_pending).first(n));
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(n));
    };
    while (!m_pending.empty()) {
        const auto sync = std::find(m_pending.begin(), m_pending.end(), kFrameSync);
        if (sync != m_pending.begin()) {
            skip(static_cast<std::size_t>(sync - m_pending.begin()), false);
            continue;
        }
        if (m_pending.size() < 3) {
            break;
        }
        const int length = m_pending[2] + 3;
        if (m_pending[1] != kFrameType || m_pending[2] < 4 || length > kMaxFrame) {
            skip(1, true);
            continue;
        }
        if (static_cast<int>(m_pending.size()) < length) {
            break;
        }
        const auto frame = std::span(m_pending).first(static_cast<std::size_t>(length));
        if (FrameChecksum(frame.first(frame.size() - 1)) != frame.back()) {
            skip(1, true);
            continue;
        }
        skipping = false;
        for (const Frame& answer : Answer(frame, false)) {
            out.insert(out.end(), answer.begin(), answer.end());
        }
        m_pending.erase(m_pending.begin(), m_pending.begin() + length);
    }
    return out;
}

std::vector<SimReport> CSimUnit::OnUsbReport(std::span<const std::uint8_t> report) {
    std::vector<SimReport> out;
    const int length = report.size() >= 3 ? report[2] + 3 : 0;
    if (report.size() < 3 || report[0] != kFrameSync || report[1] != kFrameType || report[2] < 4 ||
        length > static_cast<int>(report.size()) ||
        FrameChecksum(report.first(static_cast<std::size_t>(length - 1))) !=
            report[static_cast<std::size_t>(length - 1)]) {
        ++m_counters.malformed;
        Log(Event::kMalformed, report);
        return out;
    }
    for (const Frame& answer : Answer(report.first(static_cast<std::size_t>(length)), true)) {
        SimReport r{};
        std::copy_n(answer.begin(), std::min<std::size_t>(answer.size(), r.size()), r.begin());
        out.push_back(r);
    }
    return out;
}

std::vector<Frame> CSimUnit::Answer(std::span<const std::uint8_t> frame, bool usb) {
    ++m_counters.framesReceived;
    Log(Event::kReceived, frame);
    if (m_options.silent) {
        return {};
    }
    if (m_options.dropEvery > 0 && m_counters.framesReceived % m_options.dropEvery == 0) {
        ++m_counters.dropped;
        return {};
    }
    const std::uint8_t op = frame[3];
    const std::uint8_t channel = frame[4];
    const std::uint8_t param = frame[5];
    const bool paramFrame = frame.size() == kParamFrameLength && frame[2] == kParamFrameCount;
    std::string why;
    std::vector<Frame> answer;
    if (op == kOpRead && channel == kChSystem && param == kSysCmdReadRequest && paramFrame) {
        answer = AnswerRead(frame[6], frame[7], usb, why);
    } else if (op == kOpWrite && channel == kChSystem && param == kSysCmdProbe) {
        if (paramFrame && GetWord(frame.subspan(6), 0) == kProbeValue) {
            answer = {Status(m_options.refuse ? kStatusDd : kStatusCc)};
        } else {
            why = "a connection probe carries 17";
        }
    } else if (op == kOpWrite) {
        if (ApplyWrite(frame, why)) {
            answer = {Status(kStatusCc)};
        }
    } else if (op == kOpRead) {
        why = "the one read is the read request: channel 30, parameter 16, a 9-byte frame";
    } else {
        why = "no command has operation byte " + std::to_string(op);
    }
    if (!why.empty()) {
        ++m_counters.rejected;
        Log(Event::kRejected, frame, why);
        answer = {Status(kStatusBb)};
    }
    return Deliver(std::move(answer));
}

std::vector<Frame> CSimUnit::Deliver(std::vector<Frame> answers) {
    for (Frame& answer : answers) {
        ++m_counters.repliesSent;
        if (m_options.garbageEvery > 0 && m_counters.repliesSent % m_options.garbageEvery == 0) {
            ++m_counters.garbled;
            std::fill(answer.begin(), answer.end(), kGarbageByte);
        }
        Log(Event::kSent, answer);
    }
    return answers;
}

void CSimUnit::Log(Event event, std::span<const std::uint8_t> bytes, std::string_view why) {
    if (m_logger) {
        m_logger(event, bytes, why);
    }
}

std::vector<Frame> CSimUnit::AnswerRead(int channel, int start, bool usb, std::string& why) const {
    if (channel == kChKey) {
        return {BlockReply(kChKey, 0, 1)};
    }
    const int words = BlockWords(channel);
    if (words == 0) {
        why = "channel " + std::to_string(channel) + " has no block to read";
        return {};
    }
    if (!usb && start == 0) {
        return {BlockReply(channel, 0, words)};
    }
    if (!IsChunk(channel, start)) {
        why = "no chunk of channel " + std::to_string(channel) + " starts at word " +
              std::to_string(start);
        return {};
    }
    return {BlockReply(channel, start, ChunkWords(channel, start))};
}

Frame CSimUnit::BlockReply(int channel, int start, int words) const {
    Frame payload(static_cast<std::size_t>(2 * words));
    for (int i = 0; i < words; ++i) {
        std::int16_t v = 0;
        if (channel == kChKey) {
            v = Key();
        } else if (channel == kChSystem) {
            v = GetWord(m_system, start + i);
        } else {
            v = Block(channel)[static_cast<std::size_t>(start + i)];
        }
        PutWord(payload, i, v);
    }
    auto frame = CFrameBuilder::MakeBlockFrame(kOpRead, static_cast<std::uint8_t>(channel),
                                               static_cast<std::uint8_t>(start), payload,
                                               static_cast<int>(payload.size()));
    return {frame->Bytes().begin(), frame->Bytes().end()};
}

bool CSimUnit::ApplyWrite(std::span<const std::uint8_t> frame, std::string& why) {
    const std::uint8_t channel = frame[4];
    const int start = frame[5];
    const auto payload = frame.subspan(kBlockHeaderLength, static_cast<std::size_t>(frame[2] - 4));
    if (channel == kChSystem) {
        return ApplySystemWrite(start, payload,
                                payload.size() == 2 ? GetWord(payload, 0) : std::int16_t{0}, why);
    }
    if (channel == kChEqReset) {
        if (payload.size() != 2 || GetWord(payload, 0) != 1 || BandsOf(start).count == 0) {
            why = "an equaliser reset names a channel with bands (0-8) and carries 1";
            return false;
        }
        ResetEqualiser(start);
        return true;
    }
    auto block = Block(channel);
    const int words = static_cast<int>(payload.size() / 2);
    if (block.empty()) {
        why = "channel " + std::to_string(channel) + " has no block to write";
        return false;
    }
    if (payload.size() % 2 != 0 || start + words > static_cast<int>(block.size())) {
        why = "words " + std::to_string(start) + " to " + std::to_string(start + words - 1) +
              " are not all in channel " + std::to_string(channel) + "'s block of " +
              std::to_string(block.size()) + " words";
        return false;
    }
    for (int i = 0; i < words; ++i) {
        block[static_cast<std::size_t>(start + i)] = GetWord(payload, i);
    }
    if (channel == kChMic) {
        // The output section state is also kept in the system block.
        PutWord(m_system, kSysOutAutoWord, block[kMicOutAutoWord]);
        PutWord(m_system, kSysOutSceneWord, block[kMicOutSceneWord]);
    }
    return true;
}

bool CSimUnit::ApplySystemWrite(int param, std::span<const std::uint8_t> payload,
                                std::int16_t value, std::string& why) {
    switch (param) {
        case kSysCmdSelectMode:
            if (payload.size() != 2 || value < 0 || value >= kModeCount) {
                why = "a mode index is 0 to 6";
                return false;
            }
            m_blocks = m_modes[static_cast<std::size_t>(value)];
            PutWord(m_system, 0, value);
            PutWord(m_system, kSysOutAutoWord, m_blocks[kChMic][kMicOutAutoWord]);
            PutWord(m_system, kSysOutSceneWord, m_blocks[kChMic][kMicOutSceneWord]);
            return true;
        case kSysCmdSaveMode: {
            if (payload.size() != 1 + kModeNameLength || payload[0] >= kModeCount) {
                why = "a mode is saved as its index 0 to 6 and a 20-byte name";
                return false;
            }
            const int mode = payload[0];
            m_modes[static_cast<std::size_t>(mode)] = m_blocks;
            std::copy(payload.begin() + 1, payload.end(),
                      m_system.begin() + 2 + kModeNameLength * mode);
            return true;
        }
        case kSysCmdPanelLock:
            if (payload.size() != 2 || (value != 0 && value != 1)) {
                why = "the panel lock is 0 or 1";
                return false;
            }
            PutWord(m_system, kSysPanelLockWord, value);
            return true;
        case kSysCmdPassword:
            if (payload.size() != 4) {
                why = "a password is 4 bytes";
                return false;
            }
            std::copy(payload.begin(), payload.end(), m_system.begin() + kSysPasswordByte);
            return true;
        case kSysCmdBluetoothName:
            if (payload.size() != kModeNameLength) {
                why = "a Bluetooth name is 20 bytes";
                return false;
            }
            SetBluetoothName(payload);
            return true;
        case kSysCmdSlow:
            return true;
        default:
            why = "no system command " + std::to_string(param);
            return false;
    }
}

void CSimUnit::ResetEqualiser(int channel) {
    const BandLayout bands = BandsOf(channel);
    auto block = Block(channel);
    for (int k = 0; k < bands.count; ++k) {
        const auto words = CEQ::ResetBandWords(bands.kind, k);
        std::copy(words.begin(), words.end(), block.begin() + bands.first + kBandWordCount * k);
    }
}
