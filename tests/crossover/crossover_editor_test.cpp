#include "crossover/crossover_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "common/form_request.h"
#include "common/recording_dialogs.h"
#include "common/recording_sink.h"
#include "crossover/crossover_report.h"
#include "crossover/speaker_group_info.h"
#include "graphics/recording_canvas.h"
#include "graphics/recording_target.h"

namespace {

class CrossoverFakeView : public CrossoverView {
 public:
  Canvas& GraphCanvas() override { return graph; }
  Canvas& LegendCanvas() override { return legend; }
  void SetMouseCapture(bool c) override { captured = c; }
  void MoveFocus(CrossoverFocus c) override { focus = c; }
  RecordingCanvas graph, legend;
  bool captured = false;
  std::optional<CrossoverFocus> focus;
};

// (send flag, kind) of each crossover request, in order.
using Sends = std::vector<std::pair<int, int>>;
constexpr int kLevel = 0;
constexpr int kFilter = 1;
constexpr int kAll = 33;

struct CrossoverEditorTest : ::testing::Test {
  CrossoverFakeView view;
  RecordingSink sink;
  RecordingDialogs boxes;
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
    for (int i = 0; i < moves; ++i) editor.GraphMove({HandleAt(handle).x + dx, HandleAt(handle).y + dy});
    editor.GraphRelease();
  }
  const CrossoverRec& Edited() const { return editor.Model().Edited(); }
};

}  // namespace

TEST_F(CrossoverEditorTest, SlopeListsSliderRangesAndEnablingFollowTheGroup) {
  struct Case {
    SpeakerGroup group;
    std::size_t lpfEntries, hpfEntries;
    int lpfMax, hpfMax;
    bool lpfEnabled, hpfEnabled;
  };
  const Case cases[] = {
      {SpeakerGroup::FrontHi, 6, 5, 26, 25, false, true},
      {SpeakerGroup::FrontMid, 6, 6, 60, 59, false, false},
      {SpeakerGroup::SubWoofer, 5, 6, 20, 19, true, false},
  };
  const CrossoverControls& k = editor.Controls();
  for (const Case& c : cases) {
    SCOPED_TRACE(Index(c.group));
    editor.SelectChannel(Index(c.group));
    EXPECT_EQ(std::tuple(k.lpfSlopeItems.size(), k.hpfSlopeItems.size()),
              std::tuple(c.lpfEntries, c.hpfEntries));
    EXPECT_EQ(std::tuple(k.lpfSliderMin, k.lpfSliderMax, k.hpfSliderMax), std::tuple(1, c.lpfMax, c.hpfMax));
    EXPECT_EQ(std::tuple(k.lpfEnabled, k.hpfEnabled), std::tuple(c.lpfEnabled, c.hpfEnabled));
  }
  // Front_Hi's -18 dB/oct HPF is entry 2 of its five; its frequency shows as the list label.
  editor.SelectChannel(Index(SpeakerGroup::FrontHi));
  EXPECT_EQ(std::tuple(k.hpfSlopeEntry, k.hpfSlopeText, k.hpfFrequencyText),
            std::tuple(2, "-18dB/Oct", "4 kHz"));
  EXPECT_TRUE(Taken().empty());  // choosing a group only redraws

  // A slope of OFF disables its edge; the slider of a disabled edge does nothing.
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  editor.LpfSliderMoved(10);
  EXPECT_EQ(Edited().lpfCode, 60);
  editor.LpfSlopeChosen(3);
  EXPECT_TRUE(k.lpfEnabled);
  editor.LpfSliderMoved(10);
  EXPECT_EQ(std::tuple(Edited().lpfCode, k.lpfFrequencyText), std::tuple(10, "63 Hz"));
  EXPECT_EQ(Taken(), (Sends{{1, kFilter}, {1, kFilter}}));
}

