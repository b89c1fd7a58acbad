#include "eq/response_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/recording_dialogs.h"
#include "document/setup_document.h"
#include "eq/biquad_designer.h"

namespace {

CurveValues CurveWithMaximum(double maximum) {
  CurveValues c{};
  c.fill(-1.0);
  c[70] = maximum - 0.5;
  c[71] = maximum;
  c[72] = maximum - 0.3;
  return c;
}

PerEqSet<GeqCodeSet> FlatCodes() {
  PerEqSet<GeqCodeSet> codes{};
  for (auto& group : codes)
    for (auto& set : group) set.fill(kGeqFlatCode);
  return codes;
}

}  // namespace

TEST(CurveGrid, RunsFrom20HzToJustBelow20kHz) {
  EXPECT_EQ(CurveGridFrequency(0), 20.0);
  EXPECT_NEAR(CurveGridFrequency(31), 80.0, 1e-9);  // two octaves
  EXPECT_NEAR(CurveGridFrequency(154), 19584.0, 1.0);
  EXPECT_LT(CurveGridFrequency(154), 20000.0);
  EXPECT_GT(CurveGridFrequency(155), 20000.0);
  EXPECT_NEAR(CurveGridFrequency(-20), 20.0 * std::pow(2.0, -40.0 / 31.0), 1e-12);
}

TEST(ResponseCurve, IsTheSumOfTheBandsInDb) {
  PeqBandSet set{};
  for (int b = 0; b < kPeqBandCount; ++b) set[b] = DefaultPeqBand(EqGroup::Front, b);
  set[2].gain = 6.0f;
  set[5] = FilterParams{4, 1500.0f, -4.0f, 2.0f, 0, 0};
  set[8] = FilterParams{3, 6000.0f, 0.0f, 1.0f, 0, 0};
  const CurveValues curve = ResponseCurve(set);
  BiquadDesigner designer;
  for (int j = 0; j < kCurvePointCount; j += 11) {
    double sum = 0.0;
    for (const FilterParams& band : set)
      sum += designer.Response(designer.Design(band), CurveGridFrequency(j));
    EXPECT_EQ(curve[j], sum) << "point " << j;
  }
}

TEST(ResponseCurve, FlatSetsGiveAFlatCurveAndPeakZero) {
  SetupDocument doc;
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      const CurveValues peq = ResponseCurve(doc.peqBands, static_cast<EqGroup>(g), static_cast<EqSide>(s));
      for (double v : peq) ASSERT_EQ(v, 0.0);
      EXPECT_EQ(CurvePeak(peq), 0.0);
    }
  }
  PerEqSet<GeqCodeSet> codes = GeqCodesFromBands(doc.geqBands);
  const CurveValues geq = ResponseCurve(codes, EqGroup::Rear, EqSide::R);
  for (double v : geq) ASSERT_EQ(v, 0.0);
  EXPECT_EQ(CurvePeak(geq), 0.0);
}

TEST(ResponseCurve, GraphicSetsAtTheEdgesOfTheRule) {
  PerEqSet<GeqCodeSet> codes = FlatCodes();
  GeqCodeSet& set = codes[Index(EqGroup::Front)][Index(EqSide::Common)];

  set[17] = 0;  // one band at +9 dB, 1 kHz
  double peak = CurvePeak(ResponseCurve(codes, EqGroup::Front, EqSide::Common));
  EXPECT_EQ(peak, 9.0);
  EXPECT_FALSE(PeakOverLimit(peak));

  set[18] = 0;  // its neighbour too: refused
  peak = CurvePeak(ResponseCurve(codes, EqGroup::Front, EqSide::Common));
  EXPECT_GT(peak, 12.0);
  EXPECT_TRUE(PeakOverLimit(peak));

  set.fill(0);  // every band +9 dB
  const CurveValues all = ResponseCurve(codes, EqGroup::Front, EqSide::Common);
  EXPECT_GE(CurvePeak(all), 18.0);
  for (double v : all) EXPECT_GT(v, 0.0);

  set.fill(kGeqMaxCode);  // every band -9 dB: below 0 dB everywhere
  EXPECT_EQ(CurvePeak(ResponseCurve(codes, EqGroup::Front, EqSide::Common)), 0.0);
}

