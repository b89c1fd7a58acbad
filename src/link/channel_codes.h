#pragma once

#include "document/types.h"

// The seven equalizer channels as the processor numbers them. Center is one mono channel.
enum class EqChannel : int {
  FrontL = 0,
  FrontR = 1,
  Center = 2,
  RearL = 3,
  RearR = 4,
  SubWooferL = 5,
  SubWooferR = 6
};

// `lr` is 0 for the left and 1 for the right channel of the group.
EqChannel EqChannelOf(EqGroup group, int lr);
// The output a speaker group's left (0) or right (1) side drives; Center has one output.
OutputChannel OutputChannelOf(SpeakerGroup group, int lr);

// The speaker group an output belongs to, and its side argument (1 left, 2 right; the center
// output counts as left).
SpeakerGroup SpeakerGroupOf(OutputChannel channel);
int SideOf(OutputChannel channel);

constexpr int Index(EqChannel c) { return static_cast<int>(c); }
