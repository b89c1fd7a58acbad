#include "crossover/crossover_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "crossover/crossover_report.h"
#include "crossover/speaker_group_info.h"
#include "form/form_request.h"
#include "graphics/recording_canvas.h"

namespace {

class FakeView : public CrossoverView {
 public:
  Canvas& GraphCanvas() override { return graph; }
  Canvas& LegendCanvas() override { return legend; }
  void SetMouseCapture(bool c) override { captured = c; }
  void MoveFocus(CrossoverFocus c) override { focus = c; }
  RecordingCanvas graph;
  RecordingCanvas legend;
  bool captured = false;
  std::optional<CrossoverFocus> focus;
};

class RecordingSink : public FormRequestSink {
 public:
  void Post(const FormRequest& r) override { posted.push_back(r); }
  void Send(const FormRequest& r) override { posted.push_back(r); }
  std::vector<FormRequest> posted;
};

class ErrorBoxes : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

// (send flag, kind) of each crossover request, in order.
using Sends = std::vector<std::pair<int, int>>;
constexpr int kLevel = 0;
constexpr int kFilter = 1;
constexpr int kAll = 33;

struct CrossoverEditorTest : ::testing::Test {
  FakeView view;
  RecordingSink sink;
  ErrorBoxes boxes;
  CrossoverEditor editor{view, sink, boxes};

  // At 740 x 263 pixels a logical unit u is u + 1 pixels: handles are 10 pixels from their
  // centre, a press grabs within 11, and a dB is 17 pixels.
  void SetUp() override { editor.Open({740, 263}, {48, 263}); }

  Sends Taken() {
    Sends out;
    for (const FormRequest& r : sink.posted) {
      EXPECT_EQ(r.message, FormMessage::CrossoverSend);
      out.emplace_back(r.wParam, r.lParam);
    }
    sink.posted.clear();
    return out;
  }
  CanvasPoint HandleAt(int handle) const {
    const CurvePoint p = editor.Handles(editor.Controls().group)[static_cast<std::size_t>(handle)];
    return {p.x, p.y};
  }
  // Presses the handle, moves the pointer by (dx, dy) from where the handle then is, `moves`
  // times, and releases.
  void Drag(int handle, int dx, int dy, int moves = 1) {
    editor.GraphPress(HandleAt(handle));
    for (int i = 0; i < moves; ++i) {
      const CurvePoint p = editor.Handles(editor.Controls().group)[static_cast<std::size_t>(handle)];
      editor.GraphMove({p.x + dx, p.y + dy});
    }
    editor.GraphRelease();
  }
  const CrossoverRec& Edited() const { return editor.Model().Edited(); }
};

}  // namespace

