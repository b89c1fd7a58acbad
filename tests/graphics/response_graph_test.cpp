#include "graphics/response_graph.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "document/setup_document.h"
#include "graphics/recording_canvas.h"

namespace {

using Kind = RecordingCanvas::Kind;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{100, 100, 100};

ResponseGraph Parametric(int w = 740, int h = 263) {
  return ResponseGraph(EqKind::Parametric, {w, h}, {70, 263});
}
ResponseGraph Graphic(int w = 740, int h = 263) { return ResponseGraph(EqKind::Graphic, {w, h}, {70, 263}); }

std::vector<RecordingCanvas::Op> LinesIn(const RecordingCanvas& c, Rgb colour, int width) {
  std::vector<RecordingCanvas::Op> out;
  for (const auto& op : c.Of(Kind::Line))
    if (op.colour == colour && op.width == width) out.push_back(op);
  return out;
}

bool HasLine(const std::vector<RecordingCanvas::Op>& lines, CanvasPoint a, CanvasPoint b) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const auto& op) { return op.points[0] == a && op.points[1] == b; });
}

}  // namespace

TEST(ResponseGraph, BackgroundOnTheLogicalFrameSizeMapsUnitsOnePixelOn) {
  RecordingCanvas c;
  Parametric().DrawBackground(c);

  ASSERT_FALSE(c.ops.empty());
  EXPECT_EQ(c.ops[0].kind, Kind::Fill);
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{0, 0, 740, 263}));
  EXPECT_EQ(c.ops[0].colour, (Rgb{0, 0, 0}));

  const std::vector<std::pair<std::string, CanvasPoint>> labels = {
      {"[dB]", {1, 7}},   {"[Hz]", {701, 248}}, {"+12", {11, 36}},  {"0", {17, 126}},
      {"-12", {11, 208}}, {"100", {179, 246}},  {"1k", {415, 246}}, {"10k", {641, 246}}};
  for (const auto& [text, at] : labels) {
    const auto* op = c.FindText(text);
    ASSERT_NE(op, nullptr) << text;
    EXPECT_EQ(op->points[0], at) << text;
    EXPECT_EQ(op->family, "MS Sans Serif");
    EXPECT_EQ(op->height, 15);  // trunc(0.0202 x 740) + 1
    EXPECT_EQ(op->colour, kWhite);
    EXPECT_EQ(op->background, (Rgb{0, 0, 0}));
  }

  // 27 fine grid verticals (10 Hz falls left of the plot, 20 Hz on its edge) and the two limits.
  const auto grey = LinesIn(c, kGrey, 1);
  EXPECT_EQ(grey.size(), 29u);
  EXPECT_TRUE(HasLine(grey, {-38, 11}, {-38, 246}));
  EXPECT_TRUE(HasLine(grey, {31, 11}, {31, 246}));
  EXPECT_TRUE(HasLine(grey, {31, 36}, {718, 36}));    // +12 dB: Y(131) - 12 Y(7)
  EXPECT_TRUE(HasLine(grey, {31, 228}, {718, 228}));  // -12 dB

  const auto white = LinesIn(c, kWhite, 1);
  ASSERT_EQ(white.size(), 4u);
  EXPECT_TRUE(HasLine(white, {191, 11}, {191, 246}));
  EXPECT_TRUE(HasLine(white, {420, 11}, {420, 246}));
  EXPECT_TRUE(HasLine(white, {649, 11}, {649, 246}));
  EXPECT_TRUE(HasLine(white, {31, 131}, {718, 131}));  // the 0 dB line sits at Y(130)

  const auto frame = LinesIn(c, kWhite, 2);
  ASSERT_EQ(frame.size(), 4u);
  EXPECT_TRUE(HasLine(frame, {31, 11}, {31, 246}));
  EXPECT_TRUE(HasLine(frame, {718, 11}, {718, 246}));
  EXPECT_TRUE(HasLine(frame, {31, 11}, {718, 11}));
  EXPECT_TRUE(HasLine(frame, {31, 246}, {718, 246}));

  // Drawing order: fill, labels, then the lines, the frame last.
  std::size_t lastText = 0;
  std::size_t firstLine = c.ops.size();
  for (std::size_t i = 0; i < c.ops.size(); ++i) {
    if (c.ops[i].kind == Kind::Text) lastText = i;
    if (c.ops[i].kind == Kind::Line && firstLine == c.ops.size()) firstLine = i;
  }
  EXPECT_LT(lastText, firstLine);
  EXPECT_EQ(c.ops.back().width, 2);
}

