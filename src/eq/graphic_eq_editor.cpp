#include "eq/graphic_eq_editor.h"

#include <algorithm>
#include <cstdlib>

#include "common/dialogs.h"
#include "common/form_request.h"
#include "eq/biquad_designer.h"
#include "eq/channel_text_check.h"
#include "eq/eq_graph_report.h"
#include "eq/response_curve.h"

namespace {

constexpr int kGeqMaxGainDb = 9;

bool GroupHasLock(EqGroup group, BandLockMode lock) {
  return (group == EqGroup::SubWoofer && LocksSubWoofer(lock)) ||
         (group == EqGroup::Front && LocksFront(lock));
}

GeqLevelCode CodeOfGain(int gain) { return kGeqFlatCode - std::clamp(gain, -kGeqMaxGainDb, kGeqMaxGainDb); }

}  // namespace

int GeqListFirstBand(EqGroup group, BandLockMode lock) {
  return group == EqGroup::Front && LocksFront(lock) ? kGeqFrontLockedBandCount : 0;
}

int GeqListEndBand(EqGroup group) { return GeqBandsInUse(group); }

bool GeqBandUsable(EqGroup group, BandLockMode lock, int band) {
  if (band < GeqListFirstBand(group, lock) || band >= GeqListEndBand(group)) return false;
  return !(group == EqGroup::SubWoofer && LocksSubWoofer(lock));
}

std::optional<int> GeqTraceGain(int dy, int unitsPerDb) {
  if (dy == 0 || unitsPerDb <= 0) return std::nullopt;
  return std::clamp(-(dy / unitsPerDb), -kGeqMaxGainDb, kGeqMaxGainDb);
}

int GeqDragStep(int dy, int oneDb, int twoDb) {
  if (dy > twoDb) return -2;
  if (dy > oneDb) return -1;
  if (dy < -twoDb) return 2;
  if (dy < -oneDb) return 1;
  return 0;
}

GraphicEqEditor::GraphicEqEditor(GraphicEqView& view, FormRequestSink& form, Dialogs& dialogs)
    : view_(view), form_(form), dialogs_(dialogs) {
  for (auto& group : codes_)
    for (auto& set : group) set.fill(kGeqFlatCode);
  RefreshControls();
}

void GraphicEqEditor::Load(const SetupDocument& workingCopy) {
  // New data ends a drag without a word: what it held belongs to the data just replaced.
  if (dragging_) view_.SetMouseCapture(false);
  dragging_ = false;
  tracing_ = false;
  revert_.reset();
  data_ = workingCopy;
  codes_ = GeqCodesFromBands(workingCopy.geqBands);
  RefreshControls();
}

const SetupDocument& GraphicEqEditor::Data() const {
  StoreGeqCodes(codes_, data_.geqBands);
  return data_;
}

int GraphicEqEditor::SelectedSide() const { return Index(group_ == EqGroup::Center ? savedSide_ : side_); }

void GraphicEqEditor::SetBandLockMode(int mode) {
  const BandLockMode lock = mode >= 0 && mode <= static_cast<int>(BandLockMode::Both)
                                ? static_cast<BandLockMode>(mode)
                                : BandLockMode::Both;
  if (lock == lock_) return;
  FinishDrag();
  lock_ = lock;
  if (!graph_) {
    RefreshControls();
    return;
  }
  ApplyChannelState();
  Redraw();
}

void GraphicEqEditor::Open(GraphScale graph, LegendSize legend) {
  graph_.emplace(EqKind::Graphic, graph, legend);
  dragging_ = false;
  tracing_ = false;
  firstListText_ = true;
  ChangeChannel(group_);
}

void GraphicEqEditor::Resize(GraphScale graph, LegendSize legend) {
  if (!graph_) return;
  FinishDrag();
  graph_.emplace(EqKind::Graphic, graph, legend);
  Redraw();
}

void GraphicEqEditor::Closed() {
  graph_.reset();
  dragging_ = false;
  tracing_ = false;
  revert_.reset();
  // The next opening starts with a complete band list.
  firstListText_ = true;
}

void GraphicEqEditor::Refresh() {
  if (band_ < GeqListFirstBand(group_, lock_) || band_ >= GeqListEndBand(group_))
    band_ = GeqListFirstBand(group_, lock_);
  RefreshControls();
  Redraw();
}

std::array<bool, kGeqBandCount> GraphicEqEditor::UsableBands() const {
  std::array<bool, kGeqBandCount> usable{};
  for (int b = 0; b < kGeqBandCount; ++b) usable[static_cast<std::size_t>(b)] = Usable(b);
  return usable;
}

