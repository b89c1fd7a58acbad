#include "eq/graphic_eq_editor.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "eq/response_curve.h"
#include "form/form_request.h"
#include "form/form_test_support.h"
#include "graphics/recording_canvas.h"

namespace {

class FakeView : public GraphicEqView {
 public:
  Canvas& GraphCanvas() override { return graph; }
  Canvas& LegendCanvas() override { return legend; }
  void SetMouseCapture(bool c) override { captured = c; }
  RecordingCanvas graph;
  RecordingCanvas legend;
  bool captured = false;
};

class RecordingSink : public FormRequestSink {
 public:
  void Post(const FormRequest& r) override { posted.push_back(r); }
  void Send(const FormRequest& r) override {
    posted.push_back(r);
    ++sent;
  }
  std::vector<FormRequest> posted;
  int sent = 0;  // synchronous requests among them
};

class Boxes : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override { messages.emplace_back(text); }
  void ShowErrorBox(std::string_view text) override { errors.emplace_back(text); }
  std::vector<std::string> messages;
  std::vector<std::string> errors;
};

class FakeTarget : public ReportTarget {
 public:
  bool BeginPage() override { return true; }
  Canvas& Page() override { return page; }
  void EndPage() override {}
  RecordingCanvas page;
};

// On a 740 x 263 graph X(u) = u + 1 and Y(u) = u + 1: the 0 dB line lies at 132, 10 px a dB.
constexpr int kZeroY = 132;
constexpr int kPxPerDb = 10;

class GraphicEqEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.Load(SetupDocument{});
    editor.Open({740, 263}, {80, 263});
    sink.posted.clear();
  }

  GeqLevelCode CodeOf(EqGroup g, EqSide s, int band) const { return editor.Codes(g, s)[band]; }
  int BarX(int band) const { return editor.Graph()->Axis().CurvePointX(kGeqBandFrequencies[band]); }
  CanvasPoint BarPoint(int band) const {
    const BandMarker& m = editor.Markers(editor.Controls().group)[band];
    return {m.x, m.y};
  }
  void ExpectLastPost(FormMessage m, int w, int l) const {
    ASSERT_FALSE(sink.posted.empty());
    EXPECT_EQ(sink.posted.back().message, m);
    EXPECT_EQ(sink.posted.back().wParam, w);
    EXPECT_EQ(sink.posted.back().lParam, l);
  }
  void StartTracing() {
    editor.ToggleEnableCursors();
    editor.SetMouseTrace(true);
  }

  FakeView view;
  RecordingSink sink;
  Boxes boxes;
  GraphicEqEditor editor{view, sink, boxes};
};

int EnabledCount(const std::array<bool, kGeqBandCount>& enabled) {
  return static_cast<int>(std::count(enabled.begin(), enabled.end(), true));
}

}  // namespace

TEST(GeqMouseSteps, TraceGainAndDragStep) {
  struct Case {
    int dy;
    std::optional<int> gain;
  };
  for (const Case& c : {Case{0, std::nullopt}, Case{-1, 0}, Case{-9, 0}, Case{-10, 1}, Case{-95, 9},
                        Case{-400, 9}, Case{19, -1}, Case{400, -9}}) {
    EXPECT_EQ(GeqTraceGain(c.dy, kPxPerDb), c.gain) << c.dy;
  }
  for (auto [dy, step] : std::vector<std::pair<int, int>>{
           {0, 0}, {10, 0}, {11, -1}, {19, -1}, {20, -2}, {-10, 0}, {-11, 1}, {-20, 2}}) {
    EXPECT_EQ(GeqDragStep(dy, 10, 19), step) << dy;
  }
}

