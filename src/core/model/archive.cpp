#include "core/model/archive.h"

#include <bit>

void CArchive::Put(std::uint64_t bits, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        m_out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    }
}

std::uint64_t CArchive::Take(int bytes) {
    const auto n = static_cast<std::size_t>(bytes);
    if (m_bFailed || m_in.size() - m_nPos < n) {
        m_bFailed = true;
        return 0;
    }
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < n; ++i) {
        bits |= static_cast<std::uint64_t>(m_in[m_nPos + i]) << (8 * i);
    }
    m_nPos += n;
    return bits;
}

void CArchive::Exchange(std::int16_t& v) {
    if (m_bLoading) {
        v = static_cast<std::int16_t>(static_cast<std::uint16_t>(Take(2)));
    } else {
        Put(static_cast<std::uint16_t>(v), 2);
    }
}

void CArchive::Exchange(std::int32_t& v) {
    if (m_bLoading) {
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(Take(4)));
    } else {
        Put(static_cast<std::uint32_t>(v), 4);
    }
}

void CArchive::Exchange(double& v) {
    if (m_bLoading) {
        v = std::bit_cast<double>(Take(8));
    } else {
        Put(std::bit_cast<std::uint64_t>(v), 8);
    }
}
