#pragma once

#include <cstdint>
#include <vector>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_curve.h"
#include "document/types.h"
#include "graphics/crossover_graph_axis.h"

struct CurveColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const CurveColour&, const CurveColour&) = default;
};

inline constexpr int kCurvePenWidth = 3;
inline constexpr CurveColour kHandleColour{255, 153, 153};
inline constexpr CurveColour kGrabbedHandleColour{255, 153, 0};
inline constexpr CurveColour kDraggedHandleColour{255, 255, 170};

CurveColour NormalCurveColour(SpeakerGroup group);
// The colour of a group's opposite set (L under R, R under L).
CurveColour DimCurveColour(SpeakerGroup group);
// The legend swatch: normal for the selected group, darker for the others.
CurveColour LegendColour(SpeakerGroup group, SpeakerGroup selected);

// One curve to draw, in drawing order.
struct CrossoverCurve {
  SpeakerGroup group = SpeakerGroup::FrontHi;
  CrossoverSet set = CrossoverSet::Common;
  bool dim = false;
  CurveColour colour;
  CurvePolyline points;
  CurveMarkers markers;  // stored by the window for every drawn curve, shown or not
  // Handles are shown only on the edited curve: the corners only where their slope is not OFF.
  bool showHpfHandle = false;
  bool showLevelHandle = false;
  bool showLpfHandle = false;

  bool HasHandles() const { return showHpfHandle || showLevelHandle || showLpfHandle; }
};

struct CurvePlanInput {
  const CrossoverTable* records = nullptr;
  SpeakerGroup group = SpeakerGroup::FrontHi;  // selected
  CrossoverSet set = CrossoverSet::Common;     // selected
  GroupPresence present{};
  bool showAllCurves = false;
};

// Which curves the crossover graph draws, in which order and colour. Center's L and R sets are
// drawn from its Common set, as Center is mono.
std::vector<CrossoverCurve> PlanCrossoverCurves(const CurvePlanInput& input, const CrossoverGraphAxis& axis);
