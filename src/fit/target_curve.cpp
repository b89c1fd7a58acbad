#include "fit/target_curve.h"

#include <algorithm>
#include <cmath>

double InterpolateLogFrequency(const std::vector<double>& frequency, const std::vector<double>& value,
                               double f) {
  if (frequency.empty()) return 0.0;
  if (f <= frequency.front()) return value.front();
  if (f >= frequency.back()) return value.back();
  const auto upper = std::upper_bound(frequency.begin(), frequency.end(), f);
  const std::size_t hi = static_cast<std::size_t>(upper - frequency.begin());
  const std::size_t lo = hi - 1;
  const double t = std::log(f / frequency[lo]) / std::log(frequency[hi] / frequency[lo]);
  return value[lo] + t * (value[hi] - value[lo]);
}

double TargetCurve::At(double frequency) const {
  return InterpolateLogFrequency(points_.frequency, points_.level, frequency);
}
