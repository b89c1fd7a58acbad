#pragma once

#include <array>
#include <vector>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_curve_plan.h"
#include "crossover/crossover_lists.h"
#include "crossover/crossover_update.h"
#include "document/types.h"

// The crossover being edited: the 18 records (group x set), each record's steps in its group's
// frequency list, the editing cursor and the group presence. Every edit keeps the band from
// inverting and keeps the frequency codes in step with the frequencies; an edit that the
// processor must hear about returns the updates to send, in order. The model does no I/O.
class CrossoverModel {
 public:
  using Updates = std::vector<CrossoverUpdate>;

  struct EdgeSteps {
    int lpf = 0;
    int hpf = 0;

    friend bool operator==(const EdgeSteps&, const EdgeSteps&) = default;
  };

  // The start-up crossover, Front_Hi / Common, every group present.
  CrossoverModel();

  // Takes a copy of the records (at opening or after a setup file was opened) and derives every
  // record's steps; the cursor is kept. Center's L and R sets are made equal to its Common set.
  void SetRecords(const CrossoverTable& records);
  const CrossoverTable& Records() const { return records_; }
  const CrossoverRec& Record(SpeakerGroup group, CrossoverSet set) const;
  EdgeSteps Steps(SpeakerGroup group, CrossoverSet set) const;

  // The editing cursor. The selected set is also the mode the processor runs in.
  SpeakerGroup SelectedGroup() const { return group_; }
  CrossoverSet SelectedSet() const { return set_; }
  CrossoverSet Mode() const { return set_; }
  // The mode the processor keeps: while Center (always Common) is edited, the set saved for
  // the other groups.
  CrossoverSet ProcessorMode() const { return group_ == SpeakerGroup::Center ? savedSet_ : set_; }
  const CrossoverRec& Edited() const { return Record(group_, set_); }
  EdgeSteps EditedSteps() const { return Steps(group_, set_); }

  // Leaving Center restores the set that was selected when it was entered; entering Center
  // saves the set and forces Common. Notifies nothing.
  void SelectGroup(SpeakerGroup group);
  // L and R are unavailable while Center is selected.
  bool SetAvailable(CrossoverSet set) const;
  // Level, then All; nothing when the set is unavailable.
  Updates SelectSet(CrossoverSet set);

  // Slider or list step of an edge; a step pushed onto the other edge moves that edge one step
  // away. Steps are clamped to the edge's range. Filter.
  Updates SetLpfStep(int step);
  Updates SetHpfStep(int step);
  // Slope-list entries (Filter) and level-list entries (Level).
  Updates SetLpfSlope(int entry);
  Updates SetHpfSlope(int entry);
  Updates SetLevel(int entry);
  // +1 or -1 dB within 0..-12; a Level update even when the level is already at its limit.
  Updates StepLevel(int delta);

  // Handle drags move one step at a time; each returns whether anything changed. The release
  // reports Level when the drag changed the level, else Filter.
  void BeginDrag();
  bool DragHpf(int direction);
  bool DragLpf(int direction);
  bool DragLevel(int delta);
  bool Dragging() const { return dragging_; }
  Updates EndDrag();

  // Every group's Common set copied into its L and R sets.
  void CopyCommonToLR();

  void SetPresence(const GroupPresence& present) { present_ = present; }
  void SetSpeakerSwitches(const SpeakerSwitches& switches) { present_ = PresenceFromSwitches(switches); }
  bool Present(SpeakerGroup group) const { return present_[static_cast<std::size_t>(Index(group))]; }
  const GroupPresence& Presence() const { return present_; }

  std::vector<CrossoverCurve> Curves(bool showAllCurves, const CrossoverGraphAxis& axis) const;

 private:
  CrossoverRec& EditedRec();
  EdgeSteps& EditedStepsRef();
  void MoveLpf(int step);
  void MoveHpf(int step);
  void AfterEdit();

  CrossoverTable records_{};
  std::array<std::array<EdgeSteps, kCrossoverSetCount>, kSpeakerGroupCount> steps_{};
  SpeakerGroup group_ = SpeakerGroup::FrontHi;
  CrossoverSet set_ = CrossoverSet::Common;
  CrossoverSet savedSet_ = CrossoverSet::Common;  // while Center is selected
  GroupPresence present_{};
  bool dragging_ = false;
  bool levelDragged_ = false;
};
