#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/setup_document.h"
#include "fit/fit_settings.h"
#include "interchange/equalizer_set_edit.h"
#include "interchange/measurement_file.h"

// What a fit found: the edit that puts the fitted set in place, and the RMS deviation from
// the target over the range before (the measurement as it is) and after (with the fitted set's
// curve added), both from the designer that draws the curves. No edit when the fit could not
// be made; `error` says why.
struct FitResult {
  std::optional<EqualizerSetEdit> edit;
  std::string error;
  FitRange range;  // as fitted: within what the measurement covers
  double rmsBefore = 0.0;
  double rmsAfter = 0.0;
};

// The undo step of an applied fit.
inline constexpr const char* kFitStepText = "Fit EQ to Measurement";

// The highest --max-boost a fit takes: the 12 dB rule's limit.
inline constexpr double kMaxBoostLimit = 12.0;

// Fits the set of the settings' equalizer, group and side of `doc` to `measurement`. It reads
// `doc` only and touches nothing else, so it may run on a thread of its own.
FitResult FitEqualizer(const Measurement& measurement, const SetupDocument& doc, const FitSettings& settings);
