#include "crossover/crossover_model.h"

#include <gtest/gtest.h>

#include "document/setup_document.h"

namespace {

using Updates = CrossoverModel::Updates;
using Steps = CrossoverModel::EdgeSteps;

// The edited record's frequencies and codes as one comparable value.
struct Band {
  double lpf;
  double hpf;
  int lpfCode;
  int hpfCode;
  friend bool operator==(const Band&, const Band&) = default;
};
std::ostream& operator<<(std::ostream& os, const Band& b) {
  return os << "{" << b.lpf << ", " << b.hpf << ", " << b.lpfCode << ", " << b.hpfCode << "}";
}
Band EditedBand(const CrossoverModel& m) {
  const CrossoverRec& r = m.Edited();
  return {r.lpfFrequency, r.hpfFrequency, r.lpfCode, r.hpfCode};
}

CrossoverModel OnGroup(SpeakerGroup g) {
  CrossoverModel m;
  m.SelectGroup(g);
  return m;
}

}  // namespace

TEST(CrossoverModelTest, StartsAtFrontHiCommonWithTheStartUpRecords) {
  const CrossoverModel m;
  EXPECT_EQ(m.SelectedGroup(), SpeakerGroup::FrontHi);
  EXPECT_EQ(m.Mode(), CrossoverSet::Common);
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    for (int s = 0; s < kCrossoverSetCount; ++s) {
      EXPECT_EQ(m.Record(static_cast<SpeakerGroup>(g), static_cast<CrossoverSet>(s)),
                DefaultCrossover(static_cast<SpeakerGroup>(g)));
    }
  }
  EXPECT_EQ(m.Steps(SpeakerGroup::FrontHi, CrossoverSet::R), (Steps{26, 12}));
  EXPECT_EQ(m.Steps(SpeakerGroup::SubWoofer, CrossoverSet::Common), (Steps{12, 0}));
  EXPECT_TRUE(m.Present(SpeakerGroup::Rear));
}

TEST(CrossoverModelTest, ControlBandRulePushesTheOtherEdgeOneStep) {
  CrossoverModel m = OnGroup(SpeakerGroup::FrontMid);  // LPF 4 kHz (46), HPF 400 Hz (26)
  EXPECT_EQ(m.SetLpfStep(26), Updates{CrossoverUpdate::Filter});
  EXPECT_EQ(EditedBand(m), (Band{400.0, 350.0, 26, 25}));
  EXPECT_EQ(m.EditedSteps(), (Steps{26, 25}));
  m.SetHpfStep(26);  // onto the LPF
  EXPECT_EQ(EditedBand(m), (Band{445.0, 400.0, 27, 26}));
  m.SetHpfStep(20);  // away from it: nothing else moves
  EXPECT_EQ(EditedBand(m), (Band{445.0, 200.0, 27, 20}));

  // Full-list ends: the LPF never goes below 22.5 Hz nor the HPF above 18 kHz.
  m.SetLpfStep(0);
  EXPECT_EQ(EditedBand(m), (Band{22.5, 20.0, 1, 0}));
  m.SetHpfStep(99);
  EXPECT_EQ(EditedBand(m), (Band{20000.0, 18000.0, 60, 59}));
  m.SetLpfStep(59);
  EXPECT_EQ(EditedBand(m), (Band{18000.0, 16000.0, 59, 58}));
}

TEST(CrossoverModelTest, ControlBandRuleAtSubWooferAndFrontHiEnds) {
  CrossoverModel sub = OnGroup(SpeakerGroup::SubWoofer);  // 80 Hz / 20 Hz
  sub.SetLpfStep(30);
  EXPECT_EQ(EditedBand(sub), (Band{200.0, 20.0, 20, 0}));
  sub.SetHpfStep(25);
  EXPECT_EQ(EditedBand(sub), (Band{200.0, 180.0, 20, 19}));
  sub.SetLpfStep(19);
  EXPECT_EQ(EditedBand(sub), (Band{180.0, 160.0, 19, 18}));
  sub.SetHpfStep(19);
  EXPECT_EQ(EditedBand(sub), (Band{200.0, 180.0, 20, 19}));
  sub.SetLpfStep(1);
  EXPECT_EQ(EditedBand(sub), (Band{22.5, 20.0, 1, 0}));

  // Front_Hi works on "1 kHz".."20 kHz": codes are steps plus 34.
  CrossoverModel hi;
  hi.SetLpfStep(12);  // onto the 4 kHz HPF
  EXPECT_EQ(EditedBand(hi), (Band{4000.0, 3600.0, 46, 45}));
  hi.SetLpfStep(0);
  EXPECT_EQ(EditedBand(hi), (Band{1100.0, 1000.0, 35, 34}));
  hi.SetHpfStep(30);
  EXPECT_EQ(EditedBand(hi), (Band{20000.0, 18000.0, 60, 59}));
  EXPECT_EQ(hi.EditedSteps(), (Steps{26, 25}));
}

