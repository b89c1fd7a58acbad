#include "eq/graphic_eq_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "common/form_request.h"
#include "common/recording_dialogs.h"
#include "common/recording_sink.h"
#include "form/form_test_support.h"
#include "graphics/recording_canvas.h"
#include "graphics/recording_target.h"

namespace {

class GeqFakeView : public GraphicEqView {
 public:
  Canvas& GraphCanvas() override { return graph; }
  Canvas& LegendCanvas() override { return legend; }
  void SetMouseCapture(bool c) override { captured = c; }
  RecordingCanvas graph, legend;
  bool captured = false;
};

class GeqBoxes : public RecordingDialogs {
 public:
  void ShowErrorBox(std::string_view text) override { errors.emplace_back(text); }
  std::vector<std::string> errors;
};

using Request = std::tuple<FormMessage, int, int>;
using Shown = std::tuple<int, int, GeqLevelCode>;  // band, band list entry, level list entry
const std::vector<std::string> kOver{"12 dB OVER"};

// On a 740 x 263 graph X(u) = u + 1 and Y(u) = u + 1: the 0 dB line lies at 132, 10 px a dB.
constexpr int kZeroY = 132;

struct GraphicEqEditorTest : ::testing::Test {
  GeqFakeView view;
  RecordingSink sink;
  GeqBoxes boxes;
  GraphicEqEditor editor{view, sink, boxes};

  void SetUp() override {
    editor.Load(SetupDocument{});
    Open();
    sink.posted.clear();
  }
  void Open() { editor.Open({740, 263}, {80, 263}); }
  GeqLevelCode Code(int band, EqGroup g = EqGroup::Front, EqSide s = EqSide::Common) const {
    return editor.Codes(g, s)[band];
  }
  int BarX(int band) const { return editor.Graph()->Axis().CurvePointX(kGeqBandFrequencies[band]); }
  int BarY(int band) const { return editor.Markers(editor.Controls().group)[band].y; }
  Request Last() const {
    if (sink.posted.empty()) return {};
    const FormRequest& r = sink.posted.back();
    return {r.message, r.wParam, r.lParam};
  }
  Shown Showing() const {
    const GeqControls& c = editor.Controls();
    return {c.band, c.bandListIndex, c.levelIndex};
  }
  void StartTracing() {
    editor.ToggleEnableCursors();
    editor.SetMouseTrace(true);
  }
};

}  // namespace

TEST(GeqMouseSteps, TraceGainAndDragStep) {
  const std::pair<int, std::optional<int>> gains[] = {{0, std::nullopt}, {-1, 0},   {-9, 0},  {-10, 1},
                                                      {-95, 9},          {-400, 9}, {19, -1}, {400, -9}};
  for (auto [dy, gain] : gains) EXPECT_EQ(GeqTraceGain(dy, 10), gain) << dy;
  const std::pair<int, int> steps[] = {{0, 0},   {10, 0},  {11, -1}, {19, -1},
                                       {20, -2}, {-10, 0}, {-11, 1}, {-20, 2}};
  for (auto [dy, step] : steps) EXPECT_EQ(GeqDragStep(dy, 10, 19), step) << dy;
}

TEST_F(GraphicEqEditorTest, OpensOnFrontCommonAndTheSubWooferRebuildsTheBandList) {
  const GeqControls& c = editor.Controls();
  EXPECT_EQ(std::tuple(c.group, c.side), std::tuple(EqGroup::Front, EqSide::Common));
  EXPECT_EQ(Showing(), (Shown{0, 0, kGeqFlatCode}));
  EXPECT_FALSE(c.showAllCurves || c.enableCursors || c.mouseTrace);
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Polyline).size(), 1u);
  EXPECT_EQ(c.bandList[28], "12 kHz");  // as the window fills the list

  editor.SelectChannel(Index(EqGroup::SubWoofer));
  EXPECT_EQ(c.bandList.back(), "160 Hz");
  EXPECT_FALSE(c.sliderEnabled[10]);
  editor.SliderMoved(12, 0);  // a disabled slider
  EXPECT_EQ(Code(12, EqGroup::SubWoofer), kGeqFlatCode);
  EXPECT_TRUE(sink.posted.empty());  // a channel change posts nothing either

  editor.SelectChannel(Index(EqGroup::Front));
  EXPECT_EQ(c.bandList[28], "12.5 kHz");  // rebuilt from the label table
  editor.Close();
  editor.Closed();
  Open();
  EXPECT_EQ(c.bandList[28], "12 kHz");
}

