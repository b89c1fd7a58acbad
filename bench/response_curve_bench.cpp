// The cost of one equalizer redraw: every visible curve is recomputed, up to six 31-band curves.
#include <benchmark/benchmark.h>

#include "document/setup_document.h"
#include "eq/response_curve.h"

namespace {

GeqCodeSet BusyGraphicSet() {
  GeqCodeSet set{};
  for (int b = 0; b < kGeqBandCount; ++b) set[b] = (b * 7) % (kGeqMaxCode + 1);
  return set;
}

PeqBandSet BusyParametricSet() {
  PeqBandSet set{};
  for (int b = 0; b < kPeqBandCount; ++b) {
    set[b] = DefaultPeqBand(EqGroup::Front, b);
    set[b].gain = static_cast<float>((b % 5) * 3 - 6);
    set[b].q = 0.5f + static_cast<float>(b);
  }
  return set;
}

void GraphicCurve(benchmark::State& state) {
  const GeqCodeSet set = BusyGraphicSet();
  for (auto _ : state) benchmark::DoNotOptimize(ResponseCurve(set));
}
BENCHMARK(GraphicCurve);

void ParametricCurve(benchmark::State& state) {
  const PeqBandSet set = BusyParametricSet();
  for (auto _ : state) benchmark::DoNotOptimize(ResponseCurve(set));
}
BENCHMARK(ParametricCurve);

// The heaviest redraw: all four groups of the side, the opposite side and the current curve,
// each with its peak.
void GraphicRedrawOfSixCurves(benchmark::State& state) {
  PerEqSet<GeqCodeSet> sets{};
  for (auto& group : sets)
    for (auto& set : group) set = BusyGraphicSet();
  for (auto _ : state) {
    double peaks = 0.0;
    for (int g = 0; g < kEqGroupCount; ++g)
      peaks += CurvePeak(ResponseCurve(sets, static_cast<EqGroup>(g), EqSide::L));
    peaks += CurvePeak(ResponseCurve(sets, EqGroup::Front, EqSide::R));
    peaks += CurvePeak(ResponseCurve(sets, EqGroup::Front, EqSide::L));
    benchmark::DoNotOptimize(peaks);
  }
}
BENCHMARK(GraphicRedrawOfSixCurves);

}  // namespace