TEST_F(CrossoverEditorTest, DragsStepOnceAMoveBeyondHalfAHandleOrOneDbAndEndOnReleaseOrClose) {
  // Front_Mid's HPF three steps below its LPF, dragged six steps right, pushes the LPF along.
  editor.SelectChannel(Index(SpeakerGroup::FrontMid));
  editor.LpfSlopeChosen(2);
  editor.HpfSlopeChosen(2);
  editor.LpfSliderMoved(46);
  editor.HpfSliderMoved(43);
  Taken();
  Drag(CrossoverEditor::kHpfHandle, 11, 0, 6);
  EXPECT_EQ(std::tuple(Edited().lpfCode, Edited().hpfCode), std::tuple(50, 49));
  EXPECT_EQ(Taken(), (Sends{{0, kFilter}, {1, kFilter}}));

  // Each move steps from where the handle now is; within half a handle nothing moves.
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  editor.HpfSlopeChosen(2);
  editor.HpfSliderMoved(20);  // 200 Hz
  Drag(CrossoverEditor::kHpfHandle, -11, 0, 3);
  const CrossoverControls& k = editor.Controls();
  EXPECT_EQ(std::tuple(Edited().hpfCode, k.hpfSlider, k.hpfFrequencyText), std::tuple(17, 17, "140 Hz"));
  Drag(CrossoverEditor::kHpfHandle, -10, 0, 3);
  EXPECT_EQ(Edited().hpfCode, 17);
  Taken();

  // The level handle steps only beyond one dB of pixels; a drag that changed nothing is a filter one.
  Drag(CrossoverEditor::kLevelHandle, 0, 17);
  EXPECT_EQ(Edited().level, 0);
  EXPECT_EQ(Taken(), (Sends{{0, kFilter}, {1, kFilter}}));
  Drag(CrossoverEditor::kLevelHandle, 0, 18, 3);
  EXPECT_EQ(std::tuple(Edited().level, k.levelText), std::tuple(-3, "-3 dB"));
  EXPECT_EQ(Taken(), (Sends{{0, kFilter}, {1, kLevel}}));
  EXPECT_EQ(view.focus, CrossoverFocus::LevelList);

  // Closing while a handle is held sends the dragged values first.
  const CanvasPoint p = HandleAt(CrossoverEditor::kLevelHandle);
  editor.GraphPress(p);
  editor.GraphMove({p.x, p.y + 30});
  editor.Close();
  EXPECT_FALSE(editor.Dragging() || view.captured);
  ASSERT_EQ(sink.posted.size(), 3u);
  EXPECT_EQ(std::tuple(sink.posted[1].wParam, sink.posted[1].lParam, sink.posted[2].message),
            std::tuple(1, kLevel, FormMessage::CrossoverClose));
  EXPECT_EQ(editor.Data().crossover[Index(SpeakerGroup::Rear)][0].level, -4);
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
  EXPECT_TRUE(Taken().empty());

  editor.HpfSlopeChosen(1);
  Taken();
  editor.GraphPress(hpfCorner);
  EXPECT_EQ(editor.DraggedHandle(), CrossoverEditor::kHpfHandle);
  EXPECT_EQ(view.focus, CrossoverFocus::HpfSlider);
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Fill).back().colour,
            (Rgb{255, 153, 0}));  // painted as grabbed
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
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"Front_Hi", SpeakerGroup::FrontHi, {}},
      {"SubWoofer", SpeakerGroup::SubWoofer, {}},
      {"Front_Hi2", SpeakerGroup::SubWoofer, {"CANNOT WRITE NUMBER"}},
      {"front_hi", SpeakerGroup::SubWoofer, {"WORD IS WRONG"}},
  };
  editor.SelectChannel(Index(SpeakerGroup::FrontMid));
  for (const Case& c : cases) {
    boxes.messages.clear();
    editor.Enter(c.text);
    EXPECT_EQ(editor.Controls().group, c.groupAfter) << c.text;
    EXPECT_EQ(editor.Controls().channelText, GroupInfo(c.groupAfter).listLabel);
    EXPECT_EQ(boxes.messages, c.shown);
    EXPECT_EQ(Taken(), (Sends{{1, kFilter}})) << c.text;
  }
}

