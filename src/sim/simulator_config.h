#pragma once

#include <array>
#include <cstdint>

#include "sim/processor_state.h"

// How the simulated processor behaves when nothing goes wrong.
struct SimulatorConfig {
  // Status byte answered while no measurement or memory store runs (0x04, "4", 0x08, "8",
  // 0xA4, 0xA8, or "S" for a processor that reports a setting error).
  std::uint8_t idleStatus = kStatusIdleA8;
  int measurePolls = 30;  // status polls answered "0" before a measurement has its results
  int storePolls = 3;     // status polls answered "0" while a memory store is written
  // Results of every measurement: delays of outputs 0..10 in 0.1 ms, then the two further values.
  std::array<std::uint8_t, kResultCount> measuredResults = {0, 0, 12, 12, 5, 5, 37, 60, 60, 25, 25, 17, 42};
  // A frame left unfinished this long is dropped, so a PC that gave up mid-frame without closing
  // the line does not leave the processor reading its next command letter as body bytes.
  std::int64_t frameTimeoutUs = 1'000'000;
};
