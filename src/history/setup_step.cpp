#include "history/setup_step.h"

#include <algorithm>

#include "alignment/tcr_report.h"
#include "crossover/crossover_editor.h"
#include "eq/equalizer_settings.h"

namespace {

constexpr std::array<const char*, kFunctionSwitchCount> kSwitchNames = {
    "Parametric Equalizer", "Graphic Equalizer", "Divider Crossover", "Time Correction /Phase"};
constexpr std::array<const char*, 2> kSubWooferModeNames = {"Stereo", "Mono"};

bool SameGains(const GeqBandSet& a, const GeqBandSet& b) {
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](const FilterParams& x, const FilterParams& y) { return x.gain == y.gain; });
}

bool SameMeasurement(const SetupDocument& a, const SetupDocument& b) {
  return a.aeqMode == b.aeqMode && a.aeqParameters == b.aeqParameters &&
         a.measuredValue1 == b.measuredValue1 && a.measuredValue2 == b.measuredValue2;
}

// Center keeps its three sets equal: its changes are told and sent once, as Common.
bool CountsSide(int group, int side) { return group != Index(EqGroup::Center) || side == 0; }

// The (group, side, band) of every changed band, Center once.
template <typename Bands, typename Same>
std::vector<std::array<int, 3>> ChangedBands(const Bands& from, const Bands& to, Same same) {
  std::vector<std::array<int, 3>> changed;
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      if (!CountsSide(g, s)) continue;
      const auto& a = from[g][s];
      for (int b = 0; b < static_cast<int>(a.size()); ++b) {
        if (!same(a[b], to[g][s][b])) changed.push_back({g, s, b});
      }
    }
  }
  return changed;
}

bool SameBand(const FilterParams& a, const FilterParams& b) { return a == b; }
bool SameGain(const FilterParams& a, const FilterParams& b) { return a.gain == b.gain; }

bool SameLevel(const CrossoverRec& a, const CrossoverRec& b) { return a.level == b.level; }
bool SameFilter(const CrossoverRec& a, const CrossoverRec& b) {
  CrossoverRec x = a;
  x.level = b.level;
  return x == b;
}

// "Parametric EQ Front L ch band 3", "Parametric EQ Front L ch" or "Parametric EQ".
std::string BandsText(const char* what, const std::vector<std::array<int, 3>>& changed) {
  std::string text = what;
  if (changed.empty()) return text;
  const auto& first = changed.front();
  const bool oneSet = std::all_of(changed.begin(), changed.end(),
                                  [&](const auto& c) { return c[0] == first[0] && c[1] == first[1]; });
  if (!oneSet) return text;
  text += " " + std::string(kEqGroupListTexts[first[0]]) + " " + std::string(kEqSideTexts[first[1]]);
  if (changed.size() == 1) text += " band " + std::to_string(first[2] + 1);
  return text;
}

std::string CrossoverText(const SetupDocument& a, const SetupDocument& b) {
  int count = 0;
  std::string text = "Crossover";
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    for (int s = 0; s < kCrossoverSetCount; ++s) {
      if (a.crossover[g][s] == b.crossover[g][s]) continue;
      if (++count == 1) {
        text.append(" ").append(kCrossoverGroupTexts[g]).append(" ").append(kCrossoverSetTexts[s]);
      }
    }
  }
  return count == 1 ? text : "Crossover";
}

std::string TimeCorrectionText(const SetupDocument& a, const SetupDocument& b) {
  std::vector<std::string> changes;
  for (int c = 0; c < kOutputCount; ++c) {
    const std::string name(kTcrReportChannelNames[c]);
    if (a.channelDelay[c] != b.channelDelay[c]) changes.push_back("Delay " + name);
    if (a.channelPhase[c] != b.channelPhase[c]) changes.push_back("Phase " + name);
  }
  return changes.size() == 1 ? changes.front() : "Time Correction";
}

