#pragma once

#include "document/types.h"
#include "fit/fit_problem.h"

// The parametric bands of `group` that bring the problem's deviation closest to zero: seeded
// on the largest deviations, frequency, gain and Q of all bands optimised together within the
// group's limits, the gains rounded to whole dB, frequency and Q optimised again. No band and no
// point of the summed curve lifts more than `maxBoost` dB, and the curve passes the 12 dB rule.
// The bands the group uses are replaced; the others of `start` get 0 dB, keeping the rest.
PeqBandSet FitParametricBands(const FitProblem& problem, const PeqBandSet& start, EqGroup group,
                              double maxBoost);
