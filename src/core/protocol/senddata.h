// One outgoing frame: its bytes, and the pacing state the command engine keeps for it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CSendData {
public:
    explicit CSendData(std::vector<std::uint8_t> bytes) : m_data(std::move(bytes)) {}

    std::span<const std::uint8_t> Bytes() const { return m_data; }
    const std::uint8_t* Data() const { return m_data.data(); }
    int Length() const { return static_cast<int>(m_data.size()); }

    // Link ticks counted since the frame was last transmitted.
    int m_nTicks = 0;
    // 1: the frame must be (re)transmitted at the next tick.
    int m_bSendPending = 1;

private:
    std::vector<std::uint8_t> m_data;
};
