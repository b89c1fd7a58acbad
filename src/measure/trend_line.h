#pragma once

#include "measure/analyzer_state.h"

// The straight line the frozen analyzer draws through its 31 levels: a least-squares fit with
// the band index 0..30 as x and the level as y.
struct TrendLine {
  double slope = 0.0;
  double intercept = 0.0;

  static TrendLine Fit(const SpectrumLevels& levels);
  double At(double band) const { return slope * band + intercept; }
};
