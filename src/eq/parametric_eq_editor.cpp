#include "eq/parametric_eq_editor.h"

#include <algorithm>
#include <cmath>

#include "common/dialogs.h"
#include "common/form_request.h"
#include "eq/biquad_designer.h"
#include "eq/channel_text_check.h"
#include "eq/edit_field.h"
#include "eq/eq_graph_report.h"
#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"

namespace {

// The Q slider works in steps of 0.1; a Q that is not a number (a damaged file) sits at the bottom.
int QSliderPosition(float q) {
  const float position = q * 10.0f;
  if (std::isnan(position)) return kPeqQSliderMin;
  return static_cast<int>(
      std::clamp(position, static_cast<float>(kPeqQSliderMin), static_cast<float>(kPeqQSliderMax)));
}

constexpr int kAllGroupsBand = 33;

float MaxDragFrequency(EqGroup group) {
  return group == EqGroup::SubWoofer ? kSubWooferMaxFrequency : kPeqMaxFrequency;
}

int TruncGain(float gain) {
  if (!(std::fabs(gain) < 1000.0f)) return gain > 0 ? 1000 : -1000;  // also NaN, from a damaged file
  return static_cast<int>(gain);
}

}  // namespace

float PeqSliderFrequency(int position, EqGroup group) {
  int p = std::clamp(position, kPeqFrequencySliderMin, kPeqFrequencySliderMax);
  if (group == EqGroup::SubWoofer) p = std::min(p, kSubWooferMaxFrequencySlider);
  double f = p == 1 ? 20.0 : 20.0 * std::pow(2.0, p / 12.0) - 1.0;
  f = std::min(f, static_cast<double>(kPeqMaxFrequency));
  if (group == EqGroup::SubWoofer) f = std::min(f, static_cast<double>(kSubWooferMaxFrequency));
  return RoundDownToTenthHz(static_cast<float>(f));
}

int PeqFrequencySliderPosition(float frequency) {
  const double p = 12.0 * std::log10(static_cast<double>(frequency) / 20.0) / 0.301;
  if (!(p >= kPeqFrequencySliderMin)) return kPeqFrequencySliderMin;  // NaN too
  if (p >= kPeqFrequencySliderMax) return kPeqFrequencySliderMax;
  return static_cast<int>(p);
}

ParametricEqEditor::ParametricEqEditor(ParametricEqView& view, FormRequestSink& form, Dialogs& dialogs)
    : view_(view), form_(form), dialogs_(dialogs) {
  RefreshControls();
}

void ParametricEqEditor::Load(const SetupDocument& workingCopy) {
  data_ = workingCopy;
  RefreshControls();
}

int ParametricEqEditor::SelectedSide() const { return Index(group_ == EqGroup::Center ? savedSide_ : side_); }

FilterParams& ParametricEqEditor::Band(int band) {
  return data_.peqBands[Index(group_)][Index(side_)][static_cast<std::size_t>(band)];
}

FilterParams& ParametricEqEditor::CurrentBand() { return Band(band_); }

void ParametricEqEditor::Open(GraphScale graph, LegendSize legend) {
  graph_.emplace(EqKind::Parametric, graph, legend);
  dragging_ = false;
  RefreshControls();
  ChangeChannel(group_);
}

void ParametricEqEditor::Resize(GraphScale graph, LegendSize legend) {
  if (!graph_) return;
  graph_.emplace(EqKind::Parametric, graph, legend);
  Redraw();
}

void ParametricEqEditor::Closed() {
  graph_.reset();
  dragging_ = false;
  revert_.reset();
}

void ParametricEqEditor::Refresh() {
  if (band_ >= PeqBandsInUse(group_)) band_ = 0;
  RefreshControls();
  Redraw();
}

void ParametricEqEditor::UpdateEnabling() {
  const int inUse = PeqBandsInUse(group_);
  for (int b = 0; b < kPeqBandCount; ++b) controls_.bandEnabled[static_cast<std::size_t>(b)] = b < inUse;
  const bool stereo = group_ != EqGroup::Center;
  controls_.sideEnabled = {true, stereo, stereo};
}

void ParametricEqEditor::RefreshControls() {
  const FilterParams& band = CurrentBand();
  controls_.group = group_;
  controls_.side = side_;
  controls_.band = band_;
  controls_.channelText = std::string(kEqGroupListTexts[Index(group_)]);
  controls_.levelEdit = TruncGain(band.gain);
  controls_.qEdit = band.q;
  controls_.frequencyEdit = RoundDownToTenthHz(band.frequency);
  controls_.levelSlider = std::clamp(12 - controls_.levelEdit, 0, kPeqLevelSliderMax);
  controls_.qSlider = QSliderPosition(band.q);
  controls_.frequencySlider = PeqFrequencySliderPosition(band.frequency);
  controls_.showAllCurves = showAllCurves_;
  controls_.enableCursors = enableCursors_;
  UpdateEnabling();
}