std::string SpeakersText(const SetupDocument& a, const SetupDocument& b) {
  std::vector<int> changed;
  for (int c = 0; c < kOutputCount; ++c) {
    if (a.speakerSwitch[c] != b.speakerSwitch[c]) changed.push_back(c);
  }
  if (changed.size() != 1) return "Speakers";
  const int c = changed.front();
  return "Speaker " + std::string(kTcrReportChannelNames[c]) + (b.speakerSwitch[c] != 0 ? " ON" : " OFF");
}

std::string SwitchesText(const FunctionSwitches& before, const FunctionSwitches& after) {
  // The switch turned on names the step (it may have turned its partner off); else the one off.
  for (bool on : {true, false}) {
    for (int w = 0; w < kFunctionSwitchCount; ++w) {
      if (before[w] != after[w] && after[w] == on)
        return std::string(kSwitchNames[w]) + (on ? " ON" : " OFF");
    }
  }
  return {};
}

}  // namespace

SetupParts ChangedParts(const SetupDocument& a, const SetupDocument& b) {
  SetupParts parts = kNoParts;
  const auto mark = [&parts](bool same, SetupPart part) {
    if (!same) parts |= static_cast<unsigned>(part);
  };
  mark(a.peqBands == b.peqBands && a.peqCurvePeaks == b.peqCurvePeaks && a.peqPeakBoost == b.peqPeakBoost,
       SetupPart::Parametric);
  bool gainsSame = a.geqCurvePeaks == b.geqCurvePeaks && a.geqPeakBoost == b.geqPeakBoost;
  for (int g = 0; g < kEqGroupCount && gainsSame; ++g) {
    for (int s = 0; s < kEqSideCount && gainsSame; ++s)
      gainsSame = SameGains(a.geqBands[g][s], b.geqBands[g][s]);
  }
  mark(gainsSame, SetupPart::Graphic);
  mark(a.crossover == b.crossover, SetupPart::Crossover);
  mark(a.channelDelay == b.channelDelay && a.channelPhase == b.channelPhase, SetupPart::TimeCorrection);
  mark(a.speakerSwitch == b.speakerSwitch, SetupPart::Speakers);
  mark(a.subWooferMode == b.subWooferMode, SetupPart::SubWooferMode);
  mark(a.profile == b.profile, SetupPart::Profile);
  mark(SameMeasurement(a, b), SetupPart::Measurement);
  return parts;
}

void CopyParts(SetupParts parts, const SetupDocument& from, SetupDocument& to) {
  if (Has(parts, SetupPart::Parametric)) {
    to.peqBands = from.peqBands;
    to.peqCurvePeaks = from.peqCurvePeaks;
    to.peqPeakBoost = from.peqPeakBoost;
  }
  if (Has(parts, SetupPart::Graphic)) {
    // The graphic windows change gains only; the bands' frequencies and Q stay the document's.
    for (int g = 0; g < kEqGroupCount; ++g) {
      for (int s = 0; s < kEqSideCount; ++s) {
        for (int b = 0; b < kGeqBandCount; ++b) to.geqBands[g][s][b].gain = from.geqBands[g][s][b].gain;
      }
    }
    to.geqCurvePeaks = from.geqCurvePeaks;
    to.geqPeakBoost = from.geqPeakBoost;
  }
  if (Has(parts, SetupPart::Crossover)) to.crossover = from.crossover;
  if (Has(parts, SetupPart::TimeCorrection)) {
    to.channelDelay = from.channelDelay;
    to.channelPhase = from.channelPhase;
  }
  if (Has(parts, SetupPart::Speakers)) to.speakerSwitch = from.speakerSwitch;
  if (Has(parts, SetupPart::SubWooferMode)) to.subWooferMode = from.subWooferMode;
  if (Has(parts, SetupPart::Profile)) to.profile = from.profile;
  if (Has(parts, SetupPart::Measurement)) {
    to.aeqMode = from.aeqMode;
    to.aeqParameters = from.aeqParameters;
    to.measuredValue1 = from.measuredValue1;
    to.measuredValue2 = from.measuredValue2;
  }
}

