#pragma once

#include <vector>

#include "eq/biquad_designer.h"

// A fixed set of frequencies at which band responses are evaluated many times over, with the
// trigonometric terms of each computed once. The values are the designer's own, as the graphs
// draw them.
class FrequencyPoints {
 public:
  explicit FrequencyPoints(std::vector<double> frequencies);

  std::size_t Size() const { return frequencies_.size(); }
  const std::vector<double>& Frequencies() const { return frequencies_; }

  // The section's response in dB at every point, into `out` (Size() values).
  void Response(const BiquadCoefficients& c, double* out) const;

 private:
  std::vector<double> frequencies_;
  std::vector<double> cosW_, sinW_, cos2W_, sin2W_;
};

// `count` frequencies evenly spaced in log frequency from `low` to `high`, both included.
std::vector<double> LogSpacedFrequencies(double low, double high, int count);
