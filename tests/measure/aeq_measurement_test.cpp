// The automatic EQ through the main form and the simulated processor, in virtual time.
#include <gtest/gtest.h>

#include "form/form_texts.h"
#include "link/connect_sequence.h"
#include "measure/measurement_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using formtest::Count;
using C = OutputChannel;

class AeqMeasurementTest : public measuretest::MeasureFixture {
 protected:
  // The frames from "T 0" on.
  Strings FromMeasurement() {
    const Strings all = Sent();
    return Strings(std::find(all.begin(), all.end(), "T 0"), all.end());
  }
  // The dialog is gone, the automatic EQ off and the form free again.
  void ExpectClosedAndFree() {
    EXPECT_EQ(std::tuple(form.AeqSwitchOn(), session.document.aeqActive, aeqView.open, aeqView.waitCursor,
                         form.Link().linkBusy, form.FunctionButtonEnabled(FunctionButton::Spectrum)),
              std::tuple(false, 0, false, false, false, true));
  }
  // Also every switch an abort turns off.
  void ExpectAbortedAndFree() {
    EXPECT_EQ(std::tuple(form.FunctionSwitchOn(FunctionSwitch::Parametric),
                         form.FunctionSwitchOn(FunctionSwitch::Graphic),
                         form.FunctionSwitchOn(FunctionSwitch::TimeCorrection)),
              std::tuple(false, false, false));
    ExpectClosedAndFree();
  }
};

TEST_F(AeqMeasurementTest, SubWoofersOnlyWithStatus8RunsWithTheModeTheDialogWasGiven) {
  for (int c = 0; c < Index(C::SubWooferL); ++c) form.PressSpeaker(static_cast<C>(c));
  form.ApplySpeakerSwitches();
  line.ClearTraffic();
  line.Processor().Config().idleStatus = '4';  // status 8
  form.SetAeqMode(kAeqModeFrontOffSubOn);
  form.PressFunctionButton(FunctionButton::AutoEq);
  ASSERT_TRUE(aeqView.open);
  // The dialog holds the link.
  EXPECT_TRUE(form.Link().linkBusy);
  EXPECT_FALSE(form.FunctionButtonEnabled(FunctionButton::Spectrum));
  for (int mode : AeqStart::kModes) EXPECT_FALSE(Dialog().ModeEnabled(mode)) << mode;

  Dialog().PressStart();
  requests.Deliver();
  const Strings sent = Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(Strings(sent.begin(), sent.begin() + 3), (Strings{"N", "S 112 1 113 0", "T 0"}));
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Finished);
  EXPECT_EQ(session.document.aeqMode, kAeqModeFrontOffSubOn);
}

TEST_F(AeqMeasurementTest, AFinishedRunTakesTheDelaysAndLeavesTheAutomaticEqOn) {
  form.SetFunctionSwitch(FunctionSwitch::TimeCorrection, false);
  line.Processor().Config().measurePolls = 2400 + 88 + 3;
  line.ClearTraffic();
  int lastPosition = 0;
  whilePumping = [&] { lastPosition = std::max(lastPosition, Dialog().Position()); };
  RunAeq();

  const Strings tail = FromMeasurement();
  ASSERT_EQ(tail.size(), 1u + 2492 + 13);
  EXPECT_EQ(Count(tail, 'N'), 2492);  // every poll that found it measuring, and the last
  EXPECT_EQ(tail.back(), "R 1 12");
  EXPECT_EQ(Sent()[1], "S 112 1 115 0");  // status 11, everything on
  EXPECT_EQ(lastPosition, 101);  // 2400 polls fill the first half, 88 more the first step of the second
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Finished);

  const SetupDocument& doc = session.document;
  EXPECT_DOUBLE_EQ(doc.channelDelay[Index(C::RearL)], 6.0);
  EXPECT_EQ(std::pair(doc.aeqMode, doc.aeqActive), std::pair(kAeqModeFrontOnSubOn, 1));
  EXPECT_TRUE(form.AeqSwitchOn());
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  EXPECT_TRUE(form.MeasuredSinceStart());
  EXPECT_FALSE(aeqView.open);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_FALSE(form.AeqSaveChecked());  // "AEQ PARAMETER SAVE" answered CANCEL
}

TEST_F(AeqMeasurementTest, TheParameterWordsReachTheDocument) {
  dialogs.aeqSave = true;
  RunAeq();
  const Strings tail = FromMeasurement();
  EXPECT_EQ(Count(tail, 'J'), 2048);
  EXPECT_EQ(tail.back(), "J 2 1023");
  EXPECT_EQ(parameter.texts.back(), kAeqParameterLoadText);
  EXPECT_FALSE(parameter.open);
  EXPECT_EQ(session.document.aeqParametersSaved, 1);
  EXPECT_TRUE(form.AeqSaveChecked());
  EXPECT_EQ(session.document.aeqParameters[5],
            static_cast<std::int32_t>(ProcessorSimulator::MeasuredParameterWord(1, 5)));
  EXPECT_EQ(session.document.aeqParameters[1024 + 1023],
            static_cast<std::int32_t>(ProcessorSimulator::MeasuredParameterWord(2, 1023)));
}

TEST_F(AeqMeasurementTest, ACablePulledDuringTheParameterReadLeavesTheOldWordsAndFreesTheForm) {
  session.document.aeqParameters[3] = 77;
  dialogs.aeqSave = true;
  dialogs.whileAeqSaveOpen = [this](const std::function<void()>&) {
    line.Faults().silentAfterFrames = 2 * 10;  // ten words of each set, then nothing
  };
  RunAeq();
  EXPECT_EQ(dialogs.messages, Strings{"CHKSUM ERROR 10"});
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::LineFailed);
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(parameter.open);
  EXPECT_EQ(std::pair(session.document.aeqParameters[3], session.document.aeqParametersSaved),
            std::pair(77, 0));
  EXPECT_DOUBLE_EQ(session.document.channelDelay[Index(C::Center)], 3.7);  // measured before
  ExpectClosedAndFree();
}

