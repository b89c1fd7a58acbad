#pragma once

#include <optional>

#include "document/types.h"
#include "eq/equalizer_settings.h"
#include "fit/target_curve.h"

// The frequencies a fit tries to bring to the target, in Hz.
struct FitRange {
  double low = 100.0;
  double high = 10000.0;
};

// 100 Hz to 10 kHz; the SubWoofer's 20 to 200 Hz.
FitRange DefaultFitRange(EqGroup group);

inline constexpr double kDefaultMaxBoost = 6.0;
inline constexpr double kDefaultSmoothingOctaves = 1.0 / 6.0;

// What a fit is asked for. The set fitted is one group's and side's, of either equalizer.
struct FitSettings {
  EqKind kind = EqKind::Parametric;
  EqGroup group = EqGroup::Front;
  EqSide side = EqSide::Common;
  std::optional<FitRange> range;       // the group's default when none
  TargetCurve target;                  // flat unless a house curve is given
  double maxBoost = kDefaultMaxBoost;  // dB a band or the curve may lift; 0: cuts only
  double smoothingOctaves = kDefaultSmoothingOctaves;

  FitRange Range() const { return range ? *range : DefaultFitRange(group); }
};
