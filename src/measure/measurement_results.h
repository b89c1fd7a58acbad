#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

class DeviceLink;

// What an automatic measurement leaves in the processor: the delay of every output in 0.1 ms
// steps and two further values, whose meaning only the processor knows (kept as read).
struct MeasurementResults {
  std::array<std::uint8_t, kOutputCount> delaySteps{};
  std::uint8_t value1 = 0;
  std::uint8_t value2 = 0;

  // The delay of `channel` in milliseconds (one step is 0.1 ms).
  double DelayMs(int channel) const { return delaySteps[static_cast<std::size_t>(channel)] * 0.1; }

  // Reads bank 1: indexes 0..10 the delays, 11 and 12 the two values. False at the first read
  // that failed (the link has closed the port).
  static bool Read(DeviceLink& link, MeasurementResults& out);
};

// Output channels whose speaker is switched on, plus one: what the measurement progress is
// divided by, since the processor measures every output in turn.
int MeasurementDivisor(const std::array<std::int32_t, kOutputCount>& speakerSwitch);
