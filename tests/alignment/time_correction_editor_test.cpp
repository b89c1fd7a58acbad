#include "alignment/time_correction_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/recording_dialogs.h"
#include "document/setup_correction.h"
#include "eq/edit_field.h"
#include "measure/measurement_fixture.h"

namespace {

using Texts = std::array<std::string, kOutputCount>;
using Strings = std::vector<std::string>;

const std::string kRangeMessage = "Please enter a number between 0 and 20.";

struct TcrEditor : ::testing::Test {
  void Load(std::initializer_list<std::pair<int, double>> delays) {
    for (const auto& [channel, ms] : delays) doc.channelDelay[channel] = ms;
    editor.Load(doc);
  }
  // Enter with the shown texts, the listed boxes retyped.
  bool Enter(std::initializer_list<std::pair<int, const char*>> typed) {
    Texts texts = editor.Controls().delayText;
    for (const auto& [channel, text] : typed) texts[channel] = text;
    return editor.Enter(texts);
  }
  void ExpectPosted(int channel) const {
    ASSERT_FALSE(sink.queue.empty());
    const FormRequest& r = sink.queue.back();
    EXPECT_EQ(std::tuple(r.message, r.wParam, r.lParam), std::tuple(FormMessage::TcrSend, 0, channel));
  }

  SetupDocument doc;
  measuretest::QueuedRequests sink;
  RecordingDialogs dialogs;
  TimeCorrectionEditor editor{sink, dialogs};
};

}  // namespace

TEST_F(TcrEditor, EnterPutsTheTypedDelayOnItsStepOrRevertsIt) {
  using Case = std::tuple<const char*, double, int, bool>;  // typed, delay, slider, reverted
  for (const auto& [typed, delay, slider, reverted] :
       {Case{"20", 20.0, 200, false}, Case{"20.05", 3.0, 30, true}, Case{"-0.1", 3.0, 30, true},
        Case{"12.345", 12.3, 123, false}, Case{"2.3", 2.3, 23, false}, Case{"19.99", 20.0, 200, false},
        Case{" 0 ", 0.0, 0, false}}) {
    Load({{4, 3.0}});
    dialogs.messages.clear();
    ASSERT_TRUE(Enter({{4, typed}})) << typed;
    EXPECT_DOUBLE_EQ(editor.Data().channelDelay[4], delay) << typed;
    EXPECT_EQ(editor.Controls().slider[4], slider) << typed;
    ExpectPosted(4);
    EXPECT_EQ(dialogs.messages, reverted ? Strings{kRangeMessage} : Strings{}) << typed;
  }
}

TEST_F(TcrEditor, EnterRevertsEveryBadBoxAndTheFirstEditedInEntryOrderBecomesCurrent) {
  // 0.3 ms is stored as 3 x 0.1 and shown as "0.3": unedited, it is not taken for an edit.
  Load({{6, 3 * 0.1}, {8, 7 * 0.1}, {0, 1.0}, {2, 2.0}});
  EXPECT_EQ(editor.Controls().delayText[6], "0.3");
  ASSERT_TRUE(Enter({{0, "25"}, {2, "-3"}, {7, "4.5"}}));
  const auto& slider = editor.Controls().slider;
  EXPECT_EQ(std::tuple(slider[0], slider[2], slider[7], slider[6], slider[8]), std::tuple(10, 20, 45, 3, 7));
  EXPECT_EQ(editor.CurrentChannel(), 2);  // 2 comes before 0 and 7 in the entry order
  ExpectPosted(2);
  EXPECT_EQ(dialogs.messages, Strings{kRangeMessage});
}

TEST_F(TcrEditor, ATextThatIsNoNumberChangesNothing) {
  Load({{5, 1.5}});
  EXPECT_FALSE(Enter({{5, "3,5"}, {1, "7"}}));
  EXPECT_EQ(dialogs.messages, Strings{std::string(kEnterNumber)});
  EXPECT_TRUE(sink.queue.empty());
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[5], 1.5);
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[1], 0.0);
  EXPECT_EQ(editor.Controls().delayText[5], "3,5");  // the typing stays to be corrected
}

TEST_F(TcrEditor, EveryStepReachesSliderAndProcessorExactly) {
  for (int k = 0; k <= kDelaySliderMax; ++k) {
    // By the slider on one output, typed into another.
    editor.SliderMoved(7, k);
    ASSERT_TRUE(Enter({{9, editor.Controls().delayText[7].c_str()}}));
    for (int c : {7, 9}) {
      EXPECT_EQ(editor.Controls().slider[c], k) << c << " " << k;
      EXPECT_EQ(SetupCorrection::DelaySteps(editor.Data().channelDelay[c]), k) << c << " " << k;
    }
  }
}

