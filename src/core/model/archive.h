// Byte archive of the parameter file: the model's records serialize themselves through it,
// little-endian, with no tags or counts. A storing archive appends to its buffer; a loading
// archive reads from the bytes it was given and, once it runs short, reads zeros and reports
// Failed() (callers check the length first so that a short file never half-loads). A verbatim
// loading archive asks the records to keep every value exactly as read, with none of the
// corrections a load normally makes, so that a file can be checked as it is.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class CArchive {
public:
    // A storing archive.
    CArchive() = default;
    // A loading archive over `bytes` (which must outlive it).
    enum class Load { kCorrected, kVerbatim };
    explicit CArchive(std::span<const std::uint8_t> bytes, Load load = Load::kCorrected)
        : m_in(bytes), m_bLoading(true), m_bVerbatim(load == Load::kVerbatim) {}

    bool IsStoring() const { return !m_bLoading; }
    bool IsLoading() const { return m_bLoading; }
    bool IsVerbatim() const { return m_bVerbatim; }
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
    bool m_bVerbatim = false;
    bool m_bFailed = false;
};
