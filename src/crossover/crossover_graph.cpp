#include "crossover/crossover_graph.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "crossover/speaker_group_info.h"

namespace {

CanvasPoint Pixel(CurvePoint p) { return {p.x, p.y}; }

}  // namespace

CrossoverGraph::CrossoverGraph(GraphScale graph, CrossoverLegendArea legend)
    : scale_(graph), axis_(graph), legend_(legend) {}

int CrossoverGraph::LabelHeight() const { return static_cast<int>(0.0202 * scale_.width); }

void CrossoverGraph::DrawBackground(Canvas& canvas) const {
  canvas.FillRect({0, 0, scale_.width, scale_.height}, kCrossoverBlack);

  canvas.SetFont(kCrossoverFontFamily, LabelHeight());
  canvas.SetTextColours(kCrossoverWhite, kCrossoverBlack);
  canvas.DrawText({1, Y(6)}, "[dB]");
  canvas.DrawText({X(18), Y(35)}, "0");
  canvas.DrawText({X(12), Y(135)}, "-6");
  canvas.DrawText({X(4), Y(235)}, "-12");
  canvas.DrawText({X(175), Y(245)}, "100");
  canvas.DrawText({X(405), Y(245)}, "1k");
  canvas.DrawText({X(630), Y(245)}, "10k");
  canvas.DrawText({X(688), Y(246)}, "[Hz]");

  const int left = axis_.LeftEdge();
  const int right = axis_.RightEdge();
  const int top = axis_.Top();
  const int bottom = axis_.Bottom();

  canvas.SetPen(kCrossoverThinGrid, 1);
  for (double f : kCrossoverMinorGridFrequencies) {
    const int x = axis_.X(f);
    canvas.DrawLine({x, top}, {x, bottom});
  }
  for (int db : {-6, -12}) {
    const int y = axis_.DbY(db);
    canvas.DrawLine({left, y}, {right, y});
  }

  canvas.SetPen(kCrossoverWhite, 1);
  for (double f : kCrossoverDecadeGridFrequencies) {
    const int x = axis_.X(f);
    canvas.DrawLine({x, top}, {x, bottom});
  }
  canvas.DrawLine({left, axis_.ZeroDbY()}, {right, axis_.ZeroDbY()});

  canvas.SetPen(kCrossoverWhite, kCrossoverFrameWidth);
  canvas.DrawRect({left, top, right, bottom});
}

void CrossoverGraph::DrawLegend(Canvas& canvas, SpeakerGroup selected) const {
  const int w = legend_.width;
  const int h = legend_.height;
  canvas.FillRect({0, 0, w, h}, kCrossoverBlack);
  canvas.SetFont(kCrossoverFontFamily, LabelHeight());
  canvas.SetTextColours(kCrossoverWhite, kCrossoverBlack);
  for (int k = 0; k < kSpeakerGroupCount; ++k) {
    const auto group = static_cast<SpeakerGroup>(k);
    canvas.DrawText({w / 10, h / 20 + k * (h / 7)}, GroupInfo(group).legendLabel);
    canvas.SetPen(ToRgb(LegendColour(group, selected)), kLegendSwatchWidth);
    const int y = (k + 1) * (h / 7);
    canvas.DrawLine({w / 7, y}, {6 * (w / 7), y});
  }
}

std::optional<SpeakerGroup> CrossoverGraph::LegendGroupAt(CanvasPoint at) const {
  if (at.x < 0 || at.y < 0 || at.x >= legend_.width || at.y >= legend_.height) return std::nullopt;
  const int row = legend_.height / 7;
  for (int k = 1; k <= kSpeakerGroupCount; ++k) {
    if (at.y < k * row + legend_.height / 25) return static_cast<SpeakerGroup>(k - 1);
  }
  return std::nullopt;
}

void CrossoverGraph::DrawCurves(Canvas& canvas, std::span<const CrossoverCurve> curves) const {
  std::array<CanvasPoint, 4> points{};
  for (const CrossoverCurve& curve : curves) {
    for (std::size_t i = 0; i < points.size(); ++i) points[i] = Pixel(curve.points[i]);
    canvas.SetPen(ToRgb(curve.colour), kCurvePenWidth);
    canvas.DrawPolyline(points);
    if (curve.showHpfHandle) DrawHandle(canvas, curve.markers[kHpfCornerMarker], kHandleColour);
    if (curve.showLevelHandle) DrawHandle(canvas, curve.markers[kLevelMarker], kHandleColour);
    if (curve.showLpfHandle) DrawHandle(canvas, curve.markers[kLpfCornerMarker], kHandleColour);
  }
}

void CrossoverGraph::DrawHandle(Canvas& canvas, CurvePoint at, CurveColour colour) const {
  const int half = HandleHalfSize();
  const CanvasRect square{std::max(at.x - half, 0), std::max(at.y - half, 0), at.x + half, at.y + half};
  if (square.right <= square.left || square.bottom <= square.top) return;
  canvas.FillRect(square, ToRgb(colour));
}
