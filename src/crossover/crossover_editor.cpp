#include "crossover/crossover_editor.h"

#include <algorithm>
#include <cstdlib>

#include "common/dialogs.h"
#include "common/form_request.h"
#include "crossover/crossover_lists.h"
#include "crossover/crossover_report.h"
#include "crossover/speaker_group_info.h"
#include "eq/channel_text_check.h"

namespace {

bool InRange(int value, int count) { return value >= 0 && value < count; }

}  // namespace

CrossoverEditor::CrossoverEditor(CrossoverView& view, FormRequestSink& form, Dialogs& dialogs)
    : view_(view), form_(form), dialogs_(dialogs) {
  data_.crossover = model_.Records();
  RefreshControls();
}

void CrossoverEditor::Load(const SetupDocument& workingCopy) {
  data_ = workingCopy;
  model_.SetRecords(workingCopy.crossover);
  Sync();
  RefreshControls();
}

void CrossoverEditor::SetPresence(const GroupPresence& present) {
  if (present == model_.Presence()) return;
  model_.SetPresence(present);
  if (!Dragging()) Redraw();
}

void CrossoverEditor::Open(GraphScale graph, CrossoverLegendArea legend) {
  graph_.emplace(graph, legend);
  StartOver();
}

void CrossoverEditor::Resize(GraphScale graph, CrossoverLegendArea legend) {
  if (!graph_) return;
  graph_.emplace(graph, legend);
  Redraw();
}

void CrossoverEditor::Closed() {
  graph_.reset();
  dragHandle_ = kNoHandle;
  model_.EndDrag();
  Sync();
}

void CrossoverEditor::Refresh() {
  if (!graph_) {
    RefreshControls();
    return;
  }
  if (Dragging()) view_.SetMouseCapture(false);
  StartOver();
}

void CrossoverEditor::StartOver() {
  dragHandle_ = kNoHandle;
  model_.EndDrag();
  Sync();
  showAllCurves_ = false;
  RefreshControls();
  ChooseGroup(model_.SelectedGroup());
}

void CrossoverEditor::ChooseGroup(SpeakerGroup group) {
  model_.SelectGroup(group);
  RefreshControls();
  Redraw();
}

void CrossoverEditor::RefreshControls() {
  const SpeakerGroup group = model_.SelectedGroup();
  const SpeakerGroupInfo& info = GroupInfo(group);
  const CrossoverRec& rec = model_.Edited();
  const CrossoverModel::EdgeSteps steps = model_.EditedSteps();
  CrossoverControls& c = controls_;
  c.group = group;
  c.set = model_.SelectedSet();
  c.channelText = std::string(info.listLabel);
  c.lpfSlopeItems = SlopeList(group, CrossoverEdge::Lpf);
  c.hpfSlopeItems = SlopeList(group, CrossoverEdge::Hpf);
  c.lpfSlopeEntry = SlopeEntryOf(group, CrossoverEdge::Lpf, rec.lpfSlope);
  c.hpfSlopeEntry = SlopeEntryOf(group, CrossoverEdge::Hpf, rec.hpfSlope);
  c.lpfSlopeText = c.lpfSlopeItems[static_cast<std::size_t>(c.lpfSlopeEntry)];
  c.hpfSlopeText = c.hpfSlopeItems[static_cast<std::size_t>(c.hpfSlopeEntry)];
  c.levelEntry = LevelEntryOf(rec.level);
  c.levelText = LevelList()[static_cast<std::size_t>(c.levelEntry)];
  c.lpfSliderMin = info.lpfMinStep;
  c.lpfSliderMax = info.lpfMaxStep;
  c.lpfSlider = steps.lpf;
  c.hpfSliderMin = info.hpfMinStep;
  c.hpfSliderMax = info.hpfMaxStep;
  c.hpfSlider = steps.hpf;
  c.lpfFrequencyText = info.frequencies->Label(steps.lpf);
  c.hpfFrequencyText = info.frequencies->Label(steps.hpf);
  c.lpfEnabled = rec.lpfSlope != 0.0;
  c.hpfEnabled = rec.hpfSlope != 0.0;
  for (int s = 0; s < kCrossoverSetCount; ++s)
    c.setEnabled[static_cast<std::size_t>(s)] = model_.SetAvailable(static_cast<CrossoverSet>(s));
  c.showAllCurves = showAllCurves_;
}

