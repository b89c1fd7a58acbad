#include "crossover/crossover_lists.h"

#include <algorithm>
#include <array>

#include "crossover/crossover_codes.h"
#include "crossover/speaker_group_info.h"

namespace {

constexpr std::array<std::string_view, kMaxSlopeEntries> kSlopeLabels = {
    "OFF", "-6dB/Oct", "-12dB/Oct", "-18dB/Oct", "-24dB/Oct", "-30dB/Oct"};

constexpr std::array<std::string_view, kLevelEntries> kLevelLabels = {
    "0 dB",  "-1 dB", "-2 dB", "-3 dB",  "-4 dB",  "-5 dB", "-6 dB",
    "-7 dB", "-8 dB", "-9 dB", "-10 dB", "-11 dB", "-12 dB"};

constexpr double kSlopeStep = -6.0;
constexpr int kWholeSlopeStep = -6;

// Entry i of a list without "OFF" is entry i + 1 of the full list.
int FirstFullEntry(SpeakerGroup group, CrossoverEdge edge) { return SlopeOffOffered(group, edge) ? 0 : 1; }

}  // namespace

bool SlopeOffOffered(SpeakerGroup group, CrossoverEdge edge) {
  const SpeakerGroupInfo& info = GroupInfo(group);
  return edge == CrossoverEdge::Lpf ? info.lpfOffOffered : info.hpfOffOffered;
}

std::span<const std::string_view> SlopeList(SpeakerGroup group, CrossoverEdge edge) {
  return std::span<const std::string_view>(kSlopeLabels)
      .subspan(static_cast<std::size_t>(FirstFullEntry(group, edge)));
}

double SlopeOfEntry(SpeakerGroup group, CrossoverEdge edge, int entry) {
  const int first = FirstFullEntry(group, edge);
  const int full = std::clamp(entry + first, first, kMaxSlopeEntries - 1);
  // In whole numbers, so that "OFF" is a plain 0 and never -0 in the file, the export or a report.
  return static_cast<double>(kWholeSlopeStep * full);
}

int SlopeEntryOf(SpeakerGroup group, CrossoverEdge edge, double slope) {
  const int first = FirstFullEntry(group, edge);
  const int full = TruncateToInt(slope / kSlopeStep);
  return std::clamp(full - first, 0, kMaxSlopeEntries - 1 - first);
}

std::span<const std::string_view> LevelList() { return kLevelLabels; }

int LevelOfEntry(int entry) { return -std::clamp(entry, 0, kLevelEntries - 1); }

int LevelEntryOf(int level) { return std::clamp(-level, 0, kLevelEntries - 1); }
