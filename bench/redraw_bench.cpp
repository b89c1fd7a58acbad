// One full redraw of the parametric and of the graphic graph on a 1480 x 526 control through the
// QPainter canvas on an image, as the windows draw them: background, legend, every visible curve
// recomputed with the 12 dB rule, then the painter finished so that the picture can be shown.
// The same for the crossover graph on 1480 x 560 with all six groups' curves. And one step of a
// mouse trace across the graphic bars: a band set from the pointer height and its column
// repainted.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "common/dialogs.h"
#include "common/form_request.h"
#include "crossover/crossover_editor.h"
#include "document/setup_document.h"
#include "eq/graphic_eq_editor.h"
#include "eq/parametric_eq_editor.h"
#include "platform/qt_painter_canvas.h"

namespace {

constexpr int kGraphWidth = 1480;
constexpr int kGraphHeight = 526;
constexpr int kLegendWidth = 160;

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "redraw_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

// Both editors draw on it; one override serves both views.
class ImageView : public ParametricEqView, public GraphicEqView {
 public:
  ImageView()
      : graphImage_(kGraphWidth, kGraphHeight, QImage::Format_RGB32),
        legendImage_(kLegendWidth, kGraphHeight, QImage::Format_RGB32),
        graph_(graphImage_),
        legend_(legendImage_) {}
  Canvas& GraphCanvas() override { return graph_; }
  Canvas& LegendCanvas() override { return legend_; }
  void SetMouseCapture(bool) override {}
  // The window finishes painting before it shows the picture.
  void Finish() {
    graph_.End();
    legend_.End();
  }

 private:
  QImage graphImage_;
  QImage legendImage_;
  QtPainterCanvas graph_;
  QtPainterCanvas legend_;
};

class NoForm : public FormRequestSink {
 public:
  void Post(const FormRequest&) override {}
  void Send(const FormRequest&) override {}
};

class NoDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view, MessageIcon) override {}
};

// Every group and side with bands that bend its curve, all below the 12 dB limit.
SetupDocument BusySetup() {
  SetupDocument doc;
  for (int g = 0; g < kEqGroupCount; ++g)
    for (int s = 0; s < kEqSideCount; ++s)
      for (int b = 0; b < kPeqBandCount; ++b) {
        FilterParams& band = doc.peqBands[g][s][b];
        band.gain = static_cast<float>(((b + g + s) % 5) * 2 - 4);
        band.q = 0.7f + 0.3f * static_cast<float>(b % 4);
      }
  return doc;
}

void Redraw(benchmark::State& state, bool showAllCurves, bool enableCursors) {
  EnsureGuiApplication();
  ImageView view;
  NoForm form;
  NoDialogs dialogs;
  ParametricEqEditor editor(view, form, dialogs);
  editor.Load(BusySetup());
  editor.Open({kGraphWidth, kGraphHeight}, {kLegendWidth, kGraphHeight});
  if (showAllCurves) editor.ToggleShowAllCurves();
  if (enableCursors) editor.ToggleEnableCursors();
  view.Finish();
  for (auto _ : state) {
    editor.Redraw();
    view.Finish();
  }
}

void RedrawShowAllCurves(benchmark::State& state) { Redraw(state, true, false); }
BENCHMARK(RedrawShowAllCurves)->Unit(benchmark::kMillisecond);

void RedrawEnableCursors(benchmark::State& state) { Redraw(state, false, true); }
BENCHMARK(RedrawEnableCursors)->Unit(benchmark::kMillisecond);

constexpr int kCrossoverHeight = 560;
constexpr int kCrossoverLegendWidth = 96;

class CrossoverImageView : public CrossoverView {
 public:
  CrossoverImageView()
      : graphImage_(kGraphWidth, kCrossoverHeight, QImage::Format_RGB32),
        legendImage_(kCrossoverLegendWidth, kCrossoverHeight, QImage::Format_RGB32),
        graph_(graphImage_),
        legend_(legendImage_) {}
  Canvas& GraphCanvas() override { return graph_; }
  Canvas& LegendCanvas() override { return legend_; }
  void SetMouseCapture(bool) override {}
  void MoveFocus(CrossoverFocus) override {}
  void Finish() {
    graph_.End();
    legend_.End();
  }

 private:
  QImage graphImage_;
  QImage legendImage_;
  QtPainterCanvas graph_;
  QtPainterCanvas legend_;
};

// Every group present, with slopes on both edges, then Show All Curves: six curves per redraw.
void RedrawCrossoverAllCurves(benchmark::State& state) {
  EnsureGuiApplication();
  CrossoverImageView view;
  NoForm form;
  NoDialogs dialogs;
  CrossoverEditor editor(view, form, dialogs);
  editor.Load(SetupDocument{});
  editor.Open({kGraphWidth, kCrossoverHeight}, {kCrossoverLegendWidth, kCrossoverHeight});
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    editor.SelectChannel(g);
    editor.LpfSlopeChosen(3);
    editor.HpfSlopeChosen(2);
    editor.LevelChosen(g);
  }
  editor.ToggleShowAllCurves();
  view.Finish();
  for (auto _ : state) {
    editor.Redraw();
    view.Finish();
  }
}
BENCHMARK(RedrawCrossoverAllCurves)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Every group and side with bands that bend its curve, all below the 12 dB limit.
SetupDocument BusyGraphicSetup() {
  SetupDocument doc;
  for (int g = 0; g < kEqGroupCount; ++g)
    for (int s = 0; s < kEqSideCount; ++s)
      for (int b = 0; b < kGeqBandCount; ++b)
        doc.geqBands[g][s][b].gain = static_cast<float>((b + g + s) % 9 - 4);
  return doc;
}

void RedrawGraphicShowAllCurves(benchmark::State& state) {
  EnsureGuiApplication();
  ImageView view;
  NoForm form;
  NoDialogs dialogs;
  GraphicEqEditor editor(view, form, dialogs);
  editor.Load(BusyGraphicSetup());
  editor.Open({kGraphWidth, kGraphHeight}, {kLegendWidth, kGraphHeight});
  editor.SelectSide(Index(EqSide::L));  // the other side's curve as well
  editor.ToggleShowAllCurves();
  view.Finish();
  for (auto _ : state) {
    editor.Redraw();
    view.Finish();
  }
}
BENCHMARK(RedrawGraphicShowAllCurves)->Unit(benchmark::kMillisecond);

// The pointer moves from one bar to the next, alternately above and below the 0 dB line.
void GraphicTraceStep(benchmark::State& state) {
  EnsureGuiApplication();
  ImageView view;
  NoForm form;
  NoDialogs dialogs;
  GraphicEqEditor editor(view, form, dialogs);
  editor.Load(BusyGraphicSetup());
  editor.Open({kGraphWidth, kGraphHeight}, {kLegendWidth, kGraphHeight});
  editor.ToggleEnableCursors();
  editor.SetMouseTrace(true);
  const EqGraphAxis& axis = editor.Graph()->Axis();
  const int zero = axis.ZeroDbY();
  editor.GraphPress({axis.CurvePointX(kGeqBandFrequencies[0]), zero - 40});
  view.Finish();
  int step = 0;
  for (auto _ : state) {
    const int band = step % kGeqBandCount;
    const int dy = (step % 2 == 0 ? -1 : 1) * (10 + 7 * (step % 11));
    editor.GraphMove({axis.CurvePointX(kGeqBandFrequencies[static_cast<std::size_t>(band)]), zero + dy});
    view.Finish();
    ++step;
  }
  editor.GraphRelease();
}
BENCHMARK(GraphicTraceStep)->Unit(benchmark::kMicrosecond);

}  // namespace
