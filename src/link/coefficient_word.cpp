#include "link/coefficient_word.h"

#include <cmath>

#include "document/setup_correction.h"
#include "eq/biquad_designer.h"

namespace {

constexpr std::array<CoefficientSet, kPeqBandCount> kFlatSets = {{
    {0x3FB736, 0x80491D, 0x400000, 0xC048CA, 0x7FB6E3},  // 31.25 Hz
    {0x3F6EC0, 0x80928B, 0x400000, 0xC09140, 0x7F6D75},  // 62.5 Hz
    {0x3EDECC, 0x81265A, 0x400000, 0xC12134, 0x7ED9A6},  // 125 Hz
    {0x3DC2BF, 0x8251AC, 0x400000, 0xC23D41, 0x7DAE54},  // 250 Hz
    {0x3B99E6, 0x84B65B, 0x400000, 0xC4661A, 0x7B49A5},  // 500 Hz
    {0x3783C9, 0x89B23A, 0x400000, 0xC87C37, 0x764DC6},  // 1 kHz
    {0x3039DC, 0x944CAB, 0x400000, 0xCFC624, 0x6BB355},  // 2 kHz
    {0x24CE23, 0xAB2071, 0x400000, 0xDB31DD, 0x54DF8F},  // 4 kHz
    {0x18042B, 0xDB3ABC, 0x400000, 0xE7FBD5, 0x24C544},  // 8 kHz
    {0x1CC864, 0x3C654A, 0x400000, 0xE3379C, 0xC39AB6},  // 16 kHz
}};

// The SubWoofer group's band 3 sits at 200 Hz instead of 250 Hz.
constexpr CoefficientSet kFlatSubWooferBand3 = {0x3E33C1, 0x81D95D, 0x400000, 0xC1CC3F, 0x7E26A3};

constexpr CoefficientSet kPassThroughSet = {0, 0, 0x400000, 0, 0};

}  // namespace

CoefficientWord MakeCoefficientWord(double ratio) {
  if (std::isnan(ratio)) return 0;
  const double scaled = std::trunc(ratio * kCoefficientWordScale);
  if (scaled >= 8388607.0) return kCoefficientWordMax;
  if (scaled <= -8388608.0) return kCoefficientWordMin;
  return static_cast<CoefficientWord>(scaled) & 0xFFFFFF;
}

CoefficientSet MakeCoefficientSet(const BiquadCoefficients& s) {
  return {MakeCoefficientWord(s.b2 / s.a0), MakeCoefficientWord(s.b1 / s.a0),
          MakeCoefficientWord(s.b0 / s.a0), MakeCoefficientWord(-s.a2 / s.a0),
          MakeCoefficientWord(-s.a1 / s.a0)};
}

CoefficientSet BandCoefficientSet(const FilterParams& band, EqGroup group, int index) {
  BiquadDesigner designer;
  return MakeCoefficientSet(designer.Design(SetupCorrection::CorrectedPeqBand(band, group, index)));
}

CoefficientSet FlatCoefficientSet(EqGroup group, int band) {
  if (band < 0 || band >= kPeqBandCount) return kPassThroughSet;
  if (group == EqGroup::SubWoofer && band == 3) return kFlatSubWooferBand3;
  return kFlatSets[static_cast<std::size_t>(band)];
}

std::array<std::uint8_t, 15> CoefficientBytes(const CoefficientSet& set) {
  std::array<std::uint8_t, 15> bytes{};
  for (std::size_t i = 0; i < set.size(); ++i) {
    const auto w = static_cast<std::uint32_t>(set[i]);
    bytes[3 * i] = static_cast<std::uint8_t>((w >> 16) & 0xFF);
    bytes[3 * i + 1] = static_cast<std::uint8_t>((w >> 8) & 0xFF);
    bytes[3 * i + 2] = static_cast<std::uint8_t>(w & 0xFF);
  }
  return bytes;
}