TEST(CurvePeak, RoundsUpFromNineTenths) {
  EXPECT_EQ(CurvePeak(CurveWithMaximum(12.05)), 12.0);
  EXPECT_FALSE(PeakOverLimit(CurvePeak(CurveWithMaximum(12.05))));
  EXPECT_EQ(CurvePeak(CurveWithMaximum(12.2)), 13.0);
  EXPECT_TRUE(PeakOverLimit(CurvePeak(CurveWithMaximum(12.2))));
  EXPECT_EQ(CurvePeak(CurveWithMaximum(0.05)), 0.0);
  EXPECT_EQ(CurvePeak(CurveWithMaximum(0.1)), 1.0);
  EXPECT_EQ(CurvePeak(CurveWithMaximum(-0.2)), 0.0);
  EXPECT_EQ(CurvePeak(CurveWithMaximum(5.0)), 5.0);

  CurveValues rising{};
  for (int j = 0; j < kCurvePointCount; ++j) rising[j] = j * 0.1;
  EXPECT_EQ(CurvePeak(rising), 16.0);  // max 15.4
}

TEST(PeakRule, WarnsOncePerEditAndRefusesEveryTime) {
  RecordingDialogs dialogs;
  bool warningShown = false;
  EXPECT_TRUE(CheckPeakRule(12.0, warningShown, dialogs));
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(CheckPeakRule(13.0, warningShown, dialogs));
  EXPECT_FALSE(CheckPeakRule(14.0, warningShown, dialogs));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"12 dB OVER"});
  warningShown = false;  // a new edit
  EXPECT_FALSE(CheckPeakRule(13.0, warningShown, dialogs));
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST(PeakBoost, TakesTheLargestEntryOfTheSideMode) {
  PerEqSet<double> peaks{};
  peaks[Index(EqGroup::Rear)][Index(EqSide::Common)] = 4.0;
  peaks[Index(EqGroup::SubWoofer)][Index(EqSide::Common)] = 7.0;
  peaks[Index(EqGroup::Front)][Index(EqSide::L)] = 9.0;
  peaks[Index(EqGroup::Center)][Index(EqSide::R)] = 11.0;
  EXPECT_EQ(PeakBoost(peaks, EqSide::Common, EqKind::Parametric), 7);
  EXPECT_EQ(PeakBoost(peaks, EqSide::Common, EqKind::Graphic), 7);
  EXPECT_EQ(PeakBoost(peaks, EqSide::L, EqKind::Parametric), 11);
  EXPECT_EQ(PeakBoost(peaks, EqSide::R, EqKind::Graphic), 11);
  EXPECT_EQ(PeakBoost(PerEqSet<double>{}, EqSide::L, EqKind::Graphic), 0);
  // The round-up differs between the two equalizers.
  peaks[Index(EqGroup::Front)][Index(EqSide::Common)] = 7.000005;
  EXPECT_EQ(PeakBoost(peaks, EqSide::Common, EqKind::Graphic), 7);
  EXPECT_EQ(PeakBoost(peaks, EqSide::Common, EqKind::Parametric), 8);
}

