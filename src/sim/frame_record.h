#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One frame as it crossed the wire, in one direction, with what the processor made of it.
struct FrameRecord {
  enum class Direction { In, Out, Line };  // from the PC, to the PC, an event of the line

  std::int64_t timeUs = 0;
  Direction direction = Direction::In;
  std::uint8_t letter = 0;  // command letter of the frame, or the stray byte
  std::vector<std::uint8_t> bytes;
  std::string result;

  // "  12.345678 in  N 4E 00 00 00 00 00 00 00  ok": time in seconds, direction ("in", "out",
  // "--"), letter ("?" when not printable, "-" for a line event), bytes in hex, result.
  std::string Format() const;
};