TEST(ResponseGraph, BackgroundScalesWithTheControl) {
  RecordingCanvas c;
  Graphic(1480, 526).DrawBackground(c);
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{0, 0, 1480, 526}));
  EXPECT_EQ(c.FindText("[Hz]")->points[0], (CanvasPoint{1401, 495}));
  EXPECT_EQ(c.FindText("+9")->points[0], (CanvasPoint{21, 71}));
  EXPECT_EQ(c.FindText("-9")->points[0], (CanvasPoint{21, 415}));
  EXPECT_EQ(c.FindText("10k")->height, 30);

  const auto grey = LinesIn(c, kGrey, 1);
  // The graphic limits are +-9 Y(9): Y(131) = 263, Y(9) = 19.
  EXPECT_TRUE(HasLine(grey, {61, 263 - 9 * 19}, {1426, 263 - 9 * 19}));
  EXPECT_TRUE(HasLine(grey, {61, 263 + 9 * 19}, {1426, 263 + 9 * 19}));
  const auto frame = LinesIn(c, kWhite, 2);
  EXPECT_TRUE(HasLine(frame, {1426, 21}, {1426, 491}));
  EXPECT_TRUE(HasLine(LinesIn(c, kWhite, 1), {834, 21}, {834, 491}));
}

TEST(ResponseGraph, LegendRowsAndClicks) {
  const ResponseGraph graph = Parametric();
  RecordingCanvas c;
  graph.DrawLegend(c, EqGroup::Center);
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{0, 0, 70, 263}));
  EXPECT_EQ(c.FindText("Front")->points[0], (CanvasPoint{7, 13}));
  EXPECT_EQ(c.FindText("S.W")->points[0], (CanvasPoint{7, 13 + 3 * 52}));
  const auto lines = c.Of(Kind::Line);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].points[0], (CanvasPoint{10, 37}));
  EXPECT_EQ(lines[0].points[1], (CanvasPoint{60, 37}));
  EXPECT_EQ(lines[0].width, 8);
  EXPECT_EQ(lines[0].colour, (Rgb{105, 0, 0}));
  EXPECT_EQ(lines[2].colour, (Rgb{0, 0, 255}));  // the current group is bright
  EXPECT_EQ(lines[3].points[0].y, 37 + 3 * 52);

  EXPECT_EQ(graph.LegendGroupAt({5, 0}), EqGroup::Front);
  EXPECT_EQ(graph.LegendGroupAt({5, 51}), EqGroup::Front);
  EXPECT_EQ(graph.LegendGroupAt({5, 52}), EqGroup::Rear);
  EXPECT_EQ(graph.LegendGroupAt({5, 207}), EqGroup::SubWoofer);
  EXPECT_EQ(graph.LegendGroupAt({5, 208}), std::nullopt);  // the fifth row holds no group
  EXPECT_EQ(graph.LegendGroupAt({70, 10}), std::nullopt);
  EXPECT_EQ(graph.LegendGroupAt({-1, 10}), std::nullopt);
}

TEST(ResponseGraph, CurveOrderAndColours) {
  using G = EqGroup;
  auto groups = [](const std::vector<GraphCurve>& v) {
    std::vector<std::pair<G, EqSide>> out;
    for (const auto& c : v) out.emplace_back(c.group, c.side);
    return out;
  };

  auto peq = ResponseGraph::CurveOrder(EqKind::Parametric, G::Rear, EqSide::L, false);
  ASSERT_EQ(peq.size(), 2u);
  EXPECT_EQ(groups(peq), (std::vector<std::pair<G, EqSide>>{{G::Rear, EqSide::R}, {G::Rear, EqSide::L}}));
  EXPECT_EQ(peq[0].colour, (Rgb{75, 100, 75}));
  EXPECT_FALSE(peq[0].edited);
  EXPECT_EQ(peq[1].colour, (Rgb{0, 255, 0}));
  EXPECT_TRUE(peq[1].edited);

  // The parametric graph leaves the other side out while all curves are shown.
  peq = ResponseGraph::CurveOrder(EqKind::Parametric, G::Rear, EqSide::L, true);
  EXPECT_EQ(groups(peq), (std::vector<std::pair<G, EqSide>>{{G::Front, EqSide::L},
                                                            {G::Rear, EqSide::L},
                                                            {G::Center, EqSide::L},
                                                            {G::SubWoofer, EqSide::L},
                                                            {G::Rear, EqSide::L}}));
  EXPECT_FALSE(peq[3].darkColour.has_value());

  auto geq = ResponseGraph::CurveOrder(EqKind::Graphic, G::SubWoofer, EqSide::R, true);
  ASSERT_EQ(geq.size(), 6u);
  EXPECT_EQ(geq[3].darkColour, (Rgb{105, 105, 0}));
  EXPECT_EQ(geq[4].side, EqSide::L);
  EXPECT_EQ(geq[4].colour, (Rgb{100, 100, 50}));
  EXPECT_EQ(geq[4].darkColour, (Rgb{85, 85, 0}));
  EXPECT_EQ(geq[5].colour, (Rgb{255, 255, 0}));

  EXPECT_EQ(ResponseGraph::CurveOrder(EqKind::Graphic, G::Front, EqSide::Common, false).size(), 1u);
}

