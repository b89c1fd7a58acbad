#include "sim/frame_record.h"

#include <cstdio>

std::string FrameRecord::Format() const {
  char head[64];
  const char* shownDirection =
      direction == Direction::In ? "in" : (direction == Direction::Out ? "out" : "--");
  char shown = (letter >= 0x20 && letter < 0x7F) ? static_cast<char>(letter) : '?';
  if (direction == Direction::Line) shown = '-';
  std::snprintf(head, sizeof head, "%4lld.%06lld %-3s %c", static_cast<long long>(timeUs / 1000000),
                static_cast<long long>(timeUs % 1000000), shownDirection, shown);
  std::string line = head;
  for (std::uint8_t b : bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", b);
    line += hex;
  }
  if (!result.empty()) {
    line += "  ";
    line += result;
  }
  return line;
}
