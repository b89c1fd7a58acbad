#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/setup_document.h"
#include "document/types.h"
#include "eq/equalizer_settings.h"
#include "eq/graph_overlay.h"
#include "eq/graphic_eq_view.h"
#include "graphics/printed_report.h"
#include "graphics/response_graph.h"

class Dialogs;
class FormRequestSink;
class ReportTarget;

// An automatic-EQ result on the Front holds its 15 lowest bands (20 Hz to 500 Hz): their sliders,
// list entries and bars are out of reach, and the band list starts at "630 Hz".
inline constexpr int kGeqFrontLockedBandCount = 15;
// The band number of a request that stands for all 31 bands of the current group and side.
inline constexpr int kGeqGroupRequestBand = 32;
inline constexpr int kGeqAllGroupsRequestBand = 33;

// The bands a group's band list holds: [first, end). The SubWoofer ends at 160 Hz; the locked
// Front starts above its locked bands.
int GeqListFirstBand(EqGroup group, BandLockMode lock);
int GeqListEndBand(EqGroup group);
// Whether a band of the group can be edited at all (slider, lists, mouse).
bool GeqBandUsable(EqGroup group, BandLockMode lock, int band);

// Mouse trace: the gain of a band from the pointer's height `dy` relative to the 0 dB line
// (negative above it), in whole dB of `unitsPerDb` pixels, within +-9 dB. None on the line.
std::optional<int> GeqTraceGain(int dy, int unitsPerDb);
// Single-bar drag: the dB step of a move `dy` away from the bar's level point: -2 beyond
// `twoDb` below, -1 beyond `oneDb` below, and the same upward.
int GeqDragStep(int dy, int oneDb, int twoDb);

// What the window's controls show, read by the window after every call.
struct GeqControls {
  EqGroup group = EqGroup::Front;
  EqSide side = EqSide::Common;
  int band = 0;
  std::string channelText;
  std::array<GeqLevelCode, kGeqBandCount> sliders{};
  std::array<bool, kGeqBandCount> sliderEnabled{};
  // The band frequency list as it stands, and the entry shown; entry i is band bandListFirst + i.
  std::vector<std::string> bandList;
  int bandListFirst = 0;
  int bandListIndex = 0;
  bool bandListEnabled = true;
  // The level list's entry shown: the current band's code.
  GeqLevelCode levelIndex = kGeqFlatCode;
  bool levelListEnabled = true;
  std::array<bool, kEqSideCount> sideEnabled{};
  bool resetEnabled = true;
  bool showAllCurves = false;
  bool enableCursors = false;
  bool mouseTrace = false;
};

// The graphic EQ window's behaviour: the window's copy of the graphic settings as level codes,
// its selections, the band-lock rules, the edits from sliders, lists and the mouse (one bar at a
// time or a trace across the bars) with their revert on the 12 dB rule, and the requests to the
// main form. The window object, and so this editor, lives as long as the form; its selections
// survive closing and reopening.
class GraphicEqEditor {
 public:
  GraphicEqEditor(GraphicEqView& view, FormRequestSink& form, Dialogs& dialogs);

  // The form's working copy (gains become codes: code = 9 - trunc(gain)).
  void Load(const SetupDocument& workingCopy);
  // What the form takes back: the gains as 9 - code dB, the peak table and peak boost in the
  // geq fields.
  const SetupDocument& Data() const;
  int SelectedGroup() const { return Index(group_); }
  // The side the form works with; while Center shows Common, the side saved for the others.
  int SelectedSide() const;
  // The band locks of an automatic-EQ result, given by the form before each opening; a change
  // while open applies at once.
  void SetBandLockMode(int mode);
  BandLockMode LockMode() const { return lock_; }

  // Opening, with the sizes of the graph and legend controls, read once here.
  void Open(GraphScale graph, LegendSize legend);
  // The controls changed size while open: the graph is laid out anew and redrawn.
  void Resize(GraphScale graph, LegendSize legend);
  void Closed();
  bool IsOpen() const { return graph_.has_value(); }
  // The controls re-read from the data and the graph redrawn (the form loaded new data).
  void Refresh();

  const GeqControls& Controls() const { return controls_; }
  const GeqCodeSet& Codes(EqGroup group, EqSide side) const { return codes_[Index(group)][Index(side)]; }

