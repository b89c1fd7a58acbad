#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "document/types.h"
#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"
#include "graphics/canvas.h"
#include "graphics/eq_graph_axis.h"
#include "graphics/eq_graph_colours.h"
#include "graphics/graph_scale.h"

// Where a band marker sits, kept by the windows for hitting it with the mouse.
struct BandMarker {
  int x = 0;
  int y = 0;
  float frequency = 0.0f;
  float gain = 0.0f;

  friend bool operator==(const BandMarker&, const BandMarker&) = default;
};
using PeqMarkerSet = std::array<BandMarker, kPeqBandCount>;
using GeqMarkerSet = std::array<BandMarker, kGeqBandCount>;

// One curve of a redraw, in drawing order.
struct GraphCurve {
  EqGroup group = EqGroup::Front;
  EqSide side = EqSide::Common;
  Rgb colour;
  // The graphic SubWoofer curve changes to this colour from grid point 47 on.
  std::optional<Rgb> darkColour;
  // The curve of the edited group and side, after which its band markers are drawn.
  bool edited = false;
};

struct LegendSize {
  int width = 0;
  int height = 0;
};

// The equalizer response graph: a black plot with a log-frequency axis from 20 Hz to 20 kHz and
// a dB axis, the legend column beside it that selects the channel group, the curves and the band
// markers. Sizes are taken once, when the window opens; everything is drawn on a Canvas in
// pixels of the graph's (or the legend's) own control.
class ResponseGraph {
 public:
  ResponseGraph(EqKind kind, GraphScale graph, LegendSize legend);

  EqKind Kind() const { return kind_; }
  const EqGraphAxis& Axis() const { return axis_; }
  const GraphScale& Scale() const { return axis_.Scale(); }
  const LegendSize& Legend() const { return legend_; }
  int X(int u) const { return Scale().ScaleX(u); }
  int Y(int u) const { return Scale().ScaleY(u); }
  // Character height of the labels: trunc(0.0202 x W) + 1.
  int LabelHeight() const;

  // Black fill, labels, fine grid, decade and 0 dB lines, frame, in that order.
  void DrawBackground(Canvas& canvas) const;
  // The legend column: the four group names and their colour lines, the current group bright.
  void DrawLegend(Canvas& canvas, EqGroup current) const;
  // The group whose legend row holds a click at `at` (legend pixels); none below the fourth row
  // or outside the column.
  std::optional<EqGroup> LegendGroupAt(CanvasPoint at) const;

  // Which curves a redraw shows, in order: every group's curve of the side when Show All Curves
  // is on; the other side's curve of the current group in L ch or R ch (the parametric graph
  // only while Show All Curves is off); the edited curve last.
  static std::vector<GraphCurve> CurveOrder(EqKind kind, EqGroup group, EqSide side, bool showAllCurves);

  // The 155 points of a curve: one to the right of the grid, clamped into the plot.
  std::array<CanvasPoint, kCurvePointCount> CurvePoints(const CurveValues& values) const;
  void DrawCurve(Canvas& canvas, const CurveValues& values, const GraphCurve& curve) const;

  // Parametric markers: the band's cursor curve, its square and its number, for the first
  // `bandCount` bands; `markers` receives where they are.
  BandMarker PeqMarkerFor(const FilterParams& band) const;
  void DrawPeqMarkers(Canvas& canvas, const PeqBandSet& set, int bandCount, PeqMarkerSet& markers) const;
  // The square X(20) wide of a pressed or dragged marker.
  void DrawPeqHighlight(Canvas& canvas, const BandMarker& marker, Rgb colour) const;
  // The y of a parametric marker whose band responds with `db` at its own frequency.
  int PeqMarkerY(double db) const { return axis_.MarkerY(db); }

  // Graphic bars: a bar from the 0 dB line to the level and a grey handle beyond it.
  BandMarker GeqMarkerFor(int band, GeqLevelCode code) const;
  void DrawGeqBar(Canvas& canvas, const BandMarker& marker, Rgb handleColour = kGeqHandleColour) const;
  // The bars of the enabled bands; `markers` receives every enabled band's bar.
  void DrawGeqBars(Canvas& canvas, const GeqCodeSet& codes, const std::array<bool, kGeqBandCount>& enabled,
                   GeqMarkerSet& markers) const;
  // The square X(14) wide drawn on a pressed bar.
  void DrawGeqHighlight(Canvas& canvas, const BandMarker& marker) const;
  // Repaints one band's column during a mouse trace: black column, limit lines, the band's own
  // grid line, then its bar (a dragged bar with the darker handle).
  void RepaintGeqColumn(Canvas& canvas, int band, const BandMarker& marker,
                        Rgb handleColour = kGeqHandleColour) const;

 private:
  CanvasRect SquareAround(int x, int y, int width) const;
  CanvasRect ClipToGraph(CanvasRect rect) const;

  EqKind kind_;
  EqGraphAxis axis_;
  LegendSize legend_;
};

inline constexpr std::string_view kGraphFontFamily = "MS Sans Serif";
inline constexpr int kPeqMarkerNumberHeight = 15;