TEST_F(GraphicEqEditorTest, BandLocksShapeListsSlidersAndTheIndexMapping) {
  struct Case {
    int mode;
    EqGroup group;
    std::size_t entries;
    std::string_view firstEntry;
    int usable;
    bool listsEnabled, resetEnabled;
  };
  const Case cases[] = {
      {0, EqGroup::Front, 31, "20 Hz", 31, true, true},
      {0, EqGroup::SubWoofer, 10, "20 Hz", 10, true, true},
      {1, EqGroup::Front, 31, "20 Hz", 31, true, true},
      {1, EqGroup::SubWoofer, 10, "20 Hz", 0, false, false},
      {2, EqGroup::Front, 16, "630 Hz", 16, true, false},
      {2, EqGroup::SubWoofer, 10, "20 Hz", 10, true, true},
      {2, EqGroup::Rear, 31, "20 Hz", 31, true, true},
      {3, EqGroup::Front, 16, "630 Hz", 16, true, false},
      {3, EqGroup::SubWoofer, 10, "20 Hz", 0, false, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << k.mode << " group " << Index(k.group));
    editor.SetBandLockMode(k.mode);
    editor.SelectChannel(Index(k.group));
    const GeqControls& c = editor.Controls();
    ASSERT_EQ(c.bandList.size(), k.entries);
    EXPECT_EQ(c.bandList[0], k.firstEntry);
    EXPECT_EQ(std::count(c.sliderEnabled.begin(), c.sliderEnabled.end(), true), k.usable);
    EXPECT_EQ(std::tuple(c.bandListEnabled, c.levelListEnabled, c.resetEnabled),
              std::tuple(k.listsEnabled, k.listsEnabled, k.resetEnabled));
    // The list shows its first entry, and entry i stands for band first + i.
    EXPECT_EQ(Showing(), (Shown{c.bandListFirst, 0, Code(c.bandListFirst, k.group)}));
    sink.posted.clear();
    editor.SelectBandListEntry(2);
    if (k.usable == 0) {
      EXPECT_TRUE(sink.posted.empty());
      continue;
    }
    EXPECT_EQ(c.band, c.bandListFirst + 2);
    EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, c.bandListFirst + 2}));
  }
  // A locked Front band is out of the mouse's reach as well.
  editor.SetBandLockMode(2);
  editor.SelectChannel(Index(EqGroup::Front));
  StartTracing();
  editor.GraphPress({BarX(3), kZeroY - 50});
  EXPECT_FALSE(editor.Dragging());
  EXPECT_EQ(Code(3), kGeqFlatCode);
  editor.GraphPress({BarX(15), kZeroY - 50});
  EXPECT_EQ(Code(15), 4);
  editor.GraphRelease();
}

TEST_F(GraphicEqEditorTest, SlidersAndListsStoreCodesAndTheTwelveDbRuleRefusesTwoNeighbours) {
  editor.SliderMoved(17, 0);  // +9 dB at 1 kHz
  const SetupDocument& data = editor.Data();
  EXPECT_EQ(data.geqBands[0][0][17].gain, 9.0f);
  EXPECT_EQ(std::tuple(data.geqCurvePeaks[0][0], data.geqPeakBoost), std::tuple(9.0, 9));
  EXPECT_EQ(Showing(), (Shown{17, 17, 0}));
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 17}));

  editor.SliderMoved(18, 0);  // +9 dB beside it: refused, and still sent
  EXPECT_EQ(boxes.messages, kOver);
  EXPECT_EQ(std::tuple(Code(18), editor.Controls().sliders[18]), std::tuple(kGeqFlatCode, kGeqFlatCode));
  EXPECT_EQ(Showing(), (Shown{18, 18, kGeqFlatCode}));
  EXPECT_EQ(editor.Data().geqPeakBoost, 9);
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 18}));

  // The level list acts on the band the band list shows; an accepted change stays.
  editor.SelectBandListEntry(5);
  editor.SelectLevel(12);
  EXPECT_EQ(editor.Data().geqBands[0][0][5].gain, -3.0f);
  editor.ToggleShowAllCurves();
  EXPECT_EQ(Code(5), 12);
  EXPECT_EQ(boxes.messages, kOver);
}

