// The crossover editor on the real form and the simulated processor: every edit reaches the
// processor as the frames the window's request asks for, and afterwards the processor holds
// exactly what the window shows.
#include <gtest/gtest.h>

#include <functional>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_editor.h"
#include "form/form_test_support.h"
#include "measure/measurement_fixture.h"

namespace {

using namespace formtest;
using measuretest::QueuedRequests;
using Strings = std::vector<std::string>;

class EditorWindow : public FunctionWindowObject, private CrossoverView {
 public:
  EditorWindow(FormRequestSink& sink, Dialogs& dialogs) : editor(*this, sink, dialogs) {}
  void Load(const SetupDocument& workingCopy) override { editor.Load(workingCopy); }
  void Open(bool) override { editor.Open({740, 263}, {48, 263}); }
  bool IsOpen() const override { return editor.IsOpen(); }
  void Close() override { editor.Closed(); }
  void SetOffline(bool) override {}
  void Refresh() override { editor.Refresh(); }
  const SetupDocument& Data() const override { return editor.Data(); }
  int SelectedGroup() const override { return editor.SelectedGroup(); }
  int SelectedSide() const override { return editor.SelectedSide(); }

  CrossoverEditor editor;

 private:
  Canvas& GraphCanvas() override { return canvas_; }
  Canvas& LegendCanvas() override { return canvas_; }
  void SetMouseCapture(bool) override {}
  void MoveFocus(CrossoverFocus) override {}
  NullCanvas canvas_;
};

struct CrossoverFrames : FormFixture {
  QueuedRequests requests;
  EditorWindow window{requests, dialogs};
  CrossoverEditor& editor = window.editor;

  void SetUp() override {
    requests.form = &form;
    windows.Install(FunctionWindow::Crossover, window);
    windows.onPresence = [this](const GroupPresence& p) { editor.SetPresence(p); };
    ConnectNow();
    form.PressFunctionButton(FunctionButton::Divider);
    ASSERT_TRUE(window.IsOpen());
    line.ClearTraffic();
  }

  // Runs a window action, delivers its requests and returns the frames they sent.
  Strings Act(const std::function<void()>& action) {
    line.ClearTraffic();
    action();
    requests.Deliver();
    EXPECT_TRUE(dialogs.messages.empty());
    return Sent();
  }

  // Every output of every group holds the level and filters of the set the window's mode gives
  // it (Center: its one set; a switched-off output: 96).
  void ExpectProcessorShowsTheWindow() {
    const auto mode = static_cast<CrossoverSet>(editor.SelectedSide());
    auto codes = [](double slope, int code) {
      return FilterCodes{static_cast<std::uint8_t>(SlopeCode(slope)), static_cast<std::uint8_t>(code)};
    };
    for (int g = 0; g < kSpeakerGroupCount; ++g) {
      const auto group = static_cast<SpeakerGroup>(g);
      for (int side : {1, 2}) {
        const bool separate = mode != CrossoverSet::Common && group != SpeakerGroup::Center;
        const CrossoverRec& rec = editor.Data().crossover[g][separate ? side : 0];
        const auto out = static_cast<std::size_t>(Index(GroupOutput(group, side)));
        SCOPED_TRACE(testing::Message() << "output " << out);
        EXPECT_EQ(Processor().levelCodes[out],
                  LevelCode(rec.level, session.document.speakerSwitch[out] != 0));
        EXPECT_EQ(Processor().lowPass[out], codes(rec.lpfSlope, rec.lpfCode));
        EXPECT_EQ(Processor().highPass[out], codes(rec.hpfSlope, rec.hpfCode));
      }
    }
  }
};

}  // namespace

TEST_F(CrossoverFrames, EachEditSendsItsOutputsAndTheProcessorEndsAsTheWindowShows) {
  // Common: both outputs of the group; Center is one output, sent as both sides.
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  EXPECT_EQ(Act([&] { editor.LevelChosen(3); }), (Strings{"B 7 9", "B 8 9"}));
  EXPECT_EQ(Act([&] { editor.LpfSlopeChosen(2); }),
            (Strings{"C 7 1 2 60", "C 8 1 2 60", "C 7 0 0 0", "C 8 0 0 0"}));
  editor.SelectChannel(Index(SpeakerGroup::Center));
  EXPECT_EQ(Act([&] { editor.LevelChosen(12); }), (Strings{"B 6 0", "B 6 0"}));
  ExpectProcessorShowsTheWindow();

  // R ch: everything again from each side's own set, then the levels of both sides and the
  // filters of the right output alone.
  editor.SelectChannel(Index(SpeakerGroup::FrontLow));
  const Strings all = Act([&] { editor.SelectSet(Index(CrossoverSet::R)); });
  ASSERT_EQ(all.size(), 2u + 6u * (2u + 4u));
  EXPECT_EQ(Strings(all.begin(), all.begin() + 4), (Strings{"B 4 12", "B 5 12", "B 0 12", "B 1 12"}));
  EXPECT_EQ(Act([&] { editor.LevelChosen(6); }), (Strings{"B 4 12", "B 5 6"}));
  EXPECT_EQ(Act([&] { editor.LpfSlopeChosen(4); }), (Strings{"C 5 1 4 26", "C 5 0 0 0"}));

  // Center ignores the L/R mode; the other groups keep it while Center is edited.
  editor.SelectChannel(Index(SpeakerGroup::Center));
  EXPECT_EQ(Act([&] { editor.LpfSlopeChosen(1); }),
            (Strings{"C 6 1 1 60", "C 6 1 1 60", "C 6 0 0 0", "C 6 0 0 0"}));
  EXPECT_EQ(form.CurrentSide(), Index(CrossoverSet::R));
  ExpectProcessorShowsTheWindow();

  // A speaker switched off while the window is open: its output goes to 96 and stays there.
  form.PressSpeaker(OutputChannel::RearR);
  form.ApplySpeakerSwitches();
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  EXPECT_EQ(Act([&] { editor.LevelChosen(2); }), (Strings{"B 7 12", "B 8 96"}));
  ExpectProcessorShowsTheWindow();
  EXPECT_EQ(session.document.crossover, editor.Data().crossover);
}

TEST_F(CrossoverFrames, TwoChangesHeldWhileTheAnalyzerReadsBothReachTheProcessor) {
  form.PressFunctionButton(FunctionButton::Spectrum);
  ASSERT_TRUE(form.AnalyzerOpen());
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  pump.onPump = [this, done = false]() mutable {
    if (done || !form.Link().linkBusy) return;
    done = true;
    editor.LpfSlopeChosen(3);  // Filter, remembered while the levels are read
    editor.SelectChannel(Index(SpeakerGroup::SubWoofer));
    editor.LevelChosen(4);  // Level of another group displaces it
    requests.Deliver();
    EXPECT_EQ(form.Link().pending.arg1, 33);
  };
  timers.RunFor(1000);
  EXPECT_FALSE(form.Link().pending.valid);
  ExpectProcessorShowsTheWindow();
}
