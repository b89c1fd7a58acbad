#include "fit/measurement_overlay.h"

#include <vector>

#include "fit/fit_problem.h"
#include "graphics/response_graph.h"

namespace {

// The legend's fifth row holds the two entries, each a text over a line in its colour.
constexpr int kLegendRow = 4;
constexpr int kLegendRows = 5;
constexpr int kLegendLineWidth = 3;

}  // namespace

void MeasurementOverlay::SetMeasurement(const Measurement& measurement) {
  measurement_ = measurement;
  std::vector<double> grid;
  for (int j = 0; j < kCurvePointCount; ++j) grid.push_back(CurveGridFrequency(j));
  const std::vector<double> levels = SmoothedLevels(measurement, grid, kDefaultSmoothingOctaves);
  for (std::size_t j = 0; j < smoothed_.size(); ++j) smoothed_[j] = levels[j];
}

CurveValues MeasurementOverlay::Relative(EqGroup group) const {
  const FitRange range = DefaultFitRange(group);
  double sum = 0.0;
  int count = 0;
  for (int j = 0; j < kCurvePointCount; ++j) {
    const double f = CurveGridFrequency(j);
    if (f >= range.low && f <= range.high) {
      sum += smoothed_[static_cast<std::size_t>(j)];
      ++count;
    }
  }
  const double mean = count > 0 ? sum / count : 0.0;
  CurveValues out{};
  for (std::size_t j = 0; j < out.size(); ++j) out[j] = smoothed_[j] - mean;
  return out;
}

void MeasurementOverlay::DrawCurves(Canvas& canvas, const ResponseGraph& graph, EqGroup group,
                                    const CurveValues& edited) const {
  if (!Showing()) return;
  const CurveValues measured = Relative(group);
  CurveValues corrected{};
  for (std::size_t j = 0; j < corrected.size(); ++j) corrected[j] = measured[j] + edited[j];
  graph.DrawCurve(canvas, measured, GraphCurve{group, EqSide::Common, kMeasurementColour, {}, false});
  graph.DrawCurve(canvas, corrected, GraphCurve{group, EqSide::Common, kCorrectedColour, {}, false});
}

void MeasurementOverlay::DrawLegend(Canvas& canvas, const ResponseGraph& graph) const {
  if (!Showing()) return;
  const LegendSize& legend = graph.Legend();
  const int row = legend.height / kLegendRows;
  const int top = kLegendRow * row;
  const int half = row / 2;
  canvas.SetFont(kGraphFontFamily, graph.LabelHeight());
  canvas.SetTextColours(kGraphWhite, kGraphBlack);
  const int left = legend.width / 7;
  const int right = 6 * (legend.width / 7);
  int y = top;
  for (const auto& [text, colour] :
       {std::pair{kMeasurementLegend, kMeasurementColour}, std::pair{kCorrectedLegend, kCorrectedColour}}) {
    canvas.DrawText({legend.width / 10, y}, text);
    canvas.SetPen(colour, kLegendLineWidth);
    const int lineY = y + half - kLegendLineWidth;
    canvas.DrawLine({left, lineY}, {right, lineY});
    y += half;
  }
}