void ParametricEqEditor::ChangeChannel(EqGroup group) {
  if (group_ == EqGroup::Center) side_ = savedSide_;
  if (group == EqGroup::Center) {
    savedSide_ = side_;
    side_ = EqSide::Common;
  }
  group_ = group;
  if (band_ >= PeqBandsInUse(group_)) band_ = 0;
  RefreshControls();
  Redraw();
}

void ParametricEqEditor::SelectChannel(int group) {
  FinishDrag();
  if (group < 0 || group >= kEqGroupCount) return;
  ChangeChannel(static_cast<EqGroup>(group));
}

void ParametricEqEditor::SelectBand(int band) {
  if (band < 0 || band >= PeqBandsInUse(group_)) return;
  band_ = band;
  RefreshControls();
}

void ParametricEqEditor::SelectSide(int side) {
  FinishDrag();
  if (side < 0 || side >= kEqSideCount) return;
  if (group_ == EqGroup::Center && side != Index(EqSide::Common)) return;
  side_ = static_cast<EqSide>(side);
  RefreshControls();
  Redraw();
  PostSend(1, kAllGroupsBand);
}

void ParametricEqEditor::FinishDrag() {
  if (!dragging_) return;
  // The control belongs to the band it showed, not to the dragged one.
  const int shown = band_;
  GraphRelease();
  band_ = shown;
  RefreshControls();
}

void ParametricEqEditor::RecordRevert(int band) {
  const FilterParams& b = Band(band);
  revert_ = RevertEntry{group_, side_, band, b.frequency, b.gain, b.q};
}

void ParametricEqEditor::StoreBand(float frequency, float gain, float q) {
  FilterParams& band = CurrentBand();
  if (band.frequency != frequency || band.gain != gain || band.q != q) {
    RecordRevert(band_);
    warningShown_ = false;
  }
  band.frequency = frequency;
  band.gain = gain;
  band.q = q;
  Redraw();
  // The entry belongs to this edit only: a later redraw must not take back an accepted change.
  revert_.reset();
  PostSend(1, band_);
}

void ParametricEqEditor::LevelEditLeft(std::string_view text) {
  FinishDrag();
  const auto level =
      ReadIntegerField(text, static_cast<int>(kPeqMinGain), static_cast<int>(kPeqMaxGain), dialogs_);
  if (!level) return;
  controls_.levelEdit = *level;
  controls_.levelSlider = 12 - *level;
  const FilterParams& band = CurrentBand();
  StoreBand(band.frequency, static_cast<float>(*level), band.q);
}

void ParametricEqEditor::FrequencyEditLeft(std::string_view text) {
  FinishDrag();
  const auto f = ReadNumberField(text, kPeqMinFrequency, kPeqMaxFrequency, dialogs_);
  if (!f) return;
  const auto frequency = static_cast<float>(*f);
  controls_.frequencyEdit = frequency;
  controls_.frequencySlider = PeqFrequencySliderPosition(frequency);
  const FilterParams& band = CurrentBand();
  StoreBand(frequency, band.gain, band.q);
}

void ParametricEqEditor::QEditLeft(std::string_view text) {
  FinishDrag();
  const auto q = ReadNumberField(text, kPeqMinQ, kPeqMaxQ, dialogs_);
  if (!q) return;
  const auto value = static_cast<float>(*q);
  controls_.qEdit = value;
  controls_.qSlider = QSliderPosition(value);
  const FilterParams& band = CurrentBand();
  StoreBand(band.frequency, band.gain, value);
}

void ParametricEqEditor::Enter(std::string_view channelText, std::string_view qText,
                               std::string_view frequencyText, std::string_view levelText) {
  FinishDrag();
  const int match = CheckChannelText(channelText, kEqGroupListTexts, dialogs_);
  // A switch to another group shows that group's band in the boxes; what was typed belonged to
  // the old one and is neither checked nor stored.
  const bool switched = match >= 0 && match != Index(group_);
  if (switched) ChangeChannel(static_cast<EqGroup>(match));

  const FilterParams& band = CurrentBand();
  float newQ = band.q;
  float newFrequency = band.frequency;
  float newGain = band.gain;
  if (!switched) {
    if (const auto q = ReadNumberField(qText, kPeqMinQ, kPeqMaxQ, dialogs_)) newQ = *q;
    if (const auto f = ReadNumberField(frequencyText, kPeqMinFrequency, kPeqMaxFrequency, dialogs_))
      newFrequency = RoundDownToTenthHz(*f);
    if (const auto level = ReadIntegerField(levelText, static_cast<int>(kPeqMinGain),
                                            static_cast<int>(kPeqMaxGain), dialogs_))
      newGain = static_cast<float>(*level);
  }
  controls_.qEdit = newQ;
  controls_.qSlider = QSliderPosition(newQ);
  controls_.frequencyEdit = newFrequency;
  controls_.frequencySlider = PeqFrequencySliderPosition(newFrequency);
  controls_.levelEdit = TruncGain(newGain);
  controls_.levelSlider = std::clamp(12 - controls_.levelEdit, 0, kPeqLevelSliderMax);
  controls_.channelText = std::string(kEqGroupListTexts[Index(group_)]);
  UpdateEnabling();
  StoreBand(newFrequency, newGain, newQ);
}