TEST_F(AeqMeasurementTest, StatusSixEndsTheRunWithEveryEqualizerAndTimeCorrectionOff) {
  form.PressFunctionButton(FunctionButton::AutoEq);
  Dialog().PressStart();
  line.Faults().statusOverride = 'S';
  requests.Deliver();
  EXPECT_EQ(FromMeasurement(), (Strings{"T 0", "N"}));
  EXPECT_EQ(dialogs.messages, Strings{kSettingErrorText});
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::ProcessorFailed);
  EXPECT_TRUE(form.Link().portOpen);
  ExpectAbortedAndFree();
}

TEST_F(AeqMeasurementTest, CancelWhileAPollWaitsStopsTheProcessorAndAborts) {
  line.Processor().Config().measurePolls = 50;
  whilePumping = [&] {
    if (Measurement().running && Measurement().pollsLeft == 40) Dialog().PressCancel();
  };
  RunAeq();
  const Strings tail = FromMeasurement();
  ASSERT_GE(tail.size(), 3u);
  EXPECT_EQ(Strings(tail.end() - 2, tail.end()), (Strings{"S 112 1 96 0", "N"}));
  EXPECT_EQ(Count(tail, 'R'), 0);
  EXPECT_FALSE(Measurement().running);
  EXPECT_EQ(form.AeqMode(), 0x60);
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Cancelled);
  ExpectAbortedAndFree();
}

TEST_F(AeqMeasurementTest, TheStatusTimerLeavesThePollsAloneOnceStartIsPressed) {
  // A tick of the status timer comes with "CANCEL", while a poll waits on the line.
  line.Processor().Config().measurePolls = 50;
  whilePumping = [&] {
    if (!Measurement().running || Measurement().pollsLeft != 40 || !Dialog().Running()) return;
    Dialog().PressCancel();
    form.OnTimer(SetupForm::kStatusTimer);
  };
  RunAeq();
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Cancelled);
  EXPECT_TRUE(dialogs.messages.empty());
  const Strings sent = Sent();
  EXPECT_EQ(Strings(sent.end() - 2, sent.end()), (Strings{"S 112 1 96 0", "N"}));
}

TEST_F(AeqMeasurementTest, ALineThatDiesWhilePollingClosesTheSpectrumWindow) {
  form.PressFunctionButton(FunctionButton::Spectrum);
  line.Processor().Config().measurePolls = 50;
  whilePumping = [&] { line.Faults().silent = Measurement().running && Measurement().pollsLeft <= 40; };
  RunAeq();
  EXPECT_EQ(dialogs.messages, Strings{kPortNotConnectText});
  EXPECT_FALSE(spectrum.open);
  // After connecting again its button opens it.
  whilePumping = nullptr;
  line.Faults().silent = false;
  ConnectNow();
  form.PressFunctionButton(FunctionButton::Spectrum);
  EXPECT_TRUE(spectrum.open);
}

TEST_F(AeqMeasurementTest, CancelBeforeStartOrOffWhileTheDialogIsOpenMeasuresNothing) {
  form.PressFunctionButton(FunctionButton::AutoEq);
  Dialog().PressCancel();
  requests.Deliver();
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Tidied);
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::Parametric));  // the switches are left alone
  ExpectClosedAndFree();

  // Off is remembered while the dialog holds the link, and runs instead of the measurement.
  line.ClearTraffic();
  form.PressFunctionButton(FunctionButton::AutoEq);
  form.Disconnect();
  EXPECT_TRUE(form.Link().portOpen);
  Dialog().PressStart();
  requests.Deliver();
  EXPECT_EQ(Sent(), (Strings{"N", "S 96 0 96 0"}));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(form.Link().portOpen);
  ExpectClosedAndFree();
}

TEST_F(AeqMeasurementTest, StartDuringTheDialogsKeepAliveRunsOnceTheQueryIsDone) {
  form.PressFunctionButton(FunctionButton::AutoEq);
  bool pressed = false;
  whilePumping = [&] {
    if (!pressed && !Dialog().Running()) {
      pressed = true;
      Dialog().PressStart();
    }
  };
  timers.RunFor(SetupForm::kStatusIntervalMs);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Finished);
  const Strings sent = Sent();
  ASSERT_GE(sent.size(), 4u);
  EXPECT_EQ(Strings(sent.begin(), sent.begin() + 4), (Strings{"N", "N", "S 112 1 115 0", "T 0"}));
  const auto& counters = line.State().counters;
  EXPECT_EQ(counters.rejected + counters.checksumErrors + counters.dropped, 0);
}

TEST_F(AeqMeasurementTest, AfterARunTheSwitchAsksWhichParametersToApply) {
  RunAeq();
  form.SetAeqSwitch(false);

  // "PARAMETER SELECT" left alone: the switch falls back off and nothing but the query is sent.
  line.ClearTraffic();
  dialogs.aeqSource = Dialogs::AeqParameterSource::None;
  form.SetAeqSwitch(true);
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_FALSE(form.AeqSwitchOn());
  EXPECT_FALSE(form.AeqApplied());

  dialogs.aeqSource = Dialogs::AeqParameterSource::Processor;
  form.SetAeqSwitch(true);
  EXPECT_TRUE(form.AeqApplied());
}

}  // namespace
