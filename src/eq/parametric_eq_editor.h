#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "document/setup_document.h"
#include "document/types.h"
#include "eq/graph_overlay.h"
#include "eq/parametric_eq_view.h"
#include "graphics/printed_report.h"
#include "graphics/response_graph.h"

class Dialogs;
class FormRequestSink;
class ReportTarget;

// What the window's controls show, read by the window after every call.
struct PeqControls {
  EqGroup group = EqGroup::Front;
  EqSide side = EqSide::Common;
  int band = 0;
  std::string channelText;
  int levelEdit = 0;
  float qEdit = 1.0f;
  float frequencyEdit = 31.2f;
  int levelSlider = 12;
  int qSlider = 10;
  int frequencySlider = 1;
  std::array<bool, kPeqBandCount> bandEnabled{};
  std::array<bool, kEqSideCount> sideEnabled{};
  bool showAllCurves = false;
  bool enableCursors = false;
};

// Slider ranges: level position = 12 - level, Q position = trunc(Q x 10), frequency 1..120.
inline constexpr int kPeqLevelSliderMax = 24;
inline constexpr int kPeqQSliderMin = 2;
inline constexpr int kPeqQSliderMax = 100;
inline constexpr int kPeqFrequencySliderMin = 1;
inline constexpr int kPeqFrequencySliderMax = 120;

// The frequency of the frequency slider at `position`: exactly 20 Hz at 1, else
// 20 x 2^(p / 12) - 1 Hz up to 20000 Hz (200 Hz and position 40 for the SubWoofer), rounded down
// to 0.1 Hz.
float PeqSliderFrequency(int position, EqGroup group);
// Where a frequency puts the slider: trunc(12 x log10(f / 20) / 0.301), within the range.
int PeqFrequencySliderPosition(float frequency);

// The parametric EQ window's behaviour: the copy of the parametric settings it edits, its
// selections, the edits from sliders, edit boxes and band markers with their revert on the
// 12 dB rule, and the requests to the main form. The window object, and so this editor, lives
// as long as the form; its selections survive closing and reopening.
class ParametricEqEditor {
 public:
  ParametricEqEditor(ParametricEqView& view, FormRequestSink& form, Dialogs& dialogs);

  // The form's working copy, taken whether the window is open or not.
  void Load(const SetupDocument& workingCopy);
  // What the form takes back: the bands, the peak table and peak boost in the peq fields.
  const SetupDocument& Data() const { return data_; }
  int SelectedGroup() const { return Index(group_); }
  // The side the form works with; while Center shows Common, the side saved for the others.
  int SelectedSide() const;

  // Opening, with the sizes of the graph and legend controls, read once here.
  void Open(GraphScale graph, LegendSize legend);
  // The controls changed size while open: the graph is laid out anew and redrawn.
  void Resize(GraphScale graph, LegendSize legend);
  void Closed();
  bool IsOpen() const { return graph_.has_value(); }
  // The controls re-read from the data and the graph redrawn (the form loaded new data).
  void Refresh();

  const PeqControls& Controls() const { return controls_; }

  void SelectChannel(int group);
  void SelectBand(int band);
  void SelectSide(int side);
  void LevelEditLeft(std::string_view text);
  void QEditLeft(std::string_view text);
  void FrequencyEditLeft(std::string_view text);
  // The hidden default button: the channel text check, then Q, frequency and level.
  void Enter(std::string_view channelText, std::string_view qText, std::string_view frequencyText,
             std::string_view levelText);
  void FrequencySliderMoved(int position);
  void QSliderMoved(int position);
  void LevelSliderMoved(int position);
  void ToggleShowAllCurves();  // "GRAPH"
  void ToggleEnableCursors();  // "BOX"
  void Reset();                // "RESET"
  void Close();                // "CLOSE", Escape and the hidden "CANCEL"

  // Mouse, in pixels of the graph control and of the legend column.
  void GraphPress(CanvasPoint at);
  void GraphMove(CanvasPoint at);
  void GraphRelease();
  void LegendPress(CanvasPoint at);

  // What the graph shows beside its curves (a loaded measurement); none by default. It must
  // outlive the editor or be taken back with nullptr.
  void SetOverlay(const GraphOverlay* overlay) { overlay_ = overlay; }

  // The graph, legend and curves drawn anew, with the 12 dB rule on every curve.
  void Redraw();

  // "PRINT": the one-page report of the current side; nothing when the dialog is cancelled.
  void Print(ReportTarget& target);
  void Print(ReportTarget& target, const ReportDate& date);

  bool Dragging() const { return dragging_; }
  const PeqMarkerSet& Markers(EqGroup group) const { return markers_[Index(group)]; }
  const std::optional<ResponseGraph>& Graph() const { return graph_; }

 private:
  struct RevertEntry {
    EqGroup group = EqGroup::Front;
    EqSide side = EqSide::Common;
    int band = 0;
    float frequency = 0.0f;
    float gain = 0.0f;
    float q = 0.0f;
  };

  FilterParams& CurrentBand();
  FilterParams& Band(int band);
  void ChangeChannel(EqGroup group);
  void RefreshControls();
  void UpdateEnabling();
  // A control changed while a marker is held (the keyboard still works) first ends the drag as
  // a release would, so the drag's own revert and the group it began in stay with it; the
  // control then acts on the band it showed.
  void FinishDrag();
  void RecordRevert(int band);
  // Stores one band's new values, redraws and asks the form to send the band.
  void StoreBand(float frequency, float gain, float q);
  void DrawAll();
  void PostSend(int sendFlag, int band);

  ParametricEqView& view_;
  FormRequestSink& form_;
  Dialogs& dialogs_;

  SetupDocument data_;
  EqGroup group_ = EqGroup::Front;
  EqSide side_ = EqSide::Common;
  EqSide savedSide_ = EqSide::Common;
  int band_ = 0;
  bool showAllCurves_ = false;
  bool enableCursors_ = false;

  bool dragging_ = false;
  int dragBand_ = 0;
  std::optional<RevertEntry> revert_;
  bool revertPending_ = false;
  bool warningShown_ = false;
  std::array<PeqMarkerSet, kEqGroupCount> markers_{};

  std::optional<ResponseGraph> graph_;
  const GraphOverlay* overlay_ = nullptr;
  PeqControls controls_;
};