void CrossoverEditor::FinishDrag() {
  if (Dragging()) GraphRelease();
}

void CrossoverEditor::Edited(const CrossoverModel::Updates& updates) {
  Sync();
  RefreshControls();
  Redraw();
  for (CrossoverUpdate kind : updates) Post(1, kind);
}

void CrossoverEditor::Post(int sendFlag, CrossoverUpdate kind) {
  form_.Post({FormMessage::CrossoverSend, sendFlag, static_cast<int>(kind)});
}

void CrossoverEditor::SelectChannel(int group) {
  FinishDrag();
  if (!InRange(group, kSpeakerGroupCount)) return;
  ChooseGroup(static_cast<SpeakerGroup>(group));
}

void CrossoverEditor::SelectSet(int set) {
  FinishDrag();
  if (!InRange(set, kCrossoverSetCount)) return;
  const CrossoverModel::Updates updates = model_.SelectSet(static_cast<CrossoverSet>(set));
  if (updates.empty()) {
    RefreshControls();  // not available: the radios show the set as it stands
    return;
  }
  Edited(updates);
}

void CrossoverEditor::LpfSliderMoved(int position) {
  FinishDrag();
  if (!controls_.lpfEnabled) return;
  Edited(model_.SetLpfStep(position));
}

void CrossoverEditor::HpfSliderMoved(int position) {
  FinishDrag();
  if (!controls_.hpfEnabled) return;
  Edited(model_.SetHpfStep(position));
}

void CrossoverEditor::LpfSlopeChosen(int entry) {
  FinishDrag();
  if (!InRange(entry, static_cast<int>(controls_.lpfSlopeItems.size()))) return;
  Edited(model_.SetLpfSlope(entry));
}

void CrossoverEditor::HpfSlopeChosen(int entry) {
  FinishDrag();
  if (!InRange(entry, static_cast<int>(controls_.hpfSlopeItems.size()))) return;
  Edited(model_.SetHpfSlope(entry));
}

void CrossoverEditor::LevelChosen(int entry) {
  FinishDrag();
  if (!InRange(entry, kLevelEntries)) return;
  Edited(model_.SetLevel(entry));
}

void CrossoverEditor::StepLevel(int delta) {
  FinishDrag();
  Edited(model_.StepLevel(delta));
}

void CrossoverEditor::Enter(std::string_view channelText) {
  FinishDrag();
  const int match = CheckChannelText(channelText.substr(0, kChannelTextLimit), kCrossoverGroupTexts, dialogs_);
  if (match >= 0) model_.SelectGroup(static_cast<SpeakerGroup>(match));
  // After a refused name the list shows the group's own name again.
  Edited({CrossoverUpdate::Filter});
}

void CrossoverEditor::ToggleShowAllCurves() {
  FinishDrag();
  showAllCurves_ = !showAllCurves_;
  controls_.showAllCurves = showAllCurves_;
  Redraw();
}

void CrossoverEditor::Close() {
  // The form takes the records on closing: a held handle's values are sent first.
  FinishDrag();
  showAllCurves_ = false;
  controls_.showAllCurves = false;
  view_.SetMouseCapture(false);
  form_.Post({FormMessage::CrossoverClose, 0, 0});
}

