#include "core/protocol/framebuilder.h"

#include <algorithm>
#include <vector>

std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) {
        return 0;
    }
    unsigned sum = bytes[0];
    for (std::size_t i = 3; i < bytes.size(); ++i) {
        sum += bytes[i];
    }
    return static_cast<std::uint8_t>(sum & 0xFF);
}

std::unique_ptr<CSendData> CFrameBuilder::MakeParamFrame(std::uint8_t op, std::uint8_t channel,
                                                         std::uint8_t param, std::int16_t value) {
    const auto raw = static_cast<std::uint16_t>(value);
    return MakeParamFrameBytes(op, channel, param, static_cast<std::uint8_t>(raw & 0xFF),
                               static_cast<std::uint8_t>(raw >> 8));
}

std::unique_ptr<CSendData> CFrameBuilder::MakeParamFrameBytes(std::uint8_t op, std::uint8_t channel,
                                                              std::uint8_t param, std::uint8_t lo,
                                                              std::uint8_t hi) {
    std::vector<std::uint8_t> frame = {
        kFrameSync, kFrameType, kParamFrameCount, op, channel, param, lo, hi, 0};
    frame[8] = FrameChecksum(std::span(frame).first(8));
    return std::make_unique<CSendData>(std::move(frame));
}

std::unique_ptr<CSendData> CFrameBuilder::MakeBlockFrame(std::uint8_t op, std::uint8_t channel,
                                                         std::uint8_t start,
                                                         std::span<const std::uint8_t> data,
                                                         int n) {
    const auto count = static_cast<std::size_t>(
        std::clamp(n, 0, std::min(kMaxBlockPayload, static_cast<int>(data.size()))));
    std::vector<std::uint8_t> frame;
    frame.reserve(count + 7);
    frame.insert(frame.end(), {kFrameSync, kFrameType, static_cast<std::uint8_t>(count + 4), op,
                               channel, start});
    frame.insert(frame.end(), data.begin(), data.begin() + static_cast<std::ptrdiff_t>(count));
    frame.push_back(FrameChecksum(frame));
    return std::make_unique<CSendData>(std::move(frame));
}
