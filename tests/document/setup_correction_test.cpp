#include "document/setup_correction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/document_session.h"
#include "document/setup_file.h"

namespace {

using SetupCorrection::Kinds;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

PeqBandSet& FrontCommon(SetupDocument& d) { return d.peqBands[Index(EqGroup::Front)][Index(EqSide::Common)]; }
CrossoverRec& Rec(SetupDocument& d, SpeakerGroup g, CrossoverSet s) {
  return d.crossover[Index(g)][Index(s)];
}

struct Case {
  const char* what;
  std::function<void(SetupDocument&)> damage;
  Kinds kind;
  std::function<bool(SetupDocument&)> corrected;
};

}  // namespace

TEST(SetupCorrection, EveryKindOfValueComesBackIntoRange) {
  using namespace SetupCorrection;
  const Case cases[] = {
      {"NaN gain", [](SetupDocument& d) { FrontCommon(d)[0].gain = kNaN; }, kEqGains,
       [](SetupDocument& d) { return FrontCommon(d)[0].gain == 0.0f; }},
      {"30 kHz band", [](SetupDocument& d) { FrontCommon(d)[0].frequency = 30000.0f; }, kEqFrequencies,
       [](SetupDocument& d) { return FrontCommon(d)[0].frequency == 20000.0f; }},
      {"infinite frequency takes the start-up value",
       [](SetupDocument& d) { d.peqBands[3][1][3].frequency = -std::numeric_limits<float>::infinity(); },
       kEqFrequencies, [](SetupDocument& d) { return d.peqBands[3][1][3].frequency == 200.0f; }},
      {"Q of 0", [](SetupDocument& d) { FrontCommon(d)[4].q = 0.0f; }, kEqQValues,
       [](SetupDocument& d) { return FrontCommon(d)[4].q == 0.2f; }},
      {"graphic gain +20", [](SetupDocument& d) { d.geqBands[1][2][30].gain = 20.0f; }, kEqGains,
       [](SetupDocument& d) { return d.geqBands[1][2][30].gain == 9.0f; }},
      {"curve peak NaN", [](SetupDocument& d) { d.geqCurvePeaks[2][0] = std::nan(""); }, kCurvePeaks,
       [](SetupDocument& d) { return d.geqCurvePeaks[2][0] == 0.0; }},
      {"peak boost INT_MAX", [](SetupDocument& d) { d.peqPeakBoost = std::numeric_limits<int>::max(); },
       kPeakBoosts, [](SetupDocument& d) { return d.peqPeakBoost == 12; }},
      {"delay -5 ms", [](SetupDocument& d) { d.channelDelay[4] = -5.0; }, kDelays,
       [](SetupDocument& d) { return d.channelDelay[4] == 0.0; }},
      {"delay infinite", [](SetupDocument& d) { d.channelDelay[5] = kInf; }, kDelays,
       [](SetupDocument& d) { return d.channelDelay[5] == 0.0; }},
      {"phase 7", [](SetupDocument& d) { d.channelPhase[6] = 7; }, kPhases,
       [](SetupDocument& d) { return d.channelPhase[6] == 1; }},
      {"speaker switch -3", [](SetupDocument& d) { d.speakerSwitch[9] = -3; }, kSpeakerSwitches,
       [](SetupDocument& d) { return d.speakerSwitch[9] == 0; }},
      {"crossover level -40",
       [](SetupDocument& d) { Rec(d, SpeakerGroup::Rear, CrossoverSet::L).level = -40; }, kCrossoverLevels,
       [](SetupDocument& d) { return Rec(d, SpeakerGroup::Rear, CrossoverSet::L).level == -12; }},
      {"slope -7 goes to the nearest list entry",
       [](SetupDocument& d) { Rec(d, SpeakerGroup::Rear, CrossoverSet::R).lpfSlope = -7.0; },
       kCrossoverSlopes,
       [](SetupDocument& d) { return Rec(d, SpeakerGroup::Rear, CrossoverSet::R).lpfSlope == -6.0; }},
      {"Front_Hi HPF has no OFF",
       [](SetupDocument& d) { Rec(d, SpeakerGroup::FrontHi, CrossoverSet::Common).hpfSlope = 0.0; },
       kCrossoverSlopes,
       [](SetupDocument& d) { return Rec(d, SpeakerGroup::FrontHi, CrossoverSet::Common).hpfSlope == -6.0; }},
      {"frequency off the list takes its valid code's step",
       [](SetupDocument& d) { Rec(d, SpeakerGroup::FrontMid, CrossoverSet::Common).lpfFrequency = 4100.0; },
       kCrossoverFrequencies,
       [](SetupDocument& d) {
         const CrossoverRec& r = Rec(d, SpeakerGroup::FrontMid, CrossoverSet::Common);
         return r.lpfFrequency == 4000.0 && r.lpfCode == 46;
       }},
      {"a code out of range follows its frequency",
       [](SetupDocument& d) { Rec(d, SpeakerGroup::FrontHi, CrossoverSet::L).hpfCode = 1000; },
       kCrossoverFrequencies,
       [](SetupDocument& d) { return Rec(d, SpeakerGroup::FrontHi, CrossoverSet::L).hpfCode == 46; }},
      {"a frequency that disagrees with a valid code follows the code the processor receives",
       [](SetupDocument& d) { Rec(d, SpeakerGroup::Rear, CrossoverSet::L).hpfCode = 50; },
       kCrossoverFrequencies,
       [](SetupDocument& d) { return Rec(d, SpeakerGroup::Rear, CrossoverSet::L).hpfFrequency == 6300.0; }},
      {"both damaged: nearest step of the group's range",
       [](SetupDocument& d) {
         CrossoverRec& r = Rec(d, SpeakerGroup::SubWoofer, CrossoverSet::Common);
         r.lpfFrequency = 5000.0;
         r.lpfCode = -1;
       },
       kCrossoverFrequencies,
       [](SetupDocument& d) {
         const CrossoverRec& r = Rec(d, SpeakerGroup::SubWoofer, CrossoverSet::Common);
         return r.lpfFrequency == 200.0 && r.lpfCode == 20;
       }},
      {"unknown automatic-EQ mode", [](SetupDocument& d) { d.aeqMode = 5; }, kAutomaticEq,
       [](SetupDocument& d) { return d.aeqMode == 96; }},
      {"sub-woofer mode 2", [](SetupDocument& d) { d.subWooferMode = 2; }, kSubWooferMode,
       [](SetupDocument& d) { return d.subWooferMode == 1; }},
  };
  for (const Case& c : cases) {
    SetupDocument d;
    c.damage(d);
    EXPECT_EQ(Correct(d), c.kind) << c.what;
    EXPECT_TRUE(c.corrected(d)) << c.what;
    EXPECT_EQ(Correct(d), 0u) << c.what << ": a corrected document needs no second pass";
  }
}

