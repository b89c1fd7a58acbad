#pragma once

#include "graphics/graph_scale.h"

// Frequency-to-x and level-to-y of the equalizer graph, on a graph area of any size (screen
// pixels or page units). All results are truncated toward zero.
class EqGraphAxis {
 public:
  // +9..-9 dB, Y(9) units per dB.
  static EqGraphAxis Graphic(GraphScale scale);
  // +12..-12 dB, Y(7) units per dB.
  static EqGraphAxis Parametric(GraphScale scale);

  const GraphScale& Scale() const { return scale_; }
  int LimitDb() const { return limitDb_; }
  int UnitsPerDb() const { return unitsPerDb_; }

  int LeftEdge() const;     // 20 Hz, X(30)
  int RightEdge() const;    // 20 kHz, X(30) + trunc(X(68) x 3 octave-decades)
  int TopEdge() const;      // Y(10)
  int BottomEdge() const;   // Y(245)
  int ZeroDbY() const;      // Y(131), where levels are measured from
  int UpperLimitY() const;  // Y(131) - limit x D
  int LowerLimitY() const;  // Y(131) + limit x D

  // Grid lines and labels: X(30) + X(68) x log10(f / 20) / 0.301.
  int FrequencyX(double frequency) const;
  // Curve points and band markers sit one unit to the right of the grid.
  int CurvePointX(double frequency) const;

  // trunc(Y(131) - D x v).
  int LevelY(double db) const;
  // LevelY kept inside the plot, so a curve above or below it runs along the edge.
  int CurvePointY(double db) const;
  // Band markers and cursor curves: trunc(Y(131)) - trunc(D x v), not clamped.
  int MarkerY(double db) const;

  // First grid index of the 41-point cursor curve centred on a band at `frequency`.
  static int CursorCurveStart(double frequency);

  // The printed report's graph: two page units per logical unit, y growing upward.
  static int PageCurveX(double frequency);
  int PageCurveY(double db) const;
  static constexpr int kPageTop = -20;
  static constexpr int kPageBottom = -490;

 private:
  EqGraphAxis(GraphScale scale, int limitDb, int dbUnit);

  GraphScale scale_;
  int limitDb_;
  int dbUnit_;  // logical units per dB, before scaling
  int unitsPerDb_;
};
