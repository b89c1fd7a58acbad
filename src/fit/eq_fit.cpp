#include "fit/eq_fit.h"

#include <cmath>

#include "fit/fit_problem.h"
#include "fit/graphic_fit.h"
#include "fit/parametric_fit.h"

namespace {

// The fitted curve at the fit points, from the same designer the graphs use.
std::vector<double> CurveAtPoints(const FitProblem& problem, const EqualizerSetEdit& edit) {
  const std::size_t n = problem.Points().Size();
  std::vector<double> total(n, 0.0);
  std::vector<double> band(n);
  BiquadDesigner designer;
  if (edit.Kind() == EqKind::Parametric) {
    for (const FilterParams& p : edit.ParametricBands()) {
      problem.Points().Response(designer.Design(p), band.data());
      for (std::size_t i = 0; i < n; ++i) total[i] += band[i];
    }
  } else {
    for (int b = 0; b < kGeqBandCount; ++b) {
      problem.Points().Response(
          designer.Design(static_cast<std::int32_t>(FilterType::Peaking),
                          kGeqBandFrequencies[static_cast<std::size_t>(b)],
                          GeqGainFromCode(edit.GraphicCodes()[static_cast<std::size_t>(b)]), kGeqBandQ, 0, 0),
          band.data());
      for (std::size_t i = 0; i < n; ++i) total[i] += band[i];
    }
  }
  return total;
}

}  // namespace

FitResult FitEqualizer(const Measurement& measurement, const SetupDocument& doc,
                       const FitSettings& settings) {
  FitResult result;
  if (!(settings.maxBoost >= 0.0 && settings.maxBoost <= kMaxBoostLimit)) {
    result.error = "The maximum boost must lie between 0 and 12 dB.";
    return result;
  }
  const std::optional<FitProblem> problem = FitProblem::Make(measurement, settings, result.error);
  if (!problem) return result;
  result.range = problem->Range();
  result.rmsBefore = problem->RmsUncorrected();

  const EqGroup group = settings.group;
  const EqSide side = group == EqGroup::Center ? EqSide::Common : settings.side;
  if (settings.kind == EqKind::Parametric) {
    const PeqBandSet start = doc.peqBands[Index(group)][Index(side)];
    result.edit = EqualizerSetEdit::Parametric(group, side,
                                               FitParametricBands(*problem, start, group, settings.maxBoost));
  } else {
    result.edit = EqualizerSetEdit::Graphic(group, side, FitGraphicCodes(*problem, group, settings.maxBoost));
  }
  result.rmsAfter = problem->Rms(CurveAtPoints(*problem, *result.edit));
  return result;
}