TEST_F(GraphicEqEditorTest, OpensAtFrontCommonBandZeroWithTheFullList) {
  const GeqControls& c = editor.Controls();
  EXPECT_EQ(c.group, EqGroup::Front);
  EXPECT_EQ(c.side, EqSide::Common);
  EXPECT_EQ(c.band, 0);
  EXPECT_EQ(c.levelIndex, kGeqFlatCode);
  ASSERT_EQ(c.bandList.size(), 31u);
  EXPECT_EQ(c.bandList[0], "20 Hz");
  EXPECT_EQ(c.bandList[28], "12 kHz");
  EXPECT_EQ(c.bandList[30], "20 kHz");
  EXPECT_EQ(EnabledCount(c.sliderEnabled), 31);
  EXPECT_FALSE(c.showAllCurves || c.enableCursors || c.mouseTrace);
  EXPECT_TRUE(sink.posted.empty());
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Polyline).size(), 1u);
}

TEST_F(GraphicEqEditorTest, SubWooferListLeavesTenBandsAndComesBackFromTheLabelTable) {
  editor.SelectChannel(Index(EqGroup::SubWoofer));
  GeqControls c = editor.Controls();
  ASSERT_EQ(c.bandList.size(), 10u);
  EXPECT_EQ(c.bandList.back(), "160 Hz");
  EXPECT_EQ(EnabledCount(c.sliderEnabled), 10);
  EXPECT_FALSE(c.sliderEnabled[10]);
  editor.SliderMoved(12, 0);  // a disabled slider
  EXPECT_EQ(CodeOf(EqGroup::SubWoofer, EqSide::Common, 12), kGeqFlatCode);
  EXPECT_TRUE(sink.posted.empty());  // a channel change posts nothing either

  editor.SelectChannel(Index(EqGroup::Front));
  c = editor.Controls();
  ASSERT_EQ(c.bandList.size(), 31u);
  EXPECT_EQ(c.bandList[28], "12.5 kHz");
  EXPECT_EQ(EnabledCount(c.sliderEnabled), 31);

  // Each opening starts with the list as the window fills it.
  editor.Close();
  editor.Closed();
  editor.Open({740, 263}, {80, 263});
  EXPECT_EQ(editor.Controls().bandList[28], "12 kHz");
}

TEST_F(GraphicEqEditorTest, BandLocksShapeListsSlidersAndTheIndexMapping) {
  struct Case {
    int mode;
    EqGroup group;
    std::size_t entries;
    std::string_view firstEntry;
    int usable;
    bool listsEnabled;
    bool resetEnabled;
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
    EXPECT_EQ(EnabledCount(c.sliderEnabled), k.usable);
    EXPECT_EQ(c.bandListEnabled, k.listsEnabled);
    EXPECT_EQ(c.levelListEnabled, k.listsEnabled);
    EXPECT_EQ(c.resetEnabled, k.resetEnabled);
    // The list shows the first entry, and entry i stands for band first + i.
    EXPECT_EQ(c.band, c.bandListFirst);
    EXPECT_EQ(c.bandListIndex, 0);
    sink.posted.clear();
    editor.SelectBandListEntry(2);
    if (k.usable > 0) {
      EXPECT_EQ(editor.Controls().band, c.bandListFirst + 2);
      ExpectLastPost(FormMessage::GeqSend, 1, c.bandListFirst + 2);
      editor.SelectLevel(4);
      EXPECT_EQ(CodeOf(k.group, EqSide::Common, c.bandListFirst + 2), 4);
      editor.SelectLevel(kGeqFlatCode);
    } else {
      EXPECT_TRUE(sink.posted.empty());
    }
  }
  // A locked Front band is out of the mouse's reach as well.
  editor.SetBandLockMode(2);
  editor.SelectChannel(Index(EqGroup::Front));
  StartTracing();
  editor.GraphPress({BarX(3), kZeroY - 50});
  EXPECT_FALSE(editor.Dragging());
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 3), kGeqFlatCode);
  editor.GraphPress({BarX(15), kZeroY - 50});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 15), 4);
  editor.GraphRelease();
}

