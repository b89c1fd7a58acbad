#include "fit/fit_problem.h"

#include <algorithm>
#include <cmath>

namespace {

// The range must span a third of an octave at least for a fit to mean anything.
constexpr double kNarrowestRangeOctaves = 1.0 / 3.0;

double Mean(const std::vector<double>& v) {
  double sum = 0.0;
  for (double x : v) sum += x;
  return v.empty() ? 0.0 : sum / static_cast<double>(v.size());
}

}  // namespace

std::vector<double> SmoothedLevels(const Measurement& m, const std::vector<double>& frequencies,
                                   double octaves) {
  std::vector<double> out;
  out.reserve(frequencies.size());
  const double half = std::pow(2.0, std::max(octaves, 0.0) / 2.0);
  std::size_t first = 0;  // the first point not below the current window
  for (double f : frequencies) {
    const double lo = f / half;
    const double hi = f * half;
    while (first < m.Size() && m.frequency[first] < lo) ++first;
    double sum = 0.0;
    int count = 0;
    for (std::size_t i = first; i < m.Size() && m.frequency[i] <= hi; ++i) {
      sum += m.level[i];
      ++count;
    }
    out.push_back(count > 0 ? sum / count : InterpolateLogFrequency(m.frequency, m.level, f));
  }
  return out;
}

std::optional<FitProblem> FitProblem::Make(const Measurement& measurement, const FitSettings& settings,
                                           std::string& error) {
  FitRange range = settings.Range();
  if (!(range.low > 0.0) || !(range.high > range.low)) {
    error = "The fit range must run from a lower to a higher frequency.";
    return std::nullopt;
  }
  if (measurement.Size() == 0) {
    error = "There is no measurement.";
    return std::nullopt;
  }
  range.low = std::max(range.low, measurement.frequency.front());
  range.high = std::min(range.high, measurement.frequency.back());
  if (!(range.high > range.low) || std::log2(range.high / range.low) < kNarrowestRangeOctaves) {
    error = "The measurement covers too little of the fit range.";
    return std::nullopt;
  }
  const int count =
      std::max(2, static_cast<int>(std::ceil(std::log2(range.high / range.low) * kPointsPerOctave)) + 1);
  FrequencyPoints points(LogSpacedFrequencies(range.low, range.high, count));
  const std::vector<double> levels =
      SmoothedLevels(measurement, points.Frequencies(), settings.smoothingOctaves);
  std::vector<double> target;
  for (double f : points.Frequencies()) target.push_back(settings.target.At(f));
  const double offset = Mean(levels) - Mean(target);
  std::vector<double> deviation;
  for (std::size_t i = 0; i < levels.size(); ++i) deviation.push_back(levels[i] - (target[i] + offset));
  return FitProblem(range, std::move(points), std::move(deviation));
}

double FitProblem::Rms(const std::vector<double>& curve) const {
  double sum = 0.0;
  for (std::size_t i = 0; i < deviation_.size(); ++i) {
    const double r = deviation_[i] + curve[i];
    sum += r * r;
  }
  return std::sqrt(sum / static_cast<double>(deviation_.size()));
}

double FitProblem::RmsUncorrected() const { return Rms(std::vector<double>(deviation_.size(), 0.0)); }
