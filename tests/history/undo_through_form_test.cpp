#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "crossover/crossover_update.h"
#include "form/form_test_support.h"
#include "form/form_texts.h"
#include "history/history_log.h"

namespace {

using formtest::FormFixture;

struct UndoFixture : FormFixture {
  HistoryLog history;
  UndoFixture() { form.Recorder().SetSink(&history); }

  // The edit's step undone and redone: the document and the processor go back to what they
  // held before it and forward to what they held after it, and the redo sends the edit's frames.
  void ExpectUndoAndRedo(const std::function<void()>& edit, bool oneValue) {
    const SetupDocument before = session.document;
    const ProcessorSettings processorBefore = Processor();
    const std::size_t steps = history.index;
    line.ClearTraffic();
    edit();
    ASSERT_EQ(history.index, steps + 1) << "the edit is one step";
    const SetupDocument after = session.document;
    const ProcessorSettings processorAfter = Processor();
    const std::vector<std::string> editFrames = Sent();

    line.ClearTraffic();
    history.Undo(form);
    EXPECT_EQ(ChangedParts(session.document, before), kNoParts);
    EXPECT_EQ(Processor(), processorBefore);
    EXPECT_EQ(ChangedParts(peq.data, before) & static_cast<SetupParts>(SetupPart::Parametric), kNoParts)
        << "the windows show what was put back";
    EXPECT_EQ(ChangedParts(tcr.data, before) & static_cast<SetupParts>(SetupPart::TimeCorrection), kNoParts);

    line.ClearTraffic();
    history.Redo(form);
    EXPECT_EQ(ChangedParts(session.document, after), kNoParts);
    EXPECT_EQ(Processor(), processorAfter);
    // One value goes as its edit sent it; several go band by band where the edit sent a whole set.
    if (oneValue) {
      EXPECT_EQ(Sent(), editFrames);
    }
  }