TEST(SetupCorrection, ValuesInRangeAndStoredOnlyValuesAreKept) {
  SetupDocument d;
  FrontCommon(d)[2] = FilterParams{1, 20.0f, -12.0f, 10.0f, 3, 0x55};  // a low-pass section as stored
  d.geqBands[0][0][0].gain = 3.5f;
  d.channelDelay[0] = 20.0;
  Rec(d, SpeakerGroup::FrontHi, CrossoverSet::R) = CrossoverRec{20000.0, 1000.0, -30.0, -6.0, 60, 34, -12};
  d.aeqParameters[7] = -1;
  d.measuredValue1 = 1'000'000;
  d.profile.month = 99;
  const SetupDocument before = d;
  EXPECT_EQ(SetupCorrection::Correct(d), 0u);
  EXPECT_TRUE(d == before);
}

TEST(SetupCorrection, MessageNamesEachKindOnce) {
  using namespace SetupCorrection;
  EXPECT_EQ(Message(0), "");
  EXPECT_EQ(Message(kEqGains | kDelays),
            "Some values in this setup file were out of range and have been corrected: equalizer gains, "
            "delays. Save the file to keep the corrected setup.");
}

TEST(SetupCorrection, WireConversionsStayInRange) {
  using SetupCorrection::DelaySteps;
  EXPECT_EQ(DelaySteps(12.34), 123);
  EXPECT_EQ(DelaySteps(20.0), 200);
  EXPECT_EQ(DelaySteps(-5.0), 0);
  EXPECT_EQ(DelaySteps(std::nan("")), 0);
  EXPECT_EQ(DelaySteps(1e300), 200);
  EXPECT_EQ(SetupCorrection::CorrectedPeakBoost(std::numeric_limits<int>::min()), 0);
}

TEST(SetupCorrection, OpeningADamagedFileCorrectsItAndMarksTheDocumentModified) {
  TempDir dir;
  RecordingDialogs dialogs;
  std::string bytes = SetupFile::Serialize(SetupDocument());
  bytes.replace(0x1D, 4, std::string("\x00\x00\xc0\x7f", 4));  // Front Common band 1 gain: NaN
  WriteFileBytes(dir.File("nan.tvn"), bytes);

  DocumentSession s;
  ASSERT_EQ(s.Open(dir.File("nan.tvn"), dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_EQ(s.LastCorrections(), SetupCorrection::kEqGains);
  EXPECT_TRUE(s.IsModified());
  EXPECT_EQ(FrontCommon(s.document)[0].gain, 0.0f);

  WriteFileBytes(dir.File("good.tvn"), SetupFile::Serialize(SetupDocument()));
  ASSERT_EQ(s.Open(dir.File("good.tvn"), dialogs), SetupFile::LoadOutcome::Loaded);
  EXPECT_EQ(s.LastCorrections(), 0u);
  EXPECT_FALSE(s.IsModified());
}
