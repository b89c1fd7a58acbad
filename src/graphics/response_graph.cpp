#include "graphics/response_graph.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"

namespace {

// The fine grid: n x 10^d Hz for n = 1..9, d = 1..3; the 10 Hz line falls left of the plot.
std::vector<double> FineGridFrequencies() {
  std::vector<double> out;
  for (double decade : {10.0, 100.0, 1000.0})
    for (int n = 1; n <= 9; ++n) out.push_back(n * decade);
  return out;
}

constexpr std::array<double, 3> kDecadeFrequencies = {100.0, 1000.0, 10000.0};

// The grid line that runs through a graphic band's column, repainted after the column is
// cleared: the 30, 60, 300, 600, 3000 and 6000 Hz lines lie beside bands 31.5, 63, 315, 630,
// 3150 and 6300 Hz, so the line is put back where the background drew it.
struct ColumnLine {
  double frequency = 0.0;  // 0: no line crosses the column
  Rgb colour;
  int width = 1;
};

ColumnLine ColumnLineOf(int band) {
  constexpr std::array<double, kGeqBandCount> kLine = {
      20.0,   0.0,    30.0,   40.0,   50.0,   60.0,    80.0,   100.0, 0.0,    0.0,    200.0,
      0.0,    300.0,  400.0,  500.0,  600.0,  800.0,   1000.0, 0.0,   0.0,    2000.0, 0.0,
      3000.0, 4000.0, 5000.0, 6000.0, 8000.0, 10000.0, 0.0,    0.0,   20000.0};
  const double f = kLine[static_cast<std::size_t>(band)];
  if (f == 0.0) return {};
  if (band == 0 || band == kGeqBandCount - 1) return {f, kGraphWhite, 2};
  if (band == 7 || band == 17 || band == 27) return {f, kGraphWhite, 1};
  return {f, kFineGridColour, 1};
}

}  // namespace

ResponseGraph::ResponseGraph(EqKind kind, GraphScale graph, LegendSize legend)
    : kind_(kind),
      axis_(kind == EqKind::Graphic ? EqGraphAxis::Graphic(graph) : EqGraphAxis::Parametric(graph)),
      legend_(legend) {}

int ResponseGraph::LabelHeight() const { return static_cast<int>(0.0202 * Scale().width) + 1; }

void ResponseGraph::DrawBackground(Canvas& canvas) const {
  const GraphScale& s = Scale();
  canvas.FillRect({0, 0, s.width, s.height}, kGraphBlack);

  char upper[8];
  char lower[8];
  std::snprintf(upper, sizeof upper, "+%d", axis_.LimitDb());
  std::snprintf(lower, sizeof lower, "-%d", axis_.LimitDb());
  canvas.SetFont(kGraphFontFamily, LabelHeight());
  canvas.SetTextColours(kGraphWhite, kGraphBlack);
  canvas.DrawText({1, Y(6)}, "[dB]");
  canvas.DrawText({X(700), Y(247)}, "[Hz]");
  canvas.DrawText({X(10), Y(35)}, upper);
  canvas.DrawText({X(16), Y(125)}, "0");
  canvas.DrawText({X(10), Y(207)}, lower);
  canvas.DrawText({X(178), Y(245)}, "100");
  canvas.DrawText({X(414), Y(245)}, "1k");
  canvas.DrawText({X(640), Y(245)}, "10k");

  const int left = axis_.LeftEdge();
  const int right = axis_.RightEdge();
  const int top = axis_.TopEdge();
  const int bottom = axis_.BottomEdge();

  canvas.SetPen(kFineGridColour, 1);
  for (double f : FineGridFrequencies()) {
    const int x = axis_.FrequencyX(f);
    canvas.DrawLine({x, top}, {x, bottom});
  }
  canvas.DrawLine({left, axis_.UpperLimitY()}, {right, axis_.UpperLimitY()});
  canvas.DrawLine({left, axis_.LowerLimitY()}, {right, axis_.LowerLimitY()});

  canvas.SetPen(kGraphWhite, 1);
  for (double f : kDecadeFrequencies) {
    const int x = axis_.FrequencyX(f);
    canvas.DrawLine({x, top}, {x, bottom});
  }
  canvas.DrawLine({left, Y(130)}, {right, Y(130)});

  canvas.SetPen(kGraphWhite, 2);
  canvas.DrawLine({left, top}, {left, bottom});
  canvas.DrawLine({right, top}, {right, bottom});
  canvas.DrawLine({left, top}, {right, top});
  canvas.DrawLine({left, bottom}, {right, bottom});
}

