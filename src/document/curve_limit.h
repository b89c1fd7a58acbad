#pragma once

#include <string>
#include <vector>

#include "document/setup_document.h"
#include "eq/equalizer_settings.h"

// One equalizer set whose summed curve broke the 12 dB rule as loaded, with its new peak.
struct LoweredCurve {
  EqKind kind;
  EqGroup group;
  EqSide side;
  double peak;

  friend bool operator==(const LoweredCurve&, const LoweredCurve&) = default;
};

// Every value of a setup file can be in range while the bands of one set still sum to a curve
// far above 12 dB (ten +12 dB bands at one frequency), which the windows would never let
// through. Such a set is lowered here, with the curve code the windows use, until it passes.
namespace CurveLimit {

// Lowers the largest boosts of every set that breaks the rule by whole dB until it passes,
// stores the set's new curve peak and raises that equalizer's peak boost to cover it. Sets that
// pass, their bands and their stored peaks are left exactly as they are. Center's L and R sets
// follow its Common set, so Center is judged by Common. Expects the values already in range.
std::vector<LoweredCurve> LowerCurvesOverLimit(SetupDocument& doc);

// "Parametric EQ Front L ch".
std::string Name(const LoweredCurve& curve);

}  // namespace CurveLimit
