#include <gtest/gtest.h>

#include <algorithm>

#include "form/form_texts.h"
#include "form_test_support.h"
#include "link/connect_sequence.h"

namespace {

using namespace formtest;
using Strings = std::vector<std::string>;

using LinkSupervision = FormFixture;

TEST_F(LinkSupervision, ConnectAfterOfflineEditsSends96ForASwitchedOffSpeaker) {
  form.PressSpeaker(OutputChannel::RearR);
  form.ApplySpeakerSwitches();
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_FALSE(form.SpeakerOn(OutputChannel::RearR));
  EXPECT_EQ(session.document.speakerSwitch[Index(OutputChannel::RearR)], 0);
  EXPECT_TRUE(session.IsModified());

  form.Connect(0);
  ASSERT_TRUE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(form.StatusText(), kPortOpenText);
  EXPECT_FALSE(form.PrintEnabled());
  EXPECT_FALSE(form.CopyEnabled());
  EXPECT_EQ(Processor().levelCodes[Index(OutputChannel::RearR)], 96);
  EXPECT_EQ(Processor().levelCodes[Index(OutputChannel::RearL)], 12);

  const Strings f = Sent();
  ASSERT_GE(f.size(), 14u);
  EXPECT_EQ(f[0], "S 112 1 96 0");  // PC control, parametric selected, no AEQ, stereo
  EXPECT_EQ(f[1], "N");
  EXPECT_EQ(f[2], "V 112");
  // The switches as they stand: parametric, divider and time correction, no graphic band.
  EXPECT_EQ(Count(f, 'G'), 0);
  EXPECT_EQ(Count(f, 'I'), 160);
  EXPECT_EQ(Count(f, 'D'), 11);
  // Then every output's level, the switched-off one as 96.
  const Strings tail(f.end() - 11, f.end());
  EXPECT_EQ(tail.front(), "B 0 12");
  EXPECT_EQ(tail[8], "B 8 96");
  EXPECT_EQ(f[f.size() - 12], "V 96");

  // Switching it on again while connected sends its level at the next paint.
  line.ClearTraffic();
  form.PressSpeaker(OutputChannel::RearR);
  form.ApplySpeakerSwitches();
  EXPECT_EQ(Sent(), Strings{"B 8 12"});
  form.ApplySpeakerSwitches();
  EXPECT_EQ(Sent(), Strings{"B 8 12"});
  EXPECT_TRUE(windows.Presence()[Index(SpeakerGroup::Rear)]);
}

// A processor reporting a setting error is told so and then set up in full: the upload rewrites
// its settings, the levels follow and the form is online.
TEST_F(LinkSupervision, ConnectOnASettingErrorReportsItAndUploads) {
  line.Faults().statusOverride = 'S';
  form.Connect(0);
  EXPECT_EQ(dialogs.messages, Strings{kSettingErrorText});
  EXPECT_TRUE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_TRUE(port.IsOpen());
  // The upload (band words, the crossover's twelve levels), then the eleven speaker levels.
  EXPECT_GT(line.State().counters.accepted['V'], 0);
  EXPECT_EQ(line.State().counters.accepted['B'], 12 + kOutputCount);
  form.OnTimer(SetupForm::kPortTextTimer);
  EXPECT_EQ(form.StatusText(), kPortOpenText);
}

TEST_F(LinkSupervision, ConnectFailuresLeaveTheFormOffline) {
  line.Faults().silentAfterFrames = 3;  // mode, status, bulk begin; the upload then fails
  dialogs.messages.clear();
  form.Connect(0);
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(dialogs.messages, Strings{kInitializeErrorText});
  EXPECT_EQ(form.StatusText(), kPortCloseText);
}

TEST_F(LinkSupervision, ConnectingAgainWhileConnectedEndsOfflineWhenItFails) {
  ConnectNow();
  line.Faults().silent = true;
  form.Connect(0);
  EXPECT_EQ(dialogs.messages, Strings{kPcControlFailText});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_TRUE(form.PrintEnabled());
  timers.RunFor(1000);
  EXPECT_EQ(form.StatusText(), kPortCloseText);

  // The device has gone: the old port is closed by the attempt, and the form follows.
  line.Faults().silent = false;
  ConnectNow();
  line.SetPortNames({});
  form.Connect(0);
  EXPECT_EQ(dialogs.messages, Strings{SerialPort::kOpenFailedText});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_TRUE(form.CopyEnabled());
}

TEST_F(LinkSupervision, NoWindowEventIsDeliveredInsideTheUploadBrackets) {
  int inside = 0;
  pump.onPump = [&] {
    const Strings f = Sent();
    const bool begun = std::find(f.begin(), f.end(), "V 112") != f.end();
    const bool ended = std::find(f.begin(), f.end(), "V 96") != f.end();
    if (begun && !ended) ++inside;
  };
  form.Connect(0);
  ASSERT_TRUE(form.Link().portOpen);
  EXPECT_EQ(inside, 0);
  EXPECT_EQ(Count(Sent(), 'V'), 2);
}

TEST_F(LinkSupervision, PortsThatFailedTheProbeStayDisabled) {
  VirtualClock c;
  InMemoryLine twoPorts{c};
  twoPorts.SetPortNames({"COM1", "COM3"});
  SerialPort p{twoPorts, dialogs, pump};
  DocumentSession s;
  SetupForm f{p, c, dialogs, rs232c, parameter, timers, view, windows, s};
  f.InitialUpdate();
  EXPECT_TRUE(f.PortItemEnabled(0));
  EXPECT_FALSE(f.PortItemEnabled(1));
  EXPECT_TRUE(f.PortItemEnabled(2));
  EXPECT_FALSE(f.PortItemEnabled(3));

  // The port appears later, and the form is initialised again after New and Open: still off.
  twoPorts.SetPortNames({"COM1", "COM2", "COM3", "COM4"});
  s.New();
  f.InitialUpdate();
  s.document.viewSynchronized = 0;
  f.InitialUpdate();
  EXPECT_FALSE(f.PortItemEnabled(1));
  f.Connect(1);
  EXPECT_FALSE(f.Link().portOpen);
  EXPECT_EQ(twoPorts.OpenCount(), 0);
  EXPECT_EQ(dialogs.welcomes, 2);  // once per form: this one and the fixture's
}

TEST_F(LinkSupervision, OffShowsPortCloseWithinOneSecond) {
  ConnectNow();
  peq.open = true;
  peq.offline = false;
  form.Disconnect();
  EXPECT_EQ(Sent(), Strings{"S 96 0 96 0"});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_TRUE(peq.offline);
  EXPECT_TRUE(form.PrintEnabled());
  EXPECT_EQ(form.StatusText(), kPortOpenText);  // the port-state timer brings the text
  timers.RunFor(1000);
  EXPECT_EQ(form.StatusText(), kPortCloseText);
}

TEST_F(LinkSupervision, SilentProcessorWhileIdleGoesOfflineAtTheNextStatusCheck) {
  ConnectNow();
  tcr.open = true;
  tcr.offline = false;
  line.Faults().silent = true;
  const std::int64_t start = clock.NowMs();
  // The check runs every 5 s; a dead query gives up after about 1.7 s.
  while (form.Link().portOpen && clock.NowMs() - start < 10000) timers.RunFor(100);
  EXPECT_LE(clock.NowMs() - start, 5000 + 1800);
  EXPECT_EQ(dialogs.messages, Strings{kPortNotConnectText});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.Link().linkBusy);
  timers.RunFor(1000);
  EXPECT_EQ(form.StatusText(), kPortCloseText);
  EXPECT_TRUE(tcr.offline);
  EXPECT_TRUE(form.PrintEnabled());
  // Offline, the status check stops.
  timers.RunFor(12000);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(LinkSupervision, RecoveryAfterAFailedFrame) {
  ConnectNow();
  form.PressFunctionButton(FunctionButton::Spectrum);
  form.PressFunctionButton(FunctionButton::Parametric);
  ASSERT_TRUE(peq.open);
  form.SetAeqSwitch(true);
  EXPECT_EQ(session.document.aeqActive, 1);
  line.ClearTraffic();
  peq.data.peqBands[0][0][3].gain = 4.0f;
  line.Faults().silentAfterFrames = 1;  // the level goes through, the band's words do not
  form.HandleRequest({FormMessage::PeqSend, 1, 3});

  EXPECT_EQ(dialogs.messages, Strings{"CHKSUM ERROR 3"});
  EXPECT_EQ(
      dialogs.causes,
      Strings{"COM1: no answer from the processor: check the cable and that the processor is switched on"});
  const LinkState& link = form.Link();
  EXPECT_FALSE(link.portOpen);
  EXPECT_FALSE(link.linkBusy);
  EXPECT_FALSE(link.analyzerCycle);
  EXPECT_FALSE(link.pending.valid);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(peq.offline);
  EXPECT_TRUE(peq.open);
  EXPECT_FALSE(spectrum.open);
  EXPECT_FALSE(form.AnalyzerOpen());
  EXPECT_FALSE(timers.Running(SetupForm::kAnalyzerTimer));
  EXPECT_FALSE(form.AeqSwitchOn());
  EXPECT_EQ(session.document.aeqActive, 0);
  EXPECT_EQ(view.releases, 1);
  // The edit itself is kept.
  EXPECT_EQ(session.document.peqBands[0][0][3].gain, 4.0f);

  // A band 0 failure has no number to show.
  line.Faults().silent = false;
  ConnectNow();
  line.Faults().silentAfterFrames = 1;
  form.HandleRequest({FormMessage::PeqSend, 1, 0});
  EXPECT_EQ(dialogs.messages, Strings{"CHKSUM ERROR"});
}

TEST_F(LinkSupervision, DisconnectWhileBusyIsReplayedWhenTheSequenceEnds) {
  ConnectNow();
  // OFF chosen while a status check waits on the line, no analyzer open.
  bool chosen = false;
  pump.onPump = [&] {
    if (!chosen && form.Link().linkBusy) {
      chosen = true;
      form.Disconnect();
      EXPECT_TRUE(form.Link().pending.valid);
      EXPECT_EQ(form.Link().pending.code, PendingCode::Disconnect);
    }
  };
  timers.RunFor(5000);
  ASSERT_TRUE(chosen);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().pending.valid);
  const Strings f = Sent();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0], "N");
  EXPECT_EQ(f[1], "S 96 0 96 0");
}

TEST_F(LinkSupervision, BusyStatusCheckIsDeferred) {
  ConnectNow();
  form.SetLinkBusy(true);
  timers.RunFor(5000);
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(timers.Running(SetupForm::kDeferredStatusTimer));
  form.SetLinkBusy(false);
  timers.RunFor(10);
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_FALSE(timers.Running(SetupForm::kDeferredStatusTimer));
}

TEST_F(LinkSupervision, ClosingDisconnectsAndShowsTheClosingScreen) {
  ConnectNow();
  session.document.profile.country = static_cast<int>(Country::Japan);
  form.Close();
  EXPECT_EQ(Sent(), Strings{"S 96 0 96 0"});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(dialogs.finishUsa, std::vector<bool>{false});
  EXPECT_FALSE(timers.Running(SetupForm::kStatusTimer));
}

}  // namespace
