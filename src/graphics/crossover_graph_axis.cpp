#include "graphics/crossover_graph_axis.h"

#include <cmath>
#include <limits>

namespace {

// Logical-frame positions of the graph's landmarks.
constexpr int kOctaveUnits = 68;
constexpr int kLeftEdgeUnits = 30;
constexpr int kZeroDbUnits = 40;
constexpr int kMinus12DbUnits = 245;
constexpr int kFloorUnits = 204;
constexpr int kTopUnits = 10;
constexpr int kBottomUnits = 245;
constexpr int kDbRange = 12;

// Truncation toward zero that saturates, so that a damaged frequency cannot make the
// conversion undefined.
int Truncate(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

}  // namespace

CrossoverGraphAxis::CrossoverGraphAxis(const GraphScale& scale)
    : CrossoverGraphAxis(scale.ScaleX(kOctaveUnits), scale.ScaleX(kLeftEdgeUnits), scale.ScaleY(kZeroDbUnits),
                         (scale.ScaleY(kMinus12DbUnits) - scale.ScaleY(kZeroDbUnits)) / kDbRange,
                         scale.ScaleY(kFloorUnits), kScreenGradientRun, scale.ScaleY(kTopUnits),
                         scale.ScaleY(kBottomUnits)) {}

CrossoverGraphAxis::CrossoverGraphAxis(int width, int height)
    : CrossoverGraphAxis(GraphScale{width, height}) {}

CrossoverGraphAxis CrossoverGraphAxis::ForPrint() {
  // 17 units per dB puts -12 dB at 244 units, the floor at 204 units below 0 dB.
  return CrossoverGraphAxis(kOctaveUnits, kLeftEdgeUnits, kZeroDbUnits, 17, kFloorUnits, kPrintGradientRun,
                            kTopUnits, kBottomUnits);
}

CrossoverGraphAxis::CrossoverGraphAxis(int pixelsPerOctave, int leftEdge, int zeroDbY, int pixelsPerDb,
                                       int floorDepth, int gradientRun, int top, int bottom)
    : pixelsPerOctave_(pixelsPerOctave),
      leftEdge_(leftEdge),
      zeroDbY_(zeroDbY),
      pixelsPerDb_(pixelsPerDb),
      floorDepth_(floorDepth),
      gradientRun_(gradientRun),
      top_(top),
      bottom_(bottom) {}

double CrossoverGraphAxis::Octaves(double frequency) {
  return std::log10(frequency * 0.05) * kOctaveDecadeFactor;
}

int CrossoverGraphAxis::X(double frequency) const {
  return Truncate(pixelsPerOctave_ * Octaves(frequency) + leftEdge_);
}

double CrossoverGraphAxis::Gradient(double slope) const {
  return pixelsPerDb_ * std::fabs(slope) / gradientRun_;
}
