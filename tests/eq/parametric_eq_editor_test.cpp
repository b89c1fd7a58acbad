#include "eq/parametric_eq_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "common/form_request.h"
#include "common/recording_sink.h"
#include "eq/edit_field.h"
#include "eq/eq_graph_report.h"
#include "eq/response_curve.h"
#include "graphics/recording_canvas.h"
#include "graphics/recording_target.h"

namespace {

class PeqFakeView : public ParametricEqView {
 public:
  Canvas& GraphCanvas() override { return graph; }
  Canvas& LegendCanvas() override { return legend; }
  void SetMouseCapture(bool c) override { captured = c; }
  RecordingCanvas graph;
  RecordingCanvas legend;
  bool captured = false;
};

class Boxes : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override {
    messages.emplace_back(text);
    shown.emplace_back(text);
  }
  void ShowErrorBox(std::string_view text) override {
    errors.emplace_back(text);
    shown.emplace_back(text);
  }
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  std::vector<std::string> shown;  // both kinds, in the order they appeared
};

class ParametricEqEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.Load(SetupDocument{});
    editor.Open({740, 263}, {70, 263});
    sink.posted.clear();
  }

  const FilterParams& BandOf(EqGroup g, EqSide s, int b) const {
    return editor.Data().peqBands[Index(g)][Index(s)][b];
  }
  const FilterParams& Current() const {
    const auto& c = editor.Controls();
    return BandOf(c.group, c.side, c.band);
  }
  void ExpectLastPost(FormMessage m, int w, int l) const {
    ASSERT_FALSE(sink.posted.empty());
    EXPECT_EQ(sink.posted.back().message, m);
    EXPECT_EQ(sink.posted.back().wParam, w);
    EXPECT_EQ(sink.posted.back().lParam, l);
  }
  CanvasPoint MarkerOf(int band) const {
    const BandMarker& m = editor.Markers(editor.Controls().group)[band];
    return {m.x, m.y};
  }

  PeqFakeView view;
  RecordingSink sink;
  Boxes boxes;
  ParametricEqEditor editor{view, sink, boxes};
};

}  // namespace

TEST(PeqFrequencySlider, PositionsMapToFrequencies) {
  EXPECT_EQ(PeqSliderFrequency(1, EqGroup::Front), 20.0f);
  EXPECT_FLOAT_EQ(PeqSliderFrequency(2, EqGroup::Front), 21.4f);
  EXPECT_EQ(PeqSliderFrequency(120, EqGroup::Front), 20000.0f);  // 20479 Hz capped
  EXPECT_FLOAT_EQ(PeqSliderFrequency(72, EqGroup::Front), 1279.0f);
  EXPECT_EQ(PeqSliderFrequency(40, EqGroup::SubWoofer), 200.0f);  // 200.6 Hz capped
  EXPECT_EQ(PeqSliderFrequency(90, EqGroup::SubWoofer), 200.0f);
  EXPECT_FLOAT_EQ(PeqSliderFrequency(39, EqGroup::SubWoofer), 189.2f);

  EXPECT_EQ(PeqFrequencySliderPosition(20.0f), 1);  // 0, held at the slider's lowest position
  EXPECT_EQ(PeqFrequencySliderPosition(1000.0f), 67);
  EXPECT_EQ(PeqFrequencySliderPosition(20000.0f), 119);
  EXPECT_EQ(PeqFrequencySliderPosition(std::nanf("")), 1);
}

TEST_F(ParametricEqEditorTest, OpensAtFrontCommonBandOne) {
  const PeqControls& c = editor.Controls();
  EXPECT_EQ(c.group, EqGroup::Front);
  EXPECT_EQ(c.side, EqSide::Common);
  EXPECT_EQ(c.band, 0);
  EXPECT_EQ(c.channelText, "Front");
  EXPECT_EQ(c.levelEdit, 0);
  EXPECT_EQ(c.levelSlider, 12);
  EXPECT_FLOAT_EQ(c.frequencyEdit, 31.2f);  // 31.25 Hz shown rounded down to 0.1 Hz
  EXPECT_EQ(c.qSlider, 10);
  EXPECT_FALSE(c.showAllCurves);
  EXPECT_FALSE(c.enableCursors);
  EXPECT_TRUE(sink.posted.empty());  // opening asks nothing of the form
  EXPECT_FALSE(view.graph.ops.empty());
  EXPECT_FALSE(view.legend.ops.empty());
}

