#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"

// The spectrum analyzer's 31 third-octave bands, 20 Hz to 20 kHz, each shown as up to 48 segments.
inline constexpr int kSpectrumBandCount = kGeqBandCount;
inline constexpr int kSpectrumMaxLevel = 47;
inline constexpr int kPrintLevelStart = 32;

using SpectrumLevels = std::array<std::int32_t, kSpectrumBandCount>;

// What the main form's read cycle and the analyzer window share: the form writes a reading and
// marks it new, the window draws it and takes the mark away.
struct AnalyzerState {
  SpectrumLevels levels{};       // newest level per band, 0..47
  std::int32_t dataReady = 0;    // 1: `levels` hold a reading not yet drawn
  std::int32_t frozen = 0;       // 1 after "Stop", 0 after "Restart"
  SpectrumLevels drawnLevels{};  // what the window has drawn (the window's own)
  // Bands the window does not want read; they keep their last level.
  std::array<bool, kSpectrumBandCount> skipped{};

  // A processor reading as the bars show it: larger values are shown as 47.
  static std::int32_t CapLevel(int reading);

  // Stores one band's reading (capped); none while frozen.
  void StoreReading(int band, int reading);
  // The reading is complete and waits to be drawn.
  void Publish() { dataReady = 1; }
  // While frozen, the print follows the frozen picture.
  void CopyFrozenLevels(SpectrumLevels& printLevels) const;
  // A new window: nothing drawn, nothing waiting, running.
  void Reset();
};
