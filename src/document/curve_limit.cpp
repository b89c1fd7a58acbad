#include "document/curve_limit.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "eq/biquad_designer.h"
#include "eq/response_curve.h"

namespace CurveLimit {
namespace {

constexpr auto kPeaking = static_cast<std::int32_t>(FilterType::Peaking);

// Lowers the set until `curveOf` passes the rule; `lowerOnce` lowers it one step and says
// whether it could. Returns the new peak, or a negative value when the set passed as it was.
template <typename CurveOf, typename LowerOnce>
double LowerUntilPasses(CurveOf curveOf, LowerOnce lowerOnce) {
  double peak = CurvePeak(curveOf());
  if (!PeakOverLimit(peak)) return -1.0;
  while (PeakOverLimit(peak) && lowerOnce()) peak = CurvePeak(curveOf());
  return peak;
}

// One step on a parametric set: the bands holding the largest boost go one whole dB down (a
// fractional gain to the whole dB below it). A set with no boost left can only be over the
// limit through a resonant low- or high-pass record, which no control creates: those records
// become the band's start-up record.
bool LowerPeqOnce(PeqBandSet& set, EqGroup group) {
  float largest = 0.0f;
  for (const FilterParams& band : set)
    if (band.type == kPeaking) largest = std::max(largest, band.gain);
  bool changed = false;
  for (int b = 0; b < kPeqBandCount; ++b) {
    FilterParams& band = set[static_cast<std::size_t>(b)];
    if (largest > 0.0f) {
      if (band.type != kPeaking || band.gain != largest) continue;
      band.gain = std::ceil(band.gain) - 1.0f;
      changed = true;
    } else if (band.type != kPeaking) {
      band = DefaultPeqBand(group, b);
      changed = true;
    }
  }
  return changed;
}

// One step on a graphic set, in the whole dB the curve uses (9 - code).
bool LowerGeqOnce(GeqBandSet& set) {
  GeqLevelCode highest = kGeqFlatCode;  // the smallest code is the largest boost
  for (const FilterParams& band : set) highest = std::min(highest, GeqCodeFromGain(band.gain));
  if (highest >= kGeqFlatCode) return false;
  for (FilterParams& band : set)
    if (GeqCodeFromGain(band.gain) == highest) band.gain = GeqGainFromCode(highest + 1);
  return true;
}

GeqCodeSet CodesOf(const GeqBandSet& set) {
  GeqCodeSet codes{};
  for (int b = 0; b < kGeqBandCount; ++b) codes[b] = GeqCodeFromGain(set[b].gain);
  return codes;
}

void StorePeak(PerEqSet<double>& peaks, EqGroup group, EqSide side, double peak) {
  // Center's sides show Common's curve.
  if (group == EqGroup::Center) {
    peaks[Index(group)].fill(peak);
  } else {
    peaks[Index(group)][Index(side)] = peak;
  }
}

}  // namespace

std::vector<LoweredCurve> LowerCurvesOverLimit(SetupDocument& doc) {
  std::vector<LoweredCurve> lowered;
  // Lowers one set of one equalizer; `lower(g, s)` returns its new peak or -1 when it passed.
  const auto judge = [&](EqKind kind, PerEqSet<double>& peaks, std::int32_t& peakBoost, auto lower) {
    for (int g = 0; g < kEqGroupCount; ++g) {
      const auto group = static_cast<EqGroup>(g);
      for (int s = 0; s < kEqSideCount; ++s) {
        const auto side = static_cast<EqSide>(s);
        if (group == EqGroup::Center && side != EqSide::Common) continue;
        const double peak = lower(g, s);
        if (peak < 0.0) continue;
        StorePeak(peaks, group, side, peak);
        peakBoost = std::max(peakBoost, static_cast<std::int32_t>(peak));
        lowered.push_back({kind, group, side, peak});
      }
    }
  };
  judge(EqKind::Parametric, doc.peqCurvePeaks, doc.peqPeakBoost, [&](int g, int s) {
    PeqBandSet& set = doc.peqBands[g][s];
    return LowerUntilPasses([&] { return ResponseCurve(set); },
                            [&] { return LowerPeqOnce(set, static_cast<EqGroup>(g)); });
  });
  judge(EqKind::Graphic, doc.geqCurvePeaks, doc.geqPeakBoost, [&](int g, int s) {
    GeqBandSet& set = doc.geqBands[g][s];
    return LowerUntilPasses([&] { return ResponseCurve(CodesOf(set)); }, [&] { return LowerGeqOnce(set); });
  });
  return lowered;
}

std::string Name(const LoweredCurve& curve) {
  std::string name = curve.kind == EqKind::Parametric ? "Parametric EQ " : "Graphic EQ ";
  name += kEqGroupListTexts[static_cast<std::size_t>(Index(curve.group))];
  name += ' ';
  name += kEqSideTexts[static_cast<std::size_t>(Index(curve.side))];
  return name;
}

}  // namespace CurveLimit