void CrossoverEditor::GraphPress(CanvasPoint at) {
  if (!graph_ || Dragging()) return;
  const CurveMarkers& handles = Handles(model_.SelectedGroup());
  const int reach = graph_->GrabReach();
  int hit = kNoHandle;
  // Overlapping handles: the last one that matches is taken.
  for (int h = kHpfHandle; h <= kLpfHandle; ++h) {
    const CurvePoint& p = handles[static_cast<std::size_t>(h)];
    if (grabbable_[static_cast<std::size_t>(h)] && std::abs(at.x - p.x) <= reach &&
        std::abs(at.y - p.y) <= reach) {
      hit = h;
    }
  }
  if (hit != kNoHandle) {
    dragHandle_ = hit;
    model_.BeginDrag();
    graph_->DrawHandle(view_.GraphCanvas(), handles[static_cast<std::size_t>(hit)], kGrabbedHandleColour);
    Post(0, CrossoverUpdate::Filter);
    view_.MoveFocus(hit == kHpfHandle     ? CrossoverFocus::HpfSlider
                    : hit == kLevelHandle ? CrossoverFocus::LevelList
                                          : CrossoverFocus::LpfSlider);
  }
  view_.SetMouseCapture(true);
}

void CrossoverEditor::GraphMove(CanvasPoint at) {
  if (!graph_ || !Dragging()) return;
  const CrossoverGraph& g = *graph_;
  const CrossoverGraphAxis& axis = g.Axis();
  CurvePoint& handle = handles_[static_cast<std::size_t>(Index(model_.SelectedGroup()))]
                               [static_cast<std::size_t>(dragHandle_)];
  bool moved = false;
  if (dragHandle_ == kLevelHandle) {
    const int perDb = axis.PixelsPerDb();
    const int dy = at.y - handle.y;
    if (dy > perDb) {
      moved = model_.DragLevel(-1);
    } else if (dy < -perDb) {
      moved = model_.DragLevel(+1);
    }
    handle.y = axis.LevelY(model_.Edited().level);
  } else {
    const int dx = at.x - handle.x;
    const int direction = dx > g.HandleHalfSize() ? 1 : (dx < -g.HandleHalfSize() ? -1 : 0);
    if (direction != 0) {
      const bool hpf = dragHandle_ == kHpfHandle;
      moved = hpf ? model_.DragHpf(direction) : model_.DragLpf(direction);
      handle.x = axis.X(hpf ? model_.Edited().hpfFrequency : model_.Edited().lpfFrequency);
    }
  }
  if (!moved) return;
  Sync();
  g.DrawHandle(view_.GraphCanvas(), handle, kDraggedHandleColour);
  RefreshControls();
}

void CrossoverEditor::GraphRelease() {
  if (Dragging()) {
    dragHandle_ = kNoHandle;
    const CrossoverModel::Updates updates = model_.EndDrag();
    view_.SetMouseCapture(false);
    Edited(updates);
    return;
  }
  view_.SetMouseCapture(false);
}

void CrossoverEditor::LegendPress(CanvasPoint at) {
  if (!graph_) return;
  if (const auto group = graph_->LegendGroupAt(at)) SelectChannel(Index(*group));
}

void CrossoverEditor::DrawAll() {
  const CrossoverGraph& g = *graph_;
  Canvas& canvas = view_.GraphCanvas();
  g.DrawBackground(canvas);
  g.DrawLegend(view_.LegendCanvas(), model_.SelectedGroup());
  const std::vector<CrossoverCurve> curves = model_.Curves(showAllCurves_, g.Axis());
  g.DrawCurves(canvas, curves);
  grabbable_ = {};
  for (const CrossoverCurve& curve : curves) {
    handles_[static_cast<std::size_t>(Index(curve.group))] = curve.markers;
    if (curve.group != model_.SelectedGroup() || !curve.HasHandles()) continue;
    grabbable_[kHpfHandle] = curve.showHpfHandle;
    grabbable_[kLevelHandle] = curve.showLevelHandle;
    grabbable_[kLpfHandle] = curve.showLpfHandle;
  }
}

void CrossoverEditor::Redraw() {
  if (graph_) DrawAll();
}

void CrossoverEditor::Print(ReportTarget& target) { Print(target, LocalDateToday()); }

void CrossoverEditor::Print(ReportTarget& target, const ReportDate& date) {
  PrintedReport report(target);
  if (!report.Begin(ReportKind::Crossover, date)) return;
  // The page shows what the window shows: with Center selected, the Common set.
  PrintCrossoverReport(report, model_.Records(), model_.SelectedSet());
  report.End();
}
