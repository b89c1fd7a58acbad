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

// The automatic-EQ start dialog and the automatic time-correction run, which bring windows and
// runs of their own. The form checks the speakers, the connection and the busy link first.
class AutomaticRuns {
 public:
  virtual ~AutomaticRuns() = default;
  // Opens "AEQ Start" while the form keeps the link busy; `status` is the status check's result
  // (10 and 11 allow the sub-woofer modes). False when there is no dialog to open.
  virtual bool OpenAeqStart(const std::array<std::int32_t, kOutputCount>& speakerSwitch, int status,
                            int aeqMode) = 0;
  virtual bool AeqStartOpen() const = 0;
  // The dialog is open and waiting for "START": the form's status timer keeps the processor
  // awake meanwhile. Once "START" (or "CANCEL") is pressed the run owns the line.
  virtual bool AeqStartWaiting() const = 0;
  // The dialog's request to run (or tidy up after "CANCEL").
  virtual void AeqRun() = 0;
  // The automatic time correction, once connection and link have been checked.
  virtual void RunAutoTimeCorrection() = 0;
  // Closes "TCR Start" after a failed transfer.
  virtual void CloseTcrStart() = 0;
};

// Until the automatic runs are built: nothing opens and nothing runs.
class NoAutomaticRuns : public AutomaticRuns {
 public:
  bool OpenAeqStart(const std::array<std::int32_t, kOutputCount>&, int, int) override { return false; }
  bool AeqStartOpen() const override { return false; }
  bool AeqStartWaiting() const override { return false; }
  void AeqRun() override {}
  void RunAutoTimeCorrection() override {}
  void CloseTcrStart() override {}
};
