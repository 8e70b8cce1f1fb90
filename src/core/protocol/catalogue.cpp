#include "core/protocol/catalogue.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/model/audiodata.h"
#include "core/protocol/blocklayout.h"
#include "core/protocol/command.h"
#include "core/protocol/framebuilder.h"

namespace {
// Entries of a record's scan list besides plain word numbers.
constexpr int kScanHighPass = -1;
constexpr int kScanLowPass = -2;

using Frame = std::unique_ptr<CSendData>;

Frame Write(int channel, int param, std::int16_t value) {
    return CFrameBuilder::MakeParamFrame(kOpWrite, static_cast<std::uint8_t>(channel),
                                         static_cast<std::uint8_t>(param), value);
}

Frame TakeXover(CAudioData& model, int channel, CFilter* filter) {
    if (filter == nullptr || filter->m_bXoverFreqChanged == 0) {
        return nullptr;
    }
    filter->m_bXoverFreqChanged = 0;
    const int word = filter->XoverFreqWord();
    return Write(channel, word, model.Image().Word(channel, word));
}

Frame TakeField(CParamRecord& record, int channel, int word) {
    const int field = record.FieldAtWord(word);
    if (field < 0 || !record.IsChanged(field)) {
        return nullptr;
    }
    record.ClearChanged(field);
    return Write(channel, word, record.Get(field));
}

// One record: its listed words in order, then its bands (gain, Q, slope, type, frequency).
Frame TakeFromRecord(CAudioData& model, CEqRecord& record, std::span<const int> scan) {
    const int channel = record.Channel();
    CEQ& eq = record.GetEQ();
    // Most idle ticks find nothing: the field lookups are skipped when no field flag is up, and
    // the whole list when no crossover frequency changed either.
    const bool fieldsChanged = record.AnyChanged();
    const auto xoverChanged = [](const CFilter* f) {
        return f != nullptr && f->m_bXoverFreqChanged != 0;
    };
    const bool listChanged =
        fieldsChanged || xoverChanged(eq.GetHighPass()) || xoverChanged(eq.GetLowPass());
    for (int entry : listChanged ? scan : std::span<const int>()) {
        Frame frame = entry == kScanHighPass  ? TakeXover(model, channel, eq.GetHighPass())
                      : entry == kScanLowPass ? TakeXover(model, channel, eq.GetLowPass())
                      : fieldsChanged         ? TakeField(record, channel, entry)
                                              : nullptr;
        if (frame) {
            return frame;
        }
    }
    for (int k = 0; k < eq.GetBandCount(); ++k) {
        CFilter& band = eq.GetAt(k);
        if (!band.AnyBandWordChanged()) {
            continue;
        }
        for (int w = 0; w < kBandWordCount; ++w) {
            if (band.BandWordChanged(w)) {
                band.ClearBandWordChanged(w);
                const int word = band.BandWordBase() + w;
                return Write(channel, word, model.Image().Word(channel, word));
            }
        }
    }
    return nullptr;
}

Frame TakeWords(CParamRecord& record, int channel, int words) {
    if (!record.AnyChanged()) {
        return nullptr;
    }
    for (int word = 0; word < words; ++word) {
        if (Frame frame = TakeField(record, channel, word)) {
            return frame;
        }
    }
    return nullptr;
}

Frame TakeSystem(CAudioData& model) {
    CAudioSystemData& system = model.System();
    DeviceImage& image = model.Image();
    if (system.IsChanged(CAudioSystemData::kSaveMode)) {
        system.ClearChanged(CAudioSystemData::kSaveMode);
        const int mode = std::clamp(system.GetSelectedMode(), 0, kModeCount - 1);
        std::array<std::uint8_t, 1 + kModeNameLength> payload{};
        payload[0] = static_cast<std::uint8_t>(mode);
        const auto name = image.ModeName(mode);
        std::copy(name.begin(), name.end(), payload.begin() + 1);
        return CFrameBuilder::MakeBlockFrame(kOpWrite, kChSystem, kSysCmdSaveMode, payload,
                                             static_cast<int>(payload.size()));
    }
    if (system.IsChanged(CAudioSystemData::kPanelLock)) {
        system.ClearChanged(CAudioSystemData::kPanelLock);
        return Write(kChSystem, kSysCmdPanelLock, system.Get(CAudioSystemData::kPanelLock));
    }
    if (system.IsChanged(CAudioSystemData::kPassword)) {
        system.ClearChanged(CAudioSystemData::kPassword);
        const auto password = image.Password();
        return CFrameBuilder::MakeBlockFrame(kOpWrite, kChSystem, kSysCmdPassword, password,
                                             static_cast<int>(password.size()));
    }
    return nullptr;
}

constexpr std::array<int, 4> kMusicScan = {0, 2, 3, 4};
constexpr std::array<int, 6> kMicScan = {0, kScanHighPass, 2, 3, 4, 6};
constexpr std::array<int, 17> kEffectScan = {0,  1,  2,  3,  4,  5,  6,  7, 8,
                                             11, 12, 13, 14, 15, 16, 17, 19};
constexpr std::array<int, 17> kMainOutScan = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, kScanHighPass, kScanLowPass, 16};
constexpr std::array<int, 15> kCenterScan = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, kScanHighPass, kScanLowPass, 12, 13, 16};
constexpr std::array<int, 15> kSubScan = {
    0, 1, 2, 3, 8, 9, 10, 11, 12, 13, 4, 5, kScanHighPass, kScanLowPass, 16};