TEST(CrossoverModelTest, DragRuleMovesOneStepAndRespectsTheLimits) {
  CrossoverModel m = OnGroup(SpeakerGroup::FrontMid);
  m.BeginDrag();
  m.SetHpfStep(45);            // just below the 4 kHz LPF
  EXPECT_TRUE(m.DragHpf(+1));  // pushes the LPF up
  EXPECT_EQ(EditedBand(m), (Band{4500.0, 4000.0, 47, 46}));
  EXPECT_TRUE(m.DragLpf(-1));  // pushes the HPF down
  EXPECT_EQ(EditedBand(m), (Band{4000.0, 3600.0, 46, 45}));
  EXPECT_EQ(m.EndDrag(), Updates{CrossoverUpdate::Filter});

  // With the LPF at 20 kHz the HPF stays below 18 kHz's neighbour.
  CrossoverModel rear = OnGroup(SpeakerGroup::Rear);
  rear.SetHpfStep(58);
  EXPECT_TRUE(rear.DragHpf(+1));
  EXPECT_EQ(EditedBand(rear), (Band{20000.0, 18000.0, 60, 59}));
  EXPECT_FALSE(rear.DragHpf(+1));
  EXPECT_FALSE(rear.DragLpf(+1));
  EXPECT_EQ(EditedBand(rear), (Band{20000.0, 18000.0, 60, 59}));
  rear.SetHpfStep(0);
  EXPECT_FALSE(rear.DragHpf(-1));
  EXPECT_FALSE(rear.DragHpf(0));
  rear.SetLpfStep(2);
  rear.SetHpfStep(1);
  EXPECT_TRUE(rear.DragLpf(-1));  // onto 22.5 Hz: the HPF goes to 20 Hz
  EXPECT_EQ(EditedBand(rear), (Band{22.5, 20.0, 1, 0}));
  EXPECT_FALSE(rear.DragLpf(-1));  // the HPF is at the bottom
  EXPECT_EQ(EditedBand(rear), (Band{22.5, 20.0, 1, 0}));

  // SubWoofer's top is 200 Hz.
  CrossoverModel sub = OnGroup(SpeakerGroup::SubWoofer);
  sub.SetLpfStep(19);
  sub.SetHpfStep(18);
  EXPECT_TRUE(sub.DragHpf(+1));  // onto 180 Hz: the LPF goes to 200 Hz
  EXPECT_EQ(EditedBand(sub), (Band{200.0, 180.0, 20, 19}));
  EXPECT_FALSE(sub.DragHpf(+1));
  EXPECT_FALSE(sub.DragLpf(+1));

  // Front_Hi's bottom is 1 kHz, the LPF's lowest 1.1 kHz.
  CrossoverModel hi;
  hi.SetHpfStep(0);
  hi.SetLpfStep(2);
  EXPECT_TRUE(hi.DragLpf(-1));
  EXPECT_EQ(EditedBand(hi), (Band{1100.0, 1000.0, 35, 34}));
  EXPECT_FALSE(hi.DragLpf(-1));
  EXPECT_FALSE(hi.DragHpf(-1));
}

TEST(CrossoverModelTest, LevelEditsStayWithinZeroToMinusTwelve) {
  CrossoverModel m = OnGroup(SpeakerGroup::Rear);
  EXPECT_EQ(m.StepLevel(+1), Updates{CrossoverUpdate::Level});  // still sent at the limit
  EXPECT_EQ(m.Edited().level, 0);
  for (int i = 0; i < 14; ++i) m.StepLevel(-1);
  EXPECT_EQ(m.Edited().level, -12);
  EXPECT_EQ(m.SetLevel(4), Updates{CrossoverUpdate::Level});
  EXPECT_EQ(m.Edited().level, -4);

  m.BeginDrag();
  EXPECT_TRUE(m.DragLevel(+1));
  EXPECT_EQ(m.Edited().level, -3);
  EXPECT_EQ(m.EndDrag(), Updates{CrossoverUpdate::Level});
  EXPECT_EQ(m.EndDrag(), Updates{});  // no drag active

  m.SetLevel(0);
  m.BeginDrag();
  EXPECT_FALSE(m.DragLevel(+1));  // at the limit: not a level drag
  EXPECT_EQ(m.EndDrag(), Updates{CrossoverUpdate::Filter});
}

TEST(CrossoverModelTest, SlopeEntriesFollowTheGroupsLists) {
  CrossoverModel m;
  EXPECT_EQ(m.SetHpfSlope(0), Updates{CrossoverUpdate::Filter});
  EXPECT_DOUBLE_EQ(m.Edited().hpfSlope, -6.0);  // Front_Hi's HPF has no "OFF"
  m.SetLpfSlope(0);
  EXPECT_DOUBLE_EQ(m.Edited().lpfSlope, 0.0);
  m.SelectGroup(SpeakerGroup::SubWoofer);
  m.SetLpfSlope(0);
  EXPECT_DOUBLE_EQ(m.Edited().lpfSlope, -6.0);
  m.SetLpfSlope(4);
  EXPECT_DOUBLE_EQ(m.Edited().lpfSlope, -30.0);
  m.SetHpfSlope(2);
  EXPECT_DOUBLE_EQ(m.Edited().hpfSlope, -12.0);
}

