#pragma once

#include <string>

// Which program a recovery file belongs to: enough to tell later whether that program still
// runs, even after its process number has gone to another process or the machine has restarted.
struct ProcessMark {
  long pid = 0;
  std::string start;  // the process's start time, in clock ticks after boot
  std::string boot;   // the id of the boot it ran in
  std::string host;

  // This program.
  static ProcessMark Current();
  // False once the program has certainly ended: its process is gone, the number now belongs to a
  // process started at another time, or the machine has restarted since. A program on another
  // host cannot be checked and counts as running.
  static bool Running(const ProcessMark& mark);

  friend bool operator==(const ProcessMark&, const ProcessMark&) = default;
};
