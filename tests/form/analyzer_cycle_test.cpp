#include <gtest/gtest.h>

#include "form_test_support.h"

namespace {

using namespace formtest;
using Strings = std::vector<std::string>;

struct AnalyzerCycle : FormFixture {
  void SetUp() override {
    ConnectNow();
    std::array<std::uint8_t, kGeqBandCount> levels{};
    for (int b = 0; b < kGeqBandCount; ++b) levels[b] = static_cast<std::uint8_t>(20 + b);  // 48.. at the top
    line.Processor().SetSpectrumLevels(levels);
  }
  void OpenAnalyzer() {
    form.PressFunctionButton(FunctionButton::Spectrum);
    ASSERT_TRUE(spectrum.open);
    line.ClearTraffic();
  }
  // Calls `deliver` once, from the pump, when `bytes` bytes have been sent during a busy link.
  void DeliverAfter(std::size_t bytes, std::function<void()> deliver) {
    pump.onPump = [this, bytes, deliver, done = false]() mutable {
      if (!done && form.Link().linkBusy && line.Sent().size() >= bytes) {
        done = true;
        deliver();
      }
    };
  }
};

TEST_F(AnalyzerCycle, ReadsEveryBandOncePerDrawnReading) {
  OpenAnalyzer();
  EXPECT_TRUE(timers.Running(SetupForm::kAnalyzerTimer));
  EXPECT_TRUE(form.Link().analyzerCycle);
  AnalyzerState& state = form.Analyzer();
  state.skipped[4] = true;
  state.levels[4] = 7;

  timers.RunFor(1000);
  const Strings f = Sent();
  ASSERT_EQ(f.size(), 30u);
  EXPECT_EQ(f[0], "R 0 0");
  EXPECT_EQ(f[4], "R 0 5");
  EXPECT_EQ(state.levels[0], 20);
  EXPECT_EQ(state.levels[4], 7);
  EXPECT_EQ(state.levels[27], 47);
  EXPECT_EQ(state.levels[30], 47);  // read as 50
  EXPECT_EQ(state.dataReady, 1);
  EXPECT_FALSE(form.Link().linkBusy);

  // Nothing more is read until the window has drawn the reading; frozen, the print follows.
  line.ClearTraffic();
  state.frozen = 1;
  timers.RunFor(1000);
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_EQ(form.PrintLevels(), state.levels);
  state.dataReady = 0;
  state.frozen = 0;
  timers.RunFor(1000);
  EXPECT_EQ(Sent().size(), 30u);

  form.HandleRequest({FormMessage::SpectrumClose, 0, 0});
  EXPECT_FALSE(spectrum.open);
  EXPECT_FALSE(form.Link().analyzerCycle);
  EXPECT_FALSE(timers.Running(SetupForm::kAnalyzerTimer));
}

TEST_F(AnalyzerCycle, RequestDuringTheReadIsReplayedBeforeTheNextBand) {
  OpenAnalyzer();
  peq.data.peqBands[0][0][1].gain = 2.0f;
  DeliverAfter(3 * 4, [this] {
    form.HandleRequest({FormMessage::PeqSend, 1, 1});
    EXPECT_TRUE(form.Link().pending.valid);
    EXPECT_EQ(form.Link().pending.code, PendingCode::PeqSend);
  });
  timers.RunFor(1000);
  EXPECT_EQ(Sent(), (Strings{"R 0 0", "R 0 1", "R 0 2", "P 20", "I 1 1", "I 8 1", "I 2 1", "I 9 1"}));
  EXPECT_FALSE(form.Link().pending.valid);
  EXPECT_FALSE(form.Link().linkBusy);
  EXPECT_EQ(view.flashes, 0);
  EXPECT_EQ(form.Analyzer().dataReady, 0);

  // The next tick reads every band again.
  line.ClearTraffic();
  timers.RunFor(1000);
  EXPECT_EQ(Sent().size(), 31u);
}

TEST_F(AnalyzerCycle, DisconnectDuringTheReadIsNotLeftWaiting) {
  OpenAnalyzer();
  DeliverAfter(2 * 4, [this] { form.Disconnect(); });
  timers.RunFor(1000);
  const Strings f = Sent();
  ASSERT_EQ(f.size(), 3u);
  EXPECT_EQ(f.back(), "S 96 0 96 0");
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.AnalyzerOpen());
  EXPECT_FALSE(timers.Running(SetupForm::kAnalyzerTimer));
}

