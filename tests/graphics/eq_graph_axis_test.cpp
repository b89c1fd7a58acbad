#include "graphics/eq_graph_axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "eq/response_curve.h"

TEST(EqGraphAxis, LogicalSizeMapsUnitsToUnitsPlusOne) {
  const EqGraphAxis geq = EqGraphAxis::Graphic(GraphScale{740, 263});
  EXPECT_EQ(geq.LeftEdge(), 31);
  EXPECT_EQ(geq.TopEdge(), 11);
  EXPECT_EQ(geq.BottomEdge(), 246);
  EXPECT_EQ(geq.ZeroDbY(), 132);
  EXPECT_EQ(geq.UnitsPerDb(), 10);
  EXPECT_EQ(geq.UpperLimitY(), 42);
  EXPECT_EQ(geq.LowerLimitY(), 222);
  // 20 kHz: X(30) + trunc(X(68) x 3 / 0.301), about 708 logical units.
  EXPECT_EQ(geq.RightEdge(), 31 + 687);
  EXPECT_EQ(geq.FrequencyX(20000.0), geq.RightEdge());

  const EqGraphAxis peq = EqGraphAxis::Parametric(GraphScale{740, 263});
  EXPECT_EQ(peq.UnitsPerDb(), 8);
  EXPECT_EQ(peq.LimitDb(), 12);
  EXPECT_EQ(peq.UpperLimitY(), 132 - 96);
  EXPECT_EQ(peq.LowerLimitY(), 132 + 96);
}

TEST(EqGraphAxis, FrequencyToX) {
  const EqGraphAxis axis = EqGraphAxis::Parametric(GraphScale{740, 263});
  EXPECT_EQ(axis.FrequencyX(20.0), 31);
  EXPECT_EQ(axis.CurvePointX(20.0), 32);      // a band at 20 Hz: X(30) + 1
  EXPECT_EQ(axis.FrequencyX(40.0), 31 + 69);  // one octave is X(68), a hair more than 0.301 decades
  EXPECT_EQ(axis.FrequencyX(1000.0), static_cast<int>(31 + 69 * std::log10(50.0) / 0.301));
  const int last = axis.CurvePointX(CurveGridFrequency(kCurvePointCount - 1));
  EXPECT_LT(last, axis.RightEdge());
  EXPECT_GT(last, axis.RightEdge() - 5);

  // A graph half as wide.
  const EqGraphAxis small = EqGraphAxis::Graphic(GraphScale{370, 200});
  EXPECT_EQ(small.LeftEdge(), 16);
  EXPECT_EQ(small.RightEdge(), 16 + static_cast<int>(35 * 3 * kOctaveDecadeFactor));
  EXPECT_EQ(small.CurvePointX(100.0),
            static_cast<int>(16 + 35 * std::log10(5.0) * kOctaveDecadeFactor + 1.0));
}

TEST(EqGraphAxis, LevelToYForCurvesAndMarkers) {
  const EqGraphAxis axis = EqGraphAxis::Parametric(GraphScale{740, 263});
  EXPECT_EQ(axis.LevelY(0.0), 132);
  EXPECT_EQ(axis.LevelY(12.0), 36);
  EXPECT_EQ(axis.LevelY(-12.0), 228);
  EXPECT_EQ(axis.CurvePointY(12.0), 36);
  // Off the plot: drawn on its edge.
  EXPECT_EQ(axis.CurvePointY(20.0), axis.TopEdge());
  EXPECT_EQ(axis.CurvePointY(-30.0), axis.BottomEdge());
  EXPECT_EQ(axis.LevelY(20.0), 132 - 160);
  // The curve truncates after subtracting, the markers before: they differ by one for a
  // fractional level.
  EXPECT_EQ(axis.LevelY(2.55), 111);
  EXPECT_EQ(axis.MarkerY(2.55), 112);
  EXPECT_EQ(axis.LevelY(-2.55), 152);
  EXPECT_EQ(axis.MarkerY(-2.55), 152);
  EXPECT_EQ(axis.MarkerY(-20.0), 292);  // markers are not clamped

  const EqGraphAxis geq = EqGraphAxis::Graphic(GraphScale{500, 300});
  EXPECT_EQ(geq.ZeroDbY(), 131 * 300 / 263 + 1);
  EXPECT_EQ(geq.UnitsPerDb(), 9 * 300 / 263 + 1);
  EXPECT_EQ(geq.MarkerY(9.0), geq.ZeroDbY() - 9 * geq.UnitsPerDb());
}

TEST(EqGraphAxis, CursorStartAndPrintedPage) {
  EXPECT_EQ(EqGraphAxis::CursorCurveStart(20.0), -20);
  EXPECT_EQ(EqGraphAxis::CursorCurveStart(1000.0), 67);

  EXPECT_EQ(EqGraphAxis::PageCurveX(20.0), 62);
  EXPECT_EQ(EqGraphAxis::PageCurveX(20000.0), 2 * 708);
  const EqGraphAxis peq = EqGraphAxis::Parametric(GraphScale{});
  const EqGraphAxis geq = EqGraphAxis::Graphic(GraphScale{});
  EXPECT_EQ(peq.PageCurveY(0.0), -262);
  EXPECT_EQ(peq.PageCurveY(12.0), -94);
  EXPECT_EQ(peq.PageCurveY(30.0), -20);
  EXPECT_EQ(peq.PageCurveY(-30.0), -490);
  EXPECT_EQ(geq.PageCurveY(9.0), -100);
  EXPECT_EQ(geq.PageCurveY(-0.5), -271);
}

TEST(EqGraphAxis, DamagedValuesStayDrawable) {
  const EqGraphAxis axis = EqGraphAxis::Graphic(GraphScale{740, 263});
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(axis.CurvePointY(1.0e300), axis.TopEdge());
  EXPECT_EQ(axis.CurvePointY(-inf), axis.BottomEdge());
  EXPECT_EQ(axis.CurvePointY(std::nan("")), axis.TopEdge());
  EXPECT_LT(axis.FrequencyX(0.0), axis.LeftEdge());
  EXPECT_GT(axis.MarkerY(-1.0e300), axis.BottomEdge());
  EXPECT_EQ(axis.PageCurveY(inf), EqGraphAxis::kPageTop);
}
