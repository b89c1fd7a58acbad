#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

// The codes the processor receives for the crossover, usable without the crossover model (the
// full upload after connecting sends them too).

using SpeakerSwitches = std::array<std::int32_t, kOutputCount>;  // 1 on, 0 off
using GroupPresence = std::array<bool, kSpeakerGroupCount>;

// Level code of an output that is switched off, whatever its level.
inline constexpr int kSwitchedOffLevelCode = 96;

// Truncates toward zero; values beyond the int range saturate and NaN gives 0, so a damaged
// setup file cannot produce undefined conversions.
int TruncateToInt(double value);

// -slope / 6, truncated: 0 (OFF) .. 5 (-30 dB/oct). Each code is clamped to its range.
int SlopeCode(double slope);
// The record's stored frequency codes, 0..60.
int LpfFrequencyCode(const CrossoverRec& rec);
int HpfFrequencyCode(const CrossoverRec& rec);
// level + 12: 0 (-12 dB) .. 12 (0 dB); kSwitchedOffLevelCode when the output is switched off.
int LevelCode(int level, bool speakerOn);

// The output of a group on side 1 (left) or 2 (right); Center has the one output 6 on both.
OutputChannel GroupOutput(SpeakerGroup group, int side);
bool SpeakerOn(const SpeakerSwitches& switches, OutputChannel output);
// A group is present when at least one of its outputs is switched on.
bool GroupPresent(const SpeakerSwitches& switches, SpeakerGroup group);
GroupPresence PresenceFromSwitches(const SpeakerSwitches& switches);
