#pragma once

#include "eq/equalizer_settings.h"
#include "fit/fit_problem.h"

// The graphic codes of `group` that bring the problem's deviation closest to zero: a bounded
// least-squares solve for the band gains (the SubWoofer's bands 0..9 only, the others flat),
// rounded to whole dB and then improved a dB at a time on the bands' exact responses. No band
// lifts more than `maxBoost` dB, nor does the curve, which passes the 12 dB rule.
GeqCodeSet FitGraphicCodes(const FitProblem& problem, EqGroup group, double maxBoost);
