#include "eq/biquad_designer.h"

#include <cmath>

namespace {

// Pole angles of the second-order low- and high-pass sections, by section kind (0 and 2 are
// first order). Kept at the precision the processor's crossover tables were made with.
bool SecondOrderAngle(std::int32_t kind, double& theta) {
  switch (kind) {
    case 1:
      theta = 0.785398;
      return true;
    case 3:
      theta = 0.392699;
      return true;
    case 4:
      theta = 1.0471973333333333;
      return true;
    case 5:
      theta = 1.1780970000000002;
      return true;
    default:
      return false;
  }
}

bool IsFirstOrder(std::int32_t kind) { return kind == 0 || kind == 2; }

void DesignPeaking(BiquadCoefficients& c, double k, double gain, double q) {
  const double a = std::pow(10.0, std::fabs(gain) * 0.05);
  const double k2 = k * k;
  const double boostB0 = k2 + a * k / q + 1.0;
  const double boostB2 = k2 - a * k / q + 1.0;
  const double plainB0 = k2 + k / q + 1.0;
  const double plainB2 = k2 - k / q + 1.0;
  const double middle = 2.0 - 2.0 * k2;
  // A cut swaps the two polynomials, so boost and cut are exact mirror images in dB.
  const bool boost = gain >= 0.0;
  c.b0 = boost ? boostB0 : plainB0;
  c.b1 = middle;
  c.b2 = boost ? boostB2 : plainB2;
  c.a0 = boost ? plainB0 : boostB0;
  c.a1 = middle;
  c.a2 = boost ? plainB2 : boostB2;
}

void DesignBandPass(BiquadCoefficients& c, double k, double q) {
  const double r = k / q;
  c.b0 = r;
  c.b1 = 0.0;
  c.b2 = -r;
  c.a0 = k * k + r + 1.0;
  c.a1 = 2.0 - 2.0 * k * k;
  c.a2 = k * k - r + 1.0;
}

void DesignLowPass(BiquadCoefficients& c, double k, std::int32_t kind) {
  double theta = 0.0;
  if (IsFirstOrder(kind)) {
    c.b0 = 1.0;
    c.b1 = 1.0;
    c.b2 = 0.0;
    c.a0 = 1.0 + k;
    c.a1 = 1.0 - k;
    c.a2 = 0.0;
  } else if (SecondOrderAngle(kind, theta)) {
    const double cs = std::cos(theta);
    const double sn = std::sin(theta);
    const double n = cs * cs + sn * sn;
    c.b0 = n;
    c.b1 = 2.0 * n;
    c.b2 = n;
    c.a0 = n + k * k + 2.0 * cs * k;
    c.a1 = 2.0 * n - 2.0 * k * k;
    c.a2 = n + k * k - 2.0 * cs * k;
  }
}

void DesignHighPass(BiquadCoefficients& c, double k, std::int32_t kind) {
  double theta = 0.0;
  if (IsFirstOrder(kind)) {
    c.b0 = k;
    c.b1 = -k;
    c.b2 = 0.0;
    c.a0 = k + 1.0;
    c.a1 = 1.0 - k;
    c.a2 = 0.0;
  } else if (SecondOrderAngle(kind, theta)) {
    const double cs = std::cos(theta);
    const double sn = std::sin(theta);
    const double n = cs * cs + sn * sn;
    const double k2n = k * k * n;
    c.b0 = k2n;
    c.b1 = -2.0 * k * k * n;
    c.b2 = k2n;
    c.a0 = k2n + 2.0 * cs * k + 1.0;
    c.a1 = 2.0 - 2.0 * k * k * n;
    c.a2 = k2n - 2.0 * cs * k + 1.0;
  }
}

}  // namespace

BiquadDesigner::BiquadDesigner() { Design(0, 1000.0f, 0.0f, 1.0f, 0, 0); }

BiquadCoefficients BiquadDesigner::Design(std::int32_t type, float frequency, float gain, float q,
                                          std::int32_t sectionKind, std::int32_t flag) {
  inputs_.type = type;
  inputs_.frequency = frequency;
  inputs_.gain = gain;
  inputs_.q = q;
  inputs_.sectionKind = sectionKind;
  inputs_.flag = flag;

  const double f = frequency;
  const double k = 1.0 / std::tan(kPi * f / SampleRate());

  BiquadCoefficients c;
  switch (type) {
    case static_cast<std::int32_t>(FilterType::LowPass):
      DesignLowPass(c, k, sectionKind);
      break;
    case static_cast<std::int32_t>(FilterType::HighPass):
      DesignHighPass(c, k, sectionKind);
      break;
    case static_cast<std::int32_t>(FilterType::BandPass):
      DesignBandPass(c, k, static_cast<double>(q));
      break;
    case static_cast<std::int32_t>(FilterType::Peaking):
      DesignPeaking(c, k, static_cast<double>(gain), static_cast<double>(q));
      break;
    default:
      break;
  }
  coefficients_ = c;
  return c;
}

BiquadCoefficients BiquadDesigner::Design(const FilterParams& p) {
  return Design(p.type, p.frequency, p.gain, p.q, p.sectionKind, p.flag);
}

double BiquadDesigner::MagnitudeDb(const BiquadCoefficients& c, double cosW, double sinW, double cos2W,
                                   double sin2W) {
  const double reN = c.b0 + c.b1 * cosW + c.b2 * cos2W;
  const double imN = c.b1 * sinW + c.b2 * sin2W;
  const double reD = c.a0 + c.a1 * cosW + c.a2 * cos2W;
  const double imD = c.a1 * sinW + c.a2 * sin2W;
  return 20.0 * std::log10(std::sqrt((reN * reN + imN * imN) / (reD * reD + imD * imD)));
}

double BiquadDesigner::Response(const BiquadCoefficients& c, double frequency) const {
  const double w = kTwoPi * frequency / SampleRate();
  return MagnitudeDb(c, std::cos(w), std::sin(w), std::cos(2.0 * w), std::sin(2.0 * w));
}
