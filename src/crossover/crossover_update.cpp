#include "crossover/crossover_update.h"

#include <cstddef>

namespace {

const CrossoverRec& Rec(const CrossoverTable& records, SpeakerGroup group, CrossoverSet set) {
  return records[static_cast<std::size_t>(Index(group))][static_cast<std::size_t>(Index(set))];
}

// Center is mono: it always works from its Common set.
bool SeparateSides(SpeakerGroup group, CrossoverSet mode) {
  return mode != CrossoverSet::Common && group != SpeakerGroup::Center;
}

void AppendFilters(std::vector<CrossoverCommand>& out, SpeakerGroup group, int side,
                   const CrossoverRec& rec) {
  CrossoverCommand lpf;
  lpf.op = CrossoverCommand::Op::SetChannelFilter;
  lpf.group = group;
  lpf.side = side;
  lpf.lowPass = true;
  lpf.slopeCode = SlopeCode(rec.lpfSlope);
  lpf.frequencyCode = LpfFrequencyCode(rec);
  CrossoverCommand hpf = lpf;
  hpf.lowPass = false;
  hpf.slopeCode = SlopeCode(rec.hpfSlope);
  hpf.frequencyCode = HpfFrequencyCode(rec);
  out.push_back(lpf);
  out.push_back(hpf);
}

void AppendLevels(std::vector<CrossoverCommand>& out, SpeakerGroup group, const CrossoverTable& records,
                  CrossoverSet mode, const SpeakerSwitches& switches) {
  out.push_back(CrossoverLevelCommand(group, 1, records, mode, switches));
  out.push_back(CrossoverLevelCommand(group, 2, records, mode, switches));
}

}  // namespace

CrossoverCommand CrossoverLevelCommand(SpeakerGroup group, int side, const CrossoverTable& records,
                                       CrossoverSet mode, const SpeakerSwitches& switches) {
  const CrossoverSet set =
      SeparateSides(group, mode) ? (side == 2 ? CrossoverSet::R : CrossoverSet::L) : CrossoverSet::Common;
  CrossoverCommand c;
  c.op = CrossoverCommand::Op::SetChannelLevel;
  c.group = group;
  c.side = side;
  c.levelCode = LevelCode(Rec(records, group, set).level, SpeakerOn(switches, GroupOutput(group, side)));
  return c;
}

std::vector<CrossoverCommand> CrossoverGroupCommands(SpeakerGroup group, const CrossoverTable& records,
                                                     CrossoverSet mode, const SpeakerSwitches& switches) {
  std::vector<CrossoverCommand> out;
  AppendLevels(out, group, records, mode, switches);
  if (SeparateSides(group, mode)) {
    AppendFilters(out, group, 1, Rec(records, group, CrossoverSet::L));
    AppendFilters(out, group, 2, Rec(records, group, CrossoverSet::R));
  } else {
    AppendFilters(out, group, 0, Rec(records, group, CrossoverSet::Common));
  }
  return out;
}

std::vector<CrossoverCommand> CrossoverUpdateCommands(CrossoverUpdate kind, const CrossoverTable& records,
                                                      SpeakerGroup group, CrossoverSet mode,
                                                      const SpeakerSwitches& switches) {
  std::vector<CrossoverCommand> out;
  switch (kind) {
    case CrossoverUpdate::Level:
      AppendLevels(out, group, records, mode, switches);
      break;
    case CrossoverUpdate::Filter:
      if (SeparateSides(group, mode)) {
        AppendFilters(out, group, Index(mode), Rec(records, group, mode));
      } else {
        AppendFilters(out, group, 0, Rec(records, group, CrossoverSet::Common));
      }
      break;
    case CrossoverUpdate::All:
      for (int g = 0; g < kSpeakerGroupCount; ++g) {
        const std::vector<CrossoverCommand> part =
            CrossoverGroupCommands(static_cast<SpeakerGroup>(g), records, mode, switches);
        out.insert(out.end(), part.begin(), part.end());
      }
      break;
  }
  return out;
}
