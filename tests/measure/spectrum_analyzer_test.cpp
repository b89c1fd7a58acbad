#include "measure/spectrum_analyzer.h"

#include <gtest/gtest.h>

#include <deque>

#include "form/form_request.h"
#include "form/form_test_support.h"
#include "graphics/recording_canvas.h"

namespace {

using Kind = RecordingCanvas::Kind;
constexpr int kFrameW = 820;
constexpr int kFrameH = 330;

// The analyzer's window without Qt: two recording pictures, a draw timer that is only a flag,
// and posts that wait until delivered to the form (when there is one).
class AnalyzerWindow : public FunctionWindowObject, public SpectrumAnalyzerView, public FormRequestSink {
 public:
  explicit AnalyzerWindow(AnalyzerState& state) : analyzer(*this, *this, state) {}

  void Load(const SetupDocument&) override {}
  void Open(bool) override {
    open = true;
    analyzer.Open(kFrameW, kFrameH);
  }
  bool IsOpen() const override { return open; }
  void Close() override {
    analyzer.Closed();
    open = false;
  }
  void SetOffline(bool) override {}
  void Refresh() override {}
  const SetupDocument& Data() const override { return data; }
  int SelectedGroup() const override { return 0; }
  int SelectedSide() const override { return 0; }

  Canvas& FrameCanvas() override { return frame; }
  Canvas& GraphCanvas() override { return graph; }
  void StartDrawTimer(int ms) override { timerMs = ms; }
  void StopDrawTimer() override { timerMs = 0; }

  void Post(const FormRequest& r) override { queue.push_back(r); }
  void Send(const FormRequest& r) override { queue.push_back(r); }
  void Deliver() {
    while (form != nullptr && !queue.empty()) {
      const FormRequest r = queue.front();
      queue.pop_front();
      form->HandleRequest(r);
    }
  }

  SpectrumAnalyzer analyzer;
  RecordingCanvas frame;
  RecordingCanvas graph;
  int timerMs = 0;
  bool open = false;
  std::deque<FormRequest> queue;
  SetupForm* form = nullptr;
  SetupDocument data;
};

struct Analyzer : ::testing::Test {
  Analyzer() { window.Open(false); }
  void Reading(int level) {
    state.levels.fill(level);
    state.dataReady = 1;
  }
  int Lines(Rgb colour) const {
    int n = 0;
    for (const auto& op : window.graph.Of(Kind::Line)) n += op.colour == colour ? 1 : 0;
    return n;
  }
  AnalyzerState state;
  AnalyzerWindow window{state};
};

}  // namespace

TEST_F(Analyzer, ADrawStepDrawsANewReadingOnce) {
  window.graph.Clear();
  window.analyzer.DrawStep();  // nothing new
  EXPECT_TRUE(window.graph.ops.empty());
  Reading(10);
  window.analyzer.DrawStep();
  EXPECT_EQ(Lines(kSpectrumLitColour), kSpectrumBandCount * 10);
  EXPECT_EQ(state.dataReady, 0);
  EXPECT_EQ(state.drawnLevels[30], 10);
  window.graph.Clear();
  window.analyzer.DrawStep();
  EXPECT_TRUE(window.graph.ops.empty());
}

TEST_F(Analyzer, StopFreezesWhatIsShownWithItsTrendLineAndRestartClears) {
  Reading(20);
  window.analyzer.DrawStep();
  Reading(35);  // arrives before Stop, never drawn
  window.graph.Clear();
  window.analyzer.StopRestart();
  EXPECT_TRUE(window.analyzer.Frozen());
  SpectrumLevels twenty;
  twenty.fill(20);
  EXPECT_EQ(state.levels, twenty);  // what the print and the trend line take
  EXPECT_EQ(state.dataReady, 1);    // the read cycle reads no more
  const auto trend = window.graph.Of(Kind::Line);
  ASSERT_EQ(trend.size(), 1u);
  EXPECT_EQ(trend[0].colour, kSpectrumTrendColour);
  EXPECT_EQ(trend[0].points[0].y, trend[0].points[1].y);  // a flat 20 gives a horizontal line
  EXPECT_EQ(trend[0].points[0].y, window.analyzer.Graph()->LevelY(20));

  // Frozen, the bars do not change.
  window.graph.Clear();
  Reading(40);
  window.analyzer.DrawStep();
  EXPECT_TRUE(window.graph.ops.empty());

  // A resize while frozen draws the same picture again.
  window.analyzer.Resize(1000, 400);
  EXPECT_EQ(Lines(kSpectrumLitColour), kSpectrumBandCount * 20);
  EXPECT_EQ(Lines(kSpectrumTrendColour), 1);
  EXPECT_EQ(state.drawnLevels, twenty);

  window.graph.Clear();
  window.analyzer.StopRestart();
  EXPECT_FALSE(window.analyzer.Frozen());
  EXPECT_EQ(state.levels, SpectrumLevels{});
  EXPECT_EQ(state.drawnLevels, SpectrumLevels{});
  EXPECT_EQ(state.dataReady, 0);
  EXPECT_EQ(window.graph.ops.front().kind, Kind::Fill);
  EXPECT_EQ(Lines(kSpectrumLitColour), 0);
}

