#pragma once

#include <array>

#include "document/types.h"
#include "graphics/crossover_graph_axis.h"

struct CurvePoint {
  int x = 0;
  int y = 0;

  friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

// The straight-line sketch of a band: left end, HPF corner, LPF corner, right end. A slope falls
// from its corner until the graph's edge or the floor, whichever comes first; it never runs
// along the floor.
using CurvePolyline = std::array<CurvePoint, 4>;

// The handle positions a drawn curve leaves: middle of the HPF slope, HPF corner, level handle,
// LPF corner, middle of the LPF slope.
using CurveMarkers = std::array<CurvePoint, 5>;
inline constexpr int kHpfCornerMarker = 1;
inline constexpr int kLevelMarker = 2;
inline constexpr int kLpfCornerMarker = 3;

CurvePolyline CurvePoints(const CrossoverRec& rec, const CrossoverGraphAxis& axis);
// On the screen graph of a width x height pixel area.
CurvePolyline CurvePoints(const CrossoverRec& rec, int width, int height);

CurveMarkers CurveMarkerPositions(const CurvePolyline& points);
