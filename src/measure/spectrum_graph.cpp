#include "measure/spectrum_graph.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kColumnUnits = 37;
constexpr double kFirstBarUnits = 1.3;
constexpr double kBarPitchUnits = 1.1694915254237288;
constexpr int kSegmentDivisor = 50;
constexpr int kBaseDivisor = 14;
constexpr int kTrendEndBand = 31;
constexpr int kLastBand = kSpectrumBandCount - 1;
constexpr double kTextHeightPerWidth = 0.0215;
constexpr int kLabelUnitsAcross = 38;
// The frame is 41 label units wide: the 38 of the texts and room right of the last one, which
// starts at 37 units and would otherwise run off the frame.
constexpr int kFrameUnitsAcross = 41;
// Above this unit the graph stops growing: its width could no longer hold the last bar.
constexpr int kLargestUnit = 87;
// Above this the segment pitch H / 50 cannot take the top segment inside the frame.
constexpr int kLargestPitch = 76;
constexpr int kTextRowsAtMost = 14;

// The smallest remainder r of H = 50 q + r that keeps the top segment at y >= 2:
// 3 q + r - (50 q + r) / 14 >= 2 holds for 13 r >= 8 q + 28.
int TopRemainder(int pitch) { return (8 * pitch + 28 + 12) / 13; }

}  // namespace

SpectrumGraph::SpectrumGraph(int frameWidth, int frameHeight)
    : frameWidth_(std::max(frameWidth, 1)), frameHeight_(std::max(frameHeight, 1)) {
  labelUnit_ = std::clamp(frameWidth_ / kFrameUnitsAcross, 1, kLargestUnit);
  // A frame much wider than high keeps room for the graph under its texts.
  textHeight_ = std::clamp(static_cast<int>(labelUnit_ * kLabelUnitsAcross * kTextHeightPerWidth), 1,
                           std::max(1, frameHeight_ / kTextRowsAtMost));

  // The graph's width is 37 units and a little more, so that W / 37 is the unit and the last
  // bar (which reaches 37.385 units) ends before the border.
  const int u = labelUnit_;
  const int width = kColumnUnits * u + 2 * u / 5 + 1;
  const int top = textHeight_ * 3 / 2 + 2;
  const int room = frameHeight_ - top - textHeight_ * 3 / 2 - 2;
  int pitch = std::clamp(room / kSegmentDivisor, 1, kLargestPitch);
  while (pitch > 1 && kSegmentDivisor * pitch + TopRemainder(pitch) > room) --pitch;
  const int height = kSegmentDivisor * pitch + TopRemainder(pitch);
  // What the segment pitch leaves over is shared above and below the graph frame.
  const int y = top + std::max(0, room - height) / 2;
  graph_ = {u / 2, y, u / 2 + width, y + height};
}

CanvasPoint SpectrumGraph::AxisTextAt(int index) const {
  const double units = kSpectrumAxisUnits[static_cast<std::size_t>(index)];
  return {static_cast<int>(units * labelUnit_), graph_.bottom + textHeight_ / 4};
}

BarSpan SpectrumGraph::Bar(int band) const {
  const int u = Unit();
  const double p = static_cast<int>(u * kFirstBarUnits) + band * u * kBarPitchUnits;
  return {static_cast<int>(p + 2), static_cast<int>(p + u - 2)};
}

int SpectrumGraph::SegmentY(int segment) const {
  const int h = GraphHeight();
  return h - segment * (h / kSegmentDivisor) - h / kBaseDivisor;
}

int SpectrumGraph::LevelY(double level) const {
  const int h = GraphHeight();
  const double y = h - (h / kBaseDivisor + (h / kSegmentDivisor) * level);
  const int low = h / kBaseDivisor;
  const int high = h - h / kBaseDivisor;
  if (!(y >= low)) return low;  // NaN too
  if (y > high) return high;
  return static_cast<int>(y);
}

void SpectrumGraph::DrawFrame(Canvas& frame) const {
  frame.FillRect({0, 0, frameWidth_, frameHeight_}, kSpectrumFrameColour);
  frame.SetFont(kSpectrumFontFamily, textHeight_);
  frame.SetTextColours(kSpectrumTextColour, kSpectrumFrameColour);
  frame.DrawText({labelUnit_ / 2, textHeight_ / 4}, kSpectrumFrameTitle);
  for (int i = 0; i < static_cast<int>(kSpectrumAxisTexts.size()); ++i)
    frame.DrawText(AxisTextAt(i), kSpectrumAxisTexts[static_cast<std::size_t>(i)]);
}

void SpectrumGraph::DrawSegment(Canvas& graph, int band, int segment) const {
  const BarSpan bar = Bar(band);
  const int y = SegmentY(segment);
  graph.DrawLine({bar.left, y}, {bar.right, y});
}

void SpectrumGraph::DrawGraphBackground(Canvas& graph) const {
  const int w = GraphWidth();
  const int h = GraphHeight();
  graph.FillRect({0, 0, w, h}, {0, 0, 0});
  graph.SetPen(kSpectrumBorderColour, kSpectrumPenWidth);
  graph.DrawLine({0, h - 1}, {w - 1, h - 1});
  graph.DrawLine({w - 1, 0}, {w - 1, h - 1});
  graph.SetPen(kSpectrumUnlitColour, kSpectrumPenWidth);
  for (int band = 0; band < kSpectrumBandCount; ++band) {
    for (int k = 0; k < kSpectrumSegmentCount; ++k) DrawSegment(graph, band, k);
  }
}

void SpectrumGraph::DrawBars(Canvas& graph, const SpectrumLevels& levels, SpectrumLevels& drawn) const {
  for (int band = 0; band < kSpectrumBandCount; ++band) {
    const auto b = static_cast<std::size_t>(band);
    const int to = std::clamp(levels[b], 0, kSpectrumSegmentCount);
    const int from = std::clamp(drawn[b], 0, kSpectrumSegmentCount);
    if (to > from) {
      graph.SetPen(kSpectrumLitColour, kSpectrumPenWidth);
      for (int k = from; k < to; ++k) DrawSegment(graph, band, k);
    } else if (to < from) {
      graph.SetPen(kSpectrumUnlitColour, kSpectrumPenWidth);
      for (int k = to; k < from; ++k) DrawSegment(graph, band, k);
    }
    drawn[b] = to;
  }
}

void SpectrumGraph::DrawTrendLine(Canvas& graph, const TrendLine& line) const {
  const int u = Unit();
  const double start = u * kFirstBarUnits;
  const double end = start + kLastBand * u * kBarPitchUnits + u;
  graph.SetPen(kSpectrumTrendColour, kSpectrumPenWidth);
  graph.DrawLine({static_cast<int>(start), LevelY(line.intercept)},
                 {static_cast<int>(end), LevelY(line.At(kTrendEndBand))});
}
