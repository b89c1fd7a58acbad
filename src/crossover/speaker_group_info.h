#pragma once

#include <string_view>

#include "crossover/frequency_list.h"
#include "document/types.h"

// The fixed properties of a crossover speaker group: names, outputs, frequency list and the
// step ranges of its two band edges.
struct SpeakerGroupInfo {
  std::string_view listLabel;    // the crossover window's channel list
  std::string_view legendLabel;  // beside the graph
  OutputChannel leftOutput;
  OutputChannel rightOutput;  // Center: the same single output
  const FrequencyList* frequencies;
  int lpfMinStep;
  int lpfMaxStep;
  int hpfMinStep;
  int hpfMaxStep;
  bool lpfOffOffered;  // "OFF" heads the LPF slope list
  bool hpfOffOffered;
};

const SpeakerGroupInfo& GroupInfo(SpeakerGroup group);

inline constexpr bool IsFrontGroup(SpeakerGroup group) {
  return group == SpeakerGroup::FrontHi || group == SpeakerGroup::FrontMid || group == SpeakerGroup::FrontLow;
}

// The group whose list label is exactly `label`, or false.
bool GroupFromListLabel(std::string_view label, SpeakerGroup& group);
