// The crossover editor on the real form and the simulated processor: every edit reaches the
// processor as the frames the window's request asks for, and afterwards the processor holds
// exactly what the window shows.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_editor.h"
#include "form/form_test_support.h"

namespace {

using namespace formtest;
using Strings = std::vector<std::string>;

// Posted requests wait until Deliver, as window messages wait for the handler to return.
class QueuedRequests : public FormRequestSink {
 public:
  void Post(const FormRequest& r) override { queue.push_back(r); }
  void Send(const FormRequest& r) override { form->HandleRequest(r); }
  void Deliver() {
    while (!queue.empty()) {
      const FormRequest r = queue.front();
      queue.pop_front();
      form->HandleRequest(r);
    }
  }
  SetupForm* form = nullptr;
  std::deque<FormRequest> queue;
};

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
    const CrossoverTable& records = editor.Data().crossover;
    const auto mode = static_cast<CrossoverSet>(editor.SelectedSide());
    const ProcessorSettings& p = Processor();
    for (int g = 0; g < kSpeakerGroupCount; ++g) {
      const auto group = static_cast<SpeakerGroup>(g);
      for (int side : {1, 2}) {
        const bool separate = mode != CrossoverSet::Common && group != SpeakerGroup::Center;
        const CrossoverRec& rec = records[g][separate ? side : 0];
        const auto out = static_cast<std::size_t>(Index(GroupOutput(group, side)));
        const bool on = session.document.speakerSwitch[out] != 0;
        EXPECT_EQ(p.levelCodes[out], LevelCode(rec.level, on)) << "output " << out;
        EXPECT_EQ(p.lowPass[out], (FilterCodes{static_cast<std::uint8_t>(SlopeCode(rec.lpfSlope)),
                                               static_cast<std::uint8_t>(rec.lpfCode)}))
            << "output " << out;
        EXPECT_EQ(p.highPass[out], (FilterCodes{static_cast<std::uint8_t>(SlopeCode(rec.hpfSlope)),
                                                static_cast<std::uint8_t>(rec.hpfCode)}))
            << "output " << out;
      }
    }
  }
};

}  // namespace

TEST_F(CrossoverFrames, CommonModeSendsBothOutputsOfTheGroup) {
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  EXPECT_EQ(Act([&] { editor.LevelChosen(3); }), (Strings{"B 7 9", "B 8 9"}));
  EXPECT_EQ(Act([&] { editor.LpfSlopeChosen(2); }),
            (Strings{"C 7 1 2 60", "C 8 1 2 60", "C 7 0 0 0", "C 8 0 0 0"}));
  EXPECT_EQ(Act([&] { editor.LpfSliderMoved(40); }),
            (Strings{"C 7 1 2 40", "C 8 1 2 40", "C 7 0 0 0", "C 8 0 0 0"}));
  // Up at 0 dB still asks for the level; Down steps it.
  EXPECT_EQ(Act([&] { editor.StepLevel(-1); }), (Strings{"B 7 8", "B 8 8"}));
  // Center is one output, sent as both sides.
  editor.SelectChannel(Index(SpeakerGroup::Center));
  EXPECT_EQ(Act([&] { editor.LevelChosen(12); }), (Strings{"B 6 0", "B 6 0"}));
  EXPECT_EQ(Act([&] { editor.HpfSlopeChosen(5); }),
            (Strings{"C 6 1 0 60", "C 6 1 0 60", "C 6 0 5 0", "C 6 0 5 0"}));
  ExpectProcessorShowsTheWindow();
  EXPECT_EQ(session.document.crossover, editor.Data().crossover);
}

TEST_F(CrossoverFrames, SeparateModeSendsEachSidesOwnSetAndCenterStaysMono) {
  editor.SelectChannel(Index(SpeakerGroup::FrontLow));
  const Strings all = Act([&] { editor.SelectSet(Index(CrossoverSet::R)); });
  ASSERT_EQ(all.size(), 2u + 6u * (2u + 4u));  // Level, then All: per group two levels, four filters
  EXPECT_EQ(Strings(all.begin(), all.begin() + 4), (Strings{"B 4 12", "B 5 12", "B 0 12", "B 1 12"}));
  EXPECT_EQ(Strings(all.begin() + 4, all.begin() + 8),
            (Strings{"C 0 1 0 60", "C 0 0 3 46", "C 1 1 0 60", "C 1 0 3 46"}));

  // R ch: the right output alone, with the R set.
  EXPECT_EQ(Act([&] { editor.LevelChosen(6); }), (Strings{"B 4 12", "B 5 6"}));
  EXPECT_EQ(Act([&] { editor.LpfSlopeChosen(4); }), (Strings{"C 5 1 4 26", "C 5 0 0 0"}));
  EXPECT_EQ(Act([&] { editor.SelectSet(Index(CrossoverSet::L)); }).size(), 2u + 36u);
  EXPECT_EQ(Act([&] { editor.HpfSlopeChosen(1); }), (Strings{"C 4 1 0 26", "C 4 0 1 0"}));

  // A drag of the level handle: nothing while it is held, the level on release.
  const CurvePoint level = editor.Handles(SpeakerGroup::FrontLow)[CrossoverEditor::kLevelHandle];
  EXPECT_TRUE(Act([&] {
                editor.GraphPress({level.x, level.y});
                editor.GraphMove({level.x, level.y + 40});
              }).empty());
  EXPECT_EQ(Act([&] { editor.GraphRelease(); }), (Strings{"B 4 11", "B 5 6"}));

  // Center ignores the L/R mode; the other groups keep it while Center is edited.
  editor.SelectChannel(Index(SpeakerGroup::Center));
  EXPECT_EQ(Act([&] { editor.LpfSlopeChosen(1); }),
            (Strings{"C 6 1 1 60", "C 6 1 1 60", "C 6 0 0 0", "C 6 0 0 0"}));
  EXPECT_EQ(form.CurrentSide(), Index(CrossoverSet::L));
  ExpectProcessorShowsTheWindow();

  // A speaker switched off while the window is open: its output goes to 96 and stays there.
  form.PressSpeaker(OutputChannel::RearL);
  form.ApplySpeakerSwitches();
  editor.SelectChannel(Index(SpeakerGroup::Rear));
  EXPECT_EQ(Act([&] { editor.LevelChosen(2); }), (Strings{"B 7 96", "B 8 12"}));
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
