#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One frame as it crossed the wire, in one direction, with what the processor made of it.
struct FrameRecord {
  std::int64_t timeUs = 0;
  bool fromPc = true;
  std::uint8_t letter = 0;  // command letter of the frame (0 for a line event)
  std::vector<std::uint8_t> bytes;
  std::string result;

  // "  12.345678 in  N 4E 00 00 00 00 00 00 00  ok": time in seconds, direction ("in" from the
  // PC, "out" to it, "--" for a line event), letter, bytes in hex, result.
  std::string Format() const;
};