TEST_F(GraphicEqEditorTest, SlidersAndListsStoreCodesAndTheTwelveDbRuleRefusesTwoNeighbours) {
  editor.SliderMoved(17, 0);  // +9 dB at 1 kHz
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_EQ(editor.Data().geqCurvePeaks[0][0], 9.0);
  EXPECT_EQ(editor.Data().geqPeakBoost, 9);
  EXPECT_EQ(editor.Data().geqBands[0][0][17].gain, 9.0f);
  GeqControls c = editor.Controls();
  EXPECT_EQ(c.band, 17);
  EXPECT_EQ(c.bandListIndex, 17);
  EXPECT_EQ(c.levelIndex, 0);
  ExpectLastPost(FormMessage::GeqSend, 1, 17);

  editor.SliderMoved(18, 0);  // +9 dB at 1.25 kHz beside it
  ASSERT_EQ(boxes.messages, std::vector<std::string>{"12 dB OVER"});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 18), kGeqFlatCode);
  c = editor.Controls();
  EXPECT_EQ(c.sliders[18], kGeqFlatCode);
  EXPECT_EQ(c.levelIndex, kGeqFlatCode);
  EXPECT_EQ(editor.Data().geqPeakBoost, 9);
  ExpectLastPost(FormMessage::GeqSend, 1, 18);

  // The level list acts on the band the band list shows; an accepted change stays.
  editor.SelectBandListEntry(5);
  editor.SelectLevel(12);
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 5), 12);
  EXPECT_EQ(editor.Data().geqBands[0][0][5].gain, -3.0f);
  editor.ToggleShowAllCurves();
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 5), 12);
  EXPECT_EQ(boxes.messages.size(), 1u);
}

TEST_F(GraphicEqEditorTest, ATraceDrawsNoCurveUntilTheReleaseAndIsRevertedAsAWhole) {
  editor.SliderMoved(3, 7);  // +2 dB at 40 Hz, to be restored
  StartTracing();
  sink.posted.clear();
  view.graph.Clear();
  editor.GraphPress({BarX(16), kZeroY - 95});
  EXPECT_TRUE(editor.Tracing());
  EXPECT_TRUE(view.captured);
  ExpectLastPost(FormMessage::GeqSend, 0, 32);
  for (int b = 16; b <= 20; ++b) editor.GraphMove({BarX(b), kZeroY - 95});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 20), 0);
  EXPECT_EQ(editor.Controls().sliders[20], 0);
  EXPECT_TRUE(view.graph.Of(RecordingCanvas::Kind::Polyline).empty());
  EXPECT_TRUE(boxes.messages.empty());

  editor.GraphRelease();
  EXPECT_FALSE(editor.Dragging());
  EXPECT_FALSE(view.captured);
  EXPECT_EQ(boxes.messages, std::vector<std::string>{"12 dB OVER"});
  GeqCodeSet expected;
  expected.fill(kGeqFlatCode);
  expected[3] = 7;
  EXPECT_EQ(editor.Codes(EqGroup::Front, EqSide::Common), expected);
  EXPECT_EQ(editor.Controls().band, 20);
  EXPECT_EQ(editor.Controls().levelIndex, kGeqFlatCode);
  ExpectLastPost(FormMessage::GeqSend, 1, 32);

  // A slider edit later on gives back its own band, not the trace's set.
  editor.SliderMoved(17, 0);
  editor.SliderMoved(18, 0);
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 17), 0);
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 18), kGeqFlatCode);
}

