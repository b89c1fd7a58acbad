#include "crossover/crossover_lists.h"

#include <gtest/gtest.h>

#include "crossover/frequency_list.h"
#include "crossover/speaker_group_info.h"
#include "document/setup_document.h"

TEST(CrossoverFrequencyListTest, StepsValuesLabelsAndCodes) {
  const FrequencyList& full = CrossoverFrequencyList();
  ASSERT_EQ(full.Size(), 61);
  EXPECT_EQ(full.Label(34), "1 kHz");
  EXPECT_DOUBLE_EQ(full.Value(43), 2850.0);
  EXPECT_DOUBLE_EQ(full.Value(60), 20000.0);
  for (int i = 1; i < full.Size(); ++i) EXPECT_LT(full.Value(i - 1), full.Value(i)) << i;

  const FrequencyList& high = FrontHighFrequencyList();
  ASSERT_EQ(high.Size(), 27);
  for (int s = 0; s < high.Size(); ++s) {
    EXPECT_EQ(high.Code(s), s + 34);
    EXPECT_DOUBLE_EQ(high.Value(s), full.Value(s + 34));
  }

  const FrequencyList& sub = SubWooferFrequencyList();
  ASSERT_EQ(sub.Size(), 21);
  EXPECT_EQ(sub.Label(20), "200 Hz");
  EXPECT_EQ(sub.Code(12), 12);
}

TEST(CrossoverFrequencyListTest, StepsOfStoredFrequencies) {
  const FrequencyList& full = CrossoverFrequencyList();
  EXPECT_EQ(full.ExactStep(4000.0), 46);
  EXPECT_EQ(full.ExactStep(4001.0), -1);
  EXPECT_EQ(FrontHighFrequencyList().ExactStep(4000.0), 12);
  EXPECT_EQ(FrontHighFrequencyList().ExactStep(400.0), -1);
  // Off-list values (damaged files) take the nearest step on the octave scale.
  EXPECT_EQ(full.NearestStep(4100.0), 46);
  EXPECT_EQ(full.NearestStep(10.0), 0);
  EXPECT_EQ(full.NearestStep(-5.0), 0);
  EXPECT_EQ(full.NearestStep(1e9), 60);
  EXPECT_EQ(SubWooferFrequencyList().NearestStep(5000.0), 20);
  EXPECT_EQ(FrontHighFrequencyList().NearestStep(20.0), 0);
  // Out-of-range steps read the list's ends.
  EXPECT_EQ(full.Label(-1), "20 Hz");
  EXPECT_EQ(full.Code(99), 60);
}

TEST(CrossoverListsTest, SlopeListsOmitOffForFrontHiHpfAndSubWooferLpf) {
  EXPECT_EQ(SlopeList(SpeakerGroup::FrontMid, CrossoverEdge::Hpf).size(), 6u);
  EXPECT_EQ(SlopeList(SpeakerGroup::FrontHi, CrossoverEdge::Lpf).front(), "OFF");
  ASSERT_EQ(SlopeList(SpeakerGroup::FrontHi, CrossoverEdge::Hpf).size(), 5u);
  EXPECT_EQ(SlopeList(SpeakerGroup::FrontHi, CrossoverEdge::Hpf).front(), "-6dB/Oct");
  ASSERT_EQ(SlopeList(SpeakerGroup::SubWoofer, CrossoverEdge::Lpf).size(), 5u);
  EXPECT_EQ(SlopeList(SpeakerGroup::SubWoofer, CrossoverEdge::Lpf).back(), "-30dB/Oct");
  EXPECT_EQ(SlopeList(SpeakerGroup::SubWoofer, CrossoverEdge::Hpf).front(), "OFF");

  EXPECT_DOUBLE_EQ(SlopeOfEntry(SpeakerGroup::Rear, CrossoverEdge::Lpf, 5), -30.0);
  EXPECT_DOUBLE_EQ(SlopeOfEntry(SpeakerGroup::FrontHi, CrossoverEdge::Hpf, 0), -6.0);
  EXPECT_DOUBLE_EQ(SlopeOfEntry(SpeakerGroup::SubWoofer, CrossoverEdge::Lpf, 4), -30.0);
  EXPECT_DOUBLE_EQ(SlopeOfEntry(SpeakerGroup::SubWoofer, CrossoverEdge::Lpf, 5), -30.0);  // clamped

  EXPECT_EQ(SlopeEntryOf(SpeakerGroup::Rear, CrossoverEdge::Hpf, -18.0), 3);
  EXPECT_EQ(SlopeEntryOf(SpeakerGroup::FrontHi, CrossoverEdge::Hpf, -18.0), 2);
  EXPECT_EQ(SlopeEntryOf(SpeakerGroup::SubWoofer, CrossoverEdge::Lpf, -6.0), 0);
  EXPECT_EQ(SlopeEntryOf(SpeakerGroup::SubWoofer, CrossoverEdge::Lpf, 0.0), 0);  // OFF is not offered
}

TEST(CrossoverListsTest, DefaultsLieOnTheirGroupsListsWithMatchingCodes) {
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    const SpeakerGroup group = static_cast<SpeakerGroup>(g);
    const SpeakerGroupInfo& info = GroupInfo(group);
    const CrossoverRec rec = DefaultCrossover(group);
    const int lpf = info.frequencies->ExactStep(rec.lpfFrequency);
    const int hpf = info.frequencies->ExactStep(rec.hpfFrequency);
    ASSERT_GE(lpf, info.lpfMinStep) << g;
    ASSERT_LE(lpf, info.lpfMaxStep) << g;
    ASSERT_GE(hpf, info.hpfMinStep) << g;
    ASSERT_LE(hpf, info.hpfMaxStep) << g;
    EXPECT_EQ(info.frequencies->Code(lpf), rec.lpfCode) << g;
    EXPECT_EQ(info.frequencies->Code(hpf), rec.hpfCode) << g;
    EXPECT_LT(rec.hpfFrequency, rec.lpfFrequency) << g;
    // Every default slope is offered by its list.
    EXPECT_DOUBLE_EQ(
        SlopeOfEntry(group, CrossoverEdge::Lpf, SlopeEntryOf(group, CrossoverEdge::Lpf, rec.lpfSlope)),
        rec.lpfSlope);
    EXPECT_DOUBLE_EQ(
        SlopeOfEntry(group, CrossoverEdge::Hpf, SlopeEntryOf(group, CrossoverEdge::Hpf, rec.hpfSlope)),
        rec.hpfSlope);
  }
}