TEST_F(GraphicEqEditorTest, ATraceFollowsThePointerDrawsNoCurveUntilTheReleaseAndIsRevertedAsAWhole) {
  editor.SliderMoved(10, 5);  // +4 dB at 200 Hz
  StartTracing();
  editor.GraphPress({BarX(10), kZeroY});  // on the line: nothing changes
  // Between two bars the nearer one is caught; beyond the last one it still catches as far out.
  editor.GraphMove({BarX(11) - 1, kZeroY + 30});
  EXPECT_EQ(Code(11), 12);
  editor.GraphMove({BarX(30) + (BarX(30) - BarX(29)) / 2 - 1, kZeroY + 200});
  EXPECT_EQ(Code(30), kGeqMaxCode);
  editor.GraphRelease();
  EXPECT_EQ(Code(10), 5);
  EXPECT_TRUE(boxes.messages.empty());

  // A trace that breaks the 12 dB rule gives back the whole set as it was when it began.
  const GeqCodeSet before = editor.Codes(EqGroup::Front, EqSide::Common);
  sink.posted.clear();
  view.graph.Clear();
  editor.GraphPress({BarX(16), kZeroY - 95});
  EXPECT_TRUE(editor.Tracing() && view.captured);
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 0, 32}));
  for (int b = 16; b <= 20; ++b) editor.GraphMove({BarX(b), kZeroY - 95});
  EXPECT_EQ(std::tuple(Code(20), editor.Controls().sliders[20]), std::tuple(0, 0));
  EXPECT_TRUE(view.graph.Of(RecordingCanvas::Kind::Polyline).empty());
  EXPECT_TRUE(boxes.messages.empty());

  editor.GraphRelease();
  EXPECT_FALSE(editor.Dragging() || view.captured);
  EXPECT_EQ(boxes.messages, kOver);
  EXPECT_EQ(editor.Codes(EqGroup::Front, EqSide::Common), before);
  EXPECT_EQ(Showing(), (Shown{20, 20, kGeqFlatCode}));
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 32}));

  // A slider edit later on gives back its own band, not the trace's set.
  editor.SliderMoved(17, 0);
  editor.SliderMoved(18, 0);
  EXPECT_EQ(std::tuple(Code(17), Code(18)), std::tuple(0, kGeqFlatCode));
}

TEST_F(GraphicEqEditorTest, SingleBarDragStepsOneOrTwoDbAndEndsOnReleaseOrClose) {
  editor.ToggleEnableCursors();
  sink.posted.clear();
  editor.GraphPress({BarX(7) + 12, kZeroY});  // beyond the handle: no bar
  EXPECT_FALSE(editor.Dragging());
  EXPECT_TRUE(sink.posted.empty());

  editor.GraphPress({BarX(7) + 6, kZeroY - 6});
  ASSERT_TRUE(editor.Dragging());
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 0, 7}));
  editor.GraphMove({BarX(7), BarY(7) - 11});  // +1
  EXPECT_EQ(Code(7), 8);
  EXPECT_EQ(BarY(7), kZeroY - 10);
  EXPECT_EQ(view.graph.ops.back().colour, (Rgb{68, 68, 68}));             // the dragged handle
  for (int i = 0; i < 6; ++i) editor.GraphMove({BarX(7), BarY(7) - 21});  // +2 each, up to +9
  editor.GraphMove({BarX(7), BarY(7) + 5});                               // within 1 dB: nothing
  EXPECT_EQ(Code(7), 0);
  EXPECT_EQ(editor.Controls().band, 0);  // the dragged bar becomes current on release

  editor.GraphRelease();
  EXPECT_EQ(Showing(), (Shown{7, 7, 0}));
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 7}));
  EXPECT_EQ(editor.Data().geqPeakBoost, 9);

  // Closing while a bar is held releases it first: +9 dB beside bar 7 is refused.
  editor.GraphPress({BarX(8), BarY(8)});
  for (int i = 0; i < 5; ++i) editor.GraphMove({BarX(8), BarY(8) - 21});
  sink.posted.clear();
  editor.Close();
  EXPECT_FALSE(editor.Dragging());
  EXPECT_EQ(boxes.messages, kOver);
  EXPECT_EQ(Code(8), kGeqFlatCode);
  ASSERT_EQ(sink.posted.size(), 2u);
  EXPECT_EQ(sink.posted[0].message, FormMessage::GeqSend);
  EXPECT_EQ(Last(), (Request{FormMessage::GeqClose, 0, 0}));
}

