// Byte archive of the parameter file: the model's records serialize themselves through it,
// little-endian, with no tags or counts. A storing archive appends to its buffer; a loading
// archive reads from the bytes it was given and, once it runs short, reads zeros and reports
// Failed() (callers check the length first so that a short file never half-loads).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CArchive {
public:
    // A storing archive.
    CArchive() = default;
    // A loading archive over `bytes` (which must outlive it).
    explicit CArchive(std::span<const std::uint8_t> bytes) : m_in(bytes), m_bLoading(true) {}

    bool IsStoring() const { return !m_bLoading; }
    bool IsLoading() const { return m_bLoading; }
    bool Failed() const { return m_bFailed; }
    const std::vector<std::uint8_t>& Bytes() const { return m_out; }
    std::size_t Position() const { return m_nPos; }

    // Stores the value, or loads into it, depending on the direction.
    void Exchange(std::int16_t& v);
    void Exchange(std::int32_t& v);
    void Exchange(double& v);

private:
    void Put(std::uint64_t bits, int bytes);
    std::uint64_t Take(int bytes);

    std::span<const std::uint8_t> m_in;
    std::vector<std::uint8_t> m_out;
    std::size_t m_nPos = 0;
    bool m_bLoading = false;
    bool m_bFailed = false;
};
