#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"
#include "eq/response_curve.h"
#include "fit/eq_fit.h"

namespace {

// A car measured at 1/48 octave from 20 Hz to 20 kHz: 80 dB plus the response of `bands`, plus a
// little noise.
Measurement Measured(const std::vector<FilterParams>& bands, double noiseDb = 0.3) {
  Measurement m;
  std::mt19937 random(5200);
  std::normal_distribution<double> noise(0.0, noiseDb);
  BiquadDesigner designer;
  for (int i = 0;; ++i) {
    const double f = 20.0 * std::exp2(i / 48.0);
    if (f > 20000.0) break;
    double level = 80.0 + noise(random);
    for (const FilterParams& b : bands) level += designer.Response(designer.Design(b), f);
    m.frequency.push_back(f);
    m.level.push_back(level);
  }
  return m;
}

FilterParams Pk(float f, float gain, float q) { return FilterParams{4, f, gain, q, 0, 0}; }

const std::vector<FilterParams> kCar = {Pk(150, 6, 3), Pk(320, -5, 2), Pk(900, 4, 1.5), Pk(2500, -6, 4),
                                        Pk(5500, 3, 2)};
const std::vector<FilterParams> kSubCar = {Pk(45, 7, 2), Pk(90, -5, 3), Pk(150, 4, 2)};

TEST(EqFit, FitsKnownBandsBackUnderOneDecibel) {
  struct Case {
    const char* name;
    EqKind kind;
    EqGroup group;
    const std::vector<FilterParams>& car;
  };
  const std::vector<Case> cases = {
      {"parametric Front", EqKind::Parametric, EqGroup::Front, kCar},
      {"graphic Rear", EqKind::Graphic, EqGroup::Rear, kCar},
      {"parametric SubWoofer", EqKind::Parametric, EqGroup::SubWoofer, kSubCar},
      {"graphic SubWoofer", EqKind::Graphic, EqGroup::SubWoofer, kSubCar},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetupDocument doc;
    FitSettings settings;
    settings.kind = c.kind;
    settings.group = c.group;
    settings.side = EqSide::L;
    const FitResult fit = FitEqualizer(Measured(c.car), doc, settings);
    ASSERT_TRUE(fit.edit) << fit.error;
    EXPECT_GT(fit.rmsBefore, 2.0);
    EXPECT_LT(fit.rmsAfter, 1.0);
    EXPECT_FALSE(PeakOverLimit(CurvePeak(fit.edit->Curve())));
    EXPECT_LE(CurvePeak(fit.edit->Curve()), kDefaultMaxBoost);
    if (c.kind == EqKind::Parametric) {
      const PeqBandSet& set = fit.edit->ParametricBands();
      for (int b = 0; b < kPeqBandCount; ++b) {
        const FilterParams& band = set[static_cast<std::size_t>(b)];
        EXPECT_EQ(band.gain, std::round(band.gain)) << b;
        if (b >= PeqBandsInUse(c.group)) {
          EXPECT_EQ(band.gain, 0.0f) << b;
          continue;
        }
        EXPECT_GE(band.gain, -12.0f);
        EXPECT_LE(band.gain, kDefaultMaxBoost);
        EXPECT_GE(band.q, kPeqMinQ);
        EXPECT_LE(band.q, kPeqMaxQ);
        EXPECT_GE(band.frequency, kPeqMinFrequency);
        EXPECT_LE(band.frequency, c.group == EqGroup::SubWoofer ? kSubWooferMaxFrequency : kPeqMaxFrequency);
      }
    } else {
      const GeqCodeSet& codes = fit.edit->GraphicCodes();
      for (int b = 0; b < kGeqBandCount; ++b) {
        EXPECT_GE(codes[static_cast<std::size_t>(b)], 9 - kDefaultMaxBoost) << b;
        EXPECT_LE(codes[static_cast<std::size_t>(b)], kGeqMaxCode) << b;
        if (b >= GeqBandsInUse(c.group)) {
          EXPECT_EQ(codes[static_cast<std::size_t>(b)], kGeqFlatCode) << b;
        }
      }
    }
  }
}

TEST(EqFit, CutsOnlyNeverBoosts) {
  for (EqKind kind : {EqKind::Parametric, EqKind::Graphic}) {
    SetupDocument doc;
    FitSettings settings;
    settings.kind = kind;
    settings.maxBoost = 0.0;
    const FitResult fit = FitEqualizer(Measured(kCar), doc, settings);
    ASSERT_TRUE(fit.edit) << fit.error;
    EXPECT_LT(fit.rmsAfter, fit.rmsBefore);
    for (double v : fit.edit->Curve()) EXPECT_LE(v, 1e-9);
    if (kind == EqKind::Parametric) {
      for (const FilterParams& b : fit.edit->ParametricBands()) EXPECT_LE(b.gain, 0.0f);
    } else {
      for (GeqLevelCode code : fit.edit->GraphicCodes()) EXPECT_GE(code, kGeqFlatCode);
    }
  }
}

TEST(EqFit, AimsAtAHouseCurveAlignedToTheMeasurement) {
  // A car that already falls 6 dB from 100 Hz to 10 kHz meets a house curve of the same tilt.
  Measurement tilt;
  Measurement house;
  for (int i = 0; i <= 480; ++i) {
    const double f = 20.0 * std::exp2(i / 48.0);
    tilt.frequency.push_back(f);
    tilt.level.push_back(90.0 - 3.0 * std::log10(f / 100.0));
  }
  house.frequency = {100.0, 10000.0};
  house.level = {0.0, -6.0};
  SetupDocument doc;
  FitSettings settings;
  const FitResult flat = FitEqualizer(tilt, doc, settings);
  settings.target = TargetCurve(house);
  const FitResult aimed = FitEqualizer(tilt, doc, settings);
  ASSERT_TRUE(flat.edit && aimed.edit);
  EXPECT_GT(flat.rmsBefore, 1.0);
  EXPECT_LT(aimed.rmsBefore, 0.05);
  EXPECT_LE(aimed.rmsAfter, aimed.rmsBefore);
}

TEST(EqFit, RefusesWhatCannotBeFitted) {
  SetupDocument doc;
  FitSettings settings;
  settings.maxBoost = 13.0;
  EXPECT_FALSE(FitEqualizer(Measured(kCar), doc, settings).edit);
  settings.maxBoost = 6.0;
  settings.range = FitRange{30000.0, 40000.0};  // beyond what was measured
  const FitResult outside = FitEqualizer(Measured(kCar), doc, settings);
  EXPECT_FALSE(outside.edit);
  EXPECT_FALSE(outside.error.empty());
}

}  // namespace
