// One fit of the ten parametric bands to a 1/48-octave measurement from 20 Hz to 20 kHz (481
// points), the graphic fit beside it; the residuals reached are reported as counters.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"
#include "fit/eq_fit.h"

namespace {

// A car with five resonances and dips, measured with a little noise.
Measurement Car() {
  const FilterParams car[] = {{4, 150.0f, 6.0f, 3.0f, 0, 0},
                              {4, 320.0f, -5.0f, 2.0f, 0, 0},
                              {4, 900.0f, 4.0f, 1.5f, 0, 0},
                              {4, 2500.0f, -6.0f, 4.0f, 0, 0},
                              {4, 5500.0f, 3.0f, 2.0f, 0, 0}};
  Measurement m;
  std::mt19937 random(5200);
  std::normal_distribution<double> noise(0.0, 0.3);
  BiquadDesigner designer;
  for (int i = 0; i <= 480; ++i) {
    const double f = 20.0 * std::exp2(i / 48.0);
    double level = 80.0 + noise(random);
    for (const FilterParams& b : car) level += designer.Response(designer.Design(b), f);
    m.frequency.push_back(f);
    m.level.push_back(level);
  }
  return m;
}

void Fit(benchmark::State& state, EqKind kind) {
  const Measurement m = Car();
  const SetupDocument doc;
  FitSettings settings;
  settings.kind = kind;
  FitResult result;
  for (auto _ : state) {
    result = FitEqualizer(m, doc, settings);
    benchmark::DoNotOptimize(result);
  }
  state.counters["points"] = static_cast<double>(m.Size());
  state.counters["rms_before_dB"] = result.rmsBefore;
  state.counters["rms_after_dB"] = result.rmsAfter;
}

void ParametricFitOfTenBands(benchmark::State& state) { Fit(state, EqKind::Parametric); }
BENCHMARK(ParametricFitOfTenBands)->Unit(benchmark::kMillisecond);

void GraphicFitOf31Bands(benchmark::State& state) { Fit(state, EqKind::Graphic); }
BENCHMARK(GraphicFitOf31Bands)->Unit(benchmark::kMillisecond);

}  // namespace