TEST_F(CrossoverEditorTest, SlopeListsSliderRangesAndEnablingFollowTheGroup) {
  struct Case {
    SpeakerGroup group;
    std::size_t lpfEntries, hpfEntries;
    int lpfMin, lpfMax, hpfMax;
    std::string_view hpfFirst, lpfFirst;
    bool lpfEnabled, hpfEnabled;
  };
  const Case cases[] = {
      {SpeakerGroup::FrontHi, 6, 5, 1, 26, 25, "-6dB/Oct", "OFF", false, true},
      {SpeakerGroup::FrontMid, 6, 6, 1, 60, 59, "OFF", "OFF", false, false},
      {SpeakerGroup::SubWoofer, 5, 6, 1, 20, 19, "OFF", "-6dB/Oct", true, false},
      {SpeakerGroup::FrontHi, 6, 5, 1, 26, 25, "-6dB/Oct", "OFF", false, true},  // taken out again
      {SpeakerGroup::Rear, 6, 6, 1, 60, 59, "OFF", "OFF", false, false},         // put back
  };
  for (const Case& c : cases) {
    editor.SelectChannel(Index(c.group));
    const CrossoverControls& k = editor.Controls();
    EXPECT_EQ(k.lpfSlopeItems.size(), c.lpfEntries) << Index(c.group);
    EXPECT_EQ(k.hpfSlopeItems.size(), c.hpfEntries) << Index(c.group);
    EXPECT_EQ(k.hpfSlopeItems[0], c.hpfFirst);
    EXPECT_EQ(k.lpfSlopeItems[0], c.lpfFirst);
    EXPECT_EQ(k.lpfSliderMin, c.lpfMin);
    EXPECT_EQ(k.lpfSliderMax, c.lpfMax);
    EXPECT_EQ(k.hpfSliderMax, c.hpfMax);
    EXPECT_EQ(k.lpfEnabled, c.lpfEnabled);
    EXPECT_EQ(k.hpfEnabled, c.hpfEnabled);
  }
  // Front_Hi's -18 dB/oct HPF is entry 2 of its five; its frequency shows as the list label.
  editor.SelectChannel(Index(SpeakerGroup::FrontHi));
  EXPECT_EQ(editor.Controls().hpfSlopeEntry, 2);
  EXPECT_EQ(editor.Controls().hpfSlopeText, "-18dB/Oct");
  EXPECT_EQ(editor.Controls().hpfFrequencyText, "4 kHz");
  EXPECT_TRUE(Taken().empty());  // choosing a group only redraws

  // A slope of OFF disables its edge; the slider of a disabled edge does nothing.
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  editor.LpfSliderMoved(10);
  EXPECT_EQ(Edited().lpfCode, 60);
  editor.LpfSlopeChosen(3);
  EXPECT_TRUE(editor.Controls().lpfEnabled);
  editor.LpfSliderMoved(10);
  EXPECT_EQ(Edited().lpfCode, 10);
  EXPECT_EQ(editor.Controls().lpfFrequencyText, "63 Hz");
  EXPECT_EQ(Taken(), (Sends{{1, kFilter}, {1, kFilter}}));
}

TEST_F(CrossoverEditorTest, DraggingTheHpfCornerPastTheLpfPushesItExceptAtTheTop) {
  struct Case {
    SpeakerGroup group;
    int lpfStep, hpfStep;
    int lpfCodeAfter, hpfCodeAfter;
  };
  // The HPF starts a few steps below the LPF; the pointer goes one step to the right six times.
  const Case cases[] = {
      {SpeakerGroup::FrontMid, 46, 43, 50, 49},   // reaches 4 kHz, then pushes it three times
      {SpeakerGroup::Rear, 60, 55, 60, 59},       // LPF at 20 kHz: the HPF stops at 18 kHz
      {SpeakerGroup::SubWoofer, 20, 15, 20, 19},  // LPF at 200 Hz: the HPF stops at 180 Hz
      {SpeakerGroup::SubWoofer, 19, 15, 20, 19},
      {SpeakerGroup::FrontHi, 25, 21, 60 - 34, 59 - 34},  // Front_Hi's codes are its steps + 34
  };
  for (const Case& c : cases) {
    editor.SelectChannel(Index(c.group));
    editor.LpfSlopeChosen(2);
    editor.HpfSlopeChosen(2);
    editor.LpfSliderMoved(c.lpfStep);
    editor.HpfSliderMoved(c.hpfStep);
    Taken();
    Drag(CrossoverEditor::kHpfHandle, 11, 0, 6);
    const int offset = c.group == SpeakerGroup::FrontHi ? 34 : 0;
    EXPECT_EQ(Edited().lpfCode, c.lpfCodeAfter + offset) << Index(c.group);
    EXPECT_EQ(Edited().hpfCode, c.hpfCodeAfter + offset) << Index(c.group);
    EXPECT_EQ(Taken(), (Sends{{0, kFilter}, {1, kFilter}}));
  }

  // Each move steps once from where the handle now is; a move within half a handle does nothing.
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  editor.HpfSliderMoved(20);  // 200 Hz
  Drag(CrossoverEditor::kHpfHandle, -11, 0, 3);
  EXPECT_EQ(Edited().hpfCode, 17);
  EXPECT_EQ(editor.Controls().hpfFrequencyText, "140 Hz");
  EXPECT_EQ(editor.Controls().hpfSlider, 17);
  Drag(CrossoverEditor::kHpfHandle, -10, 0, 3);
  EXPECT_EQ(Edited().hpfCode, 17);
}