TEST_F(TcrEditor, DistanceAndPhaseBoxesFollowTheCurrentOutput) {
  using Case = std::tuple<int, int, const char*, const char*, const char*>;  // output, steps, name, cm, inch
  for (const auto& [channel, steps, name, cm, inch] :
       {Case{6, 29, "\nCenter", "98.6", "38.8"}, Case{6, 30, "\nCenter", "102", "40.2"},
        Case{0, 0, "Front\nLeft\nHigh", "0.0", "0.0"}, Case{10, 200, "SubWoofer\nRight", "680", "268"}}) {
    editor.SliderMoved(channel, steps);
    const TcrControls& shown = editor.Controls();
    EXPECT_EQ(std::tuple(shown.distanceName, shown.distanceCm, shown.distanceInch),
              std::tuple(name, cm, inch))
        << steps;
  }

  for (bool on : {true, false}) {
    editor.PhaseClicked(6, on);
    const TcrControls& shown = editor.Controls();
    EXPECT_EQ(
        std::tuple(editor.Data().channelPhase[6], shown.phase[6], shown.phaseDegrees[6], shown.distanceName),
        std::tuple(on ? 1 : 0, on, on ? "180" : "0", "\nCenter"));
    ExpectPosted(6);
  }
}

TEST_F(TcrEditor, ASliderOrPhaseRefreshesOnlyItsOwnBoxAndTypingElsewhereStays) {
  Load({{3, 1.0}});
  editor.DelayTyped(3, "7.5");
  editor.DelayTyped(6, "4");
  editor.SliderMoved(6, 25);
  editor.PhaseClicked(1, true);
  EXPECT_EQ(editor.Controls().delayText[3], "7.5");
  EXPECT_EQ(editor.Controls().delayText[6], "2.5");
  ASSERT_TRUE(editor.Enter(editor.Controls().delayText));
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[3], 7.5);
  EXPECT_DOUBLE_EQ(editor.Data().channelDelay[6], 2.5);
}

TEST_F(TcrEditor, ReportPlacesEveryOutputOnItsLine) {
  doc.channelDelay[6] = 123 * 0.1;
  doc.channelPhase[6] = 1;
  editor.Load(doc);
  // With a small printer font the columns stand at 200 and 500; a font too large for the names
  // moves them right.
  for (const auto& [L, shift] : {std::pair{20, 0}, std::pair{40, 190}}) {
    measuretest::PageTarget target;
    target.page.lineHeight = L;
    editor.Print(target, ReportDate{2024, 3, 7});
    const RecordingCanvas& page = target.page;
    const std::pair<const char*, CanvasPoint> placed[] = {{"DELAY", {250 + shift, -2 * L}},
                                                          {"FRONT HI LEFT", {10, -4 * L}},
                                                          {"CENTER", {10, -10 * L}},
                                                          {": 12.3 msec", {200 + shift, -10 * L}},
                                                          {": 180 deg", {500 + shift, -10 * L}},
                                                          {"SUB WOOFER RIGHT", {10, -14 * L}},
                                                          {"TCR & PHASE        2024 /  3 /  7", {500, 0}}};
    for (const auto& [text, at] : placed) {
      ASSERT_NE(page.FindText(text), nullptr) << text;
      EXPECT_EQ(page.FindText(text)->points[0], at) << text;
    }
    const auto texts = page.Of(RecordingCanvas::Kind::Text);
    EXPECT_EQ(texts.size(), 2u + 3u * kOutputCount + 2u);
    EXPECT_EQ(
        std::count_if(texts.begin(), texts.end(), [](const auto& op) { return op.text == ": 0.0 msec"; }),
        10);
  }
}

TEST_F(TcrEditor, CloseAndCancelAskTheFormToTakeTheValuesBack) {
  editor.Close();
  editor.Cancel();
  ASSERT_EQ(sink.queue.size(), 2u);
  EXPECT_EQ(std::pair(sink.queue[0].message, sink.queue[1].message),
            std::pair(FormMessage::TcrClose, FormMessage::TcrCancel));
}

using TcrWindowClosed = formtest::FormFixture;

TEST_F(TcrWindowClosed, TheFormTakesEveryDelayAndPhaseBackOffline) {
  for (const auto& [message, ms] :
       {std::pair{FormMessage::TcrClose, 4.2}, std::pair{FormMessage::TcrCancel, 5.0}}) {
    form.PressFunctionButton(FunctionButton::TimeCorrection);
    ASSERT_TRUE(tcr.open);
    tcr.data.channelDelay[3] = ms;
    tcr.data.channelPhase[8] = 1;
    form.HandleRequest({message, 0, 0});
    EXPECT_FALSE(tcr.open);
    EXPECT_DOUBLE_EQ(session.document.channelDelay[3], ms);
    EXPECT_EQ(session.document.channelPhase[8], 1);
    EXPECT_EQ(form.WorkingCopy().channelDelay, session.document.channelDelay);
    EXPECT_TRUE(session.IsModified());
  }
  EXPECT_TRUE(line.Sent().empty());
}
