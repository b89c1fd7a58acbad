#include "eq/biquad_designer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace {

using Complex = std::complex<double>;

// The analog prototype each section is the bilinear image of, with s normalised to the design
// frequency. The transform maps z = e^jw to s = j K tan(w / 2).
Complex Prototype(const FilterParams& p, Complex s) {
  const double q = p.q;
  switch (p.type) {
    case 1:
    case 2: {
      double theta = 0.0;
      switch (p.sectionKind) {
        case 0:
        case 2:
          return p.type == 1 ? 1.0 / (s + 1.0) : s / (s + 1.0);
        case 1:
          theta = 0.785398;
          break;
        case 3:
          theta = 0.392699;
          break;
        case 4:
          theta = 1.0471973333333333;
          break;
        case 5:
          theta = 1.1780970000000002;
          break;
        default:
          return 1.0;
      }
      const double c = std::cos(theta);
      const double n = c * c + std::sin(theta) * std::sin(theta);
      return p.type == 1 ? n / (s * s + 2.0 * c * s + n) : n * s * s / (n * s * s + 2.0 * c * s + 1.0);
    }
    case 3:
      return (s / q) / (s * s + s / q + 1.0);
    case 4: {
      const double a = std::pow(10.0, std::fabs(static_cast<double>(p.gain)) / 20.0);
      const Complex boost = (s * s + a * s / q + 1.0) / (s * s + s / q + 1.0);
      return p.gain >= 0.0f ? boost : 1.0 / boost;
    }
    default:
      return 1.0;
  }
}

double PrototypeDb(const FilterParams& p, double f) {
  const double k = 1.0 / std::tan(3.141592 * static_cast<double>(p.frequency) / 44100.0);
  const double w = 6.283184 * f / 44100.0;
  return 20.0 * std::log10(std::abs(Prototype(p, Complex(0.0, k * std::tan(w / 2.0)))));
}

// H(e^jw) straight from the six coefficients.
double TransferDb(const BiquadCoefficients& c, double f) {
  const Complex zi = std::polar(1.0, -6.283184 * f / 44100.0);
  const Complex h = (c.b0 + c.b1 * zi + c.b2 * zi * zi) / (c.a0 + c.a1 * zi + c.a2 * zi * zi);
  return 20.0 * std::log10(std::abs(h));
}

FilterParams Band(std::int32_t type, float f, float gain, float q, std::int32_t kind) {
  FilterParams p;
  p.type = type;
  p.frequency = f;
  p.gain = gain;
  p.q = q;
  p.sectionKind = kind;
  return p;
}

}  // namespace

TEST(BiquadDesigner, StartsAsPassThroughAt1kHz) {
  BiquadDesigner designer;
  EXPECT_EQ(designer.Inputs().type, 0);
  EXPECT_EQ(designer.Inputs().frequency, 1000.0f);
  EXPECT_EQ(designer.Inputs().q, 1.0f);
  EXPECT_EQ(designer.Coefficients(), BiquadCoefficients{});
  EXPECT_EQ(designer.SampleRate(), 44100.0);
}

TEST(BiquadDesigner, UnknownTypeOrKindPassesThrough) {
  BiquadDesigner designer;
  const std::vector<FilterParams> unknown = {Band(0, 1000.0f, 6.0f, 2.0f, 0), Band(5, 500.0f, 6.0f, 2.0f, 0),
                                             Band(-1, 500.0f, 6.0f, 2.0f, 0), Band(1, 500.0f, 0.0f, 1.0f, 6),
                                             Band(2, 500.0f, 0.0f, 1.0f, -1)};
  for (const FilterParams& p : unknown) {
    const BiquadCoefficients c = designer.Design(p);
    EXPECT_EQ(c, BiquadCoefficients{}) << "type " << p.type << " kind " << p.sectionKind;
    for (double f : {20.0, 1000.0, 19584.0}) EXPECT_EQ(designer.Response(c, f), 0.0);
  }
  // The designer remembers the last inputs, flag included.
  designer.Design(7, 123.5f, -3.0f, 0.7f, 2, 0x1234);
  EXPECT_EQ(designer.Inputs(), (FilterParams{7, 123.5f, -3.0f, 0.7f, 2, 0x1234}));
}

