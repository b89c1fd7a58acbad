#include "sim/frame_record.h"

#include <cstdio>

std::string FrameRecord::Format() const {
  char head[64];
  const char* direction = letter == 0 ? "--" : (fromPc ? "in" : "out");
  const char shown = (letter >= 0x20 && letter < 0x7F) ? static_cast<char>(letter) : '?';
  std::snprintf(head, sizeof head, "%4lld.%06lld %-3s %c", static_cast<long long>(timeUs / 1000000),
                static_cast<long long>(timeUs % 1000000), direction, letter == 0 ? '-' : shown);
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
