#include "link/coefficient_word.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"

namespace {

// The flat rule written out on its own: a 0 dB peaking section at Q 1.0, K = 1 / tan(pi f / fs).
CoefficientSet FlatRule(double f) {
  const double k = 1.0 / std::tan(3.141592 * f / 44100.0);
  const double a0 = k * k + k + 1.0;
  const double a1 = 2.0 - 2.0 * k * k;
  const double a2 = k * k - k + 1.0;
  auto word = [](double x) { return static_cast<CoefficientWord>(std::trunc(x * 4194304.0)) & 0xFFFFFF; };
  return {word(a2 / a0), word(a1 / a0), word(a0 / a0), word(-a2 / a0), word(-a1 / a0)};
}

std::int32_t SignedValue(CoefficientWord w) { return (w & 0x800000) ? w - 0x1000000 : w; }

}  // namespace

TEST(CoefficientWord, EdgesOfTheWord) {
  EXPECT_EQ(MakeCoefficientWord(1.0), 0x400000);
  EXPECT_EQ(MakeCoefficientWord(-1.0), 0xC00000);
  EXPECT_EQ(MakeCoefficientWord(1.9999999), 0x7FFFFF);
  EXPECT_EQ(MakeCoefficientWord(-0.0000001), 0x000000);
  EXPECT_EQ(MakeCoefficientWord(0.0000001), 0x000000);
  EXPECT_EQ(MakeCoefficientWord(-2.0), 0x800000);
  EXPECT_EQ(MakeCoefficientWord(0.5), 0x200000);
  // Truncation toward zero on both sides: one step below 1.0 and one step above -1.0.
  EXPECT_EQ(MakeCoefficientWord(1.0 - 1.5 / 4194304.0), 0x3FFFFE);
  EXPECT_EQ(MakeCoefficientWord(-1.0 + 1.5 / 4194304.0), 0xC00002);
}

TEST(CoefficientWord, OutOfRangeSaturatesInsteadOfWrapping) {
  EXPECT_EQ(MakeCoefficientWord(2.0), 0x7FFFFF);
  EXPECT_EQ(MakeCoefficientWord(2.0000001), 0x7FFFFF);
  EXPECT_EQ(MakeCoefficientWord(3.5), 0x7FFFFF);
  EXPECT_EQ(MakeCoefficientWord(1.0e300), 0x7FFFFF);
  EXPECT_EQ(MakeCoefficientWord(std::numeric_limits<double>::infinity()), 0x7FFFFF);
  EXPECT_EQ(MakeCoefficientWord(-2.0000001), 0x800000);
  EXPECT_EQ(MakeCoefficientWord(-7.0), 0x800000);
  EXPECT_EQ(MakeCoefficientWord(-std::numeric_limits<double>::infinity()), 0x800000);
  EXPECT_EQ(MakeCoefficientWord(std::nan("")), 0);

  // A +12 dB band at 20 kHz with Q 0.2 passes the 12 dB rule yet has b0/a0 above 2: its W2 must
  // stay the largest positive word, not turn into a large negative one.
  BiquadDesigner designer;
  const BiquadCoefficients c = designer.Design(4, 20000.0f, 12.0f, 0.2f, 0, 0);
  ASSERT_GT(c.b0 / c.a0, 2.0);
  EXPECT_EQ(MakeCoefficientSet(c)[2], 0x7FFFFF);
}

TEST(CoefficientWord, SetTakesTheRatiosInWireOrder) {
  BiquadCoefficients c;
  c.b0 = 2.0;
  c.b1 = -1.0;
  c.b2 = 0.5;
  c.a0 = 4.0;
  c.a1 = -2.0;
  c.a2 = 1.0;
  const CoefficientSet set = MakeCoefficientSet(c);
  EXPECT_EQ(set[0], 0x080000);  // b2/a0 = 0.125
  EXPECT_EQ(set[1], 0xF00000);  // b1/a0 = -0.25
  EXPECT_EQ(set[2], 0x200000);  // b0/a0 = 0.5
  EXPECT_EQ(set[3], 0xF00000);  // -a2/a0 = -0.25
  EXPECT_EQ(set[4], 0x200000);  // -a1/a0 = 0.5
  // The pass-through section the designer gives for an unknown type.
  EXPECT_EQ(MakeCoefficientSet(BiquadCoefficients{}), (CoefficientSet{0, 0, 0x400000, 0, 0}));

  EXPECT_EQ(CoefficientBytes(set),
            (std::array<std::uint8_t, 15>{0x08, 0x00, 0x00, 0xF0, 0x00, 0x00, 0x20, 0x00, 0x00, 0xF0, 0x00,
                                          0x00, 0x20, 0x00, 0x00}));
}

TEST(FlatCoefficients, TableMatchesTheRuleForEveryRow) {
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int band = 0; band < kPeqBandCount; ++band) {
      const double f = DefaultPeqBand(group, band).frequency;
      const CoefficientSet flat = FlatCoefficientSet(group, band);
      EXPECT_EQ(flat, FlatRule(f)) << "group " << g << " band " << band;
      // The designer, given the band's reset values, produces the same words.
      BiquadDesigner designer;
      EXPECT_EQ(MakeCoefficientSet(designer.Design(DefaultPeqBand(group, band))), flat)
          << "group " << g << " band " << band;
      EXPECT_EQ(flat[2], 0x400000);
      EXPECT_EQ(SignedValue(flat[0]), -SignedValue(flat[3]));
      EXPECT_EQ(SignedValue(flat[1]), -SignedValue(flat[4]));
    }
  }
}

TEST(FlatCoefficients, FixedRowsAndTheirBytes) {
  EXPECT_EQ(FlatCoefficientSet(EqGroup::Front, 0),
            (CoefficientSet{0x3FB736, 0x80491D, 0x400000, 0xC048CA, 0x7FB6E3}));
  EXPECT_EQ(FlatCoefficientSet(EqGroup::Rear, 9),
            (CoefficientSet{0x1CC864, 0x3C654A, 0x400000, 0xE3379C, 0xC39AB6}));
  EXPECT_EQ(FlatCoefficientSet(EqGroup::Center, 3),
            (CoefficientSet{0x3DC2BF, 0x8251AC, 0x400000, 0xC23D41, 0x7DAE54}));
  EXPECT_EQ(FlatCoefficientSet(EqGroup::SubWoofer, 3),
            (CoefficientSet{0x3E33C1, 0x81D95D, 0x400000, 0xC1CC3F, 0x7E26A3}));
  EXPECT_EQ(FlatCoefficientSet(EqGroup::SubWoofer, 2), FlatCoefficientSet(EqGroup::Front, 2));

  EXPECT_EQ(CoefficientBytes(FlatCoefficientSet(EqGroup::Front, 5)),
            (std::array<std::uint8_t, 15>{0x37, 0x83, 0xC9, 0x89, 0xB2, 0x3A, 0x40, 0x00, 0x00, 0xC8, 0x7C,
                                          0x37, 0x76, 0x4D, 0xC6}));

  // No band outside 0..9 exists; the pass-through set is the only safe answer.
  EXPECT_EQ(FlatCoefficientSet(EqGroup::Front, 10), (CoefficientSet{0, 0, 0x400000, 0, 0}));
  EXPECT_EQ(FlatCoefficientSet(EqGroup::Front, -1), (CoefficientSet{0, 0, 0x400000, 0, 0}));
}
