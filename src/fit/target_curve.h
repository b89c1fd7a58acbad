#pragma once

#include <vector>

#include "interchange/measurement_file.h"

// The response a fit aims at: flat, or a house curve given as frequency and dB pairs, with
// straight lines in log frequency between them and its end values held beyond them. Only its
// shape matters: a fit aligns it to the measurement's mean level.
class TargetCurve {
 public:
  TargetCurve() = default;
  explicit TargetCurve(const Measurement& points) : points_(points) {}

  bool Flat() const { return points_.Size() == 0; }
  double At(double frequency) const;

 private:
  Measurement points_;
};

// The value at `f` of the points (`frequency` rising) on straight lines in log frequency,
// held at the end values beyond them.
double InterpolateLogFrequency(const std::vector<double>& frequency, const std::vector<double>& value,
                               double f);