TEST_F(CrossoverEditorTest, RadiosNotifyTwiceAndCenterKeepsTheProcessorsMode) {
  editor.SelectSet(Index(CrossoverSet::R));
  EXPECT_EQ(Taken(), (Sends{{1, kLevel}, {1, kAll}}));
  editor.SelectChannel(Index(SpeakerGroup::Center));
  EXPECT_EQ(editor.Controls().set, CrossoverSet::Common);
  EXPECT_EQ(editor.Controls().setEnabled, (std::array<bool, 3>{true, false, false}));
  // The other groups' outputs stay on their own R sets while Center is edited.
  EXPECT_EQ(editor.SelectedSide(), Index(CrossoverSet::R));
  editor.SelectSet(Index(CrossoverSet::L));
  EXPECT_TRUE(Taken().empty());

  editor.StepLevel(+1);  // a Level update even at the limit
  EXPECT_EQ(Taken(), (Sends{{1, kLevel}}));
}

TEST_F(CrossoverEditorTest, ARedrawDrawsCurvesAndShownHandlesAndDropsSwitchedOffGroups) {
  view.graph.Clear();
  editor.SelectChannel(Index(SpeakerGroup::FrontHi));
  // Front_Mid and Front_Low first, Front_Hi last; then the HPF corner and level handles.
  const auto curves = view.graph.Of(RecordingCanvas::Kind::Polyline);
  ASSERT_EQ(curves.size(), 3u);
  EXPECT_EQ(std::tuple(curves[2].colour, curves[2].width), std::tuple(Rgb{255, 0, 0}, 3));
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Fill).size(), 3u);  // background, two handles: LPF is OFF

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
  EXPECT_EQ(CrossoverReportLines(editor.Data().crossover, CrossoverSet::Common),
            (std::array<std::string, kSpeakerGroupCount>{
                "Front  Hi: LPF 20 kHz SLOPE 0dB/Oct  HPF 4 kHz SLOPE -18dB/Oct, LEVEL 0 dB",
                "Front Mid: LPF 6.3 kHz SLOPE -12dB/Oct  HPF 500 Hz SLOPE -24dB/Oct, LEVEL -5dB",
                "Front Low: LPF 400 Hz SLOPE 0dB/Oct  HPF 20 Hz SLOPE 0dB/Oct, LEVEL 0dB",
                "Rear     : LPF 20 kHz SLOPE 0dB/Oct  HPF 20 Hz SLOPE 0dB/Oct, LEVEL 0dB",
                "Center   : LPF 20 kHz SLOPE 0dB/Oct  HPF 20 Hz SLOPE 0dB/Oct, LEVEL 0dB",
                "SubWf    : LPF 80 Hz SLOPE -6dB/Oct  HPF 35 Hz SLOPE -18dB/Oct, LEVEL 0dB"}));
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
  const CrossoverControls& k = editor.Controls();
  EXPECT_EQ(std::tuple(k.showAllCurves, k.group, k.set, k.levelText),
            std::tuple(false, SpeakerGroup::Rear, CrossoverSet::L, "-7 dB"));
  EXPECT_EQ(view.graph.Of(RecordingCanvas::Kind::Polyline).size(), 2u);  // the R set dim, then L
}

TEST_F(CrossoverEditorTest, WithCenterSelectedThePagePrintsTheCommonSetTheWindowShows) {
  SetupDocument doc;
  doc.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::L)].level = -5;
  editor.Load(doc);
  editor.Refresh();
  editor.SelectSet(Index(CrossoverSet::L));
  editor.SelectChannel(Index(SpeakerGroup::Center));
  RecordingTarget target;
  editor.Print(target, {2024, 3, 7});
  const auto common = CrossoverReportLines(doc.crossover, CrossoverSet::Common);
  const auto left = CrossoverReportLines(doc.crossover, CrossoverSet::L);
  const std::size_t rear = Index(SpeakerGroup::Rear);
  ASSERT_NE(common[rear], left[rear]);
  EXPECT_NE(target.page.FindText(common[rear]), nullptr);
  EXPECT_EQ(target.page.FindText(left[rear]), nullptr);
}
