#include "eq/equalizer_settings.h"

#include <gtest/gtest.h>

#include <cmath>

#include "document/setup_document.h"

TEST(GeqLevelCode, ConvertsWithTruncationAndStaysInTheList) {
  EXPECT_EQ(GeqCodeFromGain(9.0f), 0);
  EXPECT_EQ(GeqCodeFromGain(0.0f), 9);
  EXPECT_EQ(GeqCodeFromGain(-9.0f), 18);
  EXPECT_EQ(GeqCodeFromGain(2.7f), 7);    // trunc(2.7) = 2
  EXPECT_EQ(GeqCodeFromGain(-2.7f), 11);  // trunc(-2.7) = -2
  EXPECT_EQ(GeqCodeFromGain(-0.5f), 9);
  // Gains no window could set, as a damaged file might hold them.
  EXPECT_EQ(GeqCodeFromGain(12.0f), 0);
  EXPECT_EQ(GeqCodeFromGain(-40.0f), 18);
  EXPECT_EQ(GeqCodeFromGain(std::nanf("")), 9);
  EXPECT_EQ(GeqCodeFromGain(1.0e30f), 0);
  for (GeqLevelCode c = 0; c <= kGeqMaxCode; ++c) EXPECT_EQ(GeqCodeFromGain(GeqGainFromCode(c)), c);
  EXPECT_EQ(GeqGainFromCode(0), 9.0f);
  EXPECT_EQ(GeqGainFromCode(18), -9.0f);
}

TEST(GeqLevelCode, DocumentRoundTripChangesOnlyGains) {
  SetupDocument doc;
  doc.geqBands[1][2][5].gain = 4.6f;
  doc.geqBands[3][0][0].gain = -8.0f;
  PerEqSet<GeqCodeSet> codes = GeqCodesFromBands(doc.geqBands);
  EXPECT_EQ(codes[1][2][5], 5);
  EXPECT_EQ(codes[3][0][0], 17);
  EXPECT_EQ(codes[0][0][0], 9);
  codes[2][1][30] = 0;
  PerEqSet<GeqBandSet> bands = doc.geqBands;
  StoreGeqCodes(codes, bands);
  EXPECT_EQ(bands[1][2][5].gain, 4.0f);
  EXPECT_EQ(bands[2][1][30].gain, 9.0f);
  EXPECT_EQ(bands[2][1][30].frequency, 20000.0f);
  EXPECT_EQ(bands[2][1][30].q, 5.0f);
}

TEST(GeqTexts, LabelsListQuirkAndLevels) {
  EXPECT_EQ(GeqBandLabel(0), "20 Hz");
  EXPECT_EQ(GeqBandLabel(17), "1 kHz");
  EXPECT_EQ(GeqBandLabel(28), "12.5 kHz");
  EXPECT_EQ(GeqBandLabel(30), "20 kHz");
  EXPECT_EQ(GeqBandLabel(31), "");
  EXPECT_EQ(GeqInitialBandListText(28), "12 kHz");
  for (int b = 0; b < kGeqBandCount; ++b) {
    if (b != 28) {
      EXPECT_EQ(GeqInitialBandListText(b), GeqBandLabel(b));
    }
  }
  EXPECT_EQ(GeqLevelText(0), "+9dB");
  EXPECT_EQ(GeqLevelText(8), "+1dB");
  EXPECT_EQ(GeqLevelText(9), " 0dB");
  EXPECT_EQ(GeqLevelText(18), "-9dB");
  EXPECT_EQ(GeqLevelText(19), "");
  EXPECT_EQ(GeqBandsInUse(EqGroup::SubWoofer), 10);
  EXPECT_EQ(GeqBandsInUse(EqGroup::Center), 31);
}

TEST(PeqReset, RestoresBandsAndKeepsSubWooferUpperBands) {
  PeqBandSet set{};
  for (auto& band : set) band = FilterParams{4, 777.0f, 5.0f, 3.0f, 0, 0x12345678};
  ResetPeqSet(set, EqGroup::Rear);
  for (int k = 0; k < kPeqBandCount; ++k) {
    EXPECT_EQ(set[k].frequency, 31.25f * static_cast<float>(1 << k));
    EXPECT_EQ(set[k].gain, 0.0f);
    EXPECT_EQ(set[k].q, 1.0f);
    EXPECT_EQ(set[k].type, 4);
    EXPECT_EQ(set[k].flag, 0x12345600);
  }

  for (auto& band : set) band = FilterParams{4, 777.0f, 5.0f, 3.0f, 0, 0x1FF};
  ResetPeqSet(set, EqGroup::SubWoofer);
  EXPECT_EQ(set[0].frequency, 31.25f);
  EXPECT_EQ(set[2].frequency, 125.0f);
  EXPECT_EQ(set[3].frequency, 200.0f);
  EXPECT_EQ(set[3].flag, 0x100);
  for (int k = 4; k < kPeqBandCount; ++k) EXPECT_EQ(set[k], (FilterParams{4, 777.0f, 5.0f, 3.0f, 0, 0x1FF}));
}

TEST(PeqSettings, FrequencyRoundsDownToATenth) {
  EXPECT_EQ(PeqBandsInUse(EqGroup::SubWoofer), 4);
  EXPECT_EQ(RoundDownToTenthHz(1234.56f), 1234.5f);
  EXPECT_EQ(RoundDownToTenthHz(20.0f), 20.0f);
  EXPECT_EQ(RoundDownToTenthHz(199.99f), 199.9f);
}

TEST(BandLockMode, FollowsTheAutomaticEqMode) {
  EXPECT_EQ(BandLockModeFor(false, kAeqModeFrontOnSubOn), BandLockMode::None);
  EXPECT_EQ(BandLockModeFor(true, kAeqModeFrontOffSubOn), BandLockMode::SubWoofer);
  EXPECT_EQ(BandLockModeFor(true, kAeqModeFrontOnSubOff), BandLockMode::Front);
  EXPECT_EQ(BandLockModeFor(true, kAeqModeFrontOnSubOn), BandLockMode::Both);
  EXPECT_EQ(BandLockModeFor(true, 0x60), BandLockMode::Both);
  EXPECT_TRUE(LocksSubWoofer(BandLockMode::Both));
  EXPECT_FALSE(LocksSubWoofer(BandLockMode::Front));
  EXPECT_TRUE(LocksFront(BandLockMode::Front));
  EXPECT_FALSE(LocksFront(BandLockMode::SubWoofer));
}
