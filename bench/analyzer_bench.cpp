// One draw step of the spectrum analyzer with all 31 bars changing, through the QPainter canvas
// on the window's pictures, as the 50 ms timer runs it: the changed segments drawn, then the
// painter finished so that the picture can be shown. The frame is the window's normal 820 x 330.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "common/form_request.h"
#include "measure/spectrum_analyzer.h"
#include "platform/qt_painter_canvas.h"

namespace {

constexpr int kFrameWidth = 820;
constexpr int kFrameHeight = 330;

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "analyzer_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

class ImageView : public SpectrumAnalyzerView {
 public:
  ImageView()
      : frameImage_(kFrameWidth, kFrameHeight, QImage::Format_RGB32),
        graphImage_(graphSize(), QImage::Format_RGB32),
        frame_(frameImage_),
        graph_(graphImage_) {}
  Canvas& FrameCanvas() override { return frame_; }
  Canvas& GraphCanvas() override { return graph_; }
  void StartDrawTimer(int) override {}
  void StopDrawTimer() override {}
  void Finish() {
    frame_.End();
    graph_.End();
  }

 private:
  static QSize graphSize() {
    const SpectrumGraph g(kFrameWidth, kFrameHeight);
    return QSize(g.GraphWidth(), g.GraphHeight());
  }
  QImage frameImage_;
  QImage graphImage_;
  QtPainterCanvas frame_;
  QtPainterCanvas graph_;
};

class NoForm : public FormRequestSink {
 public:
  void Post(const FormRequest&) override {}
  void Send(const FormRequest&) override {}
};

// Each step moves every band between `low` and `high` segments, in turn up and down.
void DrawStep(benchmark::State& run, int low, int high) {
  EnsureGuiApplication();
  ImageView view;
  NoForm form;
  AnalyzerState state;
  SpectrumAnalyzer analyzer(view, form, state);
  analyzer.Open(kFrameWidth, kFrameHeight);
  view.Finish();
  bool up = true;
  for (auto _ : run) {
    run.PauseTiming();
    for (int b = 0; b < kSpectrumBandCount; ++b) state.levels[b] = (up ? high : low) - (b % 3);
    state.dataReady = 1;
    up = !up;
    run.ResumeTiming();
    analyzer.DrawStep();
    view.Finish();
  }
}

// The worst case: every bar from empty to full and back (about 1450 segments a step).
void DrawStepFullSwing(benchmark::State& state) { DrawStep(state, 2, 47); }
BENCHMARK(DrawStepFullSwing)->Unit(benchmark::kMicrosecond);

// Music: every bar moves by about ten segments (about 300 segments a step).
void DrawStepTenSegments(benchmark::State& state) { DrawStep(state, 22, 32); }
BENCHMARK(DrawStepTenSegments)->Unit(benchmark::kMicrosecond);

}  // namespace