void ParametricEqEditor::FrequencySliderMoved(int position) {
  FinishDrag();
  int p = std::clamp(position, kPeqFrequencySliderMin, kPeqFrequencySliderMax);
  if (group_ == EqGroup::SubWoofer) p = std::min(p, kSubWooferMaxFrequencySlider);
  const float frequency = PeqSliderFrequency(p, group_);
  controls_.frequencySlider = p;
  controls_.frequencyEdit = frequency;
  const FilterParams& band = CurrentBand();
  StoreBand(frequency, band.gain, band.q);
}

void ParametricEqEditor::QSliderMoved(int position) {
  FinishDrag();
  const int p = std::clamp(position, kPeqQSliderMin, kPeqQSliderMax);
  const auto q = static_cast<float>(p * 0.1);
  controls_.qSlider = p;
  controls_.qEdit = q;
  const FilterParams& band = CurrentBand();
  StoreBand(band.frequency, band.gain, q);
}

void ParametricEqEditor::LevelSliderMoved(int position) {
  FinishDrag();
  const int p = std::clamp(position, 0, kPeqLevelSliderMax);
  const int level = 12 - p;
  controls_.levelSlider = p;
  controls_.levelEdit = level;
  const FilterParams& band = CurrentBand();
  StoreBand(band.frequency, static_cast<float>(level), band.q);
}

void ParametricEqEditor::ToggleShowAllCurves() {
  showAllCurves_ = !showAllCurves_;
  enableCursors_ = false;
  controls_.showAllCurves = showAllCurves_;
  controls_.enableCursors = enableCursors_;
  Redraw();
}

void ParametricEqEditor::ToggleEnableCursors() {
  enableCursors_ = !enableCursors_;
  showAllCurves_ = false;
  controls_.showAllCurves = showAllCurves_;
  controls_.enableCursors = enableCursors_;
  Redraw();
}

void ParametricEqEditor::Reset() {
  FinishDrag();
  ResetPeqSet(data_.peqBands[Index(group_)][Index(side_)], group_);
  showAllCurves_ = false;
  RefreshControls();
  Redraw();
  form_.Post({FormMessage::PeqReset, Index(group_), 0});
}

void ParametricEqEditor::Close() {
  // The form takes the data on closing: a held marker's values must pass the 12 dB rule first.
  FinishDrag();
  showAllCurves_ = false;
  controls_.showAllCurves = false;
  view_.SetMouseCapture(false);
  dragging_ = false;
  form_.Post({FormMessage::PeqClose, 0, 0});
}

void ParametricEqEditor::GraphPress(CanvasPoint at) {
  if (!graph_ || !enableCursors_) return;
  const int reach = graph_->X(9);
  const PeqMarkerSet& markers = markers_[Index(group_)];
  int hit = -1;
  // Overlapping markers: the one drawn last, on top, is taken.
  for (int b = 0; b < PeqBandsInUse(group_); ++b) {
    const BandMarker& m = markers[static_cast<std::size_t>(b)];
    if (std::abs(at.x - m.x) < reach && std::abs(at.y - m.y) < reach) hit = b;
  }
  if (hit >= 0) {
    RecordRevert(hit);
    warningShown_ = false;
    dragBand_ = hit;
    dragging_ = true;
    graph_->DrawPeqHighlight(view_.GraphCanvas(), markers[static_cast<std::size_t>(hit)],
                             kPeqPressHighlightColour);
  }
  PostSend(0, band_);
  view_.SetMouseCapture(true);
}

