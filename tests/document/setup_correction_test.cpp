#include "document/setup_correction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/document_session.h"
#include "document/setup_file.h"

namespace {

using namespace SetupCorrection;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kFront = Index(EqGroup::Front), kRearEq = Index(EqGroup::Rear),
              kCenter = Index(EqGroup::Center), kSubEq = Index(EqGroup::SubWoofer);
// The sides of an equalizer group and the sets of a crossover are numbered alike.
constexpr int kCommon = Index(EqSide::Common), kLSide = Index(EqSide::L), kRSide = Index(EqSide::R);
static_assert(kLSide == Index(CrossoverSet::L) && kRSide == Index(CrossoverSet::R));
constexpr int kFrontHi = Index(SpeakerGroup::FrontHi), kFrontMid = Index(SpeakerGroup::FrontMid),
              kRearSpeakers = Index(SpeakerGroup::Rear), kSubWoofer = Index(SpeakerGroup::SubWoofer);

struct CorrectionCase {
  const char* what;
  Kinds kind;
  std::function<void(SetupDocument&)> damage;
  std::function<void(SetupDocument&)> corrected;  // applied to the undamaged document
};

// A field set to `bad` comes back as `good`, and nothing else changes.
// clang-format off
#define CORRECTS(kind, field, bad, good) \
  CorrectionCase{#field, kind, [](SetupDocument& d) { d.field = bad; }, [](SetupDocument& d) { d.field = good; }}
// clang-format on

TEST(SetupCorrection, EveryKindOfValueComesBackIntoRange) {
  const CorrectionCase cases[] = {
      CORRECTS(kEqGains, peqBands[kFront][kCommon][0].gain, kNaN, 0.0f),
      CORRECTS(kEqFrequencies, peqBands[kFront][kCommon][0].frequency, 30000.0f, 20000.0f),
      // Not a number: the start-up value.
      CORRECTS(kEqFrequencies, peqBands[kSubEq][kLSide][3].frequency, -std::numeric_limits<float>::infinity(),
               200.0f),
      CORRECTS(kEqQValues, peqBands[kFront][kCommon][4].q, 0.0f, 0.2f),
      CORRECTS(kEqGains, geqBands[kRearEq][kRSide][30].gain, 20.0f, 9.0f),
      CORRECTS(kCurvePeaks, geqCurvePeaks[kCenter][kCommon], std::nan(""), 0.0),
      CORRECTS(kPeakBoosts, peqPeakBoost, std::numeric_limits<int>::max(), 12),
      CORRECTS(kDelays, channelDelay[4], -5.0, 0.0),
      CORRECTS(kDelays, channelDelay[5], kInf, 0.0),
      CORRECTS(kPhases, channelPhase[6], 7, 1),
      CORRECTS(kSpeakerSwitches, speakerSwitch[9], -3, 0),
      CORRECTS(kCrossoverLevels, crossover[kRearSpeakers][kLSide].level, -40, -12),
      CORRECTS(kCrossoverSlopes, crossover[kRearSpeakers][kRSide].lpfSlope, -7.0, -6.0),  // nearest entry
      CORRECTS(kCrossoverSlopes, crossover[kFrontHi][kCommon].hpfSlope, 0.0, -6.0),       // no OFF here
      // A frequency off the list takes the step of its valid code; a code out of range follows its
      // frequency.
      CORRECTS(kCrossoverFrequencies, crossover[kFrontMid][kCommon].lpfFrequency, 4100.0, 4000.0),
      CORRECTS(kCrossoverFrequencies, crossover[kFrontHi][kLSide].hpfCode, 1000, 46),
      // A frequency that disagrees with a valid code follows the code the processor receives.
      {"valid code", kCrossoverFrequencies,
       [](SetupDocument& d) { d.crossover[kRearSpeakers][kLSide].hpfCode = 50; },
       [](SetupDocument& d) {
         d.crossover[kRearSpeakers][kLSide].hpfCode = 50;
         d.crossover[kRearSpeakers][kLSide].hpfFrequency = 6300.0;
       }},
      // Both damaged: the nearest step of the group's range.
      {"both", kCrossoverFrequencies,
       [](SetupDocument& d) {
         d.crossover[kSubWoofer][kCommon].lpfFrequency = 5000.0;
         d.crossover[kSubWoofer][kCommon].lpfCode = -1;
       },
       [](SetupDocument& d) {
         d.crossover[kSubWoofer][kCommon].lpfFrequency = 200.0;
         d.crossover[kSubWoofer][kCommon].lpfCode = 20;
       }},
      CORRECTS(kAutomaticEq, aeqMode, 5, 96),
      CORRECTS(kSubWooferMode, subWooferMode, 2, 1),
  };
  for (const CorrectionCase& c : cases) {
    SetupDocument d;
    SetupDocument expected = d;
    c.corrected(expected);
    c.damage(d);
    EXPECT_EQ(Correct(d).kinds, c.kind) << c.what;
    EXPECT_TRUE(d == expected) << c.what;
    EXPECT_FALSE(Correct(d).Any()) << c.what << ": a corrected document needs no second pass";
  }
}

TEST(SetupCorrection, ValuesInRangeAndStoredOnlyValuesAreKept) {
  SetupDocument d;
  d.peqBands[kFront][kCommon][2] = FilterParams{1, 20.0f, -12.0f, 10.0f, 3, 0x55};  // a stored low-pass
  d.geqBands[0][0][0].gain = 3.5f;
  d.channelDelay[0] = 20.0;
  d.crossover[kFrontHi][kRSide] = CrossoverRec{20000.0, 1000.0, -30.0, -6.0, 60, 34, -12};
  d.aeqParameters[7] = -1;
  d.measuredValue1 = 1'000'000;
  d.profile.month = 99;
  // Curves that reach the 12 dB limit pass, whatever peak the file stored for them.
  d.peqBands[kRearEq][kLSide][5].gain = 12.0f;
  d.geqBands[kSubEq][kRSide][3].gain = 9.0f;
  d.peqCurvePeaks[kRearEq][kLSide] = 3.0;
  const SetupDocument before = d;
  EXPECT_FALSE(Correct(d).Any());
  EXPECT_TRUE(d == before);
}

TEST(SetupCorrection, MessageAndWireConversions) {
  EXPECT_EQ(Message({}), "");
  EXPECT_EQ(Message({kEqGains | kDelays, {}}),
            "Some values in this setup file were out of range and have been corrected: equalizer gains, "
            "delays. Save the file to keep the corrected setup.");
  EXPECT_EQ(Message({kDelays | kEqCurves,
                     {{EqKind::Parametric, EqGroup::Front, EqSide::L, 10.0},
                      {EqKind::Graphic, EqGroup::Center, EqSide::Common, 12.0}}}),
            "Some values in this setup file were out of range and have been corrected: delays, equalizer "
            "curves above 12 dB (Parametric EQ Front L ch, Graphic EQ Center Common). Save the file to keep "
            "the corrected setup.");
  // Delays go out in 0.1 ms steps, truncated.
  for (const auto& [ms, steps] : std::vector<std::pair<double, int>>{
           {12.34, 123}, {20.0, 200}, {-5.0, 0}, {std::nan(""), 0}, {1e300, 200}})
    EXPECT_EQ(DelaySteps(ms), steps) << ms;
  EXPECT_EQ(CorrectedPeakBoost(std::numeric_limits<int>::min()), 0);
}

TEST(SetupCorrection, OpeningADamagedFileCorrectsItAndMarksTheDocumentModified) {
  TempDir dir;
  RecordingDialogs dialogs;
  std::string bytes = SetupFile::Serialize(SetupDocument());
  WriteFileBytes(dir.File("good.tvn"), bytes);
  bytes.replace(0x1D, 4, std::string("\x00\x00\xc0\x7f", 4));  // Front Common band 1 gain: NaN
  WriteFileBytes(dir.File("nan.tvn"), bytes);

  DocumentSession s;
  ASSERT_EQ(s.Open(dir.File("nan.tvn"), dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_EQ(s.LastCorrections().kinds, kEqGains);
  EXPECT_TRUE(s.IsModified());
  EXPECT_EQ(s.document.peqBands[kFront][kCommon][0].gain, 0.0f);

  ASSERT_EQ(s.Open(dir.File("good.tvn"), dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_FALSE(s.LastCorrections().Any());
  EXPECT_FALSE(s.IsModified());
}

struct OverCase {
  const char* what;
  LoweredCurve lowered;
  std::function<void(SetupDocument&)> damage;
  std::function<void(SetupDocument&)> lowerBands;  // the bands as the correction leaves them
};

void FillPeq(SetupDocument& d, int g, int s, float gain, std::int32_t type = 4, std::int32_t kind = 0) {
  for (FilterParams& b : d.peqBands[g][s]) b = FilterParams{type, 1000.0f, gain, 1.0f, kind, 0};
}
void FillGeq(SetupDocument& d, int g, int s, float gain) {
  for (FilterParams& b : d.geqBands[g][s]) b.gain = gain;
}

TEST(SetupCorrection, ACurveOverTwelveDbIsLoweredUnderItAndItsPeakStored) {
  const OverCase cases[] = {
      {"ten +12 dB bands at one frequency go down together to +1 dB",
       {EqKind::Parametric, EqGroup::Front, EqSide::L, 10.0},
       [](SetupDocument& d) { FillPeq(d, kFront, kLSide, 12.0f); },
       [](SetupDocument& d) { FillPeq(d, kFront, kLSide, 1.0f); }},
      {"a fractional boost goes to the whole dB below it; smaller boosts wait their turn",
       {EqKind::Parametric, EqGroup::Rear, EqSide::R, 12.0},
       [](SetupDocument& d) {
         FillPeq(d, kRearEq, kRSide, 0.0f);
         d.peqBands[kRearEq][kRSide][0].gain = 11.5f;
         d.peqBands[kRearEq][kRSide][1].gain = 6.0f;
       },
       [](SetupDocument& d) {
         FillPeq(d, kRearEq, kRSide, 0.0f);
         d.peqBands[kRearEq][kRSide][0].gain = 6.0f;
         d.peqBands[kRearEq][kRSide][1].gain = 6.0f;
       }},
      {"resonant low-pass records with no gain to lower become start-up bands",
       {EqKind::Parametric, EqGroup::SubWoofer, EqSide::Common, 0.0},
       [](SetupDocument& d) { FillPeq(d, kSubEq, kCommon, 0.0f, 1, 5); },
       [](SetupDocument& d) {
         for (int b = 0; b < kPeqBandCount; ++b)
           d.peqBands[kSubEq][kCommon][b] = DefaultPeqBand(EqGroup::SubWoofer, b);
       }},
      {"31 graphic bands at +9 dB",
       {EqKind::Graphic, EqGroup::Rear, EqSide::Common, 12.0},
       [](SetupDocument& d) { FillGeq(d, kRearEq, kCommon, 9.0f); },
       [](SetupDocument& d) { FillGeq(d, kRearEq, kCommon, 6.0f); }},
      {"Center is judged by Common; its L and R bands stay, its three peaks follow",
       {EqKind::Graphic, EqGroup::Center, EqSide::Common, 12.0},
       [](SetupDocument& d) {
         FillGeq(d, kCenter, kCommon, 9.0f);
         FillGeq(d, kCenter, kLSide, 9.0f);
       },
       [](SetupDocument& d) {
         FillGeq(d, kCenter, kCommon, 6.0f);
         FillGeq(d, kCenter, kLSide, 9.0f);
         d.geqCurvePeaks[kCenter] = {12.0, 12.0, 12.0};
       }},
  };
  for (const OverCase& c : cases) {
    SetupDocument d;
    c.damage(d);
    SetupDocument expected;
    c.lowerBands(expected);
    const LoweredCurve& want = c.lowered;
    const bool peq = want.kind == EqKind::Parametric;
    (peq ? expected.peqCurvePeaks : expected.geqCurvePeaks)[Index(want.group)][Index(want.side)] = want.peak;
    (peq ? expected.peqPeakBoost : expected.geqPeakBoost) = static_cast<std::int32_t>(want.peak);

    const Corrections got = Correct(d);
    EXPECT_EQ(got.kinds, kEqCurves) << c.what;
    EXPECT_EQ(got.loweredCurves, std::vector<LoweredCurve>{want}) << c.what;
    EXPECT_TRUE(d == expected) << c.what;
    EXPECT_FALSE(Correct(d).Any()) << c.what << ": a corrected document needs no second pass";
  }
}

}  // namespace
