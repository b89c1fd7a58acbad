#include "history/change_recorder.h"

#include <utility>

void ChangeRecorder::Reset(const SetupDocument& doc, const FunctionSwitches& switches) {
  Follow(doc, switches);
  if (sink_ != nullptr) sink_->Clear();
}

void ChangeRecorder::Record(const SetupDocument& doc, const FunctionSwitches& switches, std::string text) {
  SetupStep step;
  step.parts = ChangedParts(*last_, doc);
  step.switchesBefore = switches_;
  step.switchesAfter = switches;
  if (step.Empty()) return;
  step.text = std::move(text);
  step.before = last_;
  step.after = std::make_shared<const SetupDocument>(doc);
  last_ = step.after;
  switches_ = switches;
  if (onStep) onStep();
  if (sink_ != nullptr) sink_->Push(std::move(step), groupDepth_ > 0 ? groupKey_ : 0);
}

void ChangeRecorder::Follow(const SetupDocument& doc, const FunctionSwitches& switches) {
  if (*last_ != doc) last_ = std::make_shared<const SetupDocument>(doc);
  switches_ = switches;
}

void ChangeRecorder::BeginGroup() {
  if (groupDepth_++ == 0) groupKey_ = ++nextKey_;
}

void ChangeRecorder::EndGroup() {
  if (groupDepth_ > 0) --groupDepth_;
}

SetupStep MergeSteps(const SetupStep& first, const SetupStep& second) {
  SetupStep merged;
  merged.text = first.text.empty() ? second.text : first.text;
  merged.before = first.before;
  merged.after = second.after;
  merged.switchesBefore = first.switchesBefore;
  merged.switchesAfter = second.switchesAfter;
  merged.parts = ChangedParts(*merged.before, *merged.after);
  return merged;
}
