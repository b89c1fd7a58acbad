#include "crossover/crossover_codes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "crossover/speaker_group_info.h"

namespace {

constexpr int kMaxSlopeCode = 5;
constexpr int kMaxFrequencyCode = 60;
constexpr int kMinLevel = -12;
constexpr int kMaxLevel = 0;

}  // namespace

int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = static_cast<double>(std::numeric_limits<int>::max());
  constexpr double kMin = static_cast<double>(std::numeric_limits<int>::min());
  if (value >= kMax) return std::numeric_limits<int>::max();
  if (value <= kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

// Values outside the lists only come from a damaged setup file; clamping keeps them from reaching
// the processor as other codes (a level of +84 would otherwise read as "switched off").
int SlopeCode(double slope) { return std::clamp(TruncateToInt(slope / -6.0), 0, kMaxSlopeCode); }

int LpfFrequencyCode(const CrossoverRec& rec) { return std::clamp(rec.lpfCode, 0, kMaxFrequencyCode); }

int HpfFrequencyCode(const CrossoverRec& rec) { return std::clamp(rec.hpfCode, 0, kMaxFrequencyCode); }

int LevelCode(int level, bool speakerOn) {
  if (!speakerOn) return kSwitchedOffLevelCode;
  return std::clamp(level, kMinLevel, kMaxLevel) + 12;
}

OutputChannel GroupOutput(SpeakerGroup group, int side) {
  const SpeakerGroupInfo& info = GroupInfo(group);
  return side == 2 ? info.rightOutput : info.leftOutput;
}

bool SpeakerOn(const SpeakerSwitches& switches, OutputChannel output) {
  return switches[static_cast<std::size_t>(Index(output))] != 0;
}

bool GroupPresent(const SpeakerSwitches& switches, SpeakerGroup group) {
  const SpeakerGroupInfo& info = GroupInfo(group);
  return SpeakerOn(switches, info.leftOutput) || SpeakerOn(switches, info.rightOutput);
}

GroupPresence PresenceFromSwitches(const SpeakerSwitches& switches) {
  GroupPresence present{};
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    present[static_cast<std::size_t>(g)] = GroupPresent(switches, static_cast<SpeakerGroup>(g));
  }
  return present;
}