void ResponseGraph::DrawLegend(Canvas& canvas, EqGroup current) const {
  const int w = legend_.width;
  const int h = legend_.height;
  canvas.FillRect({0, 0, w, h}, kGraphBlack);
  canvas.SetFont(kGraphFontFamily, LabelHeight());
  canvas.SetTextColours(kGraphWhite, kGraphBlack);
  for (int k = 0; k < kEqGroupCount; ++k)
    canvas.DrawText({w / 10, h / 20 + k * (h / 5)}, kEqGroupLegendTexts[static_cast<std::size_t>(k)]);
  for (int k = 0; k < kEqGroupCount; ++k) {
    const GroupColours& colours = kGroupColours[static_cast<std::size_t>(k)];
    canvas.SetPen(k == Index(current) ? colours.legendSelected : colours.legendDim, 8);
    const int y = h / 7 + k * (h / 5);
    canvas.DrawLine({w / 7, y}, {6 * (w / 7), y});
  }
}

std::optional<EqGroup> ResponseGraph::LegendGroupAt(CanvasPoint at) const {
  if (at.x < 0 || at.y < 0 || at.x >= legend_.width || at.y >= legend_.height) return std::nullopt;
  const int row = legend_.height / 5;
  for (int i = 1; i <= kEqGroupCount; ++i)
    if (at.y < i * row) return static_cast<EqGroup>(i - 1);
  return std::nullopt;
}

std::vector<GraphCurve> ResponseGraph::CurveOrder(EqKind kind, EqGroup group, EqSide side,
                                                  bool showAllCurves) {
  const bool graphic = kind == EqKind::Graphic;
  auto dark = [graphic](EqGroup g, bool opposite) -> std::optional<Rgb> {
    if (!graphic || g != EqGroup::SubWoofer) return std::nullopt;
    return opposite ? kGeqSubWooferDarkOppositeColour : kGeqSubWooferDarkColour;
  };
  std::vector<GraphCurve> out;
  if (showAllCurves) {
    for (int g = 0; g < kEqGroupCount; ++g) {
      const auto eg = static_cast<EqGroup>(g);
      out.push_back({eg, side, ColoursOf(eg).curve, dark(eg, false), false});
    }
  }
  if (side != EqSide::Common && (graphic || !showAllCurves)) {
    const EqSide opposite = side == EqSide::L ? EqSide::R : EqSide::L;
    out.push_back({group, opposite, ColoursOf(group).oppositeSide, dark(group, true), false});
  }
  out.push_back({group, side, ColoursOf(group).curve, dark(group, false), true});
  return out;
}

std::array<CanvasPoint, kCurvePointCount> ResponseGraph::CurvePoints(const CurveValues& values) const {
  std::array<CanvasPoint, kCurvePointCount> points{};
  for (int j = 0; j < kCurvePointCount; ++j) {
    const auto i = static_cast<std::size_t>(j);
    points[i] = {axis_.CurvePointX(CurveGridFrequency(j)), axis_.CurvePointY(values[i])};
  }
  return points;
}

void ResponseGraph::DrawCurve(Canvas& canvas, const CurveValues& values, const GraphCurve& curve) const {
  const auto points = CurvePoints(values);
  const std::span<const CanvasPoint> all(points);
  canvas.SetPen(curve.colour, kEqCurvePenWidth);
  if (!curve.darkColour) {
    canvas.DrawPolyline(all);
    return;
  }
  canvas.DrawPolyline(all.first(kGeqSubWooferDarkFromPoint + 1));
  canvas.SetPen(*curve.darkColour, kEqCurvePenWidth);
  canvas.DrawPolyline(all.subspan(kGeqSubWooferDarkFromPoint));
}

CanvasRect ResponseGraph::SquareAround(int x, int y, int width) const {
  const int left = x - width / 2;
  const int top = y - width / 2;
  return {left, top, left + width, top + width};
}

CanvasRect ResponseGraph::ClipToGraph(CanvasRect r) const {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, Scale().width);
  r.bottom = std::min(r.bottom, Scale().height);
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

BandMarker ResponseGraph::PeqMarkerFor(const FilterParams& band) const {
  return {axis_.CurvePointX(band.frequency), axis_.MarkerY(band.gain), band.frequency, band.gain};
}