TEST_F(CrossoverEditorTest, LevelDragStepsOnlyBeyondOneDbOfPixels) {
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  Drag(CrossoverEditor::kLevelHandle, 0, 17);  // exactly D below: nothing
  EXPECT_EQ(Edited().level, 0);
  EXPECT_EQ(Taken(), (Sends{{0, kFilter}, {1, kFilter}}));

  Drag(CrossoverEditor::kLevelHandle, 0, 18, 3);
  EXPECT_EQ(Edited().level, -3);
  EXPECT_EQ(editor.Controls().levelText, "-3 dB");
  EXPECT_EQ(Taken(), (Sends{{0, kFilter}, {1, kLevel}}));
  EXPECT_EQ(view.focus, CrossoverFocus::LevelList);

  Drag(CrossoverEditor::kLevelHandle, 0, -18, 5);  // stops at 0 dB
  EXPECT_EQ(Edited().level, 0);
}

TEST_F(CrossoverEditorTest, APressCapturesTheMouseButGrabsOnlyShownHandles) {
  editor.SelectChannel(Index(SpeakerGroup::FrontMid));  // both slopes OFF: only the level handle shows
  const CanvasPoint hpfCorner = HandleAt(CrossoverEditor::kHpfHandle);
  editor.GraphPress(hpfCorner);
  EXPECT_TRUE(view.captured);
  EXPECT_FALSE(editor.Dragging());
  editor.GraphMove({hpfCorner.x + 40, hpfCorner.y});
  editor.GraphRelease();
  EXPECT_FALSE(view.captured);
  EXPECT_EQ(Edited().hpfCode, 26);
  EXPECT_TRUE(Taken().empty());

  editor.HpfSlopeChosen(1);
  Taken();
  editor.GraphPress(hpfCorner);
  EXPECT_EQ(editor.DraggedHandle(), CrossoverEditor::kHpfHandle);
  EXPECT_EQ(view.focus, CrossoverFocus::HpfSlider);
  // The grabbed handle is painted over in its own colour.
  const auto fills = view.graph.Of(RecordingCanvas::Kind::Fill);
  EXPECT_EQ(fills.back().colour, (Rgb{255, 153, 0}));
  EXPECT_EQ(fills.back().rect,
            (CanvasRect{hpfCorner.x - 10, hpfCorner.y - 10, hpfCorner.x + 10, hpfCorner.y + 10}));
  editor.GraphRelease();
  Taken();

  // Show All Curves shows no handle, so none is grabbed.
  editor.ToggleShowAllCurves();
  editor.GraphPress(HandleAt(CrossoverEditor::kLevelHandle));
  EXPECT_FALSE(editor.Dragging());
  editor.GraphRelease();
  EXPECT_TRUE(Taken().empty());
}

TEST_F(CrossoverEditorTest, TypedChannelNames) {
  struct Case {
    std::string_view text;
    SpeakerGroup groupAfter;
    std::string_view error;  // empty: none
  };
  const Case cases[] = {
      {"Front_Hi", SpeakerGroup::FrontHi, ""},
      {"SubWoofer", SpeakerGroup::SubWoofer, ""},
      {"Front_Hi2", SpeakerGroup::SubWoofer, "CANNOT WRITE NUMBER"},
      {"Rear.", SpeakerGroup::SubWoofer, "CANNOT WRITE NUMBER"},
      {"front_hi", SpeakerGroup::SubWoofer, "WORD IS WRONG"},
      {"", SpeakerGroup::SubWoofer, "WORD IS WRONG"},
  };
  editor.SelectChannel(Index(SpeakerGroup::FrontMid));
  for (const Case& c : cases) {
    boxes.shown.clear();
    editor.Enter(c.text);
    EXPECT_EQ(editor.Controls().group, c.groupAfter) << c.text;
    EXPECT_EQ(editor.Controls().channelText, GroupInfo(c.groupAfter).listLabel);
    EXPECT_EQ(boxes.shown,
              c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{std::string(c.error)});
    EXPECT_EQ(Taken(), (Sends{{1, kFilter}})) << c.text;
  }
}