  // What a window hands back: the working copy with one change.
  void Hand(formtest::FakeWindow& window, const std::function<void(SetupDocument&)>& change) {
    window.data = form.WorkingCopy();
    change(window.data);
  }
};

TEST_F(UndoFixture, EveryKindOfChangeIsOneStepThatGoesBackAndForthOnTheProcessor) {
  ConnectNow();
  struct Case {
    const char* what;
    std::function<void(UndoFixture&)> edit;
  };
  const std::vector<Case> cases = {
      {"parametric band",
       [](UndoFixture& f) {
         f.Hand(f.peq, [](SetupDocument& d) { d.peqBands[0][0][2].gain = -3.0f; });
         f.form.HandleRequest({FormMessage::PeqSend, 1, 2});
       }},
      {"every parametric band of a group",
       [](UndoFixture& f) {
         f.Hand(f.peq, [](SetupDocument& d) {
           for (int b = 0; b < kPeqBandCount; ++b) d.peqBands[1][0][b].gain = -1.0f;
         });
         f.form.HandleRequest({FormMessage::PeqSend, 1, 33});
       }},
      {"crossover level",
       [](UndoFixture& f) {
         f.xover.group = 3;
         f.Hand(f.xover, [](SetupDocument& d) { d.crossover[3][0].level = -4; });
         f.form.HandleRequest({FormMessage::CrossoverSend, 1, static_cast<int>(CrossoverUpdate::Level)});
       }},
      {"crossover filter",
       [](UndoFixture& f) {
         f.xover.group = 0;
         f.Hand(f.xover, [](SetupDocument& d) { d.crossover[0][0].hpfSlope = -12.0; });
         f.form.HandleRequest({FormMessage::CrossoverSend, 1, static_cast<int>(CrossoverUpdate::Filter)});
       }},
      {"delay",
       [](UndoFixture& f) {
         f.Hand(f.tcr, [](SetupDocument& d) { d.channelDelay[2] = 3.5; });
         f.form.HandleRequest({FormMessage::TcrSend, 0, 2});
       }},
      {"phase",
       [](UndoFixture& f) {
         f.Hand(f.tcr, [](SetupDocument& d) { d.channelPhase[9] = 1; });
         f.form.HandleRequest({FormMessage::TcrSend, 0, 9});
       }},
      {"speaker switch",
       [](UndoFixture& f) {
         f.form.PressSpeaker(OutputChannel::RearL);
         f.form.ApplySpeakerSwitches();
       }},
      {"sub-woofer mode", [](UndoFixture& f) { f.form.SetSubWooferMode(1); }},
      {"divider switch", [](UndoFixture& f) { f.form.SetFunctionSwitch(FunctionSwitch::Divider, false); }},
      {"graphic switch, which turns the parametric one off",
       [](UndoFixture& f) { f.form.SetFunctionSwitch(FunctionSwitch::Graphic, true); }},
      {"graphic band",
       [](UndoFixture& f) {
         f.Hand(f.geq, [](SetupDocument& d) { d.geqBands[1][0][12].gain = 4.0f; });
         f.geq.group = 1;
         f.form.HandleRequest({FormMessage::GeqSend, 1, 12});
       }},
      {"profile", [](UndoFixture& f) { f.form.ProfileData(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectUndoAndRedo([&] { c.edit(*this); }, std::string(c.what) != "every parametric band of a group");
  }
  EXPECT_EQ(history.steps[0].text.empty() ? StepText(history.steps[0]) : history.steps[0].text,
            "Parametric EQ Front Common band 3");
}

TEST_F(UndoFixture, WhatChangesNothingIsNoStepAndLeavesTheMarkAlone) {
  // A window opened and closed, a refused edit taken back: the data comes back as it was.
  Hand(peq, [](SetupDocument&) {});
  form.HandleRequest({FormMessage::PeqClose, 0, 0});
  Hand(tcr, [](SetupDocument&) {});
  form.HandleRequest({FormMessage::TcrSend, 0, 4});
  form.ProfileData();  // the dialog changes the city
  dialogs.copyOk = false;
  form.Copy(CopyTarget::ParametricEq);
  EXPECT_EQ(history.steps.size(), 1u);
  EXPECT_EQ(StepText(history.steps[0]), "Profile Data");

  // Steps only reach the modified mark through the history; New starts both again.
  session.New();
  form.InitialUpdate();
  EXPECT_FALSE(session.IsModified());
  EXPECT_TRUE(history.steps.empty());
  Hand(peq, [](SetupDocument&) {});
  form.HandleRequest({FormMessage::PeqClose, 0, 0});
  EXPECT_FALSE(session.IsModified());
}

TEST_F(UndoFixture, ADragIsOneStepAndAnAutomaticRunsResultAnother) {
  ConnectNow();
  const ProcessorSettings before = Processor();
  form.Recorder().BeginGroup();
  form.HandleRequest({FormMessage::PeqSend, 0, 4});  // the drag begins
  for (float gain : {1.0f, 2.0f, 3.0f}) {
    Hand(peq, [gain](SetupDocument& d) { d.peqBands[0][0][4].gain = gain; });
    form.HandleRequest({FormMessage::PeqSend, 1, 4});
  }
  form.Recorder().EndGroup();
  ASSERT_EQ(history.steps.size(), 1u);
  history.Undo(form);
  EXPECT_EQ(session.document.peqBands[0][0][4].gain, 0.0f);
  EXPECT_EQ(Processor(), before);

  // COPY offline: one step, named, and the switches it turned off come back with the values.
  form.Disconnect();
  peq.side = 1;
  Hand(peq, [](SetupDocument& d) { d.peqBands[0][1][0].gain = 5.0f; });
  form.HandleRequest({FormMessage::PeqSend, 1, 0});
  form.Copy(CopyTarget::ParametricEq);
  EXPECT_EQ(session.document.peqBands[0][1][0].gain, 0.0f);
  EXPECT_FALSE(form.FunctionSwitchOn(FunctionSwitch::Parametric));
  EXPECT_EQ(history.steps.back().text, kCopyStepText);
  history.Undo(form);
  EXPECT_EQ(session.document.peqBands[0][1][0].gain, 5.0f);
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::Parametric));

  // An automatic run's results, however many it stores, are one step named after the run.
  const std::size_t steps = history.index;
  ConnectNow();
  form.Recorder().BeginGroup();
  MeasurementResults results;
  results.delaySteps[3] = 25;
  form.StoreAeqMode(97);
  form.StoreMeasurement(results);
  form.Recorder().EndGroup();
  EXPECT_EQ(history.index, steps + 1);
}

TEST_F(UndoFixture, ABusyLinkRefusesAStepAndChangesNothing) {
  ConnectNow();
  EXPECT_EQ(form.StepBlocked(), "");
  form.SetLinkBusy(true);
  EXPECT_EQ(form.StepBlocked(), kStepBusyNote);
  form.SetLinkBusy(false);
  // Offline every step goes back in the document alone, as an offline edit does.
  Hand(tcr, [](SetupDocument& d) { d.channelDelay[0] = 2.0; });
  form.HandleRequest({FormMessage::TcrSend, 0, 0});
  form.Disconnect();
  form.SetLinkBusy(true);
  EXPECT_EQ(form.StepBlocked(), "");
  form.SetLinkBusy(false);
  line.ClearTraffic();
  history.Undo(form);
  EXPECT_EQ(session.document.channelDelay[0], 0.0);
  EXPECT_TRUE(line.Sent().empty());
}

}  // namespace
