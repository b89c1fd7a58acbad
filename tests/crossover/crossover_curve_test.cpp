#include "crossover/crossover_curve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "crossover/crossover_curve_plan.h"
#include "crossover/crossover_model.h"
#include "document/setup_document.h"

namespace {

CrossoverRec Rec(double lpf, double lpfSlope, double hpf, double hpfSlope, int level) {
  CrossoverRec r;
  r.lpfFrequency = lpf;
  r.lpfSlope = lpfSlope;
  r.hpfFrequency = hpf;
  r.hpfSlope = hpfSlope;
  r.level = level;
  return r;
}

GroupPresence AllPresent() {
  GroupPresence p{};
  p.fill(true);
  return p;
}

// The drawing order as (group, set, dim, handles) tuples.
struct Drawn {
  SpeakerGroup group;
  CrossoverSet set;
  bool dim;
  bool handles;
  friend bool operator==(const Drawn&, const Drawn&) = default;
};
std::ostream& operator<<(std::ostream& os, const Drawn& d) {
  return os << "{" << Index(d.group) << ", " << Index(d.set) << ", " << d.dim << ", " << d.handles << "}";
}
std::vector<Drawn> Order(const std::vector<CrossoverCurve>& curves) {
  std::vector<Drawn> out;
  for (const CrossoverCurve& c : curves) out.push_back({c.group, c.set, c.dim, c.HasHandles()});
  return out;
}

constexpr auto kHi = SpeakerGroup::FrontHi;
constexpr auto kMid = SpeakerGroup::FrontMid;
constexpr auto kLow = SpeakerGroup::FrontLow;
constexpr auto kRear = SpeakerGroup::Rear;
constexpr auto kCen = SpeakerGroup::Center;
constexpr auto kSub = SpeakerGroup::SubWoofer;
constexpr auto kC = CrossoverSet::Common;
constexpr auto kL = CrossoverSet::L;
constexpr auto kR = CrossoverSet::R;

}  // namespace

TEST(CrossoverCurveTest, SlopesEndAtTheGraphEdgeOrTheFloor) {
  // 740 x 263: P 69, x0 31, y0 41, D 17, F 205, right edge 718.
  using P = CurvePolyline;
  // Slopes that reach the edges above the floor; the level line moves down with attenuation.
  EXPECT_EQ(CurvePoints(Rec(10000, -6, 40, -6, 0), 740, 263),
            (P{{{31, 158}, {100, 41}, {649, 41}, {718, 158}}}));
  EXPECT_EQ(CurvePoints(Rec(10000, -6, 40, -12, -3), 740, 263),
            (P{{{54, 246}, {100, 92}, {649, 92}, {718, 209}}}));
  // Front_Hi's default: the -18 dB/oct HPF meets the floor inside the graph, LPF OFF runs flat.
  EXPECT_EQ(CurvePoints(DefaultCrossover(kHi), 740, 263), (P{{{518, 246}, {558, 41}, {718, 41}, {718, 41}}}));
  // SubWoofer's default: the LPF ends where it meets the floor, not at the edge.
  EXPECT_EQ(CurvePoints(DefaultCrossover(kSub), 740, 263), (P{{{31, 41}, {31, 41}, {169, 41}, {209, 246}}}));
  EXPECT_EQ(CurvePoints(Rec(4000, -30, 400, -30, 0), 740, 263),
            (P{{{305, 246}, {329, 41}, {558, 41}, {582, 246}}}));
  // At -12 dB the level line lies a pixel above the floor.
  EXPECT_EQ(CurvePoints(Rec(4000, -6, 400, -6, -12), 740, 263),
            (P{{{328, 246}, {329, 245}, {558, 245}, {558, 246}}}));
  // An LPF at 20 kHz is flat to the right edge whatever its slope.
  EXPECT_EQ(CurvePoints(Rec(20000, -30, 20, -6, -3), 740, 263),
            (P{{{31, 92}, {31, 92}, {718, 92}, {718, 92}}}));
  // Another graph size.
  EXPECT_EQ(CurvePoints(Rec(1000, -12, 100, -24, -2), 500, 200),
            (P{{{102, 187}, {127, 57}, {280, 57}, {330, 187}}}));
}

TEST(CrossoverCurveTest, PrintGeometryUsesSeventeenUnitsPerDbAndTheWiderGradient) {
  const CrossoverGraphAxis print = CrossoverGraphAxis::ForPrint();
  using P = CurvePolyline;
  EXPECT_EQ(CurvePoints(DefaultCrossover(kHi), print), (P{{{505, 244}, {549, 40}, {707, 40}, {707, 40}}}));
  EXPECT_EQ(CurvePoints(Rec(80, -18, 20, 0, -6), print), (P{{{30, 142}, {30, 142}, {166, 142}, {188, 244}}}));
}

TEST(CrossoverCurveTest, MarkersAndDamagedRecords) {
  const CurvePolyline p = CurvePoints(Rec(10000, -6, 40, -6, 0), 740, 263);
  EXPECT_EQ(CurveMarkerPositions(p), (CurveMarkers{{{65, 99}, {100, 41}, {374, 41}, {649, 41}, {683, 99}}}));

  // A level outside the list is drawn at the nearer end; absurd values stay defined.
  EXPECT_EQ(CurvePoints(Rec(20000, 0, 20, 0, -500), 740, 263)[1].y, 41 + 12 * 17);
  EXPECT_EQ(CurvePoints(Rec(20000, 0, 20, 0, 40), 740, 263)[1].y, 41);
  const CurvePolyline odd = CurvePoints(Rec(std::nan(""), -6, 1e300, -30, -12), 740, 263);
  EXPECT_EQ(odd[0].y, 41 + 205);
}