TEST(BiquadDesigner, AgreesWithAnalogPrototypeAndTransferFunction) {
  const std::vector<FilterParams> sections = {
      Band(4, 1000.0f, 6.0f, 1.0f, 0), Band(4, 31.25f, -12.0f, 0.2f, 0), Band(4, 16000.0f, 12.0f, 10.0f, 0),
      Band(4, 437.3f, 3.0f, 2.5f, 0),  Band(3, 800.0f, 0.0f, 2.0f, 0),   Band(3, 60.0f, 0.0f, 0.5f, 0),
      Band(1, 80.0f, 0.0f, 0.0f, 0),   Band(1, 2000.0f, 0.0f, 0.0f, 2),  Band(1, 400.0f, 0.0f, 0.0f, 1),
      Band(1, 400.0f, 0.0f, 0.0f, 3),  Band(1, 400.0f, 0.0f, 0.0f, 4),   Band(1, 5000.0f, 0.0f, 0.0f, 5),
      Band(2, 4000.0f, 0.0f, 0.0f, 0), Band(2, 100.0f, 0.0f, 0.0f, 2),   Band(2, 4000.0f, 0.0f, 0.0f, 1),
      Band(2, 250.0f, 0.0f, 0.0f, 3),  Band(2, 250.0f, 0.0f, 0.0f, 4),   Band(2, 12500.0f, 0.0f, 0.0f, 5)};
  BiquadDesigner designer;
  for (const FilterParams& p : sections) {
    const BiquadCoefficients c = designer.Design(p);
    for (double f : {20.0, 63.0, 250.0, 1000.0, 3150.0, 10000.0, 19584.0}) {
      const double db = designer.Response(c, f);
      EXPECT_NEAR(db, TransferDb(c, f), 1e-9)
          << "type " << p.type << " kind " << p.sectionKind << " at " << f;
      EXPECT_NEAR(db, PrototypeDb(p, f), 1e-7)
          << "type " << p.type << " kind " << p.sectionKind << " at " << f;
    }
  }
}

TEST(BiquadDesigner, PeakingBandReachesItsGainAtItsCentre) {
  BiquadDesigner designer;
  for (float f : {20.0f, 31.25f, 200.0f, 1000.0f, 8000.0f, 20000.0f})
    for (float gain : {-12.0f, -5.0f, 0.0f, 1.0f, 9.0f, 12.0f})
      for (float q : {0.2f, 1.0f, 5.0f, 10.0f}) {
        const BiquadCoefficients c = designer.Design(4, f, gain, q, 0, 0);
        EXPECT_NEAR(designer.Response(c, f), gain, 1e-9) << f << " Hz " << gain << " dB Q " << q;
      }
  // At 0 dB the numerator equals the denominator: flat everywhere.
  const BiquadCoefficients flat = designer.Design(4, 1000.0f, 0.0f, 3.0f, 0, 0);
  EXPECT_EQ(flat.b0, flat.a0);
  EXPECT_EQ(flat.b2, flat.a2);
  EXPECT_EQ(designer.Response(flat, 5000.0), 0.0);
}

TEST(BiquadDesigner, BoostAndCutAreMirrorImages) {
  BiquadDesigner designer;
  const BiquadCoefficients boost = designer.Design(4, 700.0f, 7.0f, 1.7f, 0, 0);
  const BiquadCoefficients cut = designer.Design(4, 700.0f, -7.0f, 1.7f, 0, 0);
  EXPECT_EQ(boost.b0, cut.a0);
  EXPECT_EQ(boost.b1, cut.a1);
  EXPECT_EQ(boost.b2, cut.a2);
  EXPECT_EQ(boost.a0, cut.b0);
  EXPECT_EQ(boost.a2, cut.b2);
  for (double f : {20.0, 300.0, 700.0, 2000.0, 19000.0})
    EXPECT_NEAR(designer.Response(boost, f), -designer.Response(cut, f), 1e-12);
}

TEST(BiquadDesigner, InputsAreFloatAndPiIsTheShortValue) {
  BiquadDesigner designer;
  const BiquadCoefficients c = designer.Design(4, 1000.1f, 0.0f, 1.0f, 0, 0);
  const double k = 1.0 / std::tan(3.141592 * static_cast<double>(1000.1f) / 44100.0);
  EXPECT_EQ(c.a0, k * k + k + 1.0);
  EXPECT_EQ(c.a1, 2.0 - 2.0 * k * k);
  const double kFullPi = 1.0 / std::tan(std::numbers::pi * static_cast<double>(1000.1f) / 44100.0);
  EXPECT_NE(c.a0, kFullPi * kFullPi + kFullPi + 1.0);
}
