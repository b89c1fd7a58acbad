#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/types.h"

// What the main form's logic asks of its widget and of the event loop.

// The form's numbered timers (1 status check every 5000 ms, 2 analyzer every 1000 ms, 3 deferred
// status check at 10 ms, 4 port state text every 1000 ms). When one fires, the widget calls the
// form's OnTimer with its number.
class Timers {
 public:
  virtual ~Timers() = default;
  virtual void Start(int id, int intervalMs) = 0;
  virtual void Stop(int id) = 0;
};

// The main window and the form's controls, as the logic needs them.
class FormView {
 public:
  virtual ~FormView() = default;
  // Flashes the main window's caption: on, 100 ms, off; the busy rule calls it three times.
  virtual void FlashMainWindow() = 0;
  // Re-reads every control (switches, buttons, status text, enabling) from the form's state.
  virtual void Refresh() = 0;
  // Ends any mouse capture and restores the normal cursor (after a failed transfer).
  virtual void ReleaseCaptureAndCursor() = 0;
  // Lets the main frame fit its size to the form.
  virtual void FitFrame() {}
  // A note in the main window's status bar ("Stored in memory 3"), shown until the next one.
  virtual void ShowStatusMessage(const std::string& text) { (void)text; }
  // Prints the one-page spectrum report of the frozen levels (only ever asked while offline).
  virtual void PrintSpectrum(const std::array<std::int32_t, kGeqBandCount>& printLevels) {
    (void)printLevels;
  }
};
