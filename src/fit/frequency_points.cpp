#include "fit/frequency_points.h"

#include <cmath>

FrequencyPoints::FrequencyPoints(std::vector<double> frequencies) : frequencies_(std::move(frequencies)) {
  const double fs = static_cast<double>(BiquadDesigner::kSampleRate);
  for (double f : frequencies_) {
    const double w = BiquadDesigner::kTwoPi * f / fs;
    cosW_.push_back(std::cos(w));
    sinW_.push_back(std::sin(w));
    cos2W_.push_back(std::cos(2.0 * w));
    sin2W_.push_back(std::sin(2.0 * w));
  }
}

void FrequencyPoints::Response(const BiquadCoefficients& c, double* out) const {
  for (std::size_t i = 0; i < frequencies_.size(); ++i)
    out[i] = BiquadDesigner::MagnitudeDb(c, cosW_[i], sinW_[i], cos2W_[i], sin2W_[i]);
}

std::vector<double> LogSpacedFrequencies(double low, double high, int count) {
  std::vector<double> out;
  if (count < 2) return {low};
  const double step = std::log(high / low) / (count - 1);
  for (int i = 0; i < count; ++i) out.push_back(low * std::exp(step * i));
  return out;
}
