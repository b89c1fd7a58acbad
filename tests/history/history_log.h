#pragma once

#include <vector>

#include "history/change_recorder.h"
#include "history/step_target.h"

// The undo stack as the core tests keep it: steps in order, the same merging as the program's,
// and undo and redo through the form's own restore.
class HistoryLog : public HistorySink {
 public:
  void Push(SetupStep step, int mergeKey) override {
    steps.resize(index);
    keys.resize(index);
    if (index > 0 && mergeKey != 0 && keys.back() == mergeKey) {
      steps.back() = MergeSteps(steps.back(), step);
      return;
    }
    steps.push_back(std::move(step));
    keys.push_back(mergeKey);
    ++index;
  }
  void Clear() override {
    steps.clear();
    keys.clear();
    index = 0;
  }
  void Undo(StepTarget& target) {
    const SetupStep& s = steps.at(--index);
    target.RestoreStep(s.parts, *s.before, s.switchesBefore);
  }
  void Redo(StepTarget& target) {
    const SetupStep& s = steps.at(index++);
    target.RestoreStep(s.parts, *s.after, s.switchesAfter);
  }

  std::vector<SetupStep> steps;
  std::vector<int> keys;
  std::size_t index = 0;
};
