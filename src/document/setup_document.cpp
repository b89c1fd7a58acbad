#include "document/setup_document.h"

#include <ctime>

namespace {

inline constexpr std::int32_t kPeakingType = 4;
inline constexpr std::int32_t kStartAeqMode = 96;

struct CrossoverDefault {
  double lpf;
  double lpfSlope;
  std::int32_t lpfCode;
  double hpf;
  double hpfSlope;
  std::int32_t hpfCode;
};

constexpr std::array<CrossoverDefault, kSpeakerGroupCount> kCrossoverDefaults = {{
    {20000.0, 0.0, 60, 4000.0, -18.0, 46},  // Front_Hi
    {4000.0, 0.0, 46, 400.0, 0.0, 26},      // Front_Mid
    {400.0, 0.0, 26, 20.0, 0.0, 0},         // Front_Low
    {20000.0, 0.0, 60, 20.0, 0.0, 0},       // Rear
    {20000.0, 0.0, 60, 20.0, 0.0, 0},       // Center
    {80.0, -18.0, 12, 20.0, 0.0, 0},        // SubWoofer
}};

}  // namespace

FilterParams DefaultPeqBand(EqGroup group, int band) {
  FilterParams p;
  p.type = kPeakingType;
  p.frequency = 31.25f * static_cast<float>(1 << band);
  if (group == EqGroup::SubWoofer && band == 3) p.frequency = 200.0f;
  p.gain = 0.0f;
  p.q = 1.0f;
  return p;
}

FilterParams DefaultGeqBand(int band) {
  FilterParams p;
  p.type = kPeakingType;
  p.frequency = kGeqBandFrequencies[static_cast<std::size_t>(band)];
  p.gain = 0.0f;
  p.q = 5.0f;
  return p;
}

CrossoverRec DefaultCrossover(SpeakerGroup group) {
  const CrossoverDefault& d = kCrossoverDefaults[static_cast<std::size_t>(Index(group))];
  CrossoverRec r;
  r.lpfFrequency = d.lpf;
  r.lpfSlope = d.lpfSlope;
  r.lpfCode = d.lpfCode;
  r.hpfFrequency = d.hpf;
  r.hpfSlope = d.hpfSlope;
  r.hpfCode = d.hpfCode;
  r.level = 0;
  return r;
}

SetupDocument::SetupDocument() { Reset(); }

void SetupDocument::Reset() {
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      for (int b = 0; b < kPeqBandCount; ++b) peqBands[g][s][b] = DefaultPeqBand(static_cast<EqGroup>(g), b);
      for (int b = 0; b < kGeqBandCount; ++b) geqBands[g][s][b] = DefaultGeqBand(b);
      peqCurvePeaks[g][s] = 0.0;
      geqCurvePeaks[g][s] = 0.0;
    }
  }
  for (int g = 0; g < kSpeakerGroupCount; ++g)
    crossover[g].fill(DefaultCrossover(static_cast<SpeakerGroup>(g)));
  channelDelay.fill(0.0);
  channelPhase.fill(0);
  speakerSwitch.fill(1);
  appliedPeakBoost = 0;
  peqPeakBoost = 0;
  geqPeakBoost = 0;
  aeqParameters.fill(0);
  aeqParametersSaved = 0;
  aeqMode = kStartAeqMode;
  subWooferMode = 0;
  viewSynchronized = 0;

  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  profile.year = local.tm_year + 1900;
  profile.month = local.tm_mon + 1;
  profile.day = local.tm_mday;
}
