#pragma once

#include <string>
#include <vector>

#include "sim/fault_switches.h"
#include "sim/simulator_config.h"

// The krv5200-sim program's command line.
struct SimOptions {
  std::string linkPath;  // symbolic link to the terminal, empty for none
  std::string logPath;   // frame log file, empty for none
  std::string dumpPath;  // state dump file, empty for none
  bool help = false;
  bool version = false;
  SimulatorConfig config;
  FaultSwitches faults;

  // Fills `options` from the arguments after the program name; false with `error` set when an
  // argument is unknown, lacks its value or has a value out of range.
  static bool Parse(const std::vector<std::string>& args, SimOptions& options, std::string& error);
  static const char* HelpText();
};