TEST_F(CrossoverEditorTest, RadiosNotifyTwiceAndCenterKeepsTheProcessorsMode) {
  editor.SelectSet(Index(CrossoverSet::R));
  EXPECT_EQ(Taken(), (Sends{{1, kLevel}, {1, kAll}}));
  EXPECT_EQ(editor.SelectedSide(), Index(CrossoverSet::R));

  editor.SelectChannel(Index(SpeakerGroup::Center));
  EXPECT_EQ(editor.Controls().set, CrossoverSet::Common);
  EXPECT_EQ(editor.Controls().setEnabled, (std::array<bool, 3>{true, false, false}));
  // The other groups' outputs stay on their own R sets while Center is edited.
  EXPECT_EQ(editor.SelectedSide(), Index(CrossoverSet::R));
  editor.SelectSet(Index(CrossoverSet::L));
  EXPECT_TRUE(Taken().empty());
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  EXPECT_EQ(editor.Controls().set, CrossoverSet::R);

  // Up and Down ask for a Level update even at the limit.
  editor.StepLevel(+1);
  EXPECT_EQ(Taken(), (Sends{{1, kLevel}}));
}

TEST_F(CrossoverEditorTest, ClosingDuringADragSendsTheDraggedValuesFirst) {
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  const CanvasPoint p = HandleAt(CrossoverEditor::kLevelHandle);
  editor.GraphPress(p);
  editor.GraphMove({p.x, p.y + 30});
  editor.Close();
  EXPECT_FALSE(editor.Dragging());
  EXPECT_FALSE(view.captured);
  ASSERT_EQ(sink.posted.size(), 3u);
  EXPECT_EQ(sink.posted[1].wParam, 1);
  EXPECT_EQ(sink.posted[1].lParam, kLevel);
  EXPECT_EQ(sink.posted[2].message, FormMessage::CrossoverClose);
  EXPECT_EQ(editor.Data().crossover[Index(SpeakerGroup::Rear)][0].level, -1);
}

