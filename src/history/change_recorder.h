#pragma once

#include <functional>
#include <memory>
#include <string>

#include "history/setup_step.h"

// Where the recorder hands its steps: the undo stack of the windowed program.
class HistorySink {
 public:
  virtual ~HistorySink() = default;
  // A new step on top of the history. Steps with the same non-zero `mergeKey` one after the
  // other make one step (a drag, a trace, one automatic run).
  virtual void Push(SetupStep step, int mergeKey) = 0;
  // "New" and "Open": the history starts again.
  virtual void Clear() = 0;
};

// Turns the main form's changes into steps. The form tells it after every change it accepted;
// the recorder compares the setup with the one it last saw and hands a step for what differs, so
// a change that altered nothing (a window opened and closed, a refused edit taken back) is no step.
class ChangeRecorder {
 public:
  void SetSink(HistorySink* sink) { sink_ = sink; }
  // Runs for every new step before the sink takes it: the setup now has unsaved changes (the
  // sink's clean state may take that back, should the step undo the one before it).
  std::function<void()> onStep;

  // The setup as it stands now is where the history starts (a new or opened setup).
  void Reset(const SetupDocument& doc, const FunctionSwitches& switches);
  // A change was made: a step for whatever differs from the last seen setup. `text` names the
  // step where the values alone would not ("COPY", "Auto Time Correction").
  void Record(const SetupDocument& doc, const FunctionSwitches& switches, std::string text = {});
  // A step was undone or redone: the setup now stands as given, and is no new step.
  void Follow(const SetupDocument& doc, const FunctionSwitches& switches);

  // Everything recorded between the first BeginGroup and its matching EndGroup is one step.
  void BeginGroup();
  void EndGroup();
  bool InGroup() const { return groupDepth_ > 0; }

 private:
  HistorySink* sink_ = nullptr;
  std::shared_ptr<const SetupDocument> last_ = std::make_shared<const SetupDocument>();
  FunctionSwitches switches_{};
  int groupDepth_ = 0;
  int groupKey_ = 0;
  int nextKey_ = 0;
};

// A step joined with the one after it in the same group: from the first's values to the
// second's. Empty when the two cancel out.
SetupStep MergeSteps(const SetupStep& first, const SetupStep& second);