  void SelectChannel(int group);
  // An entry of the band frequency list, by its index in the list as it stands.
  void SelectBandListEntry(int index);
  // An entry of the level list: the code for the band shown in the band list.
  void SelectLevel(GeqLevelCode code);
  void SliderMoved(int band, int position);
  void SelectSide(int side);
  void ToggleShowAllCurves();   // "GRAPH"
  void ToggleEnableCursors();   // "GBOX"
  void SetMouseTrace(bool on);  // "ON/OFF"
  void Reset();                 // "RESET"
  // The hidden default button: the channel text check, then the current band sent again.
  void Enter(std::string_view channelText);
  void Close();  // "CLOSE", Escape and the hidden "CANCEL"

  // Mouse, in pixels of the graph control and of the legend column.
  void GraphPress(CanvasPoint at);
  void GraphMove(CanvasPoint at);
  void GraphRelease();
  void LegendPress(CanvasPoint at);

  // What the graph shows beside its curves (a loaded measurement); none by default. It must
  // outlive the editor or be taken back with nullptr.
  void SetOverlay(const GraphOverlay* overlay) { overlay_ = overlay; }

  // The graph, legend and curves drawn anew, with the 12 dB rule on every curve (no curve while
  // a trace is under way).
  void Redraw();

  // "PRINT": the one-page report of the current side; nothing when the dialog is cancelled.
  void Print(ReportTarget& target);
  void Print(ReportTarget& target, const ReportDate& date);

  bool Dragging() const { return dragging_; }
  bool Tracing() const { return dragging_ && tracing_; }
  const GeqMarkerSet& Markers(EqGroup group) const { return markers_[Index(group)]; }
  const std::optional<ResponseGraph>& Graph() const { return graph_; }

 private:
  // What a refused edit gives back: one band's previous code, or the whole set as it was when a
  // trace began.
  struct RevertEntry {
    EqGroup group = EqGroup::Front;
    EqSide side = EqSide::Common;
    int band = 0;
    GeqLevelCode code = kGeqFlatCode;
    std::optional<GeqCodeSet> traceCodes;
  };

  GeqCodeSet& CurrentSet() { return codes_[Index(group_)][Index(side_)]; }
  bool Usable(int band) const { return GeqBandUsable(group_, lock_, band); }
  void ChangeChannel(EqGroup group);
  // The list and enabling rules of the current group, the band list showing its first entry.
  void ApplyChannelState();
  void RefreshControls();
  // A control used while the mouse holds a bar ends the drag first, as a release would; the
  // control then acts on the band it showed.
  void FinishDrag();
  // Stores a new code for a band of the current set, redraws and asks the form to send it.
  void StoreCode(int band, GeqLevelCode code);
  // The band whose catch range holds x: from halfway to the usable band on the left to halfway
  // to the one on the right, the outer two reaching as far outward as inward.
  std::optional<int> TraceBandAt(int x) const;
  // Sets the traced band from the pointer height and repaints its column.
  void TraceTo(CanvasPoint at);
  void DrawAll();
  std::array<bool, kGeqBandCount> UsableBands() const;
  void PostSend(int sendFlag, int band);

  GraphicEqView& view_;
  FormRequestSink& form_;
  Dialogs& dialogs_;

  mutable SetupDocument data_;
  PerEqSet<GeqCodeSet> codes_{};
  EqGroup group_ = EqGroup::Front;
  EqSide side_ = EqSide::Common;
  EqSide savedSide_ = EqSide::Common;
  int band_ = 0;
  BandLockMode lock_ = BandLockMode::None;
  bool showAllCurves_ = false;
  bool enableCursors_ = false;
  bool mouseTrace_ = false;
  // Band 28 reads "12 kHz" in the list as the window fills it, until the SubWoofer's removal
  // puts the entry back from the label table.
  bool firstListText_ = true;

  bool dragging_ = false;
  bool tracing_ = false;
  int dragBand_ = 0;
  std::optional<RevertEntry> revert_;
  bool revertPending_ = false;
  bool warningShown_ = false;
  std::array<GeqMarkerSet, kEqGroupCount> markers_{};

  std::optional<ResponseGraph> graph_;
  const GraphOverlay* overlay_ = nullptr;
  GeqControls controls_;
};
