// The automatic EQ through the main form and the simulated processor, in virtual time.
#include <gtest/gtest.h>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/setup_file.h"
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
    auto it = std::find(all.begin(), all.end(), "T 0");
    return Strings(it, all.end());
  }
  // Every switch an abort turns off is off, and the form is free again.
  void ExpectAbortedAndFree() {
    for (FunctionSwitch s :
         {FunctionSwitch::Parametric, FunctionSwitch::Graphic, FunctionSwitch::TimeCorrection}) {
      EXPECT_FALSE(form.FunctionSwitchOn(s)) << static_cast<int>(s);
    }
    ExpectClosedAndFree();
  }
  void ExpectClosedAndFree() {
    EXPECT_FALSE(form.AeqSwitchOn());
    EXPECT_EQ(session.document.aeqActive, 0);
    EXPECT_FALSE(aeqView.open);
    EXPECT_FALSE(aeqView.waitCursor);
    EXPECT_FALSE(form.Link().linkBusy);
    EXPECT_TRUE(form.FunctionButtonEnabled(FunctionButton::Spectrum));
  }
};

TEST_F(AeqMeasurementTest, SubWoofersOnlyWithStatus8RunsWithTheModeTheDialogWasGiven) {
  SpeakersOff({C::FrontHighL, C::FrontHighR, C::FrontMidL, C::FrontMidR, C::FrontLowL, C::FrontLowR,
               C::Center, C::RearL, C::RearR});
  line.Processor().Config().idleStatus = '4';  // status 8
  form.SetAeqMode(kAeqModeFrontOffSubOn);
  form.PressFunctionButton(FunctionButton::AutoEq);
  ASSERT_TRUE(aeqView.open);
  EXPECT_TRUE(form.Link().linkBusy);
  EXPECT_FALSE(form.FunctionButtonEnabled(FunctionButton::Spectrum));
  for (int mode : AeqStart::kModes) EXPECT_FALSE(Dialog().ModeEnabled(mode)) << mode;

  Dialog().PressStart();
  requests.Deliver();
  const Strings sent = Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[0], "N");
  EXPECT_EQ(sent[1], "S 112 1 113 0");
  EXPECT_EQ(sent[2], "T 0");
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Finished);
  EXPECT_EQ(session.document.aeqMode, kAeqModeFrontOffSubOn);
}

TEST_F(AeqMeasurementTest, AFinishedRunTakesTheDelaysAndLeavesTheAutomaticEqOn) {
  form.SetFunctionSwitch(FunctionSwitch::TimeCorrection, false);
  line.Processor().Config().measurePolls = 2400 + 88 + 3;
  line.ClearTraffic();
  form.PressFunctionButton(FunctionButton::AutoEq);
  EXPECT_EQ(Dialog().Mode(), kAeqModeFrontOnSubOn);  // status 11, everything on
  Dialog().PressStart();
  int lastPosition = 0;
  whilePumping = [&] { lastPosition = std::max(lastPosition, Dialog().Position()); };
  requests.Deliver();

  const Strings tail = FromMeasurement();
  ASSERT_EQ(tail.size(), 1u + 2492 + 13);
  EXPECT_EQ(Count(tail, 'N'), 2492);  // every poll that found it measuring, and the last
  EXPECT_EQ(tail.back(), "R 1 12");
  EXPECT_EQ(Sent()[1], "S 112 1 115 0");
  EXPECT_EQ(lastPosition, 101);  // 2400 polls fill the first half, 88 more the first step of the second
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Finished);

  // The measured delays and values, in the working copy and the document alike.
  for (const SetupDocument* d : {&form.WorkingCopy(), static_cast<const SetupDocument*>(&session.document)}) {
    EXPECT_DOUBLE_EQ(d->channelDelay[Index(C::Center)], 3.7);
    EXPECT_DOUBLE_EQ(d->channelDelay[Index(C::RearL)], 6.0);
    EXPECT_DOUBLE_EQ(d->channelDelay[Index(C::FrontHighL)], 0.0);
    EXPECT_EQ(d->measuredValue1, 17);
    EXPECT_EQ(d->measuredValue2, 42);
  }
  EXPECT_EQ(session.document.aeqMode, kAeqModeFrontOnSubOn);
  EXPECT_TRUE(session.IsModified());
  EXPECT_TRUE(form.AeqSwitchOn());
  EXPECT_EQ(session.document.aeqActive, 1);
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  EXPECT_TRUE(form.FunctionButtonEnabled(FunctionButton::TimeCorrection));
  EXPECT_TRUE(form.MeasuredSinceStart());
  EXPECT_FALSE(aeqView.open);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_FALSE(form.AeqSaveChecked());  // "AEQ PARAMETER SAVE" answered CANCEL

  // The time-correction window opens on the measured delays.
  form.PressFunctionButton(FunctionButton::TimeCorrection);
  EXPECT_TRUE(tcr.open);
  EXPECT_DOUBLE_EQ(tcr.data.channelDelay[Index(C::Center)], 3.7);
}

