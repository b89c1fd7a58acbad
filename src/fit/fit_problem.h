#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/fit_settings.h"
#include "fit/frequency_points.h"
#include "interchange/measurement_file.h"

// What every fit works on: the fit range on a log grid of 24 points per octave, and there the
// measurement, smoothed, minus the target aligned to the measurement's mean level: the
// deviation an equalizer curve should cancel.
class FitProblem {
 public:
  static constexpr int kPointsPerOctave = 24;

  // Fails, with the reason, when the measurement does not reach into the range.
  static std::optional<FitProblem> Make(const Measurement& measurement, const FitSettings& settings,
                                        std::string& error);

  // The range as fitted: the asked one within what the measurement covers.
  const FitRange& Range() const { return range_; }
  const FrequencyPoints& Points() const { return points_; }
  const std::vector<double>& Deviation() const { return deviation_; }

  // The RMS of the deviation with `curve` (dB at each point) added.
  double Rms(const std::vector<double>& curve) const;
  double RmsUncorrected() const;

 private:
  FitProblem(FitRange range, FrequencyPoints points, std::vector<double> deviation)
      : range_(range), points_(std::move(points)), deviation_(std::move(deviation)) {}

  FitRange range_;
  FrequencyPoints points_;
  std::vector<double> deviation_;
};

// The measurement's level at each of `frequencies` (rising), averaged over `octaves` around
// it (its points within half of that on either side); where no point lies that close, read
// off the straight lines between the points.
std::vector<double> SmoothedLevels(const Measurement& m, const std::vector<double>& frequencies,
                                   double octaves);
