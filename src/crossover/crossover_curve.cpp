#include "crossover/crossover_curve.h"

#include <algorithm>
#include <cmath>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_lists.h"

namespace {

CurvePoint LeftEnd(const CrossoverRec& rec, const CrossoverGraphAxis& axis, int levelY) {
  const int x0 = axis.LeftEdge();
  if (rec.hpfSlope == 0.0) return {x0, levelY};
  const int y0 = axis.ZeroDbY();
  const int perDb = axis.PixelsPerDb();
  const int floor = axis.FloorDepth();
  const double slope = std::fabs(rec.hpfSlope);
  // Summed in double so that a damaged frequency cannot overflow the sum.
  const double drop =
      -rec.level * perDb + std::trunc(axis.PixelsPerOctave() * CrossoverGraphAxis::Octaves(rec.hpfFrequency) *
                                      perDb * slope / axis.GradientRun());
  if (drop <= floor) return {x0, TruncateToInt(y0 + drop)};
  const double gradient = perDb * slope / axis.GradientRun();
  return {TruncateToInt(x0 + (drop - floor) / gradient), y0 + floor};
}

CurvePoint RightEnd(const CrossoverRec& rec, const CrossoverGraphAxis& axis, int levelY) {
  const int xEnd = axis.RightEdge();
  if (rec.lpfSlope == 0.0 || rec.lpfFrequency == CrossoverGraphAxis::kHighestFrequency) return {xEnd, levelY};
  const int y0 = axis.ZeroDbY();
  const int perDb = axis.PixelsPerDb();
  const int floor = axis.FloorDepth();
  const double gradient = axis.Gradient(rec.lpfSlope);
  const double drop =
      -rec.level * perDb + gradient * axis.PixelsPerOctave() *
                               (3 * kOctaveDecadeFactor - CrossoverGraphAxis::Octaves(rec.lpfFrequency));
  if (drop <= floor) return {xEnd, TruncateToInt(y0 + drop)};
  return {TruncateToInt(axis.X(rec.lpfFrequency) + (floor + rec.level * perDb) / gradient), y0 + floor};
}

CurvePoint Midpoint(const CurvePoint& a, const CurvePoint& b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

}  // namespace

CurvePolyline CurvePoints(const CrossoverRec& stored, const CrossoverGraphAxis& axis) {
  // Only a damaged setup file holds a level outside the list; draw it at the nearer end.
  CrossoverRec rec = stored;
  rec.level = std::clamp(rec.level, kMinCrossoverLevel, kMaxCrossoverLevel);
  const int levelY = axis.LevelY(rec.level);
  return {LeftEnd(rec, axis, levelY), CurvePoint{axis.X(rec.hpfFrequency), levelY},
          CurvePoint{axis.X(rec.lpfFrequency), levelY}, RightEnd(rec, axis, levelY)};
}

CurvePolyline CurvePoints(const CrossoverRec& rec, int width, int height) {
  return CurvePoints(rec, CrossoverGraphAxis(width, height));
}

CurveMarkers CurveMarkerPositions(const CurvePolyline& p) {
  return {Midpoint(p[0], p[1]), p[1], CurvePoint{(p[1].x + p[2].x) / 2, p[1].y}, p[2], Midpoint(p[2], p[3])};
}
