#include "measure/spectrum_graph.h"

#include <gtest/gtest.h>

#include "measure/measurement_fixture.h"
#include "measure/spectrum_report.h"

namespace {

using Kind = RecordingCanvas::Kind;

// 820 x 330 pixels: unit 20, a graph frame of 749 x 256 (H / 50 = 5, H / 14 = 18).
SpectrumGraph Standard() { return SpectrumGraph(820, 330); }

using measuretest::CountLines;

}  // namespace

TEST(SpectrumGraph, BarsSegmentsAndLevelsFollowTheGraphFrame) {
  const SpectrumGraph g = Standard();
  EXPECT_EQ(g.GraphRect(), (CanvasRect{10, 37, 759, 293}));
  EXPECT_EQ(g.TextHeight(), 16);
  EXPECT_EQ(g.Bar(0), (BarSpan{28, 44}));
  EXPECT_EQ(g.Bar(1), (BarSpan{51, 67}));     // p = 26 + 23.39
  EXPECT_EQ(g.Bar(30), (BarSpan{729, 745}));  // p = 26 + 701.69
  EXPECT_EQ(g.SegmentY(0), 238);
  EXPECT_EQ(g.SegmentY(47), 3);
  EXPECT_EQ(g.LevelY(20), 138);
  EXPECT_EQ(g.LevelY(-5), 238);  // clamped to H - H / 14
  EXPECT_EQ(g.LevelY(60), 18);   // and to H / 14
  EXPECT_EQ(g.AxisTextAt(0), (CanvasPoint{40, 297}));
  EXPECT_EQ(g.AxisTextAt(4), (CanvasPoint{740, 297}));
}

TEST(SpectrumGraph, EveryFrameSizeHoldsTheLastBarAndTheTopSegment) {
  for (int w = 200; w <= 4200; w += 37) {
    for (int h = 150; h <= 1600; h += 23) {
      const SpectrumGraph g(w, h);
      const CanvasRect r = g.GraphRect();
      ASSERT_LT(g.Bar(kSpectrumBandCount - 1).right, g.GraphWidth() - 2) << w << "x" << h;
      ASSERT_GE(g.SegmentY(kSpectrumSegmentCount - 1), 2) << w << "x" << h;
      ASSERT_LE(r.right, w) << w;
      ASSERT_LE(r.bottom + g.TextHeight(), h) << w << "x" << h;  // the axis texts fit below
    }
  }
}

TEST(SpectrumGraph, BackgroundIsBlackWithBorderAndEveryUnlitSegment) {
  const SpectrumGraph g = Standard();
  RecordingCanvas graph;
  g.DrawGraphBackground(graph);
  ASSERT_FALSE(graph.ops.empty());
  EXPECT_EQ(std::tuple(graph.ops[0].kind, graph.ops[0].rect, graph.ops[0].colour),
            std::tuple(Kind::Fill, CanvasRect{0, 0, 749, 256}, Rgb{0, 0, 0}));
  EXPECT_EQ(CountLines(graph, kSpectrumBorderColour), 2);
  EXPECT_EQ(CountLines(graph, kSpectrumUnlitColour), kSpectrumBandCount * kSpectrumSegmentCount);
  for (const auto& op : graph.Of(Kind::Line)) EXPECT_EQ(op.width, 2);

  RecordingCanvas frame;
  g.DrawFrame(frame);
  EXPECT_EQ(frame.ops[0].rect, (CanvasRect{0, 0, 820, 330}));
  EXPECT_EQ(frame.ops[0].colour, kSpectrumFrameColour);
  const auto* title = frame.FindText("Spectrum Analyzer");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(std::tuple(title->family, title->height, title->colour),
            std::tuple("MS Sans Serif", 16, Rgb{255, 255, 255}));
  EXPECT_NE(frame.FindText("20k[Hz]"), nullptr);
}

