// Radix-2 FFT over double arrays: inputs are copied to the outputs in bit-reversed order, then
// transformed in place with twiddle factors advanced by a three-term recurrence.
#pragma once

#include <span>

bool IsPowerOfTwo(unsigned n);
// Bits needed to index n points (log2 n for a power of two): the position of n's lowest set
// bit; 0 for n = 0.
unsigned NumberOfBitsNeeded(unsigned n);
// `index` with its lowest `bits` bits in reverse order.
unsigned ReverseBits(unsigned index, unsigned bits);
// Frequency of FFT bin `index` of n points at `rate`: 0 for index >= n, negative above n/2.
double IndexToFrequency(unsigned n, unsigned index, double rate);

// Transforms n = realIn.size() points (a power of two, at least 2). imagIn may be empty (zero
// imaginary input); otherwise it and both outputs must hold at least n values. The inverse
// transform divides every output by n. Returns false, computing nothing, on bad arguments.
bool FftDouble(bool inverse, std::span<const double> realIn, std::span<const double> imagIn,
               std::span<double> realOut, std::span<double> imagOut);