TEST(CenterCopy, CurvesUseTheCenterCommonSet) {
  PerEqSet<PeqBandSet> peq = SetupDocument().peqBands;
  peq[Index(EqGroup::Center)][Index(EqSide::Common)][4].gain = 5.0f;
  peq[Index(EqGroup::Center)][Index(EqSide::L)][6].gain = -9.0f;
  peq[Index(EqGroup::Front)][Index(EqSide::L)][6].gain = -9.0f;
  const CurveValues common = ResponseCurve(peq, EqGroup::Center, EqSide::Common);
  peq[Index(EqGroup::Center)][Index(EqSide::L)][6].gain = -9.0f;
  EXPECT_EQ(ResponseCurve(peq, EqGroup::Center, EqSide::L), common);
  EXPECT_EQ(peq[Index(EqGroup::Center)][Index(EqSide::L)],
            peq[Index(EqGroup::Center)][Index(EqSide::Common)]);
  EXPECT_EQ(peq[Index(EqGroup::Center)][Index(EqSide::R)],
            peq[Index(EqGroup::Center)][Index(EqSide::Common)]);
  // Other groups keep their own sides.
  EXPECT_EQ(peq[Index(EqGroup::Front)][Index(EqSide::L)][6].gain, -9.0f);

  PerEqSet<GeqCodeSet> geq = FlatCodes();
  geq[Index(EqGroup::Center)][Index(EqSide::Common)][10] = 3;
  geq[Index(EqGroup::Center)][Index(EqSide::R)][20] = 15;
  const CurveValues right = ResponseCurve(geq, EqGroup::Center, EqSide::R);
  EXPECT_EQ(right, ResponseCurve(geq[Index(EqGroup::Center)][Index(EqSide::Common)]));
  EXPECT_EQ(geq[Index(EqGroup::Center)][Index(EqSide::R)][20], kGeqFlatCode);
}

TEST(CopyCommonToLR, CopiesEveryGroupButCenter) {
  SetupDocument doc;
  for (int g = 0; g < kEqGroupCount; ++g) {
    doc.peqBands[g][Index(EqSide::Common)][3] = FilterParams{4, 321.0f, 4.0f, 2.0f, 0, 7};
    doc.peqBands[g][Index(EqSide::L)][3].gain = -6.0f;
    doc.geqBands[g][Index(EqSide::Common)][12].gain = 3.0f;
    doc.geqBands[g][Index(EqSide::R)][12].gain = -2.0f;
    doc.geqBands[g][Index(EqSide::R)][12].q = 2.0f;
  }
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    doc.crossover[g][Index(CrossoverSet::Common)].level = -3;
    doc.crossover[g][Index(CrossoverSet::L)].lpfCode = 5;
  }
  const SetupDocument before = doc;

  CopyCommonToLR(doc, CopyTarget::ParametricEq);
  EXPECT_EQ(doc.geqBands, before.geqBands);
  EXPECT_EQ(doc.crossover, before.crossover);
  CopyCommonToLR(doc, CopyTarget::GraphicEq);
  EXPECT_EQ(doc.crossover, before.crossover);
  CopyCommonToLR(doc, CopyTarget::Divider);

  for (EqGroup g : {EqGroup::Front, EqGroup::Rear, EqGroup::SubWoofer}) {
    const auto& sides = doc.peqBands[Index(g)];
    EXPECT_EQ(sides[Index(EqSide::L)], sides[Index(EqSide::Common)]);
    EXPECT_EQ(sides[Index(EqSide::R)], sides[Index(EqSide::Common)]);
    // Graphic: only the gain travels.
    const FilterParams& r = doc.geqBands[Index(g)][Index(EqSide::R)][12];
    EXPECT_EQ(r.gain, 3.0f);
    EXPECT_EQ(r.q, 2.0f);
  }
  const int center = Index(EqGroup::Center);
  EXPECT_EQ(doc.peqBands[center], before.peqBands[center]);
  EXPECT_EQ(doc.geqBands[center], before.geqBands[center]);

  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    const auto& sets = doc.crossover[g];
    if (g == Index(SpeakerGroup::Center)) {
      EXPECT_EQ(sets, before.crossover[g]);
    } else {
      EXPECT_EQ(sets[Index(CrossoverSet::L)], sets[Index(CrossoverSet::Common)]);
      EXPECT_EQ(sets[Index(CrossoverSet::R)], sets[Index(CrossoverSet::Common)]);
    }
  }
}