void GraphicEqEditor::RefreshControls() {
  GeqControls& c = controls_;
  c.group = group_;
  c.side = side_;
  c.band = band_;
  c.channelText = std::string(kEqGroupListTexts[Index(group_)]);
  c.sliders = CurrentSet();
  c.sliderEnabled = UsableBands();

  const int first = GeqListFirstBand(group_, lock_);
  const int end = GeqListEndBand(group_);
  c.bandList.clear();
  for (int b = first; b < end; ++b)
    c.bandList.emplace_back(firstListText_ ? GeqInitialBandListText(b) : GeqBandLabel(b));
  c.bandListFirst = first;
  c.bandListIndex = std::clamp(band_ - first, 0, end - first - 1);
  const bool subWooferLocked = group_ == EqGroup::SubWoofer && LocksSubWoofer(lock_);
  c.bandListEnabled = !subWooferLocked;
  c.levelListEnabled = !subWooferLocked;
  c.levelIndex = CurrentSet()[static_cast<std::size_t>(std::clamp(band_, 0, kGeqBandCount - 1))];

  const bool stereo = group_ != EqGroup::Center;
  c.sideEnabled = {true, stereo, stereo};
  c.resetEnabled = !GroupHasLock(group_, lock_);
  c.showAllCurves = showAllCurves_;
  c.enableCursors = enableCursors_;
  c.mouseTrace = mouseTrace_;
}

void GraphicEqEditor::ChangeChannel(EqGroup group) {
  if (group_ == EqGroup::Center) side_ = savedSide_;
  if (group == EqGroup::Center) {
    savedSide_ = side_;
    side_ = EqSide::Common;
  }
  group_ = group;
  ApplyChannelState();
  Redraw();
}

void GraphicEqEditor::ApplyChannelState() {
  // Removing the SubWoofer's upper entries and putting them back takes their texts from the
  // label table.
  if (group_ == EqGroup::SubWoofer) firstListText_ = false;
  band_ = GeqListFirstBand(group_, lock_);
  RefreshControls();
}

void GraphicEqEditor::SelectChannel(int group) {
  FinishDrag();
  if (group < 0 || group >= kEqGroupCount) return;
  ChangeChannel(static_cast<EqGroup>(group));
}

void GraphicEqEditor::SelectBandListEntry(int index) {
  FinishDrag();
  const int band = GeqListFirstBand(group_, lock_) + index;
  if (index < 0 || !Usable(band)) return;
  band_ = band;
  RefreshControls();
  Redraw();
  PostSend(1, band_);
}

void GraphicEqEditor::SelectLevel(GeqLevelCode code) {
  FinishDrag();
  if (code < 0 || code > kGeqMaxCode || !Usable(band_)) return;
  StoreCode(band_, code);
}

void GraphicEqEditor::SliderMoved(int band, int position) {
  FinishDrag();
  if (!Usable(band)) return;
  StoreCode(band, std::clamp(position, 0, kGeqMaxCode));
}

void GraphicEqEditor::StoreCode(int band, GeqLevelCode code) {
  band_ = band;
  GeqLevelCode& stored = CurrentSet()[static_cast<std::size_t>(band)];
  if (stored != code) {
    revert_ = RevertEntry{group_, side_, band, stored, std::nullopt};
    warningShown_ = false;
  } else {
    revert_.reset();
  }
  stored = code;
  RefreshControls();
  Redraw();
  // The entry belongs to this edit only: a later redraw must not take back an accepted change.
  revert_.reset();
  PostSend(1, band);
}

void GraphicEqEditor::SelectSide(int side) {
  FinishDrag();
  if (side < 0 || side >= kEqSideCount) return;
  if (group_ == EqGroup::Center && side != Index(EqSide::Common)) return;
  side_ = static_cast<EqSide>(side);
  RefreshControls();
  Redraw();
  PostSend(1, kGeqAllGroupsRequestBand);
}

void GraphicEqEditor::ToggleShowAllCurves() {
  FinishDrag();
  showAllCurves_ = !showAllCurves_;
  enableCursors_ = false;
  RefreshControls();
  Redraw();
}

void GraphicEqEditor::ToggleEnableCursors() {
  FinishDrag();
  enableCursors_ = !enableCursors_;
  showAllCurves_ = false;
  RefreshControls();
  Redraw();
}

void GraphicEqEditor::SetMouseTrace(bool on) {
  FinishDrag();
  mouseTrace_ = on;
  RefreshControls();
}

void GraphicEqEditor::Reset() {
  FinishDrag();
  // Bands an automatic-EQ result holds are not flattened behind its back.
  if (GroupHasLock(group_, lock_)) return;
  showAllCurves_ = false;
  CurrentSet().fill(kGeqFlatCode);
  revert_.reset();
  RefreshControls();
  Redraw();
  form_.Send({FormMessage::GeqReset, Index(group_), 0});
}

