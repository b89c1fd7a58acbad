#include "crossover/crossover_model.h"

#include <algorithm>
#include <cstddef>

#include "crossover/speaker_group_info.h"
#include "document/setup_document.h"

namespace {

std::size_t At(SpeakerGroup group) { return static_cast<std::size_t>(Index(group)); }
std::size_t At(CrossoverSet set) { return static_cast<std::size_t>(Index(set)); }

const FrequencyList& List(SpeakerGroup group) { return *GroupInfo(group).frequencies; }

int ClampLevel(int level) { return std::clamp(level, kMinCrossoverLevel, kMaxCrossoverLevel); }

}  // namespace

CrossoverModel::CrossoverModel() {
  CrossoverTable table{};
  for (int g = 0; g < kSpeakerGroupCount; ++g) table[g].fill(DefaultCrossover(static_cast<SpeakerGroup>(g)));
  SetRecords(table);
  present_.fill(true);
}

void CrossoverModel::SetRecords(const CrossoverTable& records) {
  records_ = records;
  const std::size_t center = At(SpeakerGroup::Center);
  records_[center][At(CrossoverSet::L)] = records_[center][At(CrossoverSet::Common)];
  records_[center][At(CrossoverSet::R)] = records_[center][At(CrossoverSet::Common)];
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    const SpeakerGroup group = static_cast<SpeakerGroup>(g);
    const SpeakerGroupInfo& info = GroupInfo(group);
    for (int s = 0; s < kCrossoverSetCount; ++s) {
      const CrossoverRec& rec = records_[g][s];
      // A frequency off the list (only in a damaged file) takes the nearest step; the record
      // itself stays as stored until that edge is edited.
      steps_[g][s].lpf =
          std::clamp(info.frequencies->NearestStep(rec.lpfFrequency), info.lpfMinStep, info.lpfMaxStep);
      steps_[g][s].hpf =
          std::clamp(info.frequencies->NearestStep(rec.hpfFrequency), info.hpfMinStep, info.hpfMaxStep);
    }
  }
}

const CrossoverRec& CrossoverModel::Record(SpeakerGroup group, CrossoverSet set) const {
  return records_[At(group)][At(set)];
}

CrossoverModel::EdgeSteps CrossoverModel::Steps(SpeakerGroup group, CrossoverSet set) const {
  return steps_[At(group)][At(set)];
}

CrossoverRec& CrossoverModel::EditedRec() { return records_[At(group_)][At(set_)]; }

CrossoverModel::EdgeSteps& CrossoverModel::EditedStepsRef() { return steps_[At(group_)][At(set_)]; }

void CrossoverModel::SelectGroup(SpeakerGroup group) {
  if (group_ == SpeakerGroup::Center) set_ = savedSet_;
  if (group == SpeakerGroup::Center) {
    savedSet_ = set_;
    set_ = CrossoverSet::Common;
  }
  group_ = group;
}

bool CrossoverModel::SetAvailable(CrossoverSet set) const {
  return set == CrossoverSet::Common || group_ != SpeakerGroup::Center;
}

CrossoverModel::Updates CrossoverModel::SelectSet(CrossoverSet set) {
  if (!SetAvailable(set)) return {};
  set_ = set;
  return {CrossoverUpdate::Level, CrossoverUpdate::All};
}

void CrossoverModel::MoveLpf(int step) {
  const FrequencyList& list = List(group_);
  EditedStepsRef().lpf = step;
  EditedRec().lpfFrequency = list.Value(step);
}

void CrossoverModel::MoveHpf(int step) {
  const FrequencyList& list = List(group_);
  EditedStepsRef().hpf = step;
  EditedRec().hpfFrequency = list.Value(step);
}

void CrossoverModel::AfterEdit() {
  const FrequencyList& list = List(group_);
  CrossoverRec& rec = EditedRec();
  const EdgeSteps& steps = EditedStepsRef();
  rec.lpfCode = list.Code(steps.lpf);
  rec.hpfCode = list.Code(steps.hpf);
  if (group_ == SpeakerGroup::Center) {
    const std::size_t center = At(SpeakerGroup::Center);
    for (CrossoverSet s : {CrossoverSet::L, CrossoverSet::R}) {
      records_[center][At(s)] = records_[center][At(CrossoverSet::Common)];
      steps_[center][At(s)] = steps_[center][At(CrossoverSet::Common)];
    }
  }
}

CrossoverModel::Updates CrossoverModel::SetLpfStep(int step) {
  const SpeakerGroupInfo& info = GroupInfo(group_);
  const int i = std::clamp(step, info.lpfMinStep, info.lpfMaxStep);
  MoveLpf(i);
  if (EditedRec().lpfFrequency <= EditedRec().hpfFrequency && i >= 1) MoveHpf(i - 1);
  AfterEdit();
  return {CrossoverUpdate::Filter};
}