void ParametricEqEditor::GraphMove(CanvasPoint at) {
  if (!graph_ || !dragging_) return;
  const ResponseGraph& g = *graph_;
  BandMarker& marker = markers_[Index(group_)][static_cast<std::size_t>(dragBand_)];
  FilterParams& band = Band(dragBand_);
  const int dx = at.x - marker.x;
  const int dy = at.y - marker.y;
  const int step = g.X(18);
  const double f = band.frequency;
  const double maxF = MaxDragFrequency(group_);
  const double minF = kPeqMinFrequency;
  std::optional<double> newFrequency;
  if (dx > step) {
    newFrequency = std::min(f * std::pow(2.0, 2.0 / 7.0), maxF);
  } else if (dx > step / 2) {
    newFrequency = std::min(f * std::pow(2.0, 1.0 / 7.0), maxF);
  } else if (dx < -step) {
    newFrequency = std::max(f / std::pow(2.0, 2.0 / 7.0), minF);
  } else if (dx < -step / 2) {
    newFrequency = std::max(f / std::pow(2.0, 1.0 / 7.0), minF);
  }
  if (newFrequency) {
    band.frequency = static_cast<float>(*newFrequency);
    marker.x = g.Axis().CurvePointX(band.frequency);
    marker.frequency = band.frequency;
  } else {
    int gain = TruncGain(band.gain);
    if (dy > g.Y(14)) {
      gain -= 2;
    } else if (dy > g.Y(7)) {
      gain -= 1;
    } else if (dy < -g.Y(14)) {
      gain += 2;
    } else if (dy < -g.Y(7)) {
      gain += 1;
    }
    gain = std::clamp(gain, static_cast<int>(kPeqMinGain), static_cast<int>(kPeqMaxGain));
    band.gain = static_cast<float>(gain);
    BiquadDesigner designer;
    const BiquadCoefficients c = designer.Design(band);
    marker.y = g.PeqMarkerY(designer.Response(c, band.frequency));
    marker.gain = band.gain;
  }
  g.DrawPeqHighlight(view_.GraphCanvas(), marker, kPeqDragHighlightColour);
}

void ParametricEqEditor::GraphRelease() {
  if (dragging_) {
    dragging_ = false;
    band_ = dragBand_;
    Redraw();
    revert_.reset();
    RefreshControls();
    PostSend(1, band_);
  }
  dragging_ = false;
  view_.SetMouseCapture(false);
}

void ParametricEqEditor::LegendPress(CanvasPoint at) {
  if (!graph_) return;
  if (const auto group = graph_->LegendGroupAt(at)) ChangeChannel(*group);
}

void ParametricEqEditor::DrawAll() {
  const ResponseGraph& g = *graph_;
  Canvas& canvas = view_.GraphCanvas();
  g.DrawBackground(canvas);
  g.DrawLegend(view_.LegendCanvas(), group_);
  if (overlay_ != nullptr && overlay_->Showing()) {
    overlay_->DrawLegend(view_.LegendCanvas(), g);
    overlay_->DrawCurves(canvas, g, group_, ResponseCurve(data_.peqBands, group_, side_));
  }
  for (const GraphCurve& curve :
       ResponseGraph::CurveOrder(EqKind::Parametric, group_, side_, showAllCurves_)) {
    const CurveValues values = ResponseCurve(data_.peqBands, curve.group, curve.side);
    g.DrawCurve(canvas, values, curve);
    const double peak = CurvePeak(values);
    data_.peqCurvePeaks[Index(curve.group)][Index(curve.side)] = peak;
    if (CheckPeakRule(peak, warningShown_, dialogs_)) {
      data_.peqPeakBoost = PeakBoost(data_.peqCurvePeaks, side_, EqKind::Parametric);
    } else {
      view_.SetMouseCapture(false);
      revertPending_ = true;
    }
    if (curve.edited && enableCursors_) {
      g.DrawPeqMarkers(canvas, data_.peqBands[Index(group_)][Index(side_)], PeqBandsInUse(group_),
                       markers_[Index(group_)]);
    }
  }
}

void ParametricEqEditor::Redraw() {
  if (!graph_) return;
  DrawAll();
  if (!revertPending_) return;
  revertPending_ = false;
  // Without an edit since opening there is nothing to take back.
  if (revert_) {
    FilterParams& band =
        data_.peqBands[Index(revert_->group)][Index(revert_->side)][static_cast<std::size_t>(revert_->band)];
    band.frequency = revert_->frequency;
    band.gain = revert_->gain;
    band.q = revert_->q;
  }
  DrawAll();
  revertPending_ = false;
  RefreshControls();
}

void ParametricEqEditor::PostSend(int sendFlag, int band) {
  form_.Post({FormMessage::PeqSend, sendFlag, band});
}

void ParametricEqEditor::Print(ReportTarget& target) { Print(target, LocalDateToday()); }

void ParametricEqEditor::Print(ReportTarget& target, const ReportDate& date) {
  PrintedReport report(target);
  if (!report.Begin(ReportKind::ParametricEq, date)) return;
  PrintParametricEqReport(report, data_.peqBands, side_);
  report.End();
}