void GraphicEqEditor::Enter(std::string_view channelText) {
  FinishDrag();
  const int match = CheckChannelText(channelText, kEqGroupListTexts, dialogs_);
  if (match >= 0 && match != Index(group_)) {
    ChangeChannel(static_cast<EqGroup>(match));
  } else {
    RefreshControls();
    Redraw();
  }
  // A locked band is the automatic EQ's; sending it again would overwrite its result.
  if (Usable(band_)) PostSend(1, band_);
}

void GraphicEqEditor::Close() {
  // The form takes the data on closing: a held bar must pass the 12 dB rule first.
  FinishDrag();
  showAllCurves_ = false;
  RefreshControls();
  view_.SetMouseCapture(false);
  dragging_ = false;
  tracing_ = false;
  form_.Post({FormMessage::GeqClose, 0, 0});
}

void GraphicEqEditor::FinishDrag() {
  if (!dragging_) return;
  const int shown = band_;
  GraphRelease();
  band_ = shown;
  RefreshControls();
}

std::optional<int> GraphicEqEditor::TraceBandAt(int x) const {
  if (!graph_) return std::nullopt;
  std::vector<int> bands;
  std::vector<int> xs;
  for (int b = 0; b < kGeqBandCount; ++b) {
    if (!Usable(b)) continue;
    bands.push_back(b);
    xs.push_back(graph_->Axis().CurvePointX(kGeqBandFrequencies[static_cast<std::size_t>(b)]));
  }
  const std::size_t n = bands.size();
  if (n == 0) return std::nullopt;
  const int halfBar = graph_->X(14) / 2;
  for (std::size_t k = 0; k < n; ++k) {
    int left = k > 0 ? (xs[k - 1] + xs[k]) / 2 : 0;
    int right = k + 1 < n ? (xs[k] + xs[k + 1]) / 2 : 0;
    if (n == 1) {
      left = xs[k] - halfBar;
      right = xs[k] + halfBar + 1;
    } else if (k == 0) {
      left = xs[k] - (right - xs[k]);
    } else if (k + 1 == n) {
      right = xs[k] + (xs[k] - left) + 1;
    }
    if (x >= left && x < right) return bands[k];
  }
  return std::nullopt;
}

void GraphicEqEditor::TraceTo(CanvasPoint at) {
  const auto band = TraceBandAt(at.x);
  if (!band) return;
  const ResponseGraph& g = *graph_;
  dragBand_ = *band;
  band_ = *band;
  GeqLevelCode& code = CurrentSet()[static_cast<std::size_t>(*band)];
  if (const auto gain = GeqTraceGain(at.y - g.Axis().ZeroDbY(), g.Axis().UnitsPerDb()))
    code = CodeOfGain(*gain);
  BandMarker& marker = markers_[Index(group_)][static_cast<std::size_t>(*band)];
  marker = g.GeqMarkerFor(*band, code);
  g.RepaintGeqColumn(view_.GraphCanvas(), *band, marker);
  RefreshControls();
}

void GraphicEqEditor::GraphPress(CanvasPoint at) {
  if (!graph_ || !enableCursors_ || dragging_) return;
  const ResponseGraph& g = *graph_;
  if (mouseTrace_) {
    const auto band = TraceBandAt(at.x);
    if (!band) return;
    const GeqCodeSet& set = CurrentSet();
    revert_ = RevertEntry{group_, side_, *band, set[static_cast<std::size_t>(*band)], set};
    warningShown_ = false;
    dragging_ = true;
    tracing_ = true;
    dragBand_ = *band;
    band_ = *band;
    GeqLevelCode& code = CurrentSet()[static_cast<std::size_t>(*band)];
    if (const auto gain = GeqTraceGain(at.y - g.Axis().ZeroDbY(), g.Axis().UnitsPerDb()))
      code = CodeOfGain(*gain);
    RefreshControls();
    Redraw();
    PostSend(0, kGeqGroupRequestBand);
    view_.SetMouseCapture(true);
    return;
  }

  const int reach = g.X(6);
  const GeqMarkerSet& markers = markers_[Index(group_)];
  int hit = -1;
  // Neighbouring bars can both be in reach: the one drawn last, on top, is taken.
  for (int b = 0; b < kGeqBandCount; ++b) {
    if (!Usable(b)) continue;
    const BandMarker& m = markers[static_cast<std::size_t>(b)];
    if (std::abs(at.x - m.x) < reach && std::abs(at.y - m.y) < reach) hit = b;
  }
  if (hit < 0) return;
  revert_ = RevertEntry{group_, side_, hit, CurrentSet()[static_cast<std::size_t>(hit)], std::nullopt};
  warningShown_ = false;
  dragBand_ = hit;
  dragging_ = true;
  tracing_ = false;
  g.DrawGeqHighlight(view_.GraphCanvas(), markers[static_cast<std::size_t>(hit)]);
  PostSend(0, hit);
  view_.SetMouseCapture(true);
}