TEST_F(AnalyzerCycle, ARememberedDisconnectIsNotDisplacedByALaterRequest) {
  OpenAnalyzer();
  peq.data.peqBands[0][0][1].gain = 2.0f;
  DeliverAfter(2 * 4, [this] {
    form.Disconnect();
    form.HandleRequest({FormMessage::PeqSend, 1, 1});
  });
  timers.RunFor(1000);
  const Strings f = Sent();
  ASSERT_FALSE(f.empty());
  EXPECT_EQ(f.back(), "S 96 0 96 0");
  EXPECT_EQ(Count(f, 'I'), 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_FALSE(form.Link().pending.valid);
  // The edit itself is kept for the next connect.
  EXPECT_EQ(session.document.peqBands[0][0][1].gain, 2.0f);
}

TEST_F(AnalyzerCycle, ABusyTickDropsTheRememberedRequestButNotADisconnect) {
  // Remembered while a long sequence holds the link (an open "AEQ Start", say): the next tick
  // cannot replay it and drops it, so it is not sent when the link is free minutes later.
  OpenAnalyzer();
  form.SetLinkBusy(true);
  form.HandleRequest({FormMessage::TcrSend, 0, 2});
  ASSERT_TRUE(form.Link().pending.valid);
  timers.RunFor(1000);
  EXPECT_FALSE(form.Link().pending.valid);
  EXPECT_EQ(view.flashes, 3);
  form.SetLinkBusy(false);
  timers.RunFor(2000);
  EXPECT_EQ(Count(Sent(), 'D'), 0);

  // A tick that finds the link free replays it.
  form.SetLinkBusy(true);
  form.HandleRequest({FormMessage::TcrSend, 0, 4});
  form.SetLinkBusy(false);
  timers.RunFor(1000);
  EXPECT_EQ(Count(Sent(), 'D'), 1);

  // A remembered disconnect outlives busy ticks.
  form.SetLinkBusy(true);
  form.Disconnect();
  timers.RunFor(2000);
  EXPECT_TRUE(form.Link().pending.valid);
  form.SetLinkBusy(false);
  EXPECT_FALSE(form.Link().portOpen);

  // Closing the analyzer replays at once what its cycle remembered.
  ConnectNow();
  OpenAnalyzer();
  form.SetLinkBusy(true);
  form.HandleRequest({FormMessage::TcrSend, 0, 3});
  form.SetLinkBusy(false);
  form.HandleRequest({FormMessage::SpectrumClose, 0, 0});
  EXPECT_EQ(Sent(), (Strings{"D 3 0", "H 3 0"}));
}

TEST_F(AnalyzerCycle, WithoutTheAnalyzerABusyRequestFlashesAndIsLost) {
  geq.data.geqBands[0][0][3].gain = 5.0f;
  DeliverAfter(1, [this] { form.HandleRequest({FormMessage::GeqSend, 1, 3}); });
  timers.RunFor(5000);  // the status check waits on the line
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_EQ(view.flashes, 3);
  EXPECT_FALSE(form.Link().pending.valid);
  EXPECT_EQ(session.document.geqBands[0][0][3].gain, 5.0f);  // stored, not sent
  EXPECT_EQ(Processor().graphicCodes[0][3], 9);
}

TEST_F(AnalyzerCycle, SpeakerPressWhileBusyIsUndoneAtOnce) {
  DeliverAfter(1, [this] {
    form.PressSpeaker(OutputChannel::RearL);
    form.ApplySpeakerSwitches();
    EXPECT_TRUE(form.SpeakerOn(OutputChannel::RearL));
  });
  timers.RunFor(5000);
  EXPECT_EQ(Sent(), Strings{"N"});
  EXPECT_EQ(view.flashes, 0);
  EXPECT_EQ(session.document.speakerSwitch[Index(OutputChannel::RearL)], 1);
  EXPECT_EQ(form.WorkingCopy().speakerSwitch[Index(OutputChannel::RearL)], 1);
  EXPECT_EQ(Processor().levelCodes[Index(OutputChannel::RearL)], 12);
}

}  // namespace
