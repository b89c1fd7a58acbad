#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "crossover/crossover_curve_plan.h"
#include "document/types.h"
#include "graphics/canvas.h"
#include "graphics/crossover_graph_axis.h"
#include "graphics/graph_scale.h"

// The size of the legend beside the crossover graph, in its own pixels.
struct CrossoverLegendArea {
  int width = 0;
  int height = 0;

  friend bool operator==(const CrossoverLegendArea&, const CrossoverLegendArea&) = default;
};

inline constexpr std::string_view kCrossoverFontFamily = "MS Sans Serif";
inline constexpr Rgb kCrossoverBlack{0, 0, 0};
inline constexpr Rgb kCrossoverWhite{255, 255, 255};
inline constexpr Rgb kCrossoverThinGrid{100, 100, 100};
inline constexpr int kCrossoverFrameWidth = 3;
inline constexpr int kLegendSwatchWidth = 8;

constexpr Rgb ToRgb(CurveColour c) { return {c.red, c.green, c.blue}; }

// The crossover graph on the screen: a black plot with a log-frequency axis from 20 Hz to
// 20 kHz, 0 dB near the top and -12 dB near the bottom, the legend of the six speaker groups
// beside it, the straight-line curves and the handles of the edited curve. Sizes are taken when
// the window opens (and again when it is resized); everything is drawn in pixels of the graph's
// or the legend's own control.
class CrossoverGraph {
 public:
  CrossoverGraph(GraphScale graph, CrossoverLegendArea legend);

  const GraphScale& Scale() const { return scale_; }
  const CrossoverGraphAxis& Axis() const { return axis_; }
  const CrossoverLegendArea& Legend() const { return legend_; }
  int X(int u) const { return scale_.ScaleX(u); }
  int Y(int u) const { return scale_.ScaleY(u); }
  // Character height of the labels: trunc(0.0202 x W).
  int LabelHeight() const;
  // Half the side of a handle's square.
  int HandleHalfSize() const { return X(20) / 2; }
  // How close a press must come to a handle, across and down, to grab it.
  int GrabReach() const { return X(10); }

  // Black fill, labels, thin grid, main grid, frame, in that order.
  void DrawBackground(Canvas& canvas) const;
  // The six group names with their colour swatches, the selected group bright.
  void DrawLegend(Canvas& canvas, SpeakerGroup selected) const;
  // The group whose legend row holds a press at `at` (legend pixels); none below the last row or
  // outside the legend.
  std::optional<SpeakerGroup> LegendGroupAt(CanvasPoint at) const;

  // The curves in the order given, 3 pixels wide, each followed by its shown handles.
  void DrawCurves(Canvas& canvas, std::span<const CrossoverCurve> curves) const;
  // A filled handle square centred on `at`, clipped at the control's top and left edges.
  void DrawHandle(Canvas& canvas, CurvePoint at, CurveColour colour) const;

 private:
  GraphScale scale_;
  CrossoverGraphAxis axis_;
  CrossoverLegendArea legend_;
};
