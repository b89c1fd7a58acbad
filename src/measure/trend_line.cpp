#include "measure/trend_line.h"

TrendLine TrendLine::Fit(const SpectrumLevels& levels) {
  constexpr double n = kSpectrumBandCount;
  double sx = 0.0;
  double sy = 0.0;
  double sxx = 0.0;
  double sxy = 0.0;
  for (int i = 0; i < kSpectrumBandCount; ++i) {
    const double x = i;
    const double y = levels[static_cast<std::size_t>(i)];
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  // The bands are fixed, so the denominator is never zero.
  const double d = n * sxx - sx * sx;
  return {(n * sxy - sx * sy) / d, (sy * sxx - sx * sxy) / d};
}
