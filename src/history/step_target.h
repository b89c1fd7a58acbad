#pragma once

#include <string>

#include "history/setup_step.h"

// What undo and redo ask of the main form, the only writer of the setup and caller of the link.
class StepTarget {
 public:
  virtual ~StepTarget() = default;
  // Why no step can be applied now (a transfer or a measurement holds the link), or "".
  virtual std::string StepBlocked() const = 0;
  // Puts `parts` of `values` and the function switches into the setup the way edits of them do:
  // the document and any open window change, and while connected the processor gets the frames
  // such edits send.
  virtual void RestoreStep(SetupParts parts, const SetupDocument& values,
                           const FunctionSwitches& switches) = 0;
};