TEST(CrossoverModelTest, CenterForcesCommonAndRestoresTheSavedSet) {
  CrossoverModel m;
  EXPECT_EQ(m.SelectSet(CrossoverSet::L), (Updates{CrossoverUpdate::Level, CrossoverUpdate::All}));
  m.SelectGroup(SpeakerGroup::Center);
  EXPECT_EQ(m.Mode(), CrossoverSet::Common);
  EXPECT_FALSE(m.SetAvailable(CrossoverSet::R));
  EXPECT_TRUE(m.SetAvailable(CrossoverSet::Common));
  EXPECT_EQ(m.SelectSet(CrossoverSet::R), Updates{});
  EXPECT_EQ(m.Mode(), CrossoverSet::Common);
  m.SelectGroup(SpeakerGroup::Center);  // choosing it again keeps the saved set
  m.SelectGroup(SpeakerGroup::Rear);
  EXPECT_EQ(m.Mode(), CrossoverSet::L);
  m.SelectGroup(SpeakerGroup::SubWoofer);
  EXPECT_EQ(m.Mode(), CrossoverSet::L);

  // Center's edits reach all three of its sets.
  m.SelectGroup(SpeakerGroup::Center);
  m.SetLevel(3);
  m.SetLpfStep(40);
  for (CrossoverSet s : {CrossoverSet::L, CrossoverSet::R}) {
    EXPECT_EQ(m.Record(SpeakerGroup::Center, s), m.Record(SpeakerGroup::Center, CrossoverSet::Common));
    EXPECT_EQ(m.Steps(SpeakerGroup::Center, s), (Steps{40, 0}));
  }
}

TEST(CrossoverModelTest, SidesAreEditedIndependentlyUntilCopied) {
  CrossoverModel m = OnGroup(SpeakerGroup::Rear);
  m.SelectSet(CrossoverSet::R);
  m.SetLpfStep(30);
  m.SetLevel(6);
  EXPECT_EQ(m.Record(SpeakerGroup::Rear, CrossoverSet::R).lpfCode, 30);
  EXPECT_EQ(m.Record(SpeakerGroup::Rear, CrossoverSet::L), DefaultCrossover(SpeakerGroup::Rear));
  EXPECT_EQ(m.Record(SpeakerGroup::Rear, CrossoverSet::Common), DefaultCrossover(SpeakerGroup::Rear));

  m.SelectSet(CrossoverSet::Common);
  m.SetHpfStep(10);
  m.CopyCommonToLR();
  for (CrossoverSet s : {CrossoverSet::L, CrossoverSet::R}) {
    EXPECT_EQ(m.Record(SpeakerGroup::Rear, s), m.Record(SpeakerGroup::Rear, CrossoverSet::Common));
    EXPECT_EQ(m.Steps(SpeakerGroup::Rear, s), (Steps{60, 10}));
  }
}

TEST(CrossoverModelTest, SetRecordsDerivesStepsAndKeepsCenterMono) {
  CrossoverTable t = CrossoverModel().Records();
  CrossoverRec& damaged = t[Index(SpeakerGroup::FrontLow)][Index(CrossoverSet::L)];
  damaged.lpfFrequency = 410.0;  // off the list
  damaged.hpfFrequency = 1e6;
  t[Index(SpeakerGroup::Center)][Index(CrossoverSet::R)].level = -9;

  CrossoverModel m;
  m.SelectGroup(SpeakerGroup::Rear);
  m.SetRecords(t);
  EXPECT_EQ(m.SelectedGroup(), SpeakerGroup::Rear);
  EXPECT_EQ(m.Steps(SpeakerGroup::FrontLow, CrossoverSet::L), (Steps{26, 59}));  // nearest, within range
  EXPECT_DOUBLE_EQ(m.Record(SpeakerGroup::FrontLow, CrossoverSet::L).lpfFrequency, 410.0);
  EXPECT_EQ(m.Record(SpeakerGroup::Center, CrossoverSet::R).level, 0);

  CrossoverModel sw;
  sw.SetSpeakerSwitches(SpeakerSwitches{1, 1, 1, 1, 1, 1, 0, 1, 1, 0, 0});
  EXPECT_FALSE(sw.Present(SpeakerGroup::Center));
  EXPECT_FALSE(sw.Present(SpeakerGroup::SubWoofer));
  EXPECT_TRUE(sw.Present(SpeakerGroup::Rear));
}
