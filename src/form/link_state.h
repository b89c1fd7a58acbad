#pragma once

#include <array>

#include "form/form_controls.h"

// The request remembered while the link is busy during the analyzer's read cycle. The codes are
// the system's own; a replay runs the same operation with the remembered arguments.
enum class PendingCode : int {
  PeqSend = 0,
  GeqSend = 1,
  CrossoverSend = 2,
  TcrSend = 3,
  PeqReset = 6,
  PeqSwitch = 8,
  GeqSwitch = 9,
  DividerSwitch = 10,
  TcrSwitch = 11,
  Mono = 15,
  Stereo = 16,
  Disconnect = 17,
};

struct PendingOperation {
  PendingCode code = PendingCode::PeqSend;
  int arg1 = 0;
  int arg2 = 0;
  bool valid = false;
};

// How the main form uses the processor link: one transfer at a time, one remembered request.
struct LinkState {
  bool portOpen = false;           // a port is open and the processor answered
  bool linkBusy = false;           // a transfer sequence runs; no second one may start
  bool analyzerCycle = false;      // the analyzer's periodic read is active
  bool analyzerSuspended = false;  // paused by a drag; resumes with the next send
  PendingOperation pending;
  std::array<bool, kPortCount> portAvailable{true, true, true, true};  // passed the start-up probe
};
