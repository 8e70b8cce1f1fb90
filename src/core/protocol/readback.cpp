#include "core/protocol/readback.h"

#include <algorithm>

#include "core/model/audiodata.h"
#include "core/protocol/blocklayout.h"
#include "core/protocol/framebuilder.h"
#include "core/protocol/linkstate.h"

namespace {
constexpr int kMicOutAutoWord = 2;
constexpr int kMicOutSceneWord = 3;

// Payload bytes of a reply that may be decoded: byte 2 counts them plus 4, and the frame must
// hold them before its checksum byte.
int PayloadBytes(std::span<const std::uint8_t> frame) {
    if (frame.size() < kBlockHeaderLength + 1) {
        return 0;
    }
    const int declared = frame[2] - 4;
    const int carried = static_cast<int>(frame.size()) - kBlockHeaderLength - 1;
    return std::max(0, std::min(declared, carried));
}
}  // namespace

void DecodeReply(CAudioData& model, std::uint8_t channel, std::span<const std::uint8_t> frame) {
    const int bytes = PayloadBytes(frame);
    const auto payload = frame.subspan(kBlockHeaderLength, static_cast<std::size_t>(bytes));
    DeviceImage& image = model.Image();
    if (channel == kChSystem) {
        const auto system = image.SystemBytes();
        std::copy_n(payload.begin(), std::min(payload.size(), system.size()), system.begin());
        return;
    }
    const auto words = image.Words(channel);
    const std::size_t count = std::min(words.size(), payload.size() / 2);
    for (std::size_t i = 0; i < count; ++i) {
        words[i] = static_cast<std::int16_t>(payload[2 * i] | (payload[2 * i + 1] << 8));
    }
}

int SelectedOutputScene(int autoMode, int activeScene) {
    return autoMode == 1 ? 0 : activeScene;
}

bool PanelLocked(const DeviceImage& image) {
    return image.SystemWord(kSysPanelLockWord) == 1;
}

ReadBackResult ApplyReadBack(CAudioData& model) {
    model.LoadAllFromImage(model.Image());
    model.SetAllChanged(0);
    const DeviceImage& image = model.Image();
    ReadBackResult result;
    result.outScene = SelectedOutputScene(image.Word(kChMic, kMicOutAutoWord),
                                          image.Word(kChMic, kMicOutSceneWord));
    result.panelLocked = PanelLocked(image);
    return result;
}

void ApplyVolumes(CAudioData& model, CLinkState& state) {
    state.uploadConfirm = 0;
    model.Volume().LoadFromImage(model.Image());
    model.Volume().SetAllChanged(0);
}

bool ApplyKeyReport(CAudioData& model, std::int16_t value) {
    CAudioMusicData& music = model.Music();
    if (value == music.GetLastKeyShown()) {
        return false;
    }
    music.SetKeyShift(value);
    music.ClearChanged(CAudioMusicData::kKeyShift);
    music.SetLastKeyShown(value);
    return true;
}