TEST_F(ParametricEqEditorTest, SlidersStoreTheirValuesAndSendTheBand) {
  editor.SelectBand(4);
  editor.FrequencySliderMoved(2);
  EXPECT_FLOAT_EQ(Current().frequency, 21.4f);
  EXPECT_FLOAT_EQ(editor.Controls().frequencyEdit, 21.4f);
  ExpectLastPost(FormMessage::PeqSend, 1, 4);
  editor.FrequencySliderMoved(1);
  EXPECT_EQ(Current().frequency, 20.0f);
  editor.FrequencySliderMoved(120);
  EXPECT_EQ(Current().frequency, 20000.0f);

  for (int p = 2; p <= 100; ++p) {
    editor.QSliderMoved(p);
    EXPECT_FLOAT_EQ(Current().q, static_cast<float>(p) / 10.0f) << p;
    EXPECT_EQ(editor.Controls().qSlider, p);
  }
  editor.LevelSliderMoved(0);
  EXPECT_EQ(Current().gain, 12.0f);
  EXPECT_EQ(editor.Controls().levelEdit, 12);
  editor.LevelSliderMoved(24);
  EXPECT_EQ(Current().gain, -12.0f);
  EXPECT_EQ(sink.posted.size(), 3u + 99u + 2u);
}

TEST_F(ParametricEqEditorTest, SubWooferLimits) {
  editor.SelectBand(7);
  editor.SelectChannel(Index(EqGroup::SubWoofer));
  PeqControls c = editor.Controls();
  EXPECT_EQ(c.band, 0);  // beyond "BAND4", so "BAND1"
  EXPECT_EQ(c.bandEnabled,
            (std::array<bool, 10>{true, true, true, true, false, false, false, false, false, false}));
  editor.SelectBand(5);
  EXPECT_EQ(editor.Controls().band, 0);
  EXPECT_TRUE(sink.posted.empty());  // a channel change posts nothing

  editor.SelectBand(3);
  editor.FrequencySliderMoved(80);
  EXPECT_EQ(editor.Controls().frequencySlider, 40);
  EXPECT_EQ(Current().frequency, 200.0f);
  editor.FrequencyEditLeft("15000");  // the edit box still takes the whole range
  EXPECT_EQ(Current().frequency, 15000.0f);
  EXPECT_TRUE(boxes.messages.empty());

  // RESET of the SubWoofer resets bands 1 to 4 only.
  SetupDocument doc;
  for (int b = 0; b < kPeqBandCount; ++b) doc.peqBands[3][0][b].gain = 3.0f;
  doc.peqBands[3][0][2].flag = 0x1234;
  doc.peqBands[3][1][0].gain = 3.0f;
  editor.Load(doc);
  editor.Reset();
  for (int b = 0; b < 4; ++b) {
    EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, b).gain, 0.0f) << b;
  }
  EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, 3).frequency, 200.0f);
  EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, 2).flag, 0x1200);
  for (int b = 4; b < kPeqBandCount; ++b)
    EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, b).gain, 3.0f) << b;
  EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::L, 0).gain, 3.0f);  // only the shown side
  ExpectLastPost(FormMessage::PeqReset, Index(EqGroup::SubWoofer), 0);
}