TEST_F(GraphicEqEditorTest, TraceFollowsThePointerHeightAndLeavesTheZeroLineAlone) {
  editor.SliderMoved(10, 5);  // +4 dB at 200 Hz
  StartTracing();
  editor.GraphPress({BarX(10), kZeroY});  // on the line: nothing changes
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 10), 5);
  // Between two bars the nearer one is caught; beyond the last one it still catches as far out.
  editor.GraphMove({BarX(11) - 1, kZeroY + 30});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 11), 12);
  editor.GraphMove({BarX(30) + (BarX(30) - BarX(29)) / 2 - 1, kZeroY - 1});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 30), kGeqFlatCode);
  editor.GraphMove({BarX(30), kZeroY + 200});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 30), kGeqMaxCode);
  editor.GraphRelease();
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 10), 5);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(GraphicEqEditorTest, SingleBarDragStepsOneOrTwoDbAndRedesignsTheBar) {
  editor.ToggleEnableCursors();
  sink.posted.clear();
  editor.GraphPress({BarX(7) + 12, kZeroY});  // beyond X(6): no bar
  EXPECT_FALSE(editor.Dragging());
  EXPECT_TRUE(sink.posted.empty());

  editor.GraphPress({BarX(7) + 6, kZeroY - 6});
  ASSERT_TRUE(editor.Dragging());
  EXPECT_EQ(view.graph.ops.back().colour, (Rgb{102, 153, 153}));
  ExpectLastPost(FormMessage::GeqSend, 0, 7);
  editor.GraphMove({BarX(7), BarPoint(7).y - 11});  // +1
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 7), 8);
  EXPECT_EQ(BarPoint(7).y, kZeroY - kPxPerDb);
  EXPECT_EQ(view.graph.ops.back().colour, (Rgb{68, 68, 68}));                   // the dragged handle
  for (int i = 0; i < 6; ++i) editor.GraphMove({BarX(7), BarPoint(7).y - 21});  // +2 each, up to +9
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 7), 0);
  editor.GraphMove({BarX(7), BarPoint(7).y + 5});  // within 1 dB: nothing
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 7), 0);
  EXPECT_EQ(editor.Controls().band, 0);  // the dragged bar becomes current on release

  editor.GraphRelease();
  EXPECT_EQ(editor.Controls().band, 7);
  EXPECT_EQ(editor.Controls().bandList[editor.Controls().bandListIndex], "100 Hz");
  EXPECT_EQ(editor.Controls().levelIndex, 0);
  ExpectLastPost(FormMessage::GeqSend, 1, 7);
  EXPECT_EQ(editor.Data().geqPeakBoost, 9);
}

TEST_F(GraphicEqEditorTest, ResetFlattensOnlyTheCurrentGroupAndSide) {
  SetupDocument doc;
  for (int g = 0; g < kEqGroupCount; ++g)
    for (int s = 0; s < kEqSideCount; ++s) doc.geqBands[g][s][4].gain = 3.0f;
  editor.Load(doc);
  editor.SelectChannel(Index(EqGroup::Rear));
  editor.SelectSide(Index(EqSide::R));
  editor.SelectBandListEntry(12);
  editor.ToggleShowAllCurves();
  sink.posted.clear();
  editor.Reset();
  EXPECT_EQ(sink.sent, 1);  // synchronous
  ExpectLastPost(FormMessage::GeqReset, Index(EqGroup::Rear), 0);
  EXPECT_EQ(CodeOf(EqGroup::Rear, EqSide::R, 4), kGeqFlatCode);
  EXPECT_EQ(CodeOf(EqGroup::Rear, EqSide::L, 4), 6);
  EXPECT_EQ(CodeOf(EqGroup::Rear, EqSide::Common, 4), 6);
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::R, 4), 6);
  const GeqControls& c = editor.Controls();
  EXPECT_FALSE(c.showAllCurves);
  EXPECT_EQ(c.levelIndex, kGeqFlatCode);
  EXPECT_EQ(c.bandList[c.bandListIndex], "315 Hz");  // the current band's label

  // A group holding an automatic-EQ result is not flattened.
  editor.SetBandLockMode(1);
  editor.SelectChannel(Index(EqGroup::SubWoofer));
  sink.posted.clear();
  editor.Reset();
  EXPECT_TRUE(sink.posted.empty());
  EXPECT_EQ(CodeOf(EqGroup::SubWoofer, EqSide::R, 4), 6);
}

