// The automatic time correction through the main form and the simulated processor, in virtual time.
#include <gtest/gtest.h>

#include "history/history_log.h"
#include "link/connect_sequence.h"
#include "measure/measurement_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using formtest::Count;
using C = OutputChannel;

class AutoTcrRunTest : public measuretest::MeasureFixture {
 protected:
  void Press() { form.PressFunctionButton(FunctionButton::AutoTimeCorrection); }
  // The dialog is gone and the form free again.
  void ExpectFree() {
    EXPECT_EQ(std::tuple(form.Link().linkBusy, form.TcrMeasuring(), tcrView.open, tcrView.waitCursor,
                         form.FunctionButtonEnabled(FunctionButton::Parametric)),
              std::tuple(false, false, false, false, true));
  }
};

TEST_F(AutoTcrRunTest, AFinishedMeasurementReplacesTheDelaysAndSwitchesTimeCorrectionOn) {
  form.SetFunctionSwitch(FunctionSwitch::TimeCorrection, false);
  line.Processor().Config().measurePolls = 2400;
  line.ClearTraffic();
  HistoryLog history;
  form.Recorder().SetSink(&history);
  bool measuringSeen = false;
  whilePumping = [&] { measuringSeen = measuringSeen || (form.TcrMeasuring() && tcrView.waitCursor); };
  Press();

  const Strings sent = Sent();
  ASSERT_EQ(sent.size(), 2u + 2401 + 13);
  EXPECT_EQ(Strings(sent.begin(), sent.begin() + 3), (Strings{"N", "T 1", "N"}));
  EXPECT_EQ(Count(sent, 'N'), 1 + 2401);
  EXPECT_EQ(sent.back(), "R 1 12");
  // All eleven outputs on: 2400 polls at 0.5 / 12 fill the bar, one position at a time.
  EXPECT_EQ(tcrView.positions.size(), 101u);
  EXPECT_EQ(tcrView.positions.back(), 100);
  EXPECT_TRUE(measuringSeen);
  EXPECT_EQ(runs.LastTcrOutcome(), AutoTcrOutcome::Finished);

  for (const SetupDocument* d : {&form.WorkingCopy(), static_cast<const SetupDocument*>(&session.document)}) {
    EXPECT_DOUBLE_EQ(d->channelDelay[Index(C::Center)], 3.7);
    EXPECT_DOUBLE_EQ(d->channelDelay[Index(C::SubWooferR)], 2.5);
    EXPECT_DOUBLE_EQ(d->channelDelay[Index(C::FrontHighL)], 0.0);
    EXPECT_EQ(d->measuredValue1, 17);
    EXPECT_EQ(d->measuredValue2, 42);
  }
  EXPECT_TRUE(session.IsModified());
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  ExpectFree();
  // The run's result is one undo step, named after the run, the switch it turned on included.
  ASSERT_EQ(history.steps.size(), 1u);
  EXPECT_EQ(history.steps[0].text, kAutoTcrStepText);
  EXPECT_TRUE(history.steps[0].switchesAfter[static_cast<std::size_t>(FunctionSwitch::TimeCorrection)]);
}

TEST_F(AutoTcrRunTest, NothingIsMeasuredUnconfirmedBusyOrOffline) {
  // "TCR_WARNING" not confirmed (or closed by itself): only the status query went out.
  dialogs.tcrOk = false;
  Press();
  EXPECT_EQ(dialogs.tcrWarnings, 1);
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_EQ(runs.LastTcrOutcome(), AutoTcrOutcome::NotConfirmed);
  ExpectFree();

  // A transfer running: three flashes and nothing else.
  line.ClearTraffic();
  form.SetLinkBusy(true);
  Press();
  form.SetLinkBusy(false);
  EXPECT_EQ(view.flashes, 3);
  EXPECT_EQ(Sent(), Strings{});
  EXPECT_EQ(dialogs.tcrWarnings, 1);

  // A line that died before the question: reported once, no question; then it is offline.
  line.Faults().silent = true;
  Press();
  Press();
  EXPECT_EQ(dialogs.messages, (Strings{kPortNotConnectText, kPortNotConnectText}));
  EXPECT_EQ(dialogs.tcrWarnings, 1);
  ExpectFree();
}

TEST_F(AutoTcrRunTest, StopWhileAPollWaitsStopsTheProcessorAndTurnsTimeCorrectionOff) {
  line.Processor().Config().measurePolls = 50;
  form.PressFunctionButton(FunctionButton::TimeCorrection);
  ASSERT_TRUE(tcr.open);
  whilePumping = [&] {
    if (Measurement().running && Measurement().pollsLeft == 45) runs.Tcr().Stop();
  };
  Press();
  const Strings sent = Sent();
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(Strings(sent.end() - 2, sent.end()), (Strings{"S 112 1 96 0", "N"}));
  EXPECT_EQ(Count(sent, 'R'), 0);
  EXPECT_FALSE(Measurement().running);
  EXPECT_EQ(runs.LastTcrOutcome(), AutoTcrOutcome::Stopped);
  EXPECT_EQ(std::pair(tcr.open, form.FunctionSwitchOn(FunctionSwitch::TimeCorrection)),
            std::pair(false, false));
  EXPECT_DOUBLE_EQ(session.document.channelDelay[Index(C::Center)], 0.0);
  ExpectFree();
}

TEST_F(AutoTcrRunTest, StatusSixAtTheFirstPollKeepsTimeCorrectionAsItWas) {
  dialogs.whileTcrWarningOpen = [this] { line.Faults().statusOverride = 'S'; };
  Press();
  EXPECT_EQ(Sent(), (Strings{"N", "T 1", "N"}));
  EXPECT_EQ(dialogs.messages, Strings{kSettingErrorText});
  EXPECT_EQ(runs.LastTcrOutcome(), AutoTcrOutcome::ProcessorFailed);
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  ExpectFree();
}

TEST_F(AutoTcrRunTest, AFailedFrameReportsOnceAndGivesTheButtonsBack) {
  // The start is not taken.
  dialogs.whileTcrWarningOpen = [this] { line.Faults().silent = true; };
  Press();
  EXPECT_EQ(dialogs.messages, Strings{"CHKSUM ERROR"});
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_EQ(runs.LastTcrOutcome(), AutoTcrOutcome::LineFailed);
  EXPECT_EQ(view.releases, 1);  // the wait cursor goes with the recovery
  ExpectFree();

  // A result read breaks off: the delays stay as they were.
  line.Faults().silent = false;
  dialogs.whileTcrWarningOpen = nullptr;
  ConnectNow();
  line.Faults().silentAfterFrames = 2 + 6 + 3;  // start, six polls, three results
  Press();
  EXPECT_EQ(dialogs.messages, Strings{"CHKSUM ERROR"});
  EXPECT_DOUBLE_EQ(session.document.channelDelay[Index(C::FrontMidL)], 0.0);
  EXPECT_TRUE(form.FunctionSwitchOn(FunctionSwitch::TimeCorrection));
  ExpectFree();
}

}  // namespace