TEST_F(ParametricEqEditorTest, CenterShowsCommonAndGivesTheSideBack) {
  editor.SelectSide(Index(EqSide::L));
  ExpectLastPost(FormMessage::PeqSend, 1, 33);
  editor.SelectChannel(Index(EqGroup::Center));
  PeqControls c = editor.Controls();
  EXPECT_EQ(c.side, EqSide::Common);
  EXPECT_EQ(c.sideEnabled, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(editor.SelectedSide(), Index(EqSide::L));  // the form keeps working in L/R
  const auto posts = sink.posted.size();
  editor.SelectSide(Index(EqSide::R));  // disabled for Center
  EXPECT_EQ(editor.Controls().side, EqSide::Common);
  EXPECT_EQ(sink.posted.size(), posts);

  // The Center's L and R sets follow Common.
  editor.LevelSliderMoved(6);
  EXPECT_EQ(BandOf(EqGroup::Center, EqSide::L, 0).gain, 6.0f);
  EXPECT_EQ(BandOf(EqGroup::Center, EqSide::R, 0).gain, 6.0f);

  editor.SelectChannel(Index(EqGroup::Rear));
  c = editor.Controls();
  EXPECT_EQ(c.side, EqSide::L);
  EXPECT_EQ(c.sideEnabled, (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(editor.SelectedSide(), Index(EqSide::L));

  // A click in the legend column changes the channel the same way.
  editor.LegendPress({5, 2 * 52 + 10});
  EXPECT_EQ(editor.Controls().group, EqGroup::Center);
  editor.LegendPress({5, 250});  // the fifth row
  EXPECT_EQ(editor.Controls().group, EqGroup::Center);
  editor.LegendPress({5, 3});
  EXPECT_EQ(editor.Controls().group, EqGroup::Front);
  EXPECT_EQ(editor.Controls().side, EqSide::L);
}

TEST_F(ParametricEqEditorTest, EditBoxesValidateAndClamp) {
  editor.LevelEditLeft("15");
  EXPECT_EQ(boxes.messages.back(), "Please enter an integer between -12 and 12.");
  EXPECT_EQ(Current().gain, 12.0f);
  EXPECT_EQ(editor.Controls().levelSlider, 0);
  ExpectLastPost(FormMessage::PeqSend, 1, 0);

  const auto posts = sink.posted.size();
  editor.LevelEditLeft("4x");
  EXPECT_EQ(boxes.messages.back(), "Please enter an integer.");
  editor.LevelEditLeft("");
  EXPECT_EQ(Current().gain, 12.0f);
  EXPECT_EQ(sink.posted.size(), posts);  // nothing stored, nothing sent

  editor.QEditLeft("0.05");
  EXPECT_EQ(boxes.messages.back(), "Please enter a number between 0.2 and 10.");
  EXPECT_FLOAT_EQ(Current().q, 0.2f);
  editor.QEditLeft("nan");
  EXPECT_EQ(boxes.messages.back(), "Please enter a number.");
  EXPECT_FLOAT_EQ(Current().q, 0.2f);
  editor.FrequencyEditLeft("99999");
  EXPECT_EQ(boxes.messages.back(), "Please enter a number between 20 and 20000.");
  EXPECT_EQ(Current().frequency, 20000.0f);
  editor.FrequencyEditLeft(" 1234.56 ");
  EXPECT_FLOAT_EQ(Current().frequency, 1234.56f);  // stored as typed
  EXPECT_EQ(editor.Controls().frequencySlider, PeqFrequencySliderPosition(1234.56f));

  // Enter rounds the frequency down to 0.1 Hz and takes all three boxes.
  boxes.messages.clear();
  editor.Enter("Front", "2.5", "1234.56", "-3");
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.errors.empty());
  EXPECT_FLOAT_EQ(Current().frequency, 1234.5f);
  EXPECT_FLOAT_EQ(Current().q, 2.5f);
  EXPECT_EQ(Current().gain, -3.0f);
  ExpectLastPost(FormMessage::PeqSend, 1, 0);

  // The limits themselves are in range, also as the boxes show them after the sliders.
  editor.QEditLeft("0.2");
  editor.QSliderMoved(kPeqQSliderMin);
  editor.Enter("Front", FieldText(editor.Controls().qEdit), "20", "-12");
  editor.QEditLeft("10");
  editor.FrequencyEditLeft("20000");
  EXPECT_TRUE(boxes.messages.empty()) << boxes.messages.front();
  EXPECT_FLOAT_EQ(Current().q, 10.0f);
  EXPECT_EQ(Current().frequency, 20000.0f);
}

TEST_F(ParametricEqEditorTest, TypedChannelNames) {
  editor.Enter("Rear", "1", "31.2", "0");
  EXPECT_EQ(editor.Controls().group, EqGroup::Rear);
  EXPECT_TRUE(boxes.errors.empty());

  editor.Enter("Rear2", "1", "31.2", "0");
  EXPECT_EQ(boxes.errors.back(), "CANNOT WRITE NUMBER");
  editor.Enter("Cen.ter", "1", "31.2", "0");
  EXPECT_EQ(boxes.errors.back(), "CANNOT WRITE NUMBER");
  editor.Enter("Side", "1", "31.2", "0");
  EXPECT_EQ(boxes.errors.back(), "WORD IS WRONG");
  editor.Enter("", "1", "31.2", "0");
  EXPECT_EQ(boxes.errors.back(), "WORD IS WRONG");
  editor.Enter("rear", "1", "31.2", "0");
  EXPECT_EQ(boxes.errors.back(), "WORD IS WRONG");
  EXPECT_EQ(boxes.errors.size(), 5u);
  EXPECT_EQ(editor.Controls().group, EqGroup::Rear);
  EXPECT_EQ(editor.Controls().channelText, "Rear");

  // A switch by name keeps the new group's band as it was, whatever the boxes held.
  editor.Enter("Center", "7", "5000", "9");
  EXPECT_EQ(editor.Controls().group, EqGroup::Center);
  EXPECT_EQ(editor.Controls().sideEnabled, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(Current().gain, 0.0f);
  EXPECT_EQ(Current().q, 1.0f);

  // The name is checked before the boxes; after a switch by name they hold the new group's
  // band, so what was typed for the old one is not reported.
  boxes.shown.clear();
  editor.Enter("Rear", "abc", "99999", "x");
  EXPECT_EQ(editor.Controls().group, EqGroup::Rear);
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
  editor.Enter("Side", "abc", "1000", "3");
  EXPECT_EQ(boxes.shown, (std::vector<std::string>{"WORD IS WRONG", "Please enter a number."}));
  EXPECT_EQ(Current().frequency, 1000.0f);
  EXPECT_EQ(Current().gain, 3.0f);
}

TEST_F(ParametricEqEditorTest, PeakTableAndBoostFollowTheDrawnCurves) {
  editor.SelectBand(5);
  editor.LevelSliderMoved(12 - 6);
  EXPECT_EQ(editor.Data().peqCurvePeaks[0][0], 6.0);
  EXPECT_EQ(editor.Data().peqPeakBoost, 6);

  // Show All Curves evaluates every group; Enable Cursors switches it off.
  view.graph.Clear();
  editor.ToggleShowAllCurves();
  EXPECT_TRUE(editor.Controls().showAllCurves);
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Polyline).size(), 5u);
  view.graph.Clear();
  editor.ToggleEnableCursors();
  EXPECT_FALSE(editor.Controls().showAllCurves);
  EXPECT_TRUE(editor.Controls().enableCursors);
  // One curve plus ten cursor curves.
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Polyline).size(), 11u);
}