void ResponseGraph::DrawPeqMarkers(Canvas& canvas, const PeqBandSet& set, int bandCount,
                                   PeqMarkerSet& markers) const {
  BiquadDesigner designer;
  const int left = axis_.LeftEdge();
  const int right = axis_.RightEdge();
  const int count = std::clamp(bandCount, 0, kPeqBandCount);
  for (int b = 0; b < count; ++b) {
    const FilterParams& band = set[static_cast<std::size_t>(b)];
    const BiquadCoefficients c = designer.Design(band);

    // The band's own curve over two octaves and a half either side, where it lies in the plot.
    canvas.SetPen(kPeqCursorCurveColour, 1);
    const int j0 = EqGraphAxis::CursorCurveStart(band.frequency);
    std::vector<CanvasPoint> run;
    auto flush = [&] {
      if (run.size() >= 2) canvas.DrawPolyline(run);
      run.clear();
    };
    for (int j = j0; j <= j0 + 40; ++j) {
      const double f = CurveGridFrequency(j);
      const CanvasPoint p{axis_.CurvePointX(f), axis_.MarkerY(designer.Response(c, f))};
      if (p.x < left || p.x > right) {
        flush();
        continue;
      }
      run.push_back(p);
    }
    flush();

    const BandMarker marker = PeqMarkerFor(band);
    markers[static_cast<std::size_t>(b)] = marker;
    canvas.FillRect(ClipToGraph(SquareAround(marker.x, marker.y, X(20))), kPeqMarkerColour);
    canvas.SetFont(kGraphFontFamily, kPeqMarkerNumberHeight);
    canvas.SetTextColours(kGraphWhite, kPeqMarkerColour);
    const int dx = b == kPeqBandCount - 1 ? 8 : 4;
    canvas.DrawText({marker.x - dx, marker.y - 7}, std::to_string(b + 1));
  }
}

void ResponseGraph::DrawPeqHighlight(Canvas& canvas, const BandMarker& marker, Rgb colour) const {
  canvas.FillRect(ClipToGraph(SquareAround(marker.x, marker.y, X(20))), colour);
}

BandMarker ResponseGraph::GeqMarkerFor(int band, GeqLevelCode code) const {
  const float f = kGeqBandFrequencies[static_cast<std::size_t>(band)];
  const float gain = GeqGainFromCode(code);
  return {axis_.CurvePointX(f), axis_.MarkerY(gain), f, gain};
}

void ResponseGraph::DrawGeqBar(Canvas& canvas, const BandMarker& marker, Rgb handleColour) const {
  const int width = X(14);
  const int half = width / 2;
  const int zero = axis_.ZeroDbY();
  const int left = marker.x - half;
  const int right = left + width;
  CanvasRect bar;
  CanvasRect handle;
  if (marker.y < zero) {  // above 0 dB: the handle is the bar's top end
    bar = {left, marker.y - half, right, zero + 1};
    handle = {left, marker.y - half, right, marker.y};
  } else if (marker.y > zero) {
    bar = {left, zero, right, marker.y + half + 1};
    handle = {left, marker.y + 1, right, marker.y + half + 1};
  } else {
    bar = SquareAround(marker.x, marker.y, width);
    handle = bar;
  }
  canvas.FillRect(bar, kGeqBarColour);
  canvas.FillRect(handle, handleColour);
}

void ResponseGraph::DrawGeqBars(Canvas& canvas, const GeqCodeSet& codes,
                                const std::array<bool, kGeqBandCount>& enabled, GeqMarkerSet& markers) const {
  for (int b = 0; b < kGeqBandCount; ++b) {
    const auto i = static_cast<std::size_t>(b);
    if (!enabled[i]) continue;
    markers[i] = GeqMarkerFor(b, codes[i]);
    DrawGeqBar(canvas, markers[i]);
  }
}

void ResponseGraph::DrawGeqHighlight(Canvas& canvas, const BandMarker& marker) const {
  canvas.FillRect(SquareAround(marker.x, marker.y, X(14)), kGeqPressHighlightColour);
}

void ResponseGraph::RepaintGeqColumn(Canvas& canvas, int band, const BandMarker& marker,
                                     Rgb handleColour) const {
  if (band < 0 || band >= kGeqBandCount) return;
  const int half = X(14) / 2;
  const int zero = axis_.ZeroDbY();
  const int reach = 9 * axis_.UnitsPerDb() + half;
  const int top = zero - reach;
  const int bottom = zero + reach;
  canvas.FillRect({marker.x - half, top, marker.x + half + 1, bottom + 1}, kGraphBlack);

  canvas.SetPen(kFineGridColour, 1);
  canvas.DrawLine({axis_.LeftEdge(), axis_.UpperLimitY()}, {axis_.RightEdge(), axis_.UpperLimitY()});
  canvas.DrawLine({axis_.LeftEdge(), axis_.LowerLimitY()}, {axis_.RightEdge(), axis_.LowerLimitY()});

  const ColumnLine line = ColumnLineOf(band);
  if (line.frequency != 0.0) {
    int x = axis_.FrequencyX(line.frequency);
    if (band == 0) x = axis_.LeftEdge();
    if (band == kGeqBandCount - 1) x = axis_.RightEdge();
    canvas.SetPen(line.colour, line.width);
    canvas.DrawLine({x, top}, {x, bottom});
  }
  DrawGeqBar(canvas, marker, handleColour);
}
