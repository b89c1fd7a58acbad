#pragma once

#include <cstdint>
#include <optional>

// Ways to make the simulated processor misbehave, so that the PC's failure paths can be tried.
struct FaultSwitches {
  int nakFrames = 0;           // answer "N" to the next N frames
  bool nakAtFinal = false;     // ... after the body instead of to the command letter
  int badChecksumReplies = 0;  // corrupt the reply checksum of the next N byte and word queries
  bool silent = false;         // answer nothing
  int silentAfterFrames = -1;  // go silent once this many more frames were answered (-1: never)
  std::optional<std::uint8_t> statusOverride;  // answer every status query with this byte
  int baud = 0;  // pace both directions at this rate, 10 bits per byte (0: no pacing)
};
