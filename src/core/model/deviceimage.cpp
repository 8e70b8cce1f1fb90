#include "core/model/deviceimage.h"

namespace {
bool ValidChannel(int ch) {
    return ch >= 0 && ch < kBlockChannels;
}
bool ValidWord(int ch, int word) {
    return ValidChannel(ch) && word >= 0 && word < kChannelWords[static_cast<std::size_t>(ch)];
}
bool ValidSlot(int ch, int slot) {
    return ValidChannel(ch) && slot >= 0 && slot < kPcWordCount;
}
std::size_t At(int i) {
    return static_cast<std::size_t>(i);
}
}  // namespace

std::span<std::int16_t> DeviceImage::Words(int ch) {
    if (!ValidChannel(ch)) {
        return {};
    }
    return std::span<std::int16_t>(blocks[At(ch)].words).first(At(kChannelWords[At(ch)]));
}

std::span<const std::int16_t> DeviceImage::Words(int ch) const {
    if (!ValidChannel(ch)) {
        return {};
    }
    return std::span<const std::int16_t>(blocks[At(ch)].words).first(At(kChannelWords[At(ch)]));
}

std::int16_t DeviceImage::Word(int ch, int word) const {
    return ValidWord(ch, word) ? blocks[At(ch)].words[At(word)] : std::int16_t{0};
}

void DeviceImage::SetWord(int ch, int word, std::int16_t v) {
    if (ValidWord(ch, word)) {
        blocks[At(ch)].words[At(word)] = v;
    }
}

std::int16_t DeviceImage::PcWord(int ch, int slot) const {
    return ValidSlot(ch, slot) ? blocks[At(ch)].pcWords[At(slot)] : std::int16_t{0};
}

void DeviceImage::SetPcWord(int ch, int slot, std::int16_t v) {
    if (ValidSlot(ch, slot)) {
        blocks[At(ch)].pcWords[At(slot)] = v;
    }
}

std::int16_t DeviceImage::SystemWord(int word) const {
    if (word < 0 || word >= kSystemBlockWords) {
        return 0;
    }
    const auto lo = static_cast<unsigned>(system[At(2 * word)]);
    const auto hi = static_cast<unsigned>(system[At(2 * word + 1)]);
    return static_cast<std::int16_t>(lo | (hi << 8));
}

void DeviceImage::SetSystemWord(int word, std::int16_t v) {
    if (word < 0 || word >= kSystemBlockWords) {
        return;
    }
    const auto u = static_cast<std::uint16_t>(v);
    system[At(2 * word)] = static_cast<std::uint8_t>(u & 0xFF);
    system[At(2 * word + 1)] = static_cast<std::uint8_t>(u >> 8);
}

std::span<std::uint8_t> DeviceImage::ModeName(int mode) {
    if (mode < 0 || mode >= kModeCount) {
        return {};
    }
    return SystemBytes().subspan(At(kSysModeNamesByte + kModeNameLength * mode), kModeNameLength);
}

std::span<const std::uint8_t> DeviceImage::ModeName(int mode) const {
    if (mode < 0 || mode >= kModeCount) {
        return {};
    }
    return SystemBytes().subspan(At(kSysModeNamesByte + kModeNameLength * mode), kModeNameLength);
}