TEST(CrossoverCurvePlanTest, SingleGroupsAndTheDimOppositeSet) {
  const CrossoverTable t = CrossoverModel().Records();
  const CrossoverGraphAxis axis(740, 263);
  CurvePlanInput in;
  in.records = &t;
  in.present = AllPresent();

  in.group = kRear;
  in.set = kC;
  std::vector<CrossoverCurve> curves = PlanCrossoverCurves(in, axis);
  EXPECT_EQ(Order(curves), (std::vector<Drawn>{{kRear, kC, false, true}}));
  EXPECT_EQ(curves[0].colour, (CurveColour{0, 255, 0}));
  EXPECT_EQ(curves[0].points, CurvePoints(t[Index(kRear)][Index(kC)], axis));
  // Rear's slopes are OFF: only the level handle shows.
  EXPECT_FALSE(curves[0].showHpfHandle);
  EXPECT_TRUE(curves[0].showLevelHandle);
  EXPECT_FALSE(curves[0].showLpfHandle);

  in.set = kL;
  curves = PlanCrossoverCurves(in, axis);
  EXPECT_EQ(Order(curves), (std::vector<Drawn>{{kRear, kR, true, false}, {kRear, kL, false, true}}));
  EXPECT_EQ(curves[0].colour, (CurveColour{75, 100, 75}));

  in.group = kSub;
  curves = PlanCrossoverCurves(in, axis);
  EXPECT_TRUE(curves[1].showLpfHandle);
  EXPECT_FALSE(curves[1].showHpfHandle);

  in.present[Index(kSub)] = false;
  EXPECT_TRUE(PlanCrossoverCurves(in, axis).empty());

  // Center is mono: no dim set even if asked for L.
  in.group = kCen;
  EXPECT_EQ(Order(PlanCrossoverCurves(in, axis)), (std::vector<Drawn>{{kCen, kC, false, true}}));
}

TEST(CrossoverCurvePlanTest, FrontGroupsAreDrawnTogetherSelectedLast) {
  const CrossoverTable t = CrossoverModel().Records();
  const CrossoverGraphAxis axis(740, 263);
  CurvePlanInput in;
  in.records = &t;
  in.present = AllPresent();
  in.group = kMid;
  in.set = kR;
  const std::vector<CrossoverCurve> curves = PlanCrossoverCurves(in, axis);
  EXPECT_EQ(Order(curves), (std::vector<Drawn>{{kHi, kL, true, false},
                                               {kLow, kL, true, false},
                                               {kMid, kL, true, false},
                                               {kHi, kR, false, false},
                                               {kLow, kR, false, false},
                                               {kMid, kR, false, true}}));
  EXPECT_EQ(curves[2].colour, (CurveColour{70, 90, 70}));
  EXPECT_EQ(curves[5].colour, (CurveColour{125, 200, 125}));

  // An absent selected front group still shows the other present ones, without handles.
  in.set = kC;
  in.present[Index(kMid)] = false;
  in.present[Index(kHi)] = false;
  EXPECT_EQ(Order(PlanCrossoverCurves(in, axis)), (std::vector<Drawn>{{kLow, kC, false, false}}));
}

TEST(CrossoverCurvePlanTest, ShowAllCurvesDrawsEveryPresentGroupWithoutHandles) {
  const CrossoverTable t = CrossoverModel().Records();
  const CrossoverGraphAxis axis(740, 263);
  CurvePlanInput in;
  in.records = &t;
  in.present = AllPresent();
  in.present[Index(kCen)] = false;
  in.group = kHi;
  in.set = kL;
  in.showAllCurves = true;
  EXPECT_EQ(Order(PlanCrossoverCurves(in, axis)), (std::vector<Drawn>{{kHi, kL, false, false},
                                                                      {kMid, kL, false, false},
                                                                      {kLow, kL, false, false},
                                                                      {kRear, kL, false, false},
                                                                      {kSub, kL, false, false}}));
  in.present[Index(kLow)] = false;
  in.group = kRear;
  EXPECT_EQ(Order(PlanCrossoverCurves(in, axis)), (std::vector<Drawn>{{kHi, kL, false, false},
                                                                      {kMid, kL, false, false},
                                                                      {kRear, kL, false, false},
                                                                      {kSub, kL, false, false}}));
}

TEST(CrossoverCurvePlanTest, ModelPlansFromItsCursorAndPresence) {
  CrossoverModel m;
  m.SelectSet(CrossoverSet::R);
  m.SelectGroup(kRear);
  m.SetSpeakerSwitches(SpeakerSwitches{0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  const std::vector<CrossoverCurve> curves = m.Curves(false, CrossoverGraphAxis(740, 263));
  EXPECT_EQ(Order(curves), (std::vector<Drawn>{{kRear, kL, true, false}, {kRear, kR, false, true}}));
  m.SelectGroup(kMid);
  EXPECT_EQ(Order(m.Curves(false, CrossoverGraphAxis(740, 263))).size(), 4u);  // no Front_Hi
}
