#include "graphics/crossover_graph_axis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "crossover/frequency_list.h"

TEST(CrossoverGraphAxisTest, ScreenGeometryFollowsTheGraphArea) {
  const CrossoverGraphAxis axis(740, 263);
  EXPECT_EQ(axis.PixelsPerOctave(), 69);
  EXPECT_EQ(axis.LeftEdge(), 31);
  EXPECT_EQ(axis.ZeroDbY(), 41);
  EXPECT_EQ(axis.PixelsPerDb(), 17);  // (246 - 41) / 12, integer
  EXPECT_EQ(axis.FloorDepth(), 205);
  EXPECT_EQ(axis.Top(), 11);
  EXPECT_EQ(axis.Bottom(), 246);
  EXPECT_EQ(axis.X(20.0), 31);
  EXPECT_EQ(axis.X(1000.0), 420);
  EXPECT_EQ(axis.RightEdge(), 718);
  EXPECT_EQ(axis.LevelY(0), 41);
  EXPECT_EQ(axis.LevelY(-12), 41 + 12 * 17);
  EXPECT_DOUBLE_EQ(axis.Gradient(-30.0), 17 * 30 / 60.0);

  const CrossoverGraphAxis small(500, 200);
  EXPECT_EQ(small.PixelsPerOctave(), 46);
  EXPECT_EQ(small.LeftEdge(), 21);
  EXPECT_EQ(small.PixelsPerDb(), 13);
  EXPECT_EQ(small.FloorDepth(), 156);
  EXPECT_EQ(small.RightEdge(), 479);
}

TEST(CrossoverGraphAxisTest, PrintGeometryMatchesTheReportsFrequencyScale) {
  const CrossoverGraphAxis axis = CrossoverGraphAxis::ForPrint();
  // The report places f at 2 x trunc(225.91362126245846 x log10(f / 20) + 30) in 0.1 mm.
  auto report = [](double f) {
    return 2 * static_cast<int>(225.91362126245846 * std::log10(f / 20.0) + 30.0);
  };
  const FrequencyList& list = CrossoverFrequencyList();
  for (int i = 0; i < list.Size(); ++i)
    EXPECT_EQ(2 * axis.X(list.Value(i)), report(list.Value(i))) << list.Label(i);
  for (double f : kCrossoverMinorGridFrequencies) EXPECT_EQ(2 * axis.X(f), report(f)) << f;
  EXPECT_EQ(2 * axis.X(20.0), 60);
  EXPECT_EQ(2 * axis.RightEdge(), 1414);
  // 0 dB, -6 dB and -12 dB lines, the frame and the floor, doubled and negated on the page.
  EXPECT_EQ(-2 * axis.DbY(0), -80);
  EXPECT_EQ(-2 * axis.DbY(-6), -284);
  EXPECT_EQ(-2 * axis.DbY(-12), -488);
  EXPECT_EQ(-2 * (axis.ZeroDbY() + axis.FloorDepth()), -488);
  EXPECT_EQ(-2 * axis.Top(), -20);
  EXPECT_EQ(-2 * axis.Bottom(), -490);
  EXPECT_DOUBLE_EQ(axis.Gradient(-6.0), 17 * 6 / 66.0);
}

TEST(CrossoverGraphAxisTest, DamagedFrequenciesMapWithoutUndefinedConversions) {
  const CrossoverGraphAxis axis(740, 263);
  EXPECT_EQ(axis.X(std::nan("")), 0);
  EXPECT_LT(axis.X(0.0), 0);
  EXPECT_GT(axis.X(1e300), axis.RightEdge());
}
