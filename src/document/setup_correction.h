#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/curve_limit.h"
#include "document/setup_document.h"

// Brings every value of a loaded setup into the range the rest of the system works in. A setup
// file holds raw numbers without any check, so a damaged or hand-made file can carry values that
// no control can produce: a value that is not a number becomes the field's start-up value, a
// number outside its range the nearest allowed one, and an equalizer set whose curve breaks the
// 12 dB rule is lowered under it. Values that are only stored (the automatic-EQ
// words, the measured values, the customer profile) are kept as they are.
namespace SetupCorrection {

// The kinds of values a correction touched, as bits.
enum Kind : std::uint32_t {
  kEqFrequencies = 1u << 0,
  kEqGains = 1u << 1,
  kEqQValues = 1u << 2,
  kCurvePeaks = 1u << 3,
  kPeakBoosts = 1u << 4,
  kCrossoverFrequencies = 1u << 5,
  kCrossoverSlopes = 1u << 6,
  kCrossoverLevels = 1u << 7,
  kDelays = 1u << 8,
  kPhases = 1u << 9,
  kSpeakerSwitches = 1u << 10,
  kAutomaticEq = 1u << 11,
  kSubWooferMode = 1u << 12,
  kEqCurves = 1u << 13,
};
using Kinds = std::uint32_t;

// What a correction changed: the kinds, and the sets behind kEqCurves by name.
struct Corrections {
  Kinds kinds = 0;
  std::vector<LoweredCurve> loweredCurves;

  bool Any() const { return kinds != 0; }
};

// Shown once after a file whose values had to be corrected was opened; %1 lists the kinds.
inline constexpr const char* kCorrectedText =
    "Some values in this setup file were out of range and have been corrected: %1. Save the file to "
    "keep the corrected setup.";

// Corrects `doc` in place and returns what it changed (nothing when everything was in range).
Corrections Correct(SetupDocument& doc);
// kCorrectedText for `corrections`, naming the lowered sets, or "" when there are none.
std::string Message(const Corrections& corrections);

// The ranges, for the conversions that put values on the wire.
inline constexpr double kMaxDelayMs = 20.0;
inline constexpr int kMaxDelaySteps = 200;
inline constexpr int kMaxPeakBoost = 12;
inline constexpr double kMaxCurvePeak = 12.0;

// A parametric band of `group` (band 0..9) with frequency, gain and Q in range.
FilterParams CorrectedPeqBand(const FilterParams& band, EqGroup group, int index);
// A delay in ms within 0..20 (not a number: 0).
double CorrectedDelay(double ms);
// The delay in 0.1 ms steps, truncated toward zero: 0..200.
int DelaySteps(double ms);
int CorrectedPeakBoost(int boost);

}  // namespace SetupCorrection
