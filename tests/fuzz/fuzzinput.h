// A fuzz input read as a little program: operation bytes followed by their operands. Reading
// past the end yields zeros and empty pieces, so every input is a complete program.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

class CInput {
public:
    CInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::span<const std::uint8_t> Take(std::size_t n) {
        n = std::min(n, m_size - std::min(m_at, m_size));
        const auto piece = std::span(m_data + m_at, n);
        m_at += n;
        return piece;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};
