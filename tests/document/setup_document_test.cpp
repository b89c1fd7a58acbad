#include "document/setup_document.h"

#include <gtest/gtest.h>

#include <ctime>

TEST(SetupDocument, StartsWithTheStartUpValues) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  SetupDocument d;

  for (int c = 0; c < kOutputCount; ++c) {
    EXPECT_EQ(d.speakerSwitch[c], 1);
    EXPECT_EQ(d.channelDelay[c], 0.0);
    EXPECT_EQ(d.channelPhase[c], 0);
  }
  EXPECT_EQ(d.aeqMode, 96);
  EXPECT_EQ(d.subWooferMode, 0);
  EXPECT_EQ(d.aeqParametersSaved, 0);
  EXPECT_EQ(d.viewSynchronized, 0);
  EXPECT_EQ(d.profile.year, local.tm_year + 1900);
  EXPECT_EQ(d.profile.month, local.tm_mon + 1);
  EXPECT_EQ(d.profile.day, local.tm_mday);
  EXPECT_EQ(d.profile.country, 0);
  EXPECT_TRUE(d.profile.firstName.empty());
}

TEST(SetupDocument, EqualizerBandsStartFlatWithTheSubWooferBand4At200Hz) {
  SetupDocument d;
  const float peq[] = {31.25f, 62.5f, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
  for (int g = 0; g < kEqGroupCount; ++g) {
    for (int s = 0; s < kEqSideCount; ++s) {
      for (int b = 0; b < kPeqBandCount; ++b) {
        const FilterParams& p = d.peqBands[g][s][b];
        const float expected = (g == Index(EqGroup::SubWoofer) && b == 3) ? 200.0f : peq[b];
        EXPECT_EQ(p.frequency, expected) << g << s << b;
        EXPECT_EQ(p.type, 4);
        EXPECT_EQ(p.gain, 0.0f);
        EXPECT_EQ(p.q, 1.0f);
        EXPECT_EQ(p.sectionKind, 0);
        EXPECT_EQ(p.flag, 0);
      }
      EXPECT_EQ(d.geqBands[g][s][0].frequency, 20.0f);
      EXPECT_EQ(d.geqBands[g][s][2].frequency, 31.5f);
      EXPECT_EQ(d.geqBands[g][s][30].frequency, 20000.0f);
      EXPECT_EQ(d.geqBands[g][s][17].q, 5.0f);
      EXPECT_EQ(d.geqBands[g][s][17].type, 4);
    }
  }
}

TEST(SetupDocument, CrossoverStartsWithTheDefaultBandOfEachGroup) {
  SetupDocument d;
  for (int s = 0; s < kCrossoverSetCount; ++s) {
    const CrossoverRec& hi = d.crossover[Index(SpeakerGroup::FrontHi)][s];
    EXPECT_EQ(hi.lpfFrequency, 20000.0);
    EXPECT_EQ(hi.lpfCode, 60);
    EXPECT_EQ(hi.hpfFrequency, 4000.0);
    EXPECT_EQ(hi.hpfCode, 46);
    EXPECT_EQ(hi.hpfSlope, -18.0);
    EXPECT_EQ(hi.lpfSlope, 0.0);
    const CrossoverRec& mid = d.crossover[Index(SpeakerGroup::FrontMid)][s];
    EXPECT_EQ(mid.lpfCode, 46);
    EXPECT_EQ(mid.hpfFrequency, 400.0);
    EXPECT_EQ(mid.hpfCode, 26);
    const CrossoverRec& sw = d.crossover[Index(SpeakerGroup::SubWoofer)][s];
    EXPECT_EQ(sw.lpfFrequency, 80.0);
    EXPECT_EQ(sw.lpfCode, 12);
    EXPECT_EQ(sw.lpfSlope, -18.0);
    EXPECT_EQ(sw.hpfCode, 0);
    for (int g = 0; g < kSpeakerGroupCount; ++g) EXPECT_EQ(d.crossover[g][s].level, 0);
  }
}
