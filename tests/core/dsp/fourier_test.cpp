#include "core/dsp/fourier.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

TEST(Fourier, Helpers) {
    EXPECT_FALSE(IsPowerOfTwo(0));
    EXPECT_FALSE(IsPowerOfTwo(1));
    EXPECT_TRUE(IsPowerOfTwo(2));
    EXPECT_TRUE(IsPowerOfTwo(8192));
    EXPECT_FALSE(IsPowerOfTwo(8191));
    EXPECT_EQ(NumberOfBitsNeeded(8192), 13u);
    EXPECT_EQ(NumberOfBitsNeeded(2), 1u);
    EXPECT_EQ(ReverseBits(1, 3), 4u);
    EXPECT_EQ(ReverseBits(6, 3), 3u);
    EXPECT_EQ(ReverseBits(1, 13), 4096u);
    EXPECT_EQ(IndexToFrequency(8, 2, 800), 200.0);
    EXPECT_EQ(IndexToFrequency(8, 4, 800), 400.0);
    EXPECT_EQ(IndexToFrequency(8, 6, 800), -200.0);
    EXPECT_EQ(IndexToFrequency(8, 8, 800), 0.0);
}

TEST(Fourier, SineLandsInItsBin) {
    constexpr int n = 8192;
    constexpr int bin = 100;
    std::vector<double> x(n), re(n), im(n);
    for (int i = 0; i < n; ++i)
        x[i] = 1000 * std::sin(2 * std::numbers::pi * bin * i / n);
    ASSERT_TRUE(FftDouble(false, x, {}, re, im));
    for (int k = 0; k < n; ++k) {
        const double m = std::hypot(re[k], im[k]);
        if (k == bin || k == n - bin) {
            EXPECT_NEAR(m, 1000.0 * n / 2, 1e-3) << k;
        } else {
            ASSERT_LT(m, 1e-3) << k;  // the twiddle recurrence leaves ~1e-11 of the peak
        }
    }
}

TEST(Fourier, InverseRestoresTheInput) {
    constexpr int n = 64;
    std::vector<double> x(n), y(n), re(n), im(n), backRe(n), backIm(n);
    for (int i = 0; i < n; ++i) {
        x[i] = std::cos(i * 0.3) + i % 5;
        y[i] = i % 3 - 1.0;
    }
    ASSERT_TRUE(FftDouble(false, x, y, re, im));
    ASSERT_TRUE(FftDouble(true, re, im, backRe, backIm));
    for (int i = 0; i < n; ++i) {
        ASSERT_NEAR(backRe[i], x[i], 1e-12);
        ASSERT_NEAR(backIm[i], y[i], 1e-12);
    }
    // A two-point transform by hand: sum and difference.
    const std::vector<double> two = {3, 1};
    std::vector<double> r2(2), i2(2);
    ASSERT_TRUE(FftDouble(false, two, {}, r2, i2));
    EXPECT_NEAR(r2[0], 4, 1e-12);
    EXPECT_NEAR(r2[1], 2, 1e-12);
}

TEST(Fourier, ImpulseAtOneGivesTheTwiddleSequence) {
    // x = delta(n - 1): X_k = e^{+2 pi j k / n} with this transform's sign convention, so the
    // bit-reversed copy and every butterfly stage are exercised.
    constexpr int n = 16;
    std::vector<double> x(n), re(n), im(n);
    x[1] = 1;
    ASSERT_TRUE(FftDouble(false, x, {}, re, im));
    for (int k = 0; k < n; ++k) {
        EXPECT_NEAR(re[k], std::cos(2 * std::numbers::pi * k / n), 1e-12) << k;
        EXPECT_NEAR(im[k], std::sin(2 * std::numbers::pi * k / n), 1e-12) << k;
    }
}

TEST(Fourier, BadArgumentsComputeNothing) {
    std::vector<double> x(12, 1.0), out(16, 7.0), outIm(16, 7.0), small(4);
    EXPECT_FALSE(FftDouble(false, x, {}, out, outIm));  // not a power of two
    EXPECT_FALSE(FftDouble(false, std::vector<double>(1, 1.0), {}, out, outIm));
    EXPECT_FALSE(FftDouble(false, std::vector<double>(16, 1.0), {}, small, outIm));
    EXPECT_FALSE(FftDouble(false, std::vector<double>(16, 1.0), small, out, outIm));
    for (double v : out)
        EXPECT_EQ(v, 7.0);
}

}  // namespace
