#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "crossover/crossover_graph.h"
#include "crossover/crossover_model.h"
#include "crossover/crossover_view.h"
#include "document/setup_document.h"
#include "graphics/printed_report.h"

class Dialogs;
class FormRequestSink;
class ReportTarget;

// The "Channel" list's speaker groups, by SpeakerGroup.
inline constexpr std::array<std::string_view, kSpeakerGroupCount> kCrossoverGroupTexts = {
    "Front_Hi", "Front_Mid", "Front_Low", "Rear", "Center", "SubWoofer"};
inline constexpr std::array<std::string_view, kCrossoverSetCount> kCrossoverSetTexts = {"Common", "L ch",
                                                                                        "R ch"};
// The channel list's text is cut to this length.
inline constexpr int kChannelTextLimit = 20;

// What the window's controls show, read by the window after every call.
struct CrossoverControls {
  SpeakerGroup group = SpeakerGroup::FrontHi;
  CrossoverSet set = CrossoverSet::Common;
  std::string channelText;
  // The entries of the two slope lists as they stand ("OFF" taken out where the group has
  // none) and the entry shown.
  std::span<const std::string_view> lpfSlopeItems;
  std::span<const std::string_view> hpfSlopeItems;
  int lpfSlopeEntry = 0;
  int hpfSlopeEntry = 0;
  int levelEntry = 0;
  std::string_view levelText;
  std::string_view lpfSlopeText;
  std::string_view hpfSlopeText;
  std::string_view lpfFrequencyText;
  std::string_view hpfFrequencyText;
  int lpfSliderMin = 1;
  int lpfSliderMax = 26;
  int lpfSlider = 26;
  int hpfSliderMin = 0;
  int hpfSliderMax = 25;
  int hpfSlider = 12;
  // An edge's frequency box and slider work only while its slope is not OFF.
  bool lpfEnabled = false;
  bool hpfEnabled = true;
  std::array<bool, kCrossoverSetCount> setEnabled{true, true, true};
  bool showAllCurves = false;
};

// The crossover window's behaviour: the copy of the 18 crossover records it edits, the editing
// cursor and presence, the edits from lists, sliders, radios, keys and handle drags under the
// band rules, and the requests to the main form. The window object, and so this editor, lives
// as long as the form; its cursor survives closing and reopening.
class CrossoverEditor {
 public:
  // Handle numbers of a drag.
  static constexpr int kNoHandle = 0;
  static constexpr int kHpfHandle = 1;
  static constexpr int kLevelHandle = 2;
  static constexpr int kLpfHandle = 3;

  CrossoverEditor(CrossoverView& view, FormRequestSink& form, Dialogs& dialogs);

  // The form's working copy, taken whether the window is open or not.
  void Load(const SetupDocument& workingCopy);
  // What the form takes back: the working copy with the edited crossover records.
  const SetupDocument& Data() const { return data_; }
  int SelectedGroup() const { return Index(model_.SelectedGroup()); }
  // The mode the processor runs in. While Center (mono, always Common) is selected this is the
  // set saved for the other groups, so that their outputs keep what they have.
  int SelectedSide() const { return Index(model_.ProcessorMode()); }
  // Which groups have a speaker switched on; a redraw follows when it changed while open.
  void SetPresence(const GroupPresence& present);

  // Opening, with the sizes of the graph and legend controls.
  void Open(GraphScale graph, CrossoverLegendArea legend);
  // The controls changed size while open: the graph is laid out anew and redrawn.
  void Resize(GraphScale graph, CrossoverLegendArea legend);
  void Closed();
  bool IsOpen() const { return graph_.has_value(); }
  // The form loaded new data while the window is open: the window starts over on it as at
  // opening, keeping its cursor.
  void Refresh();

  const CrossoverControls& Controls() const { return controls_; }
  const CrossoverModel& Model() const { return model_; }

  // Channel list or legend: only a redraw, nothing is sent.
  void SelectChannel(int group);
  // "Common", "L ch", "R ch".
  void SelectSet(int set);
  void LpfSliderMoved(int position);
  void HpfSliderMoved(int position);
  void LpfSlopeChosen(int entry);
  void HpfSlopeChosen(int entry);
  void LevelChosen(int entry);
  // Up (+1) and Down (-1) while the window itself has the focus.
  void StepLevel(int delta);
  // The hidden default button: the typed channel name is checked and chosen.
  void Enter(std::string_view channelText);
  void ToggleShowAllCurves();
  // "CLOSE\nWindow", Escape and the hidden "CANCEL".
  void Close();

  // Mouse, in pixels of the graph control and of the legend.
  void GraphPress(CanvasPoint at);
  void GraphMove(CanvasPoint at);
  void GraphRelease();
  void LegendPress(CanvasPoint at);

  // Graph, legend and curves drawn anew.
  void Redraw();

  // "PRINT": the one-page report; nothing when the print dialog is cancelled.
  void Print(ReportTarget& target);
  void Print(ReportTarget& target, const ReportDate& date);

  bool Dragging() const { return dragHandle_ != kNoHandle; }
  int DraggedHandle() const { return dragHandle_; }
  // Where the handles of a group's last drawn curve are, and which of them were shown.
  const CurveMarkers& Handles(SpeakerGroup group) const {
    return handles_[static_cast<std::size_t>(Index(group))];
  }
  const std::optional<CrossoverGraph>& Graph() const { return graph_; }

 private:
  void ChooseGroup(SpeakerGroup group);
  void RefreshControls();
  void StartOver();
  // A control used while a handle is held ends the drag first as a release would, so that the
  // dragged values are sent for the group they belong to.
  void FinishDrag();
  // After an edit: the form's copy follows, the graph is redrawn, the form hears of it.
  void Edited(const CrossoverModel::Updates& updates);
  void Post(int sendFlag, CrossoverUpdate kind);
  // The form's copy takes the records as they stand.
  void Sync() { data_.crossover = model_.Records(); }
  void DrawAll();

  CrossoverView& view_;
  FormRequestSink& form_;
  Dialogs& dialogs_;

  SetupDocument data_;
  CrossoverModel model_;
  bool showAllCurves_ = false;
  int dragHandle_ = kNoHandle;
  std::array<CurveMarkers, kSpeakerGroupCount> handles_{};
  // The handles of the selected group that the last redraw showed; only those can be grabbed.
  std::array<bool, kLpfHandle + 1> grabbable_{};  // by handle number

  std::optional<CrossoverGraph> graph_;
  CrossoverControls controls_;
};