TEST_F(ParametricEqEditorTest, AnEditOverTwelveDbIsRefusedAndReverted) {
  editor.SelectBand(5);
  editor.LevelSliderMoved(0);  // +12 dB at 1 kHz: the curve peaks at 12 and passes
  EXPECT_TRUE(boxes.messages.empty());
  editor.SelectBand(4);
  editor.LevelSliderMoved(0);  // +12 dB at 500 Hz beside it: over
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], "12 dB OVER");
  EXPECT_EQ(Current().gain, 0.0f);
  EXPECT_EQ(editor.Controls().levelSlider, 12);
  EXPECT_LE(editor.Data().peqCurvePeaks[0][0], 12.0);
  EXPECT_EQ(editor.Data().peqPeakBoost, 12);

  // An accepted change is never taken back by a later redraw.
  editor.LevelSliderMoved(18);
  EXPECT_EQ(Current().gain, -6.0f);
  SetupDocument over = editor.Data();
  over.peqBands[1][0][5].gain = 12.0f;
  over.peqBands[1][0][6].gain = 12.0f;
  editor.Load(over);
  editor.ToggleShowAllCurves();
  EXPECT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(Current().gain, -6.0f);
  editor.ToggleShowAllCurves();
  EXPECT_EQ(boxes.messages.size(), 2u);  // shown once until the next edit
}

