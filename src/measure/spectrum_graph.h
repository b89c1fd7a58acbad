#pragma once

#include <array>
#include <string_view>

#include "graphics/canvas.h"
#include "measure/analyzer_state.h"
#include "measure/trend_line.h"

inline constexpr int kSpectrumSegmentCount = 48;

inline constexpr Rgb kSpectrumLitColour{0xE4, 0xF0, 0xFF};
inline constexpr Rgb kSpectrumUnlitColour{0x46, 0x46, 0x46};
inline constexpr Rgb kSpectrumFrameColour{0x30, 0x35, 0x95};
inline constexpr Rgb kSpectrumBorderColour{0xBB, 0xAA, 0xD2};
inline constexpr Rgb kSpectrumTrendColour{0x00, 0x00, 0xC8};
inline constexpr Rgb kSpectrumTextColour{0xFF, 0xFF, 0xFF};
inline constexpr int kSpectrumPenWidth = 2;

inline constexpr std::string_view kSpectrumFontFamily = "MS Sans Serif";
inline constexpr std::string_view kSpectrumFrameTitle = "Spectrum Analyzer";
inline constexpr std::array<std::string_view, 5> kSpectrumAxisTexts = {"20", "100", "1k", "10k", "20k[Hz]"};
// Where the axis texts start, in 38ths of the frame's width.
inline constexpr std::array<double, 5> kSpectrumAxisUnits = {2.0, 9.9, 21.8, 33.4, 37.0};

// The left and right end of a bar's segments.
struct BarSpan {
  int left = 0;
  int right = 0;

  friend bool operator==(const BarSpan&, const BarSpan&) = default;
};

// The analyzer's picture: a blue frame with the title above and the frequency texts below the
// black graph frame, which holds 31 bars of 48 segments and the trend line. The frame is drawn in
// its own pixels, the graph in the graph frame's pixels (GraphRect places it in the frame).
//
// In the graph frame of W x H pixels (integer division throughout) the column unit is u = W / 37;
// band i's segments run from trunc(p + 2) to trunc(p + u - 2) with
// p = trunc(1.3 u) + i x u x 1.1694915254237288, and segment k lies at y = H - k (H / 50) - H / 14.
// The graph frame is sized so that these fit: the last bar ends left of the border, and the top
// segment lies inside the frame.
class SpectrumGraph {
 public:
  SpectrumGraph(int frameWidth, int frameHeight);

  int FrameWidth() const { return frameWidth_; }
  int FrameHeight() const { return frameHeight_; }
  // The graph frame inside the frame, in frame pixels.
  const CanvasRect& GraphRect() const { return graph_; }
  int GraphWidth() const { return graph_.right - graph_.left; }
  int GraphHeight() const { return graph_.bottom - graph_.top; }
  int Unit() const { return GraphWidth() / 37; }
  // Character height of the frame's texts: 2.15 % of the frame's width.
  int TextHeight() const { return textHeight_; }
  // Where an axis text starts, in frame pixels.
  CanvasPoint AxisTextAt(int index) const;

  BarSpan Bar(int band) const;
  int SegmentY(int segment) const;
  // Where a level lies on the trend line: H - (H / 14 + (H / 50) v), truncated, kept within
  // H / 14 .. H - H / 14.
  int LevelY(double level) const;

  // The frame: blue fill, title and axis texts.
  void DrawFrame(Canvas& frame) const;
  // The graph frame: black, the border along the bottom and right edges, every segment unlit.
  void DrawGraphBackground(Canvas& graph) const;
  // Draws only the segments between the drawn and the new level of each band, lit going up and
  // unlit going down; `drawn` then holds the new levels.
  void DrawBars(Canvas& graph, const SpectrumLevels& levels, SpectrumLevels& drawn) const;
  // From the left of the first bar (level b) to past the last (level 31 m + b).
  void DrawTrendLine(Canvas& graph, const TrendLine& line) const;

 private:
  void DrawSegment(Canvas& graph, int band, int segment) const;

  int frameWidth_ = 0;
  int frameHeight_ = 0;
  int labelUnit_ = 1;
  int textHeight_ = 1;
  CanvasRect graph_;
};
