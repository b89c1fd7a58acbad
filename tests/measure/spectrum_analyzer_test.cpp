#include "measure/spectrum_analyzer.h"

#include <gtest/gtest.h>

#include "measure/measurement_fixture.h"

namespace {

using Kind = RecordingCanvas::Kind;
using measuretest::CountLines;

// The analyzer's window without Qt: two recording pictures and a draw timer that is only a flag.
struct AnalyzerWindow : SpectrumAnalyzerView {
  AnalyzerWindow(AnalyzerState& state, FormRequestSink& form) : analyzer(*this, form, state) {}
  Canvas& FrameCanvas() override { return frame; }
  Canvas& GraphCanvas() override { return graph; }
  void StartDrawTimer(int ms) override { timerMs = ms; }
  void StopDrawTimer() override { timerMs = 0; }

  SpectrumAnalyzer analyzer;
  RecordingCanvas frame, graph;
  int timerMs = 0;
};

SpectrumLevels All(int level) {
  SpectrumLevels levels;
  levels.fill(level);
  return levels;
}

struct Analyzer : ::testing::Test {
  Analyzer() { window.analyzer.Open(820, 330); }
  void Reading(int level) {
    state.levels = All(level);
    state.dataReady = 1;
  }
  AnalyzerState state;
  measuretest::QueuedRequests requests;
  AnalyzerWindow window{state, requests};
};

}  // namespace

TEST_F(Analyzer, ADrawStepDrawsANewReadingOnceAndNothingAfterTheWindowClosed) {
  EXPECT_GT(window.timerMs, 0);
  window.graph.Clear();
  window.analyzer.DrawStep();  // nothing new
  EXPECT_TRUE(window.graph.ops.empty());
  Reading(10);
  window.analyzer.DrawStep();
  EXPECT_EQ(CountLines(window.graph, kSpectrumLitColour), kSpectrumBandCount * 10);
  EXPECT_EQ(state.dataReady, 0);
  EXPECT_EQ(state.drawnLevels[30], 10);
  window.graph.Clear();
  window.analyzer.DrawStep();
  EXPECT_TRUE(window.graph.ops.empty());

  // The last picture stays.
  window.analyzer.Closed();
  EXPECT_EQ(window.timerMs, 0);
  Reading(5);
  window.analyzer.DrawStep();
  EXPECT_TRUE(window.graph.ops.empty());
  EXPECT_EQ(state.drawnLevels, All(10));
}

TEST_F(Analyzer, StopFreezesWhatIsShownWithItsTrendLineAndRestartClears) {
  Reading(20);
  window.analyzer.DrawStep();
  Reading(35);  // arrives before Stop, never drawn
  window.graph.Clear();
  window.analyzer.StopRestart();
  EXPECT_TRUE(window.analyzer.Frozen());
  EXPECT_EQ(state.levels, All(20));  // what the print and the trend line take
  EXPECT_EQ(state.dataReady, 1);     // the read cycle reads no more
  const auto trend = window.graph.Of(Kind::Line);
  ASSERT_EQ(trend.size(), 1u);
  EXPECT_EQ(trend[0].colour, kSpectrumTrendColour);
  const int y20 = window.analyzer.Graph()->LevelY(20);
  EXPECT_EQ(std::pair(trend[0].points[0].y, trend[0].points[1].y), std::pair(y20, y20));

  // Frozen, the bars do not change; a resize draws the same picture again.
  window.graph.Clear();
  Reading(40);
  window.analyzer.DrawStep();
  EXPECT_TRUE(window.graph.ops.empty());
  window.analyzer.Resize(1000, 400);
  EXPECT_EQ(CountLines(window.graph, kSpectrumLitColour), kSpectrumBandCount * 20);
  EXPECT_EQ(CountLines(window.graph, kSpectrumTrendColour), 1);
  EXPECT_EQ(state.drawnLevels, All(20));

  window.graph.Clear();
  window.analyzer.StopRestart();
  EXPECT_FALSE(window.analyzer.Frozen());
  EXPECT_EQ(std::tuple(state.levels, state.drawnLevels, state.dataReady), std::tuple(All(0), All(0), 0));
  EXPECT_EQ(window.graph.ops.front().kind, Kind::Fill);
  EXPECT_EQ(CountLines(window.graph, kSpectrumLitColour), 0);
}

TEST_F(Analyzer, CancelStopsTheTimerAndAsksTheFormOnce) {
  window.analyzer.Cancel();
  window.analyzer.Cancel();
  EXPECT_EQ(window.timerMs, 0);
  ASSERT_EQ(requests.queue.size(), 1u);
  EXPECT_EQ(requests.queue[0].message, FormMessage::SpectrumClose);
}

namespace {

// The form's read cycle with the analyzer window open, every band reading its number.
struct AnalyzerThroughForm : formtest::FormFixture {
  void SetUp() override {
    ConnectNow();
    std::array<std::uint8_t, kSpectrumBandCount> levels{};
    for (int b = 0; b < kSpectrumBandCount; ++b) levels[b] = static_cast<std::uint8_t>(b);
    line.Processor().SetSpectrumLevels(levels);
    form.PressFunctionButton(FunctionButton::Spectrum);
    ASSERT_TRUE(spectrum.open);
  }
};

}  // namespace

TEST_F(AnalyzerThroughForm, APulledCableClosesTheAnalyzerNamingTheBand) {
  line.Faults().silentAfterFrames = 7;
  timers.RunFor(SetupForm::kAnalyzerIntervalMs);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"CHKSUM ERROR 7"});
  EXPECT_FALSE(spectrum.open);
  EXPECT_FALSE(form.Link().portOpen);
}

TEST_F(AnalyzerThroughForm, APictureFrozenJustBeforeTheWindowClosesIsTheOneToPrint) {
  timers.RunFor(SetupForm::kAnalyzerIntervalMs);
  AnalyzerState& state = form.Analyzer();
  ASSERT_EQ(state.levels[30], 30);
  state.frozen = 1;  // as "Stop" leaves it, with no read tick after
  form.HandleRequest({FormMessage::SpectrumClose, 0, 0});
  form.Disconnect();
  form.PressPrint();
  ASSERT_EQ(view.printed.size(), 1u);
  EXPECT_EQ(view.printed[0], state.levels);
}

TEST_F(AnalyzerThroughForm, StopDuringAReadFreezesThePictureThatIsPrinted) {
  measuretest::QueuedRequests requests;
  AnalyzerWindow window{form.Analyzer(), requests};
  window.analyzer.Open(820, 330);
  timers.RunFor(SetupForm::kAnalyzerIntervalMs);
  window.analyzer.DrawStep();
  const SpectrumLevels shown = form.Analyzer().drawnLevels;

  // "Stop" comes while the next reading, every band at 40, is on its way.
  std::array<std::uint8_t, kSpectrumBandCount> louder{};
  louder.fill(40);
  line.Processor().SetSpectrumLevels(louder);
  pump.onPump = [&] {
    if (!window.analyzer.Frozen() && formtest::Count(Sent(), 'R') == kSpectrumBandCount + 5)
      window.analyzer.StopRestart();
  };
  timers.RunFor(SetupForm::kAnalyzerIntervalMs);
  EXPECT_EQ(form.Analyzer().levels, shown);
  form.Disconnect();
  form.PressPrint();
  ASSERT_EQ(view.printed.size(), 1u);
  EXPECT_EQ(view.printed[0], shown);
}