TEST_F(ParametricEqEditorTest, DragOverTwelveDbWarnsOnceAndRevertsOnRelease) {
  editor.SelectBand(5);
  editor.LevelSliderMoved(12 - 6);
  editor.QSliderMoved(20);
  editor.ToggleEnableCursors();
  sink.posted.clear();
  const FilterParams before = BandOf(EqGroup::Front, EqSide::Common, 4);

  const CanvasPoint m = MarkerOf(4);
  editor.GraphPress(m);
  EXPECT_TRUE(editor.Dragging());
  EXPECT_TRUE(view.captured);
  ExpectLastPost(FormMessage::PeqSend, 0, 5);  // the current band, not the pressed one
  EXPECT_EQ(view.graph.ops.back().colour, (Rgb{255, 153, 0}));

  const int up = -editor.Graph()->Y(14) - 1;  // +2 dB a move
  for (int i = 0; i < 6; ++i) {
    const CanvasPoint at = MarkerOf(4);
    editor.GraphMove({at.x, at.y + up});
    EXPECT_EQ(view.graph.ops.back().colour, (Rgb{255, 255, 170}));
  }
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 4).gain, 12.0f);
  EXPECT_EQ(MarkerOf(4).y, 132 - 12 * 8);
  EXPECT_TRUE(boxes.messages.empty());  // the curve is not recomputed while dragging
  editor.GraphMove({MarkerOf(4).x, MarkerOf(4).y + up});
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 4).gain, 12.0f);

  editor.GraphRelease();
  EXPECT_FALSE(editor.Dragging());
  EXPECT_FALSE(view.captured);
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0], "12 dB OVER");
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 4), before);
  EXPECT_EQ(editor.Controls().band, 4);  // the dragged band became current
  EXPECT_EQ(editor.Controls().levelEdit, 0);
  EXPECT_EQ(MarkerOf(4).y, 132);
  ExpectLastPost(FormMessage::PeqSend, 1, 4);
}

TEST_F(ParametricEqEditorTest, DragStepsTheFrequencyAndCapsIt) {
  editor.ToggleEnableCursors();
  editor.SelectBand(2);
  const int step = editor.Graph()->X(18);
  editor.GraphPress(MarkerOf(9));
  for (int i = 0; i < 3; ++i) editor.GraphMove({MarkerOf(9).x + step + 1, MarkerOf(9).y});
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 9).frequency, 20000.0f);
  editor.GraphMove({MarkerOf(9).x - step / 2 - 1, MarkerOf(9).y});
  EXPECT_FLOAT_EQ(BandOf(EqGroup::Front, EqSide::Common, 9).frequency,
                  static_cast<float>(20000.0 / std::pow(2.0, 1.0 / 7.0)));
  EXPECT_EQ(MarkerOf(9).x,
            editor.Graph()->Axis().CurvePointX(BandOf(EqGroup::Front, EqSide::Common, 9).frequency));
  // Within half a step sideways the level moves instead.
  editor.GraphMove({MarkerOf(9).x + step / 2, MarkerOf(9).y + editor.Graph()->Y(7) + 1});
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 9).gain, -1.0f);
  editor.GraphRelease();
  EXPECT_EQ(editor.Controls().band, 9);
  EXPECT_TRUE(boxes.messages.empty());

  // The SubWoofer's drag stops at 200 Hz and at 20 Hz.
  editor.SelectChannel(Index(EqGroup::SubWoofer));
  editor.GraphPress(MarkerOf(2));
  for (int i = 0; i < 4; ++i) editor.GraphMove({MarkerOf(2).x + 2 * step, MarkerOf(2).y});
  EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, 2).frequency, 200.0f);
  for (int i = 0; i < 30; ++i) editor.GraphMove({MarkerOf(2).x - 2 * step, MarkerOf(2).y});
  EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, 2).frequency, 20.0f);
  editor.GraphRelease();
}

TEST_F(ParametricEqEditorTest, PressThatHitsNoMarker) {
  editor.ToggleEnableCursors();
  const SetupDocument before = editor.Data();
  view.graph.Clear();
  editor.GraphPress({700, 20});
  ExpectLastPost(FormMessage::PeqSend, 0, 0);
  EXPECT_FALSE(editor.Dragging());
  EXPECT_TRUE(view.graph.ops.empty());
  editor.GraphMove({10, 10});
  const auto posts = sink.posted.size();
  editor.GraphRelease();
  EXPECT_EQ(sink.posted.size(), posts);
  EXPECT_EQ(editor.Data(), before);

  // Without Enable Cursors a press does nothing at all.
  editor.ToggleEnableCursors();
  editor.GraphPress(MarkerOf(0));
  EXPECT_EQ(sink.posted.size(), posts);
}