TEST_F(CrossoverEditorTest, ARedrawDrawsGridCurvesAndHandles) {
  view.graph.Clear();
  editor.SelectChannel(Index(SpeakerGroup::FrontHi));
  const auto rects = view.graph.Of(RecordingCanvas::Kind::Rect);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].width, 3);  // the frame from 20 Hz to 20 kHz, Y(10) to Y(245)
  EXPECT_EQ(rects[0].rect, (CanvasRect{31, 11, 718, 246}));
  ASSERT_NE(view.graph.FindText("-12"), nullptr);
  EXPECT_EQ(view.graph.FindText("-12")->points[0], (CanvasPoint{5, 236}));
  EXPECT_EQ(view.graph.FindText("-12")->height, 14);
  // Front_Mid and Front_Low first, Front_Hi last; then the HPF corner and level handles.
  const auto curves = view.graph.Of(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(curves.size(), 3u);
  EXPECT_EQ(curves[2].colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(curves[2].width, 3);
  const auto fills = view.graph.Of(RecordingCanvas::Kind::Fill);
  ASSERT_EQ(fills.size(), 3u);  // the background and two handles: the LPF slope is OFF
  EXPECT_EQ(fills[1].colour, (Rgb{255, 153, 153}));

  // Switched-off groups vanish at once; the legend still selects them.
  GroupPresence present{};
  present.fill(true);
  present[Index(SpeakerGroup::Rear)] = false;
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  view.graph.Clear();
  editor.SetPresence(present);
  EXPECT_TRUE(view.graph.Of(RecordingCanvas::Kind::Polyline).empty());
  editor.LegendPress({5, 263 / 7 * 6 + 263 / 25 - 1});
  EXPECT_EQ(editor.Controls().group, SpeakerGroup::SubWoofer);
  editor.LegendPress({5, 263 / 7 * 6 + 263 / 25});  // below the last row
  EXPECT_EQ(editor.Controls().group, SpeakerGroup::SubWoofer);
}

TEST_F(CrossoverEditorTest, ReportLinesShowEachGroupsSet) {
  editor.SelectChannel(Index(SpeakerGroup::FrontMid));
  editor.HpfSlopeChosen(4);
  editor.HpfSliderMoved(28);
  editor.LpfSlopeChosen(2);
  editor.LpfSliderMoved(50);
  editor.LevelChosen(5);
  editor.SelectChannel(Index(SpeakerGroup::SubWoofer));
  editor.LpfSlopeChosen(0);
  editor.HpfSlopeChosen(3);
  editor.HpfSliderMoved(5);
  editor.SelectChannel(Index(SpeakerGroup::FrontHi));
  editor.LpfSlopeChosen(1);  // -6 dB/oct, then OFF again: printed as 0, never -0
  editor.LpfSlopeChosen(0);
  EXPECT_FALSE(std::signbit(editor.Data().crossover[0][0].lpfSlope));
  const auto lines = CrossoverReportLines(editor.Data().crossover, CrossoverSet::Common);
  EXPECT_EQ(lines[0], "Front  Hi: LPF 20 kHz SLOPE 0dB/Oct  HPF 4 kHz SLOPE -18dB/Oct, LEVEL 0 dB");
  EXPECT_EQ(lines[1], "Front Mid: LPF 6.3 kHz SLOPE -12dB/Oct  HPF 500 Hz SLOPE -24dB/Oct, LEVEL -5dB");
  EXPECT_EQ(lines[2], "Front Low: LPF 400 Hz SLOPE 0dB/Oct  HPF 20 Hz SLOPE 0dB/Oct, LEVEL 0dB");
  EXPECT_EQ(lines[3], "Rear     : LPF 20 kHz SLOPE 0dB/Oct  HPF 20 Hz SLOPE 0dB/Oct, LEVEL 0dB");
  EXPECT_EQ(lines[4], "Center   : LPF 20 kHz SLOPE 0dB/Oct  HPF 20 Hz SLOPE 0dB/Oct, LEVEL 0dB");
  EXPECT_EQ(lines[5], "SubWf    : LPF 80 Hz SLOPE -6dB/Oct  HPF 35 Hz SLOPE -18dB/Oct, LEVEL 0dB");
  // The L set is printed from the L records; Center from its one set.
  EXPECT_EQ(CrossoverReportLines(editor.Data().crossover, CrossoverSet::L)[1],
            "Front Mid: LPF 4 kHz SLOPE 0dB/Oct  HPF 400 Hz SLOPE 0dB/Oct, LEVEL 0dB");
}

TEST_F(CrossoverEditorTest, NewDataWhileOpenStartsOverOnItKeepingTheCursor) {
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  editor.SelectSet(Index(CrossoverSet::L));
  editor.ToggleShowAllCurves();
  SetupDocument opened;
  opened.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::L)].level = -7;
  editor.Load(opened);
  view.graph.Clear();
  editor.Refresh();
  EXPECT_FALSE(editor.Controls().showAllCurves);
  EXPECT_EQ(editor.Controls().group, SpeakerGroup::Rear);
  EXPECT_EQ(editor.Controls().set, CrossoverSet::L);
  EXPECT_EQ(editor.Controls().levelText, "-7 dB");
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Polyline).size(), 2u);  // the R set dim, then L
}