TEST_F(Analyzer, CancelStopsTheTimerAndAsksTheFormOnce) {
  window.analyzer.Cancel();
  window.analyzer.Cancel();
  EXPECT_EQ(window.timerMs, 0);
  ASSERT_EQ(window.queue.size(), 1u);
  EXPECT_EQ(window.queue[0].message, FormMessage::SpectrumClose);
}

namespace {

struct AnalyzerThroughForm : formtest::FormFixture {
  AnalyzerThroughForm() {
    window.form = &form;
    windows.Install(FunctionWindow::Spectrum, window);
  }
  void SetUp() override {
    ConnectNow();
    for (int b = 0; b < kSpectrumBandCount; ++b) levels[b] = static_cast<std::uint8_t>(b);
    levels[5] = 60;
    line.Processor().SetSpectrumLevels(levels);
    form.PressFunctionButton(FunctionButton::Spectrum);
    ASSERT_TRUE(window.open);
    line.ClearTraffic();
  }
  // One read-timer tick and the window's draw step after it.
  void Tick() {
    timers.RunFor(SetupForm::kAnalyzerIntervalMs);
    window.analyzer.DrawStep();
  }
  std::array<std::uint8_t, kSpectrumBandCount> levels{};
  AnalyzerWindow window{form.Analyzer()};
};

}  // namespace

TEST_F(AnalyzerThroughForm, ReadingsReachTheBarsAndCancelEndsTheCycle) {
  Tick();
  const SpectrumLevels& drawn = form.Analyzer().drawnLevels;
  EXPECT_EQ(drawn[5], 47);
  EXPECT_EQ(drawn[30], 30);
  EXPECT_EQ(drawn[0], 0);

  window.analyzer.Cancel();
  window.Deliver();
  EXPECT_FALSE(window.open);
  EXPECT_FALSE(form.AnalyzerOpen());
  EXPECT_FALSE(form.Link().analyzerCycle);
  EXPECT_FALSE(timers.Running(SetupForm::kAnalyzerTimer));
  line.ClearTraffic();
  timers.RunFor(3000);
  EXPECT_EQ(formtest::Count(Sent(), 'R'), 0);
}

TEST_F(AnalyzerThroughForm, APulledCableClosesTheAnalyzerWithTheBandInTheMessage) {
  Tick();
  const SpectrumLevels shown = form.Analyzer().drawnLevels;
  line.Faults().silentAfterFrames = 7;
  window.graph.Clear();
  Tick();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"CHKSUM ERROR 7"});
  EXPECT_FALSE(window.open);
  EXPECT_EQ(window.timerMs, 0);
  EXPECT_FALSE(form.AnalyzerOpen());
  EXPECT_FALSE(form.Link().portOpen);
  EXPECT_TRUE(window.graph.ops.empty());  // the last picture stays
  EXPECT_EQ(form.Analyzer().drawnLevels, shown);
}

TEST_F(AnalyzerThroughForm, TheFrozenPictureIsWhatThePrintGets) {
  Tick();
  const SpectrumLevels shown = form.Analyzer().drawnLevels;
  window.analyzer.StopRestart();
  line.ClearTraffic();
  levels.fill(3);
  line.Processor().SetSpectrumLevels(levels);
  Tick();
  Tick();
  EXPECT_TRUE(line.Sent().empty());  // frozen: nothing more is read
  EXPECT_EQ(form.PrintLevels(), shown);

  form.PressPrint();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Port Connected"});
  EXPECT_TRUE(view.printed.empty());

  form.Disconnect();
  EXPECT_FALSE(window.open);
  form.PressPrint();
  ASSERT_EQ(view.printed.size(), 1u);
  EXPECT_EQ(view.printed[0], shown);
}

TEST_F(AnalyzerThroughForm, FreezingAndClosingAtOnceStillPrintsTheFrozenPicture) {
  Tick();
  const SpectrumLevels shown = form.Analyzer().drawnLevels;
  window.analyzer.StopRestart();
  window.analyzer.Cancel();
  window.Deliver();
  EXPECT_EQ(form.PrintLevels(), shown);
}
