#pragma once

#include <span>
#include <string_view>

#include "document/types.h"

// The slope and level lists of the crossover controls and their encodings.

enum class CrossoverEdge : int { Lpf = 0, Hpf = 1 };

inline constexpr int kMaxSlopeEntries = 6;
inline constexpr int kLevelEntries = 13;
inline constexpr int kMinCrossoverLevel = -12;
inline constexpr int kMaxCrossoverLevel = 0;

// The slope list of an edge of a group: "OFF", "-6dB/Oct" ... "-30dB/Oct", without "OFF" for
// Front_Hi's HPF and SubWoofer's LPF.
std::span<const std::string_view> SlopeList(SpeakerGroup group, CrossoverEdge edge);
bool SlopeOffOffered(SpeakerGroup group, CrossoverEdge edge);
// The slope in dB/oct of a list entry (clamped to the list).
double SlopeOfEntry(SpeakerGroup group, CrossoverEdge edge, int entry);
// The list entry that shows `slope` (clamped to the list).
int SlopeEntryOf(SpeakerGroup group, CrossoverEdge edge, double slope);

// "0 dB", "-1 dB" ... "-12 dB": entry i is level -i.
std::span<const std::string_view> LevelList();
int LevelOfEntry(int entry);
int LevelEntryOf(int level);
