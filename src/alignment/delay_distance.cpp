#include "alignment/delay_distance.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double kSpeedOfSound = 340.0;  // m/s
constexpr double kCentimetresPerMmOfTravel = 0.1;
constexpr double kInchesPerMm = 0.03937007874015748;  // 1 / 25.4
constexpr double kWholeNumbersFrom = 100.0;

}  // namespace

double DelayCentimetres(double delayMs) { return delayMs * kSpeedOfSound * kCentimetresPerMmOfTravel; }

double DelayInches(double delayMs) { return delayMs * kSpeedOfSound * kInchesPerMm; }

std::string FixedText(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
  char text[400];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

std::string DistanceText(double value) { return FixedText(value, value < kWholeNumbersFrom ? 1 : 0); }
