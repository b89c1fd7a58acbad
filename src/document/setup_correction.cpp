#include "document/setup_correction.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "common/text_fill.h"
#include "crossover/crossover_lists.h"
#include "crossover/speaker_group_info.h"
#include "eq/equalizer_settings.h"

namespace SetupCorrection {
namespace {

constexpr float kGeqMinGain = -9.0f;
constexpr float kGeqMaxGain = 9.0f;
constexpr std::int32_t kStartAeqMode = 96;
constexpr std::int32_t kAeqModes[] = {kStartAeqMode, 0x71, 0x72, 0x73};

struct KindName {
  Kind kind;
  const char* name;
};
constexpr KindName kKindNames[] = {
    {kEqFrequencies, "equalizer frequencies"},
    {kEqGains, "equalizer gains"},
    {kEqQValues, "equalizer Q values"},
    {kCurvePeaks, "curve peaks"},
    {kPeakBoosts, "peak boosts"},
    {kCrossoverFrequencies, "crossover frequencies"},
    {kCrossoverSlopes, "crossover slopes"},
    {kCrossoverLevels, "crossover levels"},
    {kDelays, "delays"},
    {kPhases, "phases"},
    {kSpeakerSwitches, "speaker switches"},
    {kAutomaticEq, "automatic EQ settings"},
    {kSubWooferMode, "sub-woofer mode"},
    {kEqCurves, "equalizer curves above 12 dB"},
};

// Puts `v` into lo..hi; a value that is not a finite number becomes `startUp`. True when changed.
template <typename T>
bool Fix(T& v, T lo, T hi, T startUp) {
  T fixed = v;
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(v)) fixed = startUp;
  }
  fixed = std::clamp(fixed, lo, hi);
  if (fixed == v) return false;
  v = fixed;
  return true;
}

Kinds Flag(bool changed, Kind kind) { return changed ? kind : 0u; }

Kinds FixPeqBand(FilterParams& band, const FilterParams& startUp) {
  return Flag(Fix(band.frequency, kPeqMinFrequency, kPeqMaxFrequency, startUp.frequency), kEqFrequencies) |
         Flag(Fix(band.gain, kPeqMinGain, kPeqMaxGain, startUp.gain), kEqGains) |
         Flag(Fix(band.q, kPeqMinQ, kPeqMaxQ, startUp.q), kEqQValues);
}

Kinds FixGeqBand(FilterParams& band, const FilterParams& startUp) {
  return Flag(Fix(band.frequency, kPeqMinFrequency, kPeqMaxFrequency, startUp.frequency), kEqFrequencies) |
         Flag(Fix(band.gain, kGeqMinGain, kGeqMaxGain, startUp.gain), kEqGains) |
         Flag(Fix(band.q, kPeqMinQ, kPeqMaxQ, startUp.q), kEqQValues);
}

// One band edge: the frequency must be a step of the group's list within the edge's range, and
// the code the processor receives must be that step's. A valid code decides (the processor has
// always received it); else a frequency on the list; else the nearest step of the range.
bool FixEdge(double& frequency, std::int32_t& code, const FrequencyList& list, int minStep, int maxStep,
             double startUp) {
  const long codeStep = static_cast<long>(code) - list.CodeOffset();
  int step = list.ExactStep(frequency);
  if (codeStep >= minStep && codeStep <= maxStep) {
    step = static_cast<int>(codeStep);
  } else if (step < minStep || step > maxStep) {
    step = std::clamp(list.NearestStep(std::isfinite(frequency) ? frequency : startUp), minStep, maxStep);
  }
  const double fixedFrequency = list.Value(step);
  const std::int32_t fixedCode = list.Code(step);
  if (fixedFrequency == frequency && fixedCode == code) return false;
  frequency = fixedFrequency;
  code = fixedCode;
  return true;
}

bool FixSlope(double& slope, SpeakerGroup group, CrossoverEdge edge, double startUp) {
  const double source = std::isfinite(slope) ? slope : startUp;
  // The nearest list entry: slopes are multiples of -6 dB/oct.
  const double rounded = std::round(std::clamp(source, -60.0, 60.0) / -6.0) * -6.0;
  const double fixed = SlopeOfEntry(group, edge, SlopeEntryOf(group, edge, rounded));
  if (fixed == slope) return false;  // an equal value keeps its bytes (0.0 stays 0.0)
  slope = fixed;
  return true;
}

