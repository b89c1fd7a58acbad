#pragma once

#include <optional>

#include "eq/graph_overlay.h"
#include "graphics/canvas.h"
#include "interchange/measurement_file.h"

// A loaded measurement on the equalizer graphs: the measurement, smoothed as a fit smooths it
// and drawn relative to its mean level over the group's fit range, and the corrected result,
// the measurement plus the curve of the set being edited. Not part of the setup.
class MeasurementOverlay : public GraphOverlay {
 public:
  static constexpr Rgb kMeasurementColour{190, 120, 255};
  static constexpr Rgb kCorrectedColour{255, 150, 40};
  static constexpr const char* kMeasurementLegend = "Meas";
  static constexpr const char* kCorrectedLegend = "Corr";

  void SetMeasurement(const Measurement& measurement);
  void Clear() { measurement_.reset(); }
  const std::optional<Measurement>& Loaded() const { return measurement_; }
  // "Show Measurement": the overlay is drawn only while it is on and a measurement is loaded.
  void SetVisible(bool visible) { visible_ = visible; }
  bool Visible() const { return visible_; }
  bool Showing() const override { return visible_ && measurement_.has_value(); }

  // The measurement on the curve grid relative to its mean over `group`'s fit range.
  CurveValues Relative(EqGroup group) const;

  void DrawCurves(Canvas& canvas, const ResponseGraph& graph, EqGroup group,
                  const CurveValues& edited) const override;
  void DrawLegend(Canvas& canvas, const ResponseGraph& graph) const override;

 private:
  std::optional<Measurement> measurement_;
  CurveValues smoothed_{};
  bool visible_ = true;
};