// Words of the block that a record's upload takes from the image.
std::vector<std::uint8_t> UploadPayload(CAudioData& model, int channel) {
    if (channel == kChVolume) {
        CAudioVolData& volume = model.Volume();
        for (int field = CAudioVolData::kMicVol; field <= CAudioVolData::kEffectVol; ++field) {
            model.Image().SetWord(channel, volume.FieldWord(field), volume.Get(field));
        }
    }
    const auto words = model.Image().Words(channel);
    std::vector<std::uint8_t> payload;
    payload.reserve(2 * words.size());
    for (std::int16_t w : words) {
        const auto u = static_cast<std::uint16_t>(w);
        payload.push_back(static_cast<std::uint8_t>(u & 0xFF));
        payload.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return payload;
}
}  // namespace

std::unique_ptr<CSendData> NextPendingFrame(CAudioData& model) {
    if (Frame f = TakeFromRecord(model, model.Music(), kMusicScan)) {
        return f;
    }
    if (Frame f = TakeFromRecord(model, model.Mic(), kMicScan)) {
        return f;
    }
    if (Frame f = TakeFromRecord(model, model.Echo(), kEffectScan)) {
        return f;
    }
    for (int scene = 0; scene < 2; ++scene) {
        if (Frame f = TakeFromRecord(model, model.MainOut(scene), kMainOutScan)) {
            return f;
        }
    }
    for (int scene = 0; scene < 2; ++scene) {
        if (Frame f = TakeFromRecord(model, model.Center(scene), kCenterScan)) {
            return f;
        }
    }
    for (int scene = 0; scene < 2; ++scene) {
        if (Frame f = TakeFromRecord(model, model.Sub(scene), kSubScan)) {
            return f;
        }
    }
    if (Frame f = TakeWords(model.ToneLimits(), kChToneLimits, BlockWords(kChToneLimits))) {
        return f;
    }
    if (Frame f = TakeWords(model.Volume(), kChVolume, CAudioVolData::kMaxEffectVol + 1)) {
        return f;
    }
    return TakeSystem(model);
}

std::unique_ptr<CSendData> MakeReadRequest(std::uint8_t channel) {
    return MakeReadRequestAt(channel, 0);
}

std::unique_ptr<CSendData> MakeReadRequestAt(std::uint8_t channel, std::uint8_t start) {
    return CFrameBuilder::MakeParamFrameBytes(kOpRead, kChSystem, kSysCmdReadRequest, channel,
                                              start);
}

std::unique_ptr<CSendData> MakeBlockUpload(CAudioData& model, std::uint8_t channel) {
    if (channel > kLastBlockChannel) {
        return nullptr;
    }
    const auto payload = UploadPayload(model, channel);
    return CFrameBuilder::MakeBlockFrame(kOpWrite, channel, 0, payload,
                                         static_cast<int>(payload.size()));
}

std::unique_ptr<CSendData> MakeChunkUpload(CAudioData& model, std::uint8_t channel,
                                           std::uint8_t start) {
    const int words = ChunkWords(channel, start);
    if (channel > kLastBlockChannel || words == 0) {
        return nullptr;
    }
    const auto payload = UploadPayload(model, channel);
    return CFrameBuilder::MakeBlockFrame(kOpWrite, channel, start,
                                         std::span(payload).subspan(2u * start), 2 * words);
}

std::unique_ptr<CSendData> MakeSelectMode(std::int16_t mode) {
    return Write(kChSystem, kSysCmdSelectMode, mode);
}

std::unique_ptr<CSendData> MakeConnectProbe() {
    return Write(kChSystem, kSysCmdProbe, kProbeValue);
}

std::unique_ptr<CSendData> MakeEqReset(std::uint8_t channel) {
    return Write(kChEqReset, channel, 1);
}

std::unique_ptr<CSendData> MakeBluetoothName(std::string_view name) {
    if (name.empty()) {
        return nullptr;
    }
    std::array<std::uint8_t, kModeNameLength> field{};
    field.fill(' ');
    std::copy_n(name.begin(), std::min(name.size(), field.size()), field.begin());
    return CFrameBuilder::MakeBlockFrame(kOpWrite, kChSystem, kSysCmdBluetoothName, field,
                                         static_cast<int>(field.size()));
}

void ReadAllSequence(CCommand& engine, bool chunked, int mode) {
    if (mode > 0) {
        engine.Enqueue(MakeSelectMode(static_cast<std::int16_t>(mode - 1)));
    }
    auto request = [&](std::uint8_t channel) {
        if (!chunked) {
            engine.Enqueue(MakeReadRequest(channel));
            return;
        }
        for (std::uint8_t start : ChunkStarts(channel)) {
            engine.Enqueue(MakeReadRequestAt(channel, start));
        }
    };
    for (int channel = 0; channel <= kLastBlockChannel; ++channel) {
        request(static_cast<std::uint8_t>(channel));
    }
    request(kChSystem);
}

void UploadAllSequence(CAudioData& model, CCommand& engine, CLinkState& state, bool chunked) {
    model.StoreAllToImage(model.Image());
    model.SetAllChanged(0);
    for (int channel = 0; channel <= kLastBlockChannel; ++channel) {
        const auto ch = static_cast<std::uint8_t>(channel);
        if (!chunked) {
            engine.Enqueue(MakeBlockUpload(model, ch));
            continue;
        }
        for (std::uint8_t start : ChunkStarts(channel)) {
            engine.Enqueue(MakeChunkUpload(model, ch, start));
        }
    }
    engine.Enqueue(MakeReadRequest(kChVolume));
    state.uploadConfirm = 1;
}