std::vector<StepSend> StepSends(SetupParts parts, const SetupDocument& from, const SetupDocument& to) {
  std::vector<StepSend> sends;
  using Kind = StepSend::Kind;
  if (Has(parts, SetupPart::Parametric)) {
    for (const auto& [g, s, b] : ChangedBands(from.peqBands, to.peqBands, SameBand))
      sends.push_back({Kind::ParametricBand, g, s, b});
  }
  if (Has(parts, SetupPart::Graphic)) {
    for (const auto& [g, s, b] : ChangedBands(from.geqBands, to.geqBands, SameGain))
      sends.push_back({Kind::GraphicBand, g, s, b});
  }
  if (Has(parts, SetupPart::Crossover)) {
    for (int g = 0; g < kSpeakerGroupCount; ++g) {
      for (int s = 0; s < kCrossoverSetCount; ++s) {
        const CrossoverRec& a = from.crossover[g][s];
        const CrossoverRec& b = to.crossover[g][s];
        if (a == b) continue;
        const CrossoverUpdate update = SameFilter(a, b)  ? CrossoverUpdate::Level
                                       : SameLevel(a, b) ? CrossoverUpdate::Filter
                                                         : CrossoverUpdate::All;
        sends.push_back({Kind::Crossover, g, s, 0, update});
      }
    }
  }
  for (int c = 0; c < kOutputCount; ++c) {
    if (Has(parts, SetupPart::TimeCorrection) &&
        (from.channelDelay[c] != to.channelDelay[c] || from.channelPhase[c] != to.channelPhase[c]))
      sends.push_back({Kind::Channel, 0, 0, c});
  }
  for (int c = 0; c < kOutputCount; ++c) {
    if (Has(parts, SetupPart::Speakers) && from.speakerSwitch[c] != to.speakerSwitch[c])
      sends.push_back({Kind::Speaker, 0, 0, c});
  }
  if (Has(parts, SetupPart::SubWooferMode) && from.subWooferMode != to.subWooferMode)
    sends.push_back({Kind::SubWooferMode, 0, 0, to.subWooferMode});
  return sends;
}

std::string StepText(const SetupStep& step) {
  if (!step.text.empty()) return step.text;
  std::vector<std::string> texts;
  if (step.SwitchesChanged()) texts.push_back(SwitchesText(step.switchesBefore, step.switchesAfter));
  if (step.before && step.after) {
    const SetupDocument& a = *step.before;
    const SetupDocument& b = *step.after;
    if (Has(step.parts, SetupPart::Parametric))
      texts.push_back(BandsText("Parametric EQ", ChangedBands(a.peqBands, b.peqBands, SameBand)));
    if (Has(step.parts, SetupPart::Graphic))
      texts.push_back(BandsText("Graphic EQ", ChangedBands(a.geqBands, b.geqBands, SameGain)));
    if (Has(step.parts, SetupPart::Crossover)) texts.push_back(CrossoverText(a, b));
    if (Has(step.parts, SetupPart::TimeCorrection)) texts.push_back(TimeCorrectionText(a, b));
    if (Has(step.parts, SetupPart::Speakers)) texts.push_back(SpeakersText(a, b));
    if (Has(step.parts, SetupPart::SubWooferMode))
      texts.push_back(std::string("Sub-woofer ") + kSubWooferModeNames[b.subWooferMode != 0 ? 1 : 0]);
    if (Has(step.parts, SetupPart::Profile)) texts.push_back("Profile Data");
    if (Has(step.parts, SetupPart::Measurement)) texts.push_back("Measurement");
  }
  std::string text;
  for (const std::string& t : texts) text += (text.empty() ? "" : ", ") + t;
  return text;
}
