#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

struct BiquadCoefficients;

// A filter coefficient as the processor takes it: 24-bit two's complement with 22 fraction bits
// (1.0 = 0x400000), held in the low 24 bits of an int32.
using CoefficientWord = std::int32_t;
// One band's section, W0..W4 in wire order: b2, b1, b0, -a2, -a1, each divided by a0.
using CoefficientSet = std::array<CoefficientWord, 5>;

inline constexpr double kCoefficientWordScale = 4194304.0;  // 2^22
inline constexpr CoefficientWord kCoefficientWordMax = 0x7FFFFF;
inline constexpr CoefficientWord kCoefficientWordMin = 0x800000;  // -2.0

// trunc(ratio * 4194304) in 24 bits. A ratio outside -2.0 .. just below 2.0 saturates instead
// of wrapping to the opposite sign; NaN gives 0.
CoefficientWord MakeCoefficientWord(double ratio);

CoefficientSet MakeCoefficientSet(const BiquadCoefficients& section);

// The words of parametric band `index` of `group` as the processor receives them: the band is
// designed with its frequency, gain and Q brought into range first, so that no stored value can
// turn into a muted or unstable section.
CoefficientSet BandCoefficientSet(const FilterParams& band, EqGroup group, int index);

// The words of a parametric band at 0 dB (Q 1.0 at the band's reset frequency), sent when a
// parametric channel is reset. A band outside 0..9 gives the pass-through set.
CoefficientSet FlatCoefficientSet(EqGroup group, int band);

// The 15 bytes of a set on the wire: W0 high, middle, low, W1 high, ..., W4 low.
std::array<std::uint8_t, 15> CoefficientBytes(const CoefficientSet& set);