TEST(ResponseGraph, CurvesAreClampedPolylinesWithTwoPixelPens) {
  const ResponseGraph graph = Parametric();
  CurveValues values{};
  values.fill(0.0);
  values[10] = 30.0;
  values[20] = -30.0;
  values[30] = 5.0;
  RecordingCanvas c;
  graph.DrawCurve(c, values, {EqGroup::Front, EqSide::Common, {255, 0, 0}, std::nullopt, true});
  const auto polys = c.Of(Kind::Polyline);
  ASSERT_EQ(polys.size(), 1u);
  const auto& p = polys[0].points;
  ASSERT_EQ(p.size(), 155u);
  EXPECT_EQ(polys[0].width, 2);
  EXPECT_EQ(p[0], (CanvasPoint{32, 132}));  // 20 Hz sits at X(30) + 1
  EXPECT_EQ(p[10].y, 11);                   // drawn on the top edge, not left out
  EXPECT_EQ(p[20].y, 246);
  EXPECT_EQ(p[30].y, 132 - 5 * 8);
  EXPECT_EQ(p[154].x, 717);  // 19584 Hz, just left of the right edge 718

  // The graphic SubWoofer curve: two polylines sharing point 47.
  c.Clear();
  Graphic().DrawCurve(c, values, {EqGroup::SubWoofer, EqSide::Common, {255, 255, 0}, Rgb{105, 105, 0}, true});
  const auto split = c.Of(Kind::Polyline);
  ASSERT_EQ(split.size(), 2u);
  EXPECT_EQ(split[0].points.size(), 48u);
  EXPECT_EQ(split[1].points.size(), 155u - 47u);
  EXPECT_EQ(split[0].points.back(), split[1].points.front());
  EXPECT_EQ(split[1].colour, (Rgb{105, 105, 0}));
}

TEST(ResponseGraph, ParametricMarkers) {
  const ResponseGraph graph = Parametric();
  PeqBandSet set{};
  for (int b = 0; b < kPeqBandCount; ++b) set[b] = DefaultPeqBand(EqGroup::Front, b);
  set[9].gain = 6.0f;
  PeqMarkerSet markers{};
  RecordingCanvas c;
  graph.DrawPeqMarkers(c, set, 10, markers);

  EXPECT_EQ(markers[0], (BandMarker{76, 132, 31.25f, 0.0f}));
  EXPECT_EQ(markers[9].y, 132 - 6 * 8);
  const auto fills = c.Of(Kind::Fill);
  ASSERT_EQ(fills.size(), 10u);
  EXPECT_EQ(fills[0].rect, (CanvasRect{66, 122, 87, 143}));  // X(20) = 21 wide around the marker
  EXPECT_EQ(fills[0].colour, (Rgb{255, 153, 153}));
  const auto* one = c.FindText("1");
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one->points[0], (CanvasPoint{72, 125}));
  EXPECT_EQ(one->height, 15);
  EXPECT_EQ(one->background, (Rgb{255, 153, 153}));
  EXPECT_EQ(c.FindText("10")->points[0], (CanvasPoint{markers[9].x - 8, markers[9].y - 7}));

  // The first cursor curve starts at grid point -11; the points left of the plot are skipped.
  const auto cursors = c.Of(Kind::Polyline);
  ASSERT_EQ(cursors.size(), 10u);
  EXPECT_EQ(cursors[0].points.size(), 30u);
  EXPECT_EQ(cursors[0].points.front(), (CanvasPoint{32, 132}));
  EXPECT_EQ(cursors[0].colour, (Rgb{20, 200, 200}));
  EXPECT_EQ(cursors[0].width, 1);
  // The 16 kHz band's curve ends at the right edge.
  for (const auto& pt : cursors[9].points) EXPECT_LE(pt.x, 718);
  EXPECT_LT(cursors[9].points.size(), 41u);
  // Its curve peaks at the marker: the response at the band's own frequency is its gain.
  const auto peak = std::min_element(cursors[9].points.begin(), cursors[9].points.end(),
                                     [](auto a, auto b) { return a.y < b.y; });
  EXPECT_NEAR(peak->y, markers[9].y, 1);

  // Four markers for the SubWoofer; a square at the control's edge is clipped.
  c.Clear();
  set[0].frequency = 20.0f;
  set[0].gain = 12.0f;
  ResponseGraph small(EqKind::Parametric, {740, 263}, {70, 263});
  small.DrawPeqMarkers(c, set, 4, markers);
  EXPECT_EQ(c.Of(Kind::Fill).size(), 4u);
  RecordingCanvas edge;
  small.DrawPeqHighlight(edge, {5, 3, 20.0f, 12.0f}, {255, 153, 0});
  EXPECT_EQ(edge.ops[0].rect, (CanvasRect{0, 0, 16, 14}));
}

