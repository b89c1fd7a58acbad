#pragma once

#include <string>
#include <vector>

#include "link/found_port.h"

// The serial devices of this computer, for "Port Settings...".
class SerialPortScan {
 public:
  static constexpr const char* kPseudoTerminal = "pseudo-terminal";
  static constexpr const char* kNotPresent = "not present";

  // Every serial device the system lists, USB adapters included, in the order of their paths.
  static std::vector<FoundPort> Scan();
  // A device the system did not list: what Qt knows of it, else whether it is a pseudo-terminal
  // or missing.
  static FoundPort Describe(const std::string& device);
};