TEST_F(ParametricEqEditorTest, CloseAndReopenKeepTheSelections) {
  editor.SelectChannel(Index(EqGroup::Rear));
  editor.SelectSide(Index(EqSide::R));
  editor.SelectBand(6);
  editor.ToggleShowAllCurves();
  editor.Close();
  ExpectLastPost(FormMessage::PeqClose, 0, 0);
  EXPECT_FALSE(editor.Controls().showAllCurves);
  editor.Closed();
  EXPECT_FALSE(editor.IsOpen());

  editor.Open({1480, 526}, {140, 526});
  const PeqControls& c = editor.Controls();
  EXPECT_EQ(c.group, EqGroup::Rear);
  EXPECT_EQ(c.side, EqSide::R);
  EXPECT_EQ(c.band, 6);
  EXPECT_EQ(editor.Graph()->X(30), 61);  // the new size, read at opening
}

TEST_F(ParametricEqEditorTest, ReportOfTheCurrentSide) {
  SetupDocument doc;
  doc.peqBands[Index(EqGroup::Rear)][Index(EqSide::R)][5].gain = 12.0f;
  doc.peqBands[Index(EqGroup::Front)][Index(EqSide::Common)][5].gain = -12.0f;
  editor.Load(doc);
  editor.SelectSide(Index(EqSide::R));

  RecordingTarget cancelled;
  cancelled.cancel = true;
  editor.Print(cancelled, {2024, 3, 7});
  EXPECT_TRUE(cancelled.page.ops.empty());
  EXPECT_EQ(cancelled.ended, 0);

  RecordingTarget target;
  target.page.lineHeight = 40;
  editor.Print(target, {2024, 3, 7});
  EXPECT_EQ(target.ended, 1);
  const RecordingCanvas& page = target.page;

  const auto curves = page.Of(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(curves.size(), 4u);
  EXPECT_EQ(curves[0].colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(curves[3].colour, (Rgb{255, 255, 0}));
  EXPECT_EQ(curves[0].width, 10);  // L / 4
  EXPECT_EQ(curves[0].points.size(), 155u);
  EXPECT_EQ(curves[0].points[0], (CanvasPoint{62, -262}));  // 2 x trunc(31), 0 dB
  // The R side is printed: Rear peaks at +12 dB near 1 kHz, Front R is flat.
  int rearTop = -10000;
  for (const auto& p : curves[1].points) rearTop = std::max(rearTop, p.y);
  EXPECT_EQ(rearTop, -2 * (131 - 84));
  for (const auto& p : curves[0].points) EXPECT_EQ(p.y, -262);

  const auto lines = page.Of(RecordingCanvas::Kind::Line);
  auto has = [&](CanvasPoint a, CanvasPoint b, Rgb colour, int width) {
    for (const auto& op : lines)
      if (op.points[0] == a && op.points[1] == b && op.colour == colour && op.width == width) return true;
    return false;
  };
  EXPECT_TRUE(has({-76, -20}, {-76, -490}, {50, 50, 50}, 1));  // 10 Hz, left of the plot
  EXPECT_TRUE(has({60, -94}, {1414, -94}, {50, 50, 50}, 1));   // +12 dB
  EXPECT_TRUE(has({60, -430}, {1414, -430}, {50, 50, 50}, 1));
  EXPECT_TRUE(has({60, -260}, {1414, -260}, {25, 25, 25}, 1));  // 0 dB
  EXPECT_TRUE(has({PageGridX(1000.0), -20}, {PageGridX(1000.0), -490}, {25, 25, 25}, 1));
  EXPECT_TRUE(has({60, -20}, {60, -490}, {25, 25, 25}, 2));
  EXPECT_TRUE(has({1414, -20}, {1414, -490}, {25, 25, 25}, 2));
  EXPECT_TRUE(has({60, -490}, {1414, -490}, {25, 25, 25}, 2));
  EXPECT_TRUE(has({1430, -20}, {1520, -20}, {255, 0, 0}, 20));  // legend lines, L / 2 wide
  EXPECT_TRUE(has({1430, -20 - 6 * 40}, {1520, -20 - 6 * 40}, {255, 255, 0}, 20));

  const std::vector<std::pair<std::string, CanvasPoint>> texts = {
      {"[dB]", {-25, -12}},
      {"[Hz]", {1400, -494}},
      {"+12", {-16, -70}},
      {"0", {24, -250}},
      {"-12", {-16, -414}},
      {"100", {356, -490}},
      {"1k", {828, -490}},
      {"10k", {1280, -490}},
      {"Front", {1420, -40}},
      {"Rear", {1420, -120}},
      {"Cen", {1420, -200}},
      {"S.W", {1420, -280}},
      {"Parametric Equalizer        2024 /  3 /  7", {400, -574}},
      {"TORVAL KRV5200   PC SETUP DATA", {1000, -1150}}};
  for (const auto& [text, at] : texts) {
    const auto* op = page.FindText(text);
    ASSERT_NE(op, nullptr) << text;
    EXPECT_EQ(op->points[0], at) << text;
    EXPECT_EQ(op->colour, (Rgb{0, 0, 0}));
  }
}

// The keyboard still reaches the other controls while the mouse holds a marker.
TEST_F(ParametricEqEditorTest, AControlChangedDuringADragEndsTheDragFirst) {
  editor.SelectBand(5);
  editor.LevelSliderMoved(12 - 6);
  editor.QSliderMoved(20);
  editor.ToggleEnableCursors();
  const FilterParams before = BandOf(EqGroup::Front, EqSide::Common, 4);
  editor.GraphPress(MarkerOf(4));
  const int up = -editor.Graph()->Y(14) - 1;
  for (int i = 0; i < 6; ++i) editor.GraphMove({MarkerOf(4).x, MarkerOf(4).y + up});
  sink.posted.clear();

  // The drag is taken back on its own; the slider's change to band 6 then stands.
  editor.LevelSliderMoved(12 - 5);
  EXPECT_FALSE(editor.Dragging());
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 4), before);
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 5).gain, 5.0f);
  EXPECT_LE(editor.Data().peqCurvePeaks[0][0], 12.0);
  ASSERT_EQ(sink.posted.size(), 2u);
  EXPECT_EQ(sink.posted[0].lParam, 4);

  // A channel change ends the drag in the group it began in.
  editor.GraphPress(MarkerOf(8));
  editor.GraphMove({MarkerOf(8).x + editor.Graph()->X(18) + 1, MarkerOf(8).y});
  const float moved = BandOf(EqGroup::Front, EqSide::Common, 8).frequency;
  editor.SelectChannel(Index(EqGroup::SubWoofer));
  EXPECT_FALSE(editor.Dragging());
  EXPECT_EQ(editor.Controls().group, EqGroup::SubWoofer);
  EXPECT_LT(editor.Controls().band, kSubWooferPeqBandCount);
  const FilterParams sub = BandOf(EqGroup::SubWoofer, EqSide::Common, 8);
  editor.GraphMove({0, 0});
  editor.GraphRelease();
  EXPECT_EQ(BandOf(EqGroup::SubWoofer, EqSide::Common, 8), sub);
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 8).frequency, moved);
  EXPECT_LT(editor.Controls().band, kSubWooferPeqBandCount);

  // Escape while dragging: the form never takes a band the 12 dB rule has not seen.
  editor.SelectChannel(Index(EqGroup::Front));
  editor.GraphPress(MarkerOf(4));
  for (int i = 0; i < 6; ++i) editor.GraphMove({MarkerOf(4).x, MarkerOf(4).y + up});
  sink.posted.clear();
  editor.Close();
  EXPECT_FALSE(editor.Dragging());
  EXPECT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(BandOf(EqGroup::Front, EqSide::Common, 4), before);
  ASSERT_EQ(sink.posted.size(), 2u);
  EXPECT_EQ(sink.posted[0].message, FormMessage::PeqSend);
  ExpectLastPost(FormMessage::PeqClose, 0, 0);
}
