// Display-only magnitude responses of the unit's filters, modelled as biquad and first-order
// digital sections at 192 kHz and evaluated on the 361-point frequency grid (whose last point
// is taken as 20000 Hz). Nothing here is sent to the unit.
#pragma once

#include <array>
#include <complex>
#include <span>

#include "core/dsp/frequencygrid.h"

inline constexpr double kResponseSampleRate = 192000.0;

// Three coefficients: a denominator (1, a1, a2) or a numerator (b0, b1, b2).
using Coeffs = std::array<double, 3>;
using ResponseDb = std::array<double, kFreqCount>;

enum BiquadType {
    kBiquadAllPass = 0,
    kBiquadHighPass = 1,
    kBiquadLowPass = 2,
    kBiquadPeaking = 3,
    kBiquadLowShelf = 4,
    kBiquadHighShelf = 5,
};
inline constexpr int kFirstOrderHighPass = 1;
inline constexpr int kFirstOrderLowPass = 2;

// Crossover families.
inline constexpr int kFamilyBessel = 0;
inline constexpr int kFamilyButterworth = 1;
inline constexpr int kFamilyLinkwitzRiley = 2;

// Biquad of type 0-5 (an unknown type gives the pass-through section 1, 0, 0 / 1, 0, 0).
void DesignBiquad(int type, double f0, double q, double gainDb, Coeffs& den, Coeffs& num);
// First-order section by the prewarped bilinear transform; kind 1 high-pass, 2 low-pass; any
// other kind leaves den and num untouched.
void DesignFirstOrder(int kind, double f0, Coeffs& den, Coeffs& num);
// H(w) = B/A at the 361 grid points.
void EvaluateResponse(const Coeffs& den, const Coeffs& num,
                      std::span<std::complex<double>, kFreqCount> out);
// Adds 20 log10 |H| of one section to `acc`, point by point.
void AccumulateSectionDb(const Coeffs& den, const Coeffs& num, ResponseDb& acc);

// Grid frequency of point i in Hz (the frequency table, last point 20000).
double ResponseGridHz(int i);

// Crossover cascade: filter order 1, 2, 3, 4, 6, 8 for slope step 0-5 (clamped).
int CrossoverOrder(int slopeStep);
// Q of second-order stage `stage` of a family (0-2, clamped) at an order; 0 where the
// combination has no such stage.
double CrossoverStageQ(int family, int order, int stage);
// Magnitude of a crossover at cornerHz: second-order stages (Q from the family table, or
// variableQ for every stage when useVariableQ), then a first-order section for order 1 or 3.
void CrossoverResponse(bool highPass, double cornerHz, int family, int slopeStep, bool useVariableQ,
                       double variableQ, ResponseDb& out);