TEST_F(GraphicEqEditorTest, CenterShowsCommonAndGivesTheSideBack) {
  editor.SelectSide(Index(EqSide::L));
  ExpectLastPost(FormMessage::GeqSend, 1, 33);
  editor.SelectChannel(Index(EqGroup::Center));
  EXPECT_EQ(editor.Controls().side, EqSide::Common);
  EXPECT_EQ(editor.Controls().sideEnabled, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(editor.SelectedSide(), Index(EqSide::L));
  const auto posts = sink.posted.size();
  editor.SelectSide(Index(EqSide::R));
  EXPECT_EQ(sink.posted.size(), posts);

  editor.SliderMoved(6, 3);
  EXPECT_EQ(editor.Data().geqBands[2][1][6].gain, 6.0f);  // L and R follow Common
  EXPECT_EQ(editor.Data().geqBands[2][2][6].gain, 6.0f);

  editor.LegendPress({5, 263 / 5 + 3});  // the Rear row
  EXPECT_EQ(editor.Controls().group, EqGroup::Rear);
  EXPECT_EQ(editor.Controls().side, EqSide::L);
  EXPECT_EQ(editor.SelectedSide(), Index(EqSide::L));
}

TEST_F(GraphicEqEditorTest, EnterChecksTheTypedChannelAndSendsTheCurrentBand) {
  editor.SelectBandListEntry(9);
  for (auto [text, error] : std::vector<std::pair<std::string, std::string>>{
           {"Rear1", "CANNOT WRITE NUMBER"}, {"Side", "WORD IS WRONG"}, {"", "WORD IS WRONG"}}) {
    sink.posted.clear();
    editor.Enter(text);
    EXPECT_EQ(boxes.errors.back(), error) << text;
    EXPECT_EQ(editor.Controls().channelText, "Front");
    ExpectLastPost(FormMessage::GeqSend, 1, 9);
  }
  editor.Enter("SubWoofer");
  EXPECT_EQ(editor.Controls().group, EqGroup::SubWoofer);
  EXPECT_EQ(boxes.errors.size(), 3u);
  ExpectLastPost(FormMessage::GeqSend, 1, 0);
}

TEST_F(GraphicEqEditorTest, ClosingDuringADragReleasesItFirst) {
  editor.ToggleEnableCursors();
  editor.SliderMoved(17, 0);
  editor.GraphPress(BarPoint(18));
  for (int i = 0; i < 5; ++i) editor.GraphMove({BarX(18), BarPoint(18).y - 21});
  sink.posted.clear();
  editor.Close();
  EXPECT_FALSE(editor.Dragging());
  EXPECT_EQ(boxes.messages, std::vector<std::string>{"12 dB OVER"});
  EXPECT_EQ(CodeOf(EqGroup::Front, EqSide::Common, 18), kGeqFlatCode);
  ASSERT_EQ(sink.posted.size(), 2u);
  EXPECT_EQ(sink.posted[0].message, FormMessage::GeqSend);
  ExpectLastPost(FormMessage::GeqClose, 0, 0);
}

TEST_F(GraphicEqEditorTest, ReportOfTheCurrentSide) {
  SetupDocument doc;
  doc.geqBands[Index(EqGroup::Rear)][Index(EqSide::L)][17].gain = 9.0f;
  editor.Load(doc);
  editor.SelectSide(Index(EqSide::L));
  FakeTarget target;
  editor.Print(target, {2024, 3, 7});
  const RecordingCanvas& page = target.page;
  const auto curves = page.Of(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(curves.size(), 4u);
  int rearTop = -10000;
  for (const auto& p : curves[1].points) rearTop = std::max(rearTop, p.y);
  const CurveValues rear = ResponseCurve(editor.Codes(EqGroup::Rear, EqSide::L));
  const double highest = *std::max_element(rear.begin(), rear.end());    // just under +9 dB
  EXPECT_EQ(rearTop, static_cast<int>(-2.0 * (131.0 - 9.0 * highest)));  // 9 units a dB
  for (const auto& p : curves[0].points) EXPECT_EQ(p.y, -262);
  for (const auto& [text, at] : std::vector<std::pair<std::string, CanvasPoint>>{
           {"+9", {0, -70}}, {"-9", {0, -414}}, {"Graphic Equalizer        2024 /  3 /  7", {400, -574}}}) {
    const auto* op = page.FindText(text);
    ASSERT_NE(op, nullptr) << text;
    EXPECT_EQ(op->points[0], at) << text;
  }
}

namespace {

// The editor as the form's graphic window, its posted requests delivered after each call.
class EditorWindow : public FunctionWindowObject, public FormRequestSink {
 public:
  explicit EditorWindow(SetupForm& form) : form_(form) {}
  void Load(const SetupDocument& doc) override { editor.Load(doc); }
  void Open(bool) override { editor.Open({740, 263}, {80, 263}); }
  bool IsOpen() const override { return editor.IsOpen(); }
  void Close() override { editor.Closed(); }
  void SetOffline(bool) override {}
  void Refresh() override { editor.Refresh(); }
  const SetupDocument& Data() const override { return editor.Data(); }
  int SelectedGroup() const override { return editor.SelectedGroup(); }
  int SelectedSide() const override { return editor.SelectedSide(); }
  void Post(const FormRequest& r) override { queue_.push_back(r); }
  void Send(const FormRequest& r) override { form_.HandleRequest(r); }
  void Deliver() {
    while (!queue_.empty()) {
      const FormRequest r = queue_.front();
      queue_.pop_front();
      form_.HandleRequest(r);
    }
  }

  FakeView view;
  Boxes boxes;
  GraphicEqEditor editor{view, *this, boxes};

 private:
  SetupForm& form_;
  std::deque<FormRequest> queue_;
};

struct GraphicWindowOnTheLine : formtest::FormFixture {
  EditorWindow window{form};
  void SetUp() override {
    windows.Install(FunctionWindow::Graphic, window);
    ConnectNow();
    form.SetFunctionSwitch(FunctionSwitch::Graphic, true);
    form.PressFunctionButton(FunctionButton::Graphic);
    ASSERT_TRUE(window.IsOpen());
    line.ClearTraffic();
  }
};

}  // namespace

TEST_F(GraphicWindowOnTheLine, ASliderSendsOneBandAndATraceTheWholeSet) {
  window.editor.SliderMoved(5, 3);  // +6 dB at 63 Hz
  window.Deliver();
  EXPECT_EQ(Sent(), (std::vector<std::string>{"P 26", "G 0 5 15", "G 1 5 15"}));
  EXPECT_EQ(Processor().graphicCodes[0][5], 15);
  EXPECT_EQ(session.document.geqBands[0][0][5].gain, 6.0f);

  line.ClearTraffic();
  window.editor.ToggleEnableCursors();
  window.editor.SetMouseTrace(true);
  window.editor.SelectSide(Index(EqSide::R));
  window.Deliver();
  line.ClearTraffic();
  const int x = window.editor.Graph()->Axis().CurvePointX(kGeqBandFrequencies[20]);
  window.editor.GraphPress({x, kZeroY + 30});  // -3 dB at 2 kHz
  window.Deliver();
  EXPECT_TRUE(Sent().empty());  // the press only announces the drag
  window.editor.GraphRelease();
  window.Deliver();
  std::vector<std::string> expected{"P 20", "P 255"};
  for (int b = 0; b < kGeqBandCount; ++b)
    expected.push_back("G 1 " + std::to_string(b) + (b == 20 ? " 6" : " 9"));
  expected.push_back("P 20");
  EXPECT_EQ(Sent(), expected);
  EXPECT_EQ(session.document.geqBands[0][2][20].gain, -3.0f);
  EXPECT_TRUE(window.boxes.messages.empty());
}