TEST(ResponseGraph, GraphicBarsHandlesAndColumnRepaint) {
  const ResponseGraph graph = Graphic();
  // 1 kHz at +6 dB: x = 421, Y(9) = 10 pixels per dB, X(14) = 15.
  const BandMarker up = graph.GeqMarkerFor(17, 3);
  EXPECT_EQ(up, (BandMarker{421, 72, 1000.0f, 6.0f}));
  RecordingCanvas c;
  graph.DrawGeqBar(c, up);
  ASSERT_EQ(c.ops.size(), 2u);
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{414, 65, 429, 133}));
  EXPECT_EQ(c.ops[0].colour, (Rgb{68, 136, 68}));
  EXPECT_EQ(c.ops[1].rect, (CanvasRect{414, 65, 429, 72}));
  EXPECT_EQ(c.ops[1].colour, (Rgb{102, 102, 102}));

  c.Clear();
  graph.DrawGeqBar(c, graph.GeqMarkerFor(17, 12), {68, 68, 68});  // -3 dB, being dragged
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{414, 132, 429, 170}));
  EXPECT_EQ(c.ops[1].rect, (CanvasRect{414, 163, 429, 170}));
  EXPECT_EQ(c.ops[1].colour, (Rgb{68, 68, 68}));

  c.Clear();
  graph.DrawGeqBar(c, graph.GeqMarkerFor(17, kGeqFlatCode));
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{414, 125, 429, 140}));
  EXPECT_EQ(c.ops[1].rect, c.ops[0].rect);

  // Only the enabled bands get bars and markers.
  c.Clear();
  GeqCodeSet codes{};
  codes.fill(kGeqFlatCode);
  std::array<bool, kGeqBandCount> enabled{};
  for (int b = 0; b < 10; ++b) enabled[b] = true;
  GeqMarkerSet markers{};
  graph.DrawGeqBars(c, codes, enabled, markers);
  EXPECT_EQ(c.Of(Kind::Fill).size(), 20u);
  EXPECT_EQ(markers[0].x, 32);
  EXPECT_EQ(markers[10].x, 0);

  // Column repaint: black column, the limit lines, the band's grid line, the bar.
  c.Clear();
  graph.RepaintGeqColumn(c, 17, up);
  ASSERT_GE(c.ops.size(), 6u);
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{414, 132 - 97, 429, 132 + 97 + 1}));
  EXPECT_EQ(c.ops[0].colour, (Rgb{0, 0, 0}));
  const auto grey = LinesIn(c, kGrey, 1);
  EXPECT_TRUE(HasLine(grey, {31, 42}, {718, 42}));
  EXPECT_TRUE(HasLine(grey, {31, 222}, {718, 222}));
  EXPECT_TRUE(HasLine(LinesIn(c, kWhite, 1), {420, 35}, {420, 229}));
  EXPECT_EQ(c.ops.back().rect, (CanvasRect{414, 65, 429, 72}));

  // The 63 Hz column carries the 60 Hz grid line, the 125 Hz column none, 20 Hz the frame.
  c.Clear();
  graph.RepaintGeqColumn(c, 5, graph.GeqMarkerFor(5, kGeqFlatCode));
  EXPECT_EQ(LinesIn(c, kGrey, 1).size(), 3u);
  EXPECT_TRUE(HasLine(LinesIn(c, kGrey, 1), {graph.Axis().FrequencyX(60.0), 35},
                      {graph.Axis().FrequencyX(60.0), 229}));
  c.Clear();
  graph.RepaintGeqColumn(c, 8, graph.GeqMarkerFor(8, kGeqFlatCode));
  EXPECT_EQ(c.Of(Kind::Line).size(), 2u);
  c.Clear();
  graph.RepaintGeqColumn(c, 0, graph.GeqMarkerFor(0, kGeqFlatCode));
  EXPECT_TRUE(HasLine(LinesIn(c, kWhite, 2), {31, 35}, {31, 229}));

  c.Clear();
  graph.DrawGeqHighlight(c, up);
  EXPECT_EQ(c.ops[0].rect, (CanvasRect{414, 65, 429, 80}));
  EXPECT_EQ(c.ops[0].colour, (Rgb{102, 153, 153}));
}
