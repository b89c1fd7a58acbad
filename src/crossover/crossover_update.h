#pragma once

#include <vector>

#include "crossover/crossover_codes.h"
#include "document/types.h"

// What the crossover asks the main view to send. The numbers are those the window's request
// carries.
enum class CrossoverUpdate : int { Level = 0, Filter = 1, All = 33 };

// One crossover command for the processor link, addressed by speaker group and side as the
// link's SetChannelLevel and SetChannelFilter take them.
struct CrossoverCommand {
  enum class Op { SetChannelLevel, SetChannelFilter };

  Op op = Op::SetChannelLevel;
  SpeakerGroup group = SpeakerGroup::FrontHi;
  int side = 0;          // 0 both outputs (left, then right), 1 left, 2 right
  int levelCode = 0;     // SetChannelLevel
  bool lowPass = false;  // SetChannelFilter: true LPF, false HPF
  int slopeCode = 0;
  int frequencyCode = 0;

  friend bool operator==(const CrossoverCommand&, const CrossoverCommand&) = default;
};

// The commands of one update, in sending order. `mode` is the selected set: Common sends the
// Common sets to both outputs; L or R sends each group's own L and R sets (never for Center).
std::vector<CrossoverCommand> CrossoverUpdateCommands(CrossoverUpdate kind, const CrossoverTable& records,
                                                      SpeakerGroup group, CrossoverSet mode,
                                                      const SpeakerSwitches& switches);

// One group's share of a whole-crossover send: its two levels, then its filters.
std::vector<CrossoverCommand> CrossoverGroupCommands(SpeakerGroup group, const CrossoverTable& records,
                                                     CrossoverSet mode, const SpeakerSwitches& switches);

// The level command of one side (1 left, 2 right) of a group.
CrossoverCommand CrossoverLevelCommand(SpeakerGroup group, int side, const CrossoverTable& records,
                                       CrossoverSet mode, const SpeakerSwitches& switches);