TEST_F(GraphicEqEditorTest, ResetFlattensOnlyTheCurrentGroupAndSide) {
  SetupDocument doc;
  for (auto& group : doc.geqBands)
    for (auto& side : group) side[4].gain = 3.0f;
  editor.Load(doc);
  editor.SelectChannel(Index(EqGroup::Rear));
  editor.SelectSide(Index(EqSide::R));
  editor.SelectBandListEntry(12);
  editor.ToggleShowAllCurves();
  sink.posted.clear();
  editor.Reset();
  EXPECT_EQ(sink.sent, 1);  // synchronous
  EXPECT_EQ(Last(), (Request{FormMessage::GeqReset, Index(EqGroup::Rear), 0}));
  EXPECT_EQ(Code(4, EqGroup::Rear, EqSide::R), kGeqFlatCode);
  const std::pair<EqGroup, EqSide> others[] = {
      {EqGroup::Rear, EqSide::L}, {EqGroup::Rear, EqSide::Common}, {EqGroup::Front, EqSide::R}};
  for (auto [g, s] : others) EXPECT_EQ(Code(4, g, s), 6);
  EXPECT_FALSE(editor.Controls().showAllCurves);
  EXPECT_EQ(Showing(), (Shown{12, 12, kGeqFlatCode}));

  // A group holding an automatic-EQ result is not flattened.
  editor.SetBandLockMode(1);
  editor.SelectChannel(Index(EqGroup::SubWoofer));
  sink.posted.clear();
  editor.Reset();
  EXPECT_TRUE(sink.posted.empty());
  EXPECT_EQ(Code(4, EqGroup::SubWoofer, EqSide::R), 6);
}

TEST_F(GraphicEqEditorTest, CenterShowsCommonAndGivesTheSideBack) {
  editor.SelectSide(Index(EqSide::L));
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 33}));
  editor.SelectChannel(Index(EqGroup::Center));
  EXPECT_EQ(editor.Controls().side, EqSide::Common);
  EXPECT_EQ(editor.Controls().sideEnabled, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(editor.SelectedSide(), Index(EqSide::L));
  const auto posts = sink.posted.size();
  editor.SelectSide(Index(EqSide::R));
  EXPECT_EQ(sink.posted.size(), posts);

  editor.SliderMoved(6, 3);  // L and R follow Common
  EXPECT_EQ(std::tuple(editor.Data().geqBands[2][1][6].gain, editor.Data().geqBands[2][2][6].gain),
            std::tuple(6.0f, 6.0f));

  editor.LegendPress({5, 263 / 5 + 3});  // the Rear row
  EXPECT_EQ(std::tuple(editor.Controls().group, editor.Controls().side),
            std::tuple(EqGroup::Rear, EqSide::L));
}

TEST_F(GraphicEqEditorTest, EnterChecksTheTypedChannelAndSendsTheCurrentBand) {
  editor.SelectBandListEntry(9);
  const std::pair<const char*, const char*> typed[] = {{"Rear1", "CANNOT WRITE NUMBER"},
                                                       {"Side", "WORD IS WRONG"}};
  for (auto [text, error] : typed) {
    sink.posted.clear();
    editor.Enter(text);
    EXPECT_EQ(boxes.errors.back(), error) << text;
    EXPECT_EQ(editor.Controls().channelText, "Front");
    EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 9}));
  }
  editor.Enter("SubWoofer");
  EXPECT_EQ(editor.Controls().group, EqGroup::SubWoofer);
  EXPECT_EQ(boxes.errors.size(), 2u);
  EXPECT_EQ(Last(), (Request{FormMessage::GeqSend, 1, 0}));
}

TEST_F(GraphicEqEditorTest, ReportOfTheCurrentSide) {
  SetupDocument doc;
  doc.geqBands[Index(EqGroup::Rear)][Index(EqSide::L)][17].gain = 9.0f;
  editor.Load(doc);
  editor.SelectSide(Index(EqSide::L));
  RecordingTarget target;
  editor.Print(target, {2024, 3, 7});
  const auto curves = target.page.Of(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(curves.size(), 4u);
  for (const auto& p : curves[0].points) EXPECT_EQ(p.y, -262);  // Front: the 0 dB line
  int rearTop = -10000;
  for (const auto& p : curves[1].points) rearTop = std::max(rearTop, p.y);
  EXPECT_NEAR(rearTop, -104, 4);  // the L set's band, just under +9 dB at 18 units a dB
  EXPECT_NE(target.page.FindText("Graphic Equalizer        2024 /  3 /  7"), nullptr);
}

// The form sends what the editor edited, with the editor's peak boost.
using GraphicEqOnTheForm = formtest::FormFixture;
TEST_F(GraphicEqOnTheForm, ASliderReachesTheProcessor) {
  GeqFakeView editorView;
  RecordingSink sink;
  GeqBoxes boxes;
  GraphicEqEditor editor{editorView, sink, boxes};
  ConnectNow();
  editor.Load(form.WorkingCopy());
  editor.Open({740, 263}, {80, 263});
  editor.SliderMoved(5, 3);  // +6 dB at 63 Hz
  geq.data = editor.Data();
  form.HandleRequest(sink.posted.back());
  EXPECT_EQ(Sent(), (std::vector<std::string>{"P 26", "G 0 5 15", "G 1 5 15"}));
  EXPECT_EQ(session.document.geqBands[0][0][5].gain, 6.0f);
}
