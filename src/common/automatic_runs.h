#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

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
