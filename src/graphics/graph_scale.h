#pragma once

// Graphs are laid out on a logical frame of 740 x 263 units and scaled to the drawing area,
// with integer arithmetic: pixels on screen, 0.1 mm on the printed page.
struct GraphScale {
  static constexpr int kLogicalWidth = 740;
  static constexpr int kLogicalHeight = 263;

  int width = kLogicalWidth;
  int height = kLogicalHeight;

  int ScaleX(int u) const { return u * width / kLogicalWidth + 1; }
  int ScaleY(int u) const { return u * height / kLogicalHeight + 1; }
};

// One octave counts as 0.301 decades on every frequency axis.
inline constexpr double kOctaveDecadeFactor = 3.3222591362126246;