TEST(SpectrumGraph, OnlyTheSegmentsThatChangedAreDrawn) {
  const SpectrumGraph g = Standard();
  RecordingCanvas graph;
  SpectrumLevels levels{};
  SpectrumLevels drawn{};
  levels[3] = AnalyzerState::CapLevel(60);
  g.DrawBars(graph, levels, drawn);
  auto lines = graph.Of(Kind::Line);
  ASSERT_EQ(lines.size(), 47u);  // a reading of 60 is shown as 47
  EXPECT_EQ(lines.front().colour, kSpectrumLitColour);
  EXPECT_EQ(lines.front().points, (std::vector<CanvasPoint>{{g.Bar(3).left, 238}, {g.Bar(3).right, 238}}));
  EXPECT_EQ(lines.back().points[0].y, g.SegmentY(46));
  EXPECT_EQ(drawn[3], 47);

  // A lower reading un-lights the segments above it and nothing else.
  graph.Clear();
  levels[3] = 20;
  g.DrawBars(graph, levels, drawn);
  lines = graph.Of(Kind::Line);
  ASSERT_EQ(lines.size(), 27u);
  EXPECT_EQ(lines.front().points[0].y, g.SegmentY(20));
  EXPECT_EQ(lines.back().points[0].y, g.SegmentY(46));
  EXPECT_EQ(CountLines(graph, kSpectrumUnlitColour), 27);

  graph.Clear();
  g.DrawBars(graph, levels, drawn);
  EXPECT_TRUE(graph.Of(Kind::Line).empty());
}

TEST(SpectrumGraph, TrendLineIsTheLeastSquaresFitClampedIntoThePlot) {
  SpectrumLevels flat;
  flat.fill(20);
  const TrendLine level = TrendLine::Fit(flat);
  EXPECT_DOUBLE_EQ(level.slope, 0.0);
  EXPECT_DOUBLE_EQ(level.intercept, 20.0);

  SpectrumLevels rising{};
  for (int i = 0; i < kSpectrumBandCount; ++i) rising[i] = 2 * i + 1;
  const TrendLine fit = TrendLine::Fit(rising);
  EXPECT_NEAR(fit.slope, 2.0, 1e-12);
  EXPECT_NEAR(fit.intercept, 1.0, 1e-12);

  const SpectrumGraph g = Standard();
  RecordingCanvas graph;
  g.DrawTrendLine(graph, level);
  g.DrawTrendLine(graph, fit);
  const auto lines = graph.Of(Kind::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].colour, kSpectrumTrendColour);
  EXPECT_EQ(lines[0].points, (std::vector<CanvasPoint>{{26, 138}, {747, 138}}));
  EXPECT_EQ(lines[1].points, (std::vector<CanvasPoint>{{26, 233}, {747, 18}}));  // 63 clamped to the top
}

TEST(SpectrumReport, StartLevelsPrint32ColouredAnd16GreySegmentsPerBand) {
  measuretest::PageTarget target;
  PrintedReport report(target);
  ASSERT_TRUE(report.Begin(ReportDate{2024, 3, 7}));
  SpectrumLevels levels;
  levels.fill(kPrintLevelStart);
  levels[30] = 0;
  PrintSpectrumReport(report, levels);
  report.End();

  const RecordingCanvas& page = target.page;
  const auto lines = page.Of(Kind::Line);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kSpectrumBandCount * kSpectrumSegmentCount));
  EXPECT_EQ(CountLines(page, kSpectrumReportLitColour), 30 * 32);
  EXPECT_EQ(CountLines(page, kSpectrumReportUnlitColour), 30 * 16 + 48);
  EXPECT_EQ(lines[0].points, (std::vector<CanvasPoint>{{160, -450}, {180, -450}}));
  EXPECT_EQ(lines[31].colour, kSpectrumReportLitColour);
  EXPECT_EQ(lines[32].colour, kSpectrumReportUnlitColour);
  EXPECT_EQ(lines.back().points, (std::vector<CanvasPoint>{{1180, -74}, {1200, -74}}));
  for (const auto& op : lines) EXPECT_EQ(op.width, 2);

  const auto frames = page.Of(Kind::Polyline);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].colour, kSpectrumReportFrameColour);
  EXPECT_EQ(frames[0].points,
            (std::vector<CanvasPoint>{{60, -20}, {1300, -20}, {1300, -550}, {60, -550}, {60, -20}}));
  EXPECT_EQ(frames[1].points[2], (CanvasPoint{1220, -490}));
  for (const auto& [text, at] :
       {std::pair{"20[Hz]", CanvasPoint{100, -490}}, std::pair{"20[kHz]", CanvasPoint{1140, -490}}}) {
    ASSERT_NE(page.FindText(text), nullptr) << text;
    EXPECT_EQ(page.FindText(text)->points[0], at);
  }
  EXPECT_NE(page.FindText("Spectrum Analyzer        2024 /  3 /  7"), nullptr);
  EXPECT_NE(page.FindText("TORVAL country tel e-mail"), nullptr);
}
