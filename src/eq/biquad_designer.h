#pragma once

#include <cstdint>

#include "document/types.h"

// FilterParams::type values.
enum class FilterType : std::int32_t { LowPass = 1, HighPass = 2, BandPass = 3, Peaking = 4 };

// One second-order section, H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2), not
// normalised. The link turns it into the processor's five words (link/coefficient_word.h).
struct BiquadCoefficients {
  double b0 = 1.0;
  double b1 = 0.0;
  double b2 = 0.0;
  double a0 = 1.0;
  double a1 = 0.0;
  double a2 = 0.0;
  std::int32_t spare = 0;

  friend bool operator==(const BiquadCoefficients&, const BiquadCoefficients&) = default;
};

// Designs equalizer and crossover sections at the processor's sample rate by the bilinear
// transform with pre-warping. The processor's own tables were made with pi taken as 3.141592,
// so the designer uses the same value to stay bit-exact with them.
class BiquadDesigner {
 public:
  static constexpr float kSampleRate = 44100.0f;
  static constexpr double kPi = 3.141592;
  static constexpr double kTwoPi = 6.283184;

  BiquadDesigner();

  // Stores the inputs and returns the section. An unknown type or section kind gives the
  // pass-through section.
  BiquadCoefficients Design(std::int32_t type, float frequency, float gain, float q, std::int32_t sectionKind,
                            std::int32_t flag);
  BiquadCoefficients Design(const FilterParams& p);

  // Magnitude of the section at `frequency` Hz, in dB.
  double Response(const BiquadCoefficients& c, double frequency) const;

  // The same magnitude from the trigonometric terms of w and 2w, for callers that evaluate
  // many sections on one fixed set of frequencies.
  static double MagnitudeDb(const BiquadCoefficients& c, double cosW, double sinW, double cos2W,
                            double sin2W);

  const FilterParams& Inputs() const { return inputs_; }
  const BiquadCoefficients& Coefficients() const { return coefficients_; }
  double SampleRate() const { return static_cast<double>(kSampleRate); }

 private:
  FilterParams inputs_;
  BiquadCoefficients coefficients_;
};
