#pragma once

#include "common/function_switch.h"
#include "document/setup_document.h"
#include "form/function_windows.h"
#include "form/transfer_sequences.h"

class DeviceLink;

// One change of the setup made as a whole from outside the function windows: an imported filter
// set, a fitted equalizer. SetupForm::ApplyEdit is the one way it reaches the setup: into the
// working copy and the document, the function's open window reloaded, and, while connected with
// the function switched on, to the processor in the frames the function's window would send.
class SetupEdit {
 public:
  virtual ~SetupEdit() = default;

  // The function the edit belongs to: its switch decides whether the edit is sent, its window
  // is reloaded.
  virtual FunctionSwitch Function() const = 0;
  // Writes the edit into `doc`. With `functionOn` the values that follow the function in use
  // (the applied peak boost) follow the edit as well.
  virtual void ApplyTo(SetupDocument& doc, bool functionOn) const = 0;
  // Sends what changed from `before` to `after`, as the function's window sends an edit.
  virtual TransferResult Send(DeviceLink& link, const SetupDocument& before, const SetupDocument& after,
                              int levelCode) const = 0;
};

// The window of a function switch.
constexpr FunctionWindow WindowOf(FunctionSwitch function) {
  switch (function) {
    case FunctionSwitch::Parametric:
      return FunctionWindow::Parametric;
    case FunctionSwitch::Graphic:
      return FunctionWindow::Graphic;
    case FunctionSwitch::Divider:
      return FunctionWindow::Crossover;
    case FunctionSwitch::TimeCorrection:
      break;
  }
  return FunctionWindow::TimeCorrection;
}

// In the status bar when an edit meets a running transfer; nothing has changed then.
inline constexpr const char* kEditBusyNote =
    "The processor is busy: nothing was changed. Try again in a moment.";