TEST_F(AeqMeasurementTest, TheParameterWordsReachTheDocumentAndTheSavedFile) {
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
  EXPECT_EQ(form.WorkingCopy().aeqParameters, session.document.aeqParameters);

  TempDir dir;
  RecordingDialogs quiet;
  ASSERT_TRUE(SetupFile::Save(dir.File("car.tvn"), session.document, quiet));
  SetupDocument back;
  ASSERT_TRUE(SetupFile::Succeeded(SetupFile::Load(dir.File("car.tvn"), back, quiet)));
  EXPECT_EQ(back.aeqParameters, session.document.aeqParameters);
  EXPECT_EQ(back.channelDelay, session.document.channelDelay);
  EXPECT_EQ(back.aeqParametersSaved, 1);
  EXPECT_EQ(back.aeqMode, kAeqModeFrontOnSubOn);
  EXPECT_EQ(back.measuredValue2, 42);
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
  EXPECT_EQ(session.document.aeqParameters[3], 77);
  EXPECT_EQ(session.document.aeqParametersSaved, 0);
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
  ExpectAbortedAndFree();
  EXPECT_TRUE(form.Link().portOpen);
}

TEST_F(AeqMeasurementTest, CancelWhileAPollWaitsStopsTheProcessorAndAborts) {
  line.Processor().Config().measurePolls = 50;
  form.PressFunctionButton(FunctionButton::AutoEq);
  Dialog().PressStart();
  whilePumping = [&] {
    if (Measurement().running && Measurement().pollsLeft == 40) Dialog().PressCancel();
  };
  requests.Deliver();
  const Strings tail = FromMeasurement();
  ASSERT_GE(tail.size(), 3u);
  EXPECT_EQ(tail[tail.size() - 2], "S 112 1 96 0");
  EXPECT_EQ(tail.back(), "N");
  EXPECT_EQ(Count(tail, 'R'), 0);
  EXPECT_FALSE(Measurement().running);
  EXPECT_EQ(form.AeqMode(), 0x60);
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Cancelled);
  ExpectAbortedAndFree();
}

TEST_F(AeqMeasurementTest, CancelBeforeStartSendsNothingAndLeavesTheSwitchesAlone) {
  form.PressFunctionButton(FunctionButton::AutoEq);
  Dialog().PressCancel();
  requests.Deliver();
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_EQ(runs.LastAeqOutcome(), AeqOutcome::Tidied);
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::Parametric));
  ExpectClosedAndFree();
}

TEST_F(AeqMeasurementTest, OffWhileTheDialogIsOpenDisconnectsInsteadOfMeasuring) {
  form.PressFunctionButton(FunctionButton::AutoEq);
  form.Disconnect();  // remembered: the dialog holds the link
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

TEST_F(AeqMeasurementTest, AfterARunTheSwitchAsksForTheParametersAndTheCrossoverWarnsOnce) {
  RunAeq();
  dialogs.aeqSave = false;
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
  form.SetFunctionSwitch(FunctionSwitch::Divider, true);
  form.PressFunctionButton(FunctionButton::Divider);
  form.PressFunctionButton(FunctionButton::Divider);
  EXPECT_EQ(dialogs.aeqWarnings, 1);
  EXPECT_TRUE(xover.open);
}

}  // namespace
