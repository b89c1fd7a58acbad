#include "crossover/crossover_curve_plan.h"

#include <array>
#include <cstddef>
#include <utility>

#include "crossover/speaker_group_info.h"

namespace {

struct GroupColours {
  CurveColour normal;
  CurveColour dim;
  CurveColour legend;
};

constexpr std::array<GroupColours, kSpeakerGroupCount> kColours = {{
    {{255, 0, 0}, {100, 60, 60}, {105, 0, 0}},       // Front_Hi
    {{125, 200, 125}, {70, 90, 70}, {0, 75, 0}},     // Front_Mid
    {{125, 125, 200}, {70, 70, 90}, {0, 0, 75}},     // Front_Low
    {{0, 255, 0}, {75, 100, 75}, {0, 105, 0}},       // Rear
    {{0, 0, 255}, {75, 75, 100}, {0, 0, 105}},       // Center
    {{255, 255, 0}, {100, 100, 50}, {105, 105, 0}},  // SubWoofer
}};

const GroupColours& Colours(SpeakerGroup group) { return kColours[static_cast<std::size_t>(Index(group))]; }

bool Present(const CurvePlanInput& in, SpeakerGroup group) {
  return in.present[static_cast<std::size_t>(Index(group))];
}

CrossoverSet Opposite(CrossoverSet set) { return set == CrossoverSet::L ? CrossoverSet::R : CrossoverSet::L; }

class Planner {
 public:
  Planner(const CurvePlanInput& in, const CrossoverGraphAxis& axis) : in_(in), axis_(axis) {}

  void Add(SpeakerGroup group, CrossoverSet set, bool dim, bool handles) {
    const CrossoverSet drawn = group == SpeakerGroup::Center ? CrossoverSet::Common : set;
    const CrossoverRec& rec =
        (*in_.records)[static_cast<std::size_t>(Index(group))][static_cast<std::size_t>(Index(drawn))];
    CrossoverCurve c;
    c.group = group;
    c.set = set;
    c.dim = dim;
    c.colour = dim ? Colours(group).dim : Colours(group).normal;
    c.points = CurvePoints(rec, axis_);
    c.markers = CurveMarkerPositions(c.points);
    if (handles) {
      c.showHpfHandle = rec.hpfSlope != 0.0;
      c.showLevelHandle = true;
      c.showLpfHandle = rec.lpfSlope != 0.0;
    }
    out_.push_back(c);
  }

  // A front group is never drawn alone: the other present front groups go first, the
  // selected one last.
  void AddPass(SpeakerGroup selected, CrossoverSet set, bool dim, bool handles) {
    if (IsFrontGroup(selected)) {
      for (SpeakerGroup g : {SpeakerGroup::FrontHi, SpeakerGroup::FrontMid, SpeakerGroup::FrontLow}) {
        if (g != selected && Present(in_, g)) Add(g, set, dim, false);
      }
    }
    if (Present(in_, selected)) Add(selected, set, dim, handles);
  }

  std::vector<CrossoverCurve> Take() { return std::move(out_); }

 private:
  const CurvePlanInput& in_;
  const CrossoverGraphAxis& axis_;
  std::vector<CrossoverCurve> out_;
};

}  // namespace

CurveColour NormalCurveColour(SpeakerGroup group) { return Colours(group).normal; }

CurveColour DimCurveColour(SpeakerGroup group) { return Colours(group).dim; }

CurveColour LegendColour(SpeakerGroup group, SpeakerGroup selected) {
  return group == selected ? Colours(group).normal : Colours(group).legend;
}

std::vector<CrossoverCurve> PlanCrossoverCurves(const CurvePlanInput& in, const CrossoverGraphAxis& axis) {
  Planner plan(in, axis);
  if (in.records == nullptr) return plan.Take();
  if (in.showAllCurves) {
    plan.AddPass(SpeakerGroup::FrontLow, in.set, false, false);
    for (SpeakerGroup g : {SpeakerGroup::Rear, SpeakerGroup::Center, SpeakerGroup::SubWoofer}) {
      if (Present(in, g)) plan.Add(g, in.set, false, false);
    }
    return plan.Take();
  }
  // Center is mono and is only ever edited through its Common set.
  const CrossoverSet set = in.group == SpeakerGroup::Center ? CrossoverSet::Common : in.set;
  if (set != CrossoverSet::Common) plan.AddPass(in.group, Opposite(set), true, false);
  plan.AddPass(in.group, set, false, true);
  return plan.Take();
}