void GraphicEqEditor::GraphMove(CanvasPoint at) {
  if (!graph_ || !dragging_) return;
  if (tracing_) {
    TraceTo(at);
    return;
  }
  const ResponseGraph& g = *graph_;
  BandMarker& marker = markers_[Index(group_)][static_cast<std::size_t>(dragBand_)];
  const int step = GeqDragStep(at.y - marker.y, g.Y(9), g.Y(18));
  if (step == 0) return;
  GeqLevelCode& code = CurrentSet()[static_cast<std::size_t>(dragBand_)];
  const int gain = std::clamp(static_cast<int>(GeqGainFromCode(code)) + step, -kGeqMaxGainDb, kGeqMaxGainDb);
  code = CodeOfGain(gain);
  const float frequency = kGeqBandFrequencies[static_cast<std::size_t>(dragBand_)];
  BiquadDesigner designer;
  const BiquadCoefficients c = designer.Design(4, frequency, static_cast<float>(gain), kGeqBandQ, 0, 0);
  marker.y = g.Axis().MarkerY(designer.Response(c, frequency));
  marker.gain = static_cast<float>(gain);
  g.RepaintGeqColumn(view_.GraphCanvas(), dragBand_, marker, kGeqDraggedHandleColour);
  RefreshControls();
}

void GraphicEqEditor::GraphRelease() {
  if (dragging_) {
    const bool trace = tracing_;
    dragging_ = false;
    tracing_ = false;
    Redraw();
    revert_.reset();
    band_ = dragBand_;
    RefreshControls();
    PostSend(1, trace ? kGeqGroupRequestBand : band_);
  }
  dragging_ = false;
  tracing_ = false;
  view_.SetMouseCapture(false);
}

void GraphicEqEditor::LegendPress(CanvasPoint at) {
  if (!graph_) return;
  FinishDrag();
  if (const auto group = graph_->LegendGroupAt(at)) ChangeChannel(*group);
}

void GraphicEqEditor::DrawAll() {
  const ResponseGraph& g = *graph_;
  Canvas& canvas = view_.GraphCanvas();
  g.DrawBackground(canvas);
  g.DrawLegend(view_.LegendCanvas(), group_);
  auto drawBars = [&] {
    if (enableCursors_) g.DrawGeqBars(canvas, CurrentSet(), UsableBands(), markers_[Index(group_)]);
  };
  // While a trace is under way the curve waits for the release, and so does the 12 dB rule.
  if (dragging_ && tracing_) {
    drawBars();
    return;
  }
  if (overlay_ != nullptr && overlay_->Showing()) {
    overlay_->DrawLegend(view_.LegendCanvas(), g);
    overlay_->DrawCurves(canvas, g, group_, ResponseCurve(codes_, group_, side_));
  }
  for (const GraphCurve& curve : ResponseGraph::CurveOrder(EqKind::Graphic, group_, side_, showAllCurves_)) {
    const CurveValues values = ResponseCurve(codes_, curve.group, curve.side);
    g.DrawCurve(canvas, values, curve);
    const double peak = CurvePeak(values);
    data_.geqCurvePeaks[Index(curve.group)][Index(curve.side)] = peak;
    if (CheckPeakRule(peak, warningShown_, dialogs_)) {
      data_.geqPeakBoost = PeakBoost(data_.geqCurvePeaks, side_, EqKind::Graphic);
    } else {
      view_.SetMouseCapture(false);
      revertPending_ = true;
    }
    if (curve.edited) drawBars();
  }
}

void GraphicEqEditor::Redraw() {
  if (!graph_) return;
  DrawAll();
  if (!revertPending_) return;
  revertPending_ = false;
  // Without an edit since opening there is nothing to take back. A trace gives back the whole
  // set as it was at the press; any other edit its one band.
  if (revert_) {
    GeqCodeSet& set = codes_[Index(revert_->group)][Index(revert_->side)];
    if (revert_->traceCodes) {
      set = *revert_->traceCodes;
    } else {
      set[static_cast<std::size_t>(revert_->band)] = revert_->code;
    }
  }
  DrawAll();
  revertPending_ = false;
  RefreshControls();
}

void GraphicEqEditor::PostSend(int sendFlag, int band) { form_.Post({FormMessage::GeqSend, sendFlag, band}); }

void GraphicEqEditor::Print(ReportTarget& target) { Print(target, LocalDateToday()); }

void GraphicEqEditor::Print(ReportTarget& target, const ReportDate& date) {
  PrintedReport report(target);
  if (!report.Begin(ReportKind::GraphicEq, date)) return;
  PrintGraphicEqReport(report, codes_, side_);
  report.End();
}
