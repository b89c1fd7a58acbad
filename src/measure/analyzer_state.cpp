#include "measure/analyzer_state.h"

#include <algorithm>

std::int32_t AnalyzerState::CapLevel(int reading) { return std::clamp(reading, 0, kSpectrumMaxLevel); }

void AnalyzerState::StoreReading(int band, int reading) {
  // A frozen picture keeps its levels: they are what is printed with its trend line.
  if (band < 0 || band >= kSpectrumBandCount || frozen == 1) return;
  levels[static_cast<std::size_t>(band)] = CapLevel(reading);
}

void AnalyzerState::CopyFrozenLevels(SpectrumLevels& printLevels) const {
  if (frozen == 1) printLevels = levels;
}

void AnalyzerState::Reset() {
  levels.fill(0);
  drawnLevels.fill(0);
  dataReady = 0;
  frozen = 0;
}