Kinds FixCrossover(CrossoverRec& rec, SpeakerGroup group) {
  const SpeakerGroupInfo& info = GroupInfo(group);
  const CrossoverRec startUp = DefaultCrossover(group);
  Kinds kinds = 0;
  kinds |= Flag(FixEdge(rec.lpfFrequency, rec.lpfCode, *info.frequencies, info.lpfMinStep, info.lpfMaxStep,
                        startUp.lpfFrequency),
                kCrossoverFrequencies);
  kinds |= Flag(FixEdge(rec.hpfFrequency, rec.hpfCode, *info.frequencies, info.hpfMinStep, info.hpfMaxStep,
                        startUp.hpfFrequency),
                kCrossoverFrequencies);
  kinds |= Flag(FixSlope(rec.lpfSlope, group, CrossoverEdge::Lpf, startUp.lpfSlope), kCrossoverSlopes);
  kinds |= Flag(FixSlope(rec.hpfSlope, group, CrossoverEdge::Hpf, startUp.hpfSlope), kCrossoverSlopes);
  kinds |= Flag(Fix(rec.level, kMinCrossoverLevel, kMaxCrossoverLevel, 0), kCrossoverLevels);
  return kinds;
}

}  // namespace

FilterParams CorrectedPeqBand(const FilterParams& band, EqGroup group, int index) {
  FilterParams fixed = band;
  FixPeqBand(fixed, DefaultPeqBand(group, std::clamp(index, 0, kPeqBandCount - 1)));
  return fixed;
}

double CorrectedDelay(double ms) {
  Fix(ms, 0.0, kMaxDelayMs, 0.0);
  return ms;
}

int DelaySteps(double ms) {
  return std::clamp(static_cast<int>(std::trunc(CorrectedDelay(ms) * 10.0)), 0, kMaxDelaySteps);
}

int CorrectedPeakBoost(int boost) { return std::clamp(boost, 0, kMaxPeakBoost); }

Corrections Correct(SetupDocument& doc) {
  Kinds kinds = 0;
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int s = 0; s < kEqSideCount; ++s) {
      for (int b = 0; b < kPeqBandCount; ++b)
        kinds |= FixPeqBand(doc.peqBands[g][s][b], DefaultPeqBand(group, b));
      for (int b = 0; b < kGeqBandCount; ++b) kinds |= FixGeqBand(doc.geqBands[g][s][b], DefaultGeqBand(b));
      kinds |= Flag(Fix(doc.peqCurvePeaks[g][s], 0.0, kMaxCurvePeak, 0.0), kCurvePeaks);
      kinds |= Flag(Fix(doc.geqCurvePeaks[g][s], 0.0, kMaxCurvePeak, 0.0), kCurvePeaks);
    }
  }
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    for (CrossoverRec& rec : doc.crossover[g]) kinds |= FixCrossover(rec, static_cast<SpeakerGroup>(g));
  }
  for (int c = 0; c < kOutputCount; ++c) {
    kinds |= Flag(Fix(doc.channelDelay[c], 0.0, kMaxDelayMs, 0.0), kDelays);
    kinds |= Flag(Fix(doc.channelPhase[c], 0, 1, 0), kPhases);
    kinds |= Flag(Fix(doc.speakerSwitch[c], 0, 1, 1), kSpeakerSwitches);
  }
  for (std::int32_t* boost : {&doc.appliedPeakBoost, &doc.peqPeakBoost, &doc.geqPeakBoost})
    kinds |= Flag(Fix(*boost, 0, kMaxPeakBoost, 0), kPeakBoosts);

  kinds |= Flag(Fix(doc.aeqActive, 0, 1, 0), kAutomaticEq);
  kinds |= Flag(Fix(doc.aeqParametersSaved, 0, 1, 0), kAutomaticEq);
  if (std::find(std::begin(kAeqModes), std::end(kAeqModes), doc.aeqMode) == std::end(kAeqModes)) {
    doc.aeqMode = kStartAeqMode;
    kinds |= kAutomaticEq;
  }
  kinds |= Flag(Fix(doc.subWooferMode, 0, 1, 0), kSubWooferMode);

  // The curves are judged on the corrected bands.
  std::vector<LoweredCurve> lowered = CurveLimit::LowerCurvesOverLimit(doc);
  kinds |= Flag(!lowered.empty(), kEqCurves);
  return {kinds, std::move(lowered)};
}

std::string Message(const Corrections& corrections) {
  if (!corrections.Any()) return {};
  std::string list;
  for (const KindName& k : kKindNames) {
    if ((corrections.kinds & k.kind) == 0) continue;
    if (!list.empty()) list += ", ";
    list += k.name;
    if (k.kind != kEqCurves) continue;
    std::string sets;
    for (const LoweredCurve& curve : corrections.loweredCurves)
      sets += (sets.empty() ? "" : ", ") + CurveLimit::Name(curve);
    list += " (" + sets + ")";
  }
  return FillPlaceholders(kCorrectedText, list);
}

}  // namespace SetupCorrection
