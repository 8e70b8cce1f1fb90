#include "core/dsp/fourier.h"

#include <cmath>
#include <numbers>

bool IsPowerOfTwo(unsigned n) {
    return n >= 2 && (n & (n - 1)) == 0;
}

unsigned NumberOfBitsNeeded(unsigned n) {
    if (n == 0) {
        return 0;
    }
    unsigned bits = 0;
    while ((n & (1u << bits)) == 0) {
        ++bits;
    }
    return bits;
}

unsigned ReverseBits(unsigned index, unsigned bits) {
    unsigned rev = 0;
    for (unsigned i = 0; i < bits; ++i) {
        rev = (rev << 1) | (index & 1);
        index >>= 1;
    }
    return rev;
}

double IndexToFrequency(unsigned n, unsigned index, double rate) {
    if (index >= n) {
        return 0;
    }
    if (index > n / 2) {
        return -static_cast<double>(n - index) / n * rate;
    }
    return static_cast<double>(index) / n * rate;
}

bool FftDouble(bool inverse, std::span<const double> realIn, std::span<const double> imagIn,
               std::span<double> realOut, std::span<double> imagOut) {
    const std::size_t n = realIn.size();
    if (n > 0xFFFFFFFFu || !IsPowerOfTwo(static_cast<unsigned>(n)) || realOut.size() < n ||
        imagOut.size() < n || (!imagIn.empty() && imagIn.size() < n)) {
        return false;
    }
    // Bit-reversed copy: j runs through ReverseBits(i, log2 n) by adding 1 at the top bit
    // and carrying downwards.
    std::size_t j = 0;
    for (std::size_t i = 0; i < n; ++i) {
        realOut[j] = realIn[i];
        imagOut[j] = imagIn.empty() ? 0.0 : imagIn[i];
        std::size_t bit = n >> 1;
        while (bit != 0 && (j & bit) != 0) {
            j ^= bit;
            bit >>= 1;
        }
        j |= bit;
    }

    const double angle = inverse ? -2 * std::numbers::pi : 2 * std::numbers::pi;
    std::size_t blockEnd = 1;
    for (std::size_t blockSize = 2; blockSize <= n; blockSize <<= 1) {
        const double delta = angle / static_cast<double>(blockSize);
        const double sm2 = std::sin(-2 * delta);
        const double sm1 = std::sin(-delta);
        const double cm2 = std::cos(-2 * delta);
        const double cm1 = std::cos(-delta);
        const double w = 2 * cm1;
        for (std::size_t i = 0; i < n; i += blockSize) {
            double ar2 = cm2, ar1 = cm1, ai2 = sm2, ai1 = sm1;
            for (std::size_t j = i; j < i + blockEnd; ++j) {
                const double ar0 = w * ar1 - ar2;
                ar2 = ar1;
                ar1 = ar0;
                const double ai0 = w * ai1 - ai2;
                ai2 = ai1;
                ai1 = ai0;
                const std::size_t k = j + blockEnd;
                const double tr = ar0 * realOut[k] - ai0 * imagOut[k];
                const double ti = ar0 * imagOut[k] + ai0 * realOut[k];
                realOut[k] = realOut[j] - tr;
                imagOut[k] = imagOut[j] - ti;
                realOut[j] += tr;
                imagOut[j] += ti;
            }
        }
        blockEnd = blockSize;
    }

    if (inverse) {
        const auto scale = static_cast<double>(n);
        for (std::size_t i = 0; i < n; ++i) {
            realOut[i] /= scale;
            imagOut[i] /= scale;
        }
    }
    return true;
}
