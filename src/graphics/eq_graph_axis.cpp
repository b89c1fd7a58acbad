#include "graphics/eq_graph_axis.h"

#include <cmath>

namespace {

// Far outside any drawing area, yet safe to add to and to convert: a value from a damaged
// setup file must not overflow the pixel arithmetic.
constexpr double kCoordinateLimit = 1.0e8;

int TruncToPixel(double v) {
  if (std::isnan(v)) return 0;
  if (v > kCoordinateLimit) return static_cast<int>(kCoordinateLimit);
  if (v < -kCoordinateLimit) return -static_cast<int>(kCoordinateLimit);
  return static_cast<int>(v);
}

}  // namespace

EqGraphAxis::EqGraphAxis(GraphScale scale, int limitDb, int dbUnit)
    : scale_(scale), limitDb_(limitDb), dbUnit_(dbUnit), unitsPerDb_(scale.ScaleY(dbUnit)) {}

EqGraphAxis EqGraphAxis::Graphic(GraphScale scale) { return EqGraphAxis(scale, 9, 9); }

EqGraphAxis EqGraphAxis::Parametric(GraphScale scale) { return EqGraphAxis(scale, 12, 7); }

int EqGraphAxis::LeftEdge() const { return scale_.ScaleX(30); }

int EqGraphAxis::RightEdge() const {
  return scale_.ScaleX(30) + TruncToPixel(scale_.ScaleX(68) * 3 * kOctaveDecadeFactor);
}

int EqGraphAxis::TopEdge() const { return scale_.ScaleY(10); }

int EqGraphAxis::BottomEdge() const { return scale_.ScaleY(245); }

int EqGraphAxis::ZeroDbY() const { return scale_.ScaleY(131); }

int EqGraphAxis::UpperLimitY() const { return ZeroDbY() - limitDb_ * unitsPerDb_; }

int EqGraphAxis::LowerLimitY() const { return ZeroDbY() + limitDb_ * unitsPerDb_; }

int EqGraphAxis::FrequencyX(double frequency) const {
  return TruncToPixel(scale_.ScaleX(30) +
                      scale_.ScaleX(68) * std::log10(frequency / 20.0) * kOctaveDecadeFactor);
}

int EqGraphAxis::CurvePointX(double frequency) const {
  return TruncToPixel(scale_.ScaleX(30) +
                      scale_.ScaleX(68) * std::log10(frequency / 20.0) * kOctaveDecadeFactor + 1.0);
}

int EqGraphAxis::LevelY(double db) const { return TruncToPixel(ZeroDbY() - unitsPerDb_ * db); }

int EqGraphAxis::CurvePointY(double db) const {
  const int y = LevelY(db);
  if (y < TopEdge()) return TopEdge();
  if (y > BottomEdge()) return BottomEdge();
  return y;
}

int EqGraphAxis::MarkerY(double db) const { return ZeroDbY() - TruncToPixel(unitsPerDb_ * db); }

int EqGraphAxis::CursorCurveStart(double frequency) {
  return TruncToPixel(15.5 * std::log10(frequency / 20.0) / 0.301) - 20;
}

int EqGraphAxis::PageCurveX(double frequency) {
  return 2 * TruncToPixel(31.0 + 68.0 * std::log10(frequency / 20.0) / 0.301);
}

int EqGraphAxis::PageCurveY(double db) const {
  const int y = TruncToPixel(-2.0 * (131.0 - dbUnit_ * db));
  if (y > kPageTop) return kPageTop;
  if (y < kPageBottom) return kPageBottom;
  return y;
}