CrossoverModel::Updates CrossoverModel::SetHpfStep(int step) {
  const SpeakerGroupInfo& info = GroupInfo(group_);
  const int j = std::clamp(step, info.hpfMinStep, info.hpfMaxStep);
  MoveHpf(j);
  if (EditedRec().hpfFrequency >= EditedRec().lpfFrequency && j < info.lpfMaxStep) MoveLpf(j + 1);
  AfterEdit();
  return {CrossoverUpdate::Filter};
}

CrossoverModel::Updates CrossoverModel::SetLpfSlope(int entry) {
  EditedRec().lpfSlope = SlopeOfEntry(group_, CrossoverEdge::Lpf, entry);
  AfterEdit();
  return {CrossoverUpdate::Filter};
}

CrossoverModel::Updates CrossoverModel::SetHpfSlope(int entry) {
  EditedRec().hpfSlope = SlopeOfEntry(group_, CrossoverEdge::Hpf, entry);
  AfterEdit();
  return {CrossoverUpdate::Filter};
}

CrossoverModel::Updates CrossoverModel::SetLevel(int entry) {
  EditedRec().level = LevelOfEntry(entry);
  AfterEdit();
  return {CrossoverUpdate::Level};
}

CrossoverModel::Updates CrossoverModel::StepLevel(int delta) {
  CrossoverRec& rec = EditedRec();
  rec.level =
      std::clamp(ClampLevel(rec.level) + std::clamp(delta, -1, 1), kMinCrossoverLevel, kMaxCrossoverLevel);
  AfterEdit();
  return {CrossoverUpdate::Level};
}

void CrossoverModel::BeginDrag() {
  dragging_ = true;
  levelDragged_ = false;
}

bool CrossoverModel::DragHpf(int direction) {
  const SpeakerGroupInfo& info = GroupInfo(group_);
  const FrequencyList& list = List(group_);
  const EdgeSteps steps = EditedStepsRef();
  const CrossoverRec& rec = EditedRec();
  if (direction > 0) {
    const int up = steps.hpf + 1;
    const double top = list.Value(info.lpfMaxStep);
    const double secondHighest = list.Value(info.lpfMaxStep - 1);
    const double hpf = list.Value(up);
    if (up <= info.hpfMaxStep && hpf >= rec.lpfFrequency && rec.lpfFrequency < top) {
      MoveHpf(up);
      MoveLpf(std::min(steps.lpf + 1, info.lpfMaxStep));
    } else if (up > info.hpfMaxStep || hpf >= rec.lpfFrequency || hpf > secondHighest) {
      return false;
    } else {
      MoveHpf(up);
    }
  } else if (direction < 0) {
    if (steps.hpf - 1 < info.hpfMinStep) return false;
    MoveHpf(steps.hpf - 1);
  } else {
    return false;
  }
  AfterEdit();
  return true;
}

bool CrossoverModel::DragLpf(int direction) {
  const SpeakerGroupInfo& info = GroupInfo(group_);
  const FrequencyList& list = List(group_);
  const EdgeSteps steps = EditedStepsRef();
  const CrossoverRec& rec = EditedRec();
  if (direction > 0) {
    if (steps.lpf + 1 > info.lpfMaxStep) return false;
    MoveLpf(steps.lpf + 1);
  } else if (direction < 0) {
    const int down = steps.lpf - 1;
    const double bottom = list.Value(0);
    const double secondLowest = list.Value(1);
    const double lpf = list.Value(down);
    if (down >= info.lpfMinStep && lpf <= rec.hpfFrequency && rec.hpfFrequency > bottom) {
      MoveLpf(down);
      MoveHpf(std::max(steps.hpf - 1, info.hpfMinStep));
    } else if (down < info.lpfMinStep || lpf <= rec.hpfFrequency || lpf < secondLowest) {
      return false;
    } else {
      MoveLpf(down);
    }
  } else {
    return false;
  }
  AfterEdit();
  return true;
}

bool CrossoverModel::DragLevel(int delta) {
  CrossoverRec& rec = EditedRec();
  const int level =
      std::clamp(ClampLevel(rec.level) + std::clamp(delta, -1, 1), kMinCrossoverLevel, kMaxCrossoverLevel);
  if (level == rec.level) return false;
  rec.level = level;
  levelDragged_ = true;
  AfterEdit();
  return true;
}

CrossoverModel::Updates CrossoverModel::EndDrag() {
  if (!dragging_) return {};
  dragging_ = false;
  AfterEdit();
  return {levelDragged_ ? CrossoverUpdate::Level : CrossoverUpdate::Filter};
}

void CrossoverModel::CopyCommonToLR() {
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    for (CrossoverSet s : {CrossoverSet::L, CrossoverSet::R}) {
      records_[g][At(s)] = records_[g][At(CrossoverSet::Common)];
      steps_[g][At(s)] = steps_[g][At(CrossoverSet::Common)];
    }
  }
}

std::vector<CrossoverCurve> CrossoverModel::Curves(bool showAllCurves, const CrossoverGraphAxis& axis) const {
  CurvePlanInput in;
  in.records = &records_;
  in.group = group_;
  in.set = set_;
  in.present = present_;
  in.showAllCurves = showAllCurves;
  return PlanCrossoverCurves(in, axis);
}
