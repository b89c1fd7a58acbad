#include "eq/response_curve.h"

#include <cmath>
#include <limits>
#include <memory>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"

namespace {

// The trigonometric terms of every grid point, computed once: each redraw sums up to six
// curves of 31 bands, and the grid never changes.
struct GridTerms {
  std::array<double, kCurvePointCount> cosW{};
  std::array<double, kCurvePointCount> sinW{};
  std::array<double, kCurvePointCount> cos2W{};
  std::array<double, kCurvePointCount> sin2W{};

  GridTerms() {
    const double fs = static_cast<double>(BiquadDesigner::kSampleRate);
    for (int j = 0; j < kCurvePointCount; ++j) {
      const double w = BiquadDesigner::kTwoPi * CurveGridFrequency(j) / fs;
      const auto i = static_cast<std::size_t>(j);
      cosW[i] = std::cos(w);
      sinW[i] = std::sin(w);
      cos2W[i] = std::cos(2.0 * w);
      sin2W[i] = std::sin(2.0 * w);
    }
  }
};

const GridTerms& Grid() {
  static const GridTerms grid;
  return grid;
}

void AddBand(CurveValues& curve, const BiquadCoefficients& c) {
  const GridTerms& g = Grid();
  for (std::size_t j = 0; j < curve.size(); ++j)
    curve[j] += BiquadDesigner::MagnitudeDb(c, g.cosW[j], g.sinW[j], g.cos2W[j], g.sin2W[j]);
}

BiquadCoefficients GeqBand(int band, GeqLevelCode code) {
  BiquadDesigner designer;
  return designer.Design(static_cast<std::int32_t>(FilterType::Peaking),
                         kGeqBandFrequencies[static_cast<std::size_t>(band)], GeqGainFromCode(code),
                         kGeqBandQ, 0, 0);
}

// A graphic band's response depends on its band and level code alone: the 31 x 19 responses on
// the grid are computed once, and a curve is their sum. The values are the ones the band would
// give each time, added in the same order.
using GeqBandResponses = std::array<std::array<CurveValues, kGeqMaxCode + 1>, kGeqBandCount>;

const GeqBandResponses& GeqResponses() {
  static const auto table = [] {
    auto t = std::make_unique<GeqBandResponses>();
    for (int b = 0; b < kGeqBandCount; ++b) {
      for (GeqLevelCode code = 0; code <= kGeqMaxCode; ++code) {
        CurveValues& values = (*t)[static_cast<std::size_t>(b)][static_cast<std::size_t>(code)];
        values.fill(0.0);
        AddBand(values, GeqBand(b, code));
      }
    }
    return t;
  }();
  return *table;
}

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (v >= kMax) return std::numeric_limits<int>::max();
  if (v <= kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

constexpr std::array<int, 3> kCopiedGroups = {Index(EqGroup::Front), Index(EqGroup::Rear),
                                              Index(EqGroup::SubWoofer)};

}  // namespace

double CurveGridFrequency(int j) { return 20.0 * std::pow(2.0, j * kCurvePointOctaves); }

CurveValues ResponseCurve(const PeqBandSet& set) {
  CurveValues curve{};
  BiquadDesigner designer;
  for (const FilterParams& band : set) AddBand(curve, designer.Design(band));
  return curve;
}

CurveValues ResponseCurve(const GeqCodeSet& set) {
  const GeqBandResponses& table = GeqResponses();
  CurveValues curve{};
  for (int b = 0; b < kGeqBandCount; ++b) {
    const GeqLevelCode code = set[static_cast<std::size_t>(b)];
    if (code >= 0 && code <= kGeqMaxCode) {
      const CurveValues& band = table[static_cast<std::size_t>(b)][static_cast<std::size_t>(code)];
      for (std::size_t j = 0; j < curve.size(); ++j) curve[j] += band[j];
    } else {
      AddBand(curve, GeqBand(b, code));
    }
  }
  return curve;
}

CurveValues ResponseCurve(PerEqSet<PeqBandSet>& sets, EqGroup group, EqSide side) {
  CopyCenterCommonToSides(sets);
  return ResponseCurve(sets[Index(group)][Index(side)]);
}

CurveValues ResponseCurve(PerEqSet<GeqCodeSet>& sets, EqGroup group, EqSide side) {
  CopyCenterCommonToSides(sets);
  return ResponseCurve(sets[Index(group)][Index(side)]);
}

double CurvePeak(const CurveValues& curve) {
  double peak = 0.0;
  for (double v : curve) {
    if (v > peak) peak = std::trunc(v + 0.9);
  }
  return peak;
}

bool PeakOverLimit(double curvePeak) { return curvePeak > kCurvePeakLimit; }

bool CheckPeakRule(double curvePeak, bool& warningShown, Dialogs& dialogs) {
  if (!PeakOverLimit(curvePeak)) return true;
  if (!warningShown) {
    dialogs.ShowMessage(kPeakOverMessage);
    warningShown = true;
  }
  return false;
}

int PeakBoost(const PerEqSet<double>& peaks, EqSide side, EqKind kind) {
  double largest = 0.0;
  bool first = true;
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      const bool inMode = side == EqSide::Common ? s == Index(EqSide::Common) : s != Index(EqSide::Common);
      if (!inMode) continue;
      const double v = peaks[g][s];
      if (first || v > largest) largest = v;
      first = false;
    }
  }
  // The entries are whole dB; the round-up only guards against a value a hair below one.
  const double roundUp = kind == EqKind::Graphic ? 0.99999 : 0.9999999;
  return TruncToInt(largest + roundUp);
}

void CopyCommonToLR(PerEqSet<PeqBandSet>& sets) {
  for (int g : kCopiedGroups) {
    sets[g][Index(EqSide::L)] = sets[g][Index(EqSide::Common)];
    sets[g][Index(EqSide::R)] = sets[g][Index(EqSide::Common)];
  }
}

void CopyCommonToLR(PerEqSet<GeqBandSet>& sets) {
  for (int g : kCopiedGroups) {
    for (int b = 0; b < kGeqBandCount; ++b) {
      const float gain = sets[g][Index(EqSide::Common)][b].gain;
      sets[g][Index(EqSide::L)][b].gain = gain;
      sets[g][Index(EqSide::R)][b].gain = gain;
    }
  }
}

void CopyCommonToLR(CrossoverTable& table) {
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    if (g == Index(SpeakerGroup::Center)) continue;
    table[g][Index(CrossoverSet::L)] = table[g][Index(CrossoverSet::Common)];
    table[g][Index(CrossoverSet::R)] = table[g][Index(CrossoverSet::Common)];
  }
}

void CopyCommonToLR(SetupDocument& doc, CopyTarget which) {
  switch (which) {
    case CopyTarget::ParametricEq:
      CopyCommonToLR(doc.peqBands);
      break;
    case CopyTarget::GraphicEq:
      CopyCommonToLR(doc.geqBands);
      break;
    case CopyTarget::Divider:
      CopyCommonToLR(doc.crossover);
      break;
  }
}
