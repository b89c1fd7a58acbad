#include "crossover/crossover_update.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "crossover/crossover_model.h"
#include "document/setup_document.h"

namespace {

using Op = CrossoverCommand::Op;

SpeakerSwitches AllOn() {
  SpeakerSwitches s{};
  s.fill(1);
  return s;
}

CrossoverCommand Level(SpeakerGroup g, int side, int code) {
  CrossoverCommand c;
  c.op = Op::SetChannelLevel;
  c.group = g;
  c.side = side;
  c.levelCode = code;
  return c;
}

CrossoverCommand Filter(SpeakerGroup g, int side, bool lowPass, int slope, int freq) {
  CrossoverCommand c;
  c.op = Op::SetChannelFilter;
  c.group = g;
  c.side = side;
  c.lowPass = lowPass;
  c.slopeCode = slope;
  c.frequencyCode = freq;
  return c;
}

}  // namespace

TEST(CrossoverCodesTest, SlopeFrequencyAndLevelCodes) {
  EXPECT_EQ(SlopeCode(0.0), 0);
  EXPECT_EQ(SlopeCode(-18.0), 3);
  EXPECT_EQ(SlopeCode(-30.0), 5);
  CrossoverRec rec = DefaultCrossover(SpeakerGroup::FrontHi);
  EXPECT_EQ(LpfFrequencyCode(rec), 60);
  EXPECT_EQ(HpfFrequencyCode(rec), 46);
  EXPECT_EQ(LevelCode(0, true), 12);
  EXPECT_EQ(LevelCode(-12, true), 0);
  EXPECT_EQ(LevelCode(-5, true), 7);
  EXPECT_EQ(LevelCode(-5, false), 96);
  EXPECT_EQ(LevelCode(0, false), kSwitchedOffLevelCode);

  // Damaged values never reach the processor as other codes: +84 dB would otherwise read as 96.
  EXPECT_EQ(LevelCode(84, true), 12);
  EXPECT_EQ(LevelCode(-40, true), 0);
  EXPECT_EQ(SlopeCode(-100.0), 5);
  EXPECT_EQ(SlopeCode(12.0), 0);
  EXPECT_EQ(SlopeCode(std::nan("")), 0);
  EXPECT_EQ(SlopeCode(-std::numeric_limits<double>::infinity()), 5);
  rec.lpfCode = 200;
  rec.hpfCode = -3;
  EXPECT_EQ(LpfFrequencyCode(rec), 60);
  EXPECT_EQ(HpfFrequencyCode(rec), 0);
}

TEST(CrossoverCodesTest, PresenceFromTheElevenSwitches) {
  SpeakerSwitches s{};
  GroupPresence p = PresenceFromSwitches(s);
  for (bool present : p) EXPECT_FALSE(present);

  s[Index(OutputChannel::FrontMidR)] = 1;  // one side is enough
  s[Index(OutputChannel::Center)] = 1;
  s[Index(OutputChannel::SubWooferL)] = 1;
  p = PresenceFromSwitches(s);
  EXPECT_FALSE(p[Index(SpeakerGroup::FrontHi)]);
  EXPECT_TRUE(p[Index(SpeakerGroup::FrontMid)]);
  EXPECT_FALSE(p[Index(SpeakerGroup::FrontLow)]);
  EXPECT_FALSE(p[Index(SpeakerGroup::Rear)]);
  EXPECT_TRUE(p[Index(SpeakerGroup::Center)]);
  EXPECT_TRUE(p[Index(SpeakerGroup::SubWoofer)]);

  EXPECT_EQ(GroupOutput(SpeakerGroup::Center, 2), OutputChannel::Center);
}

TEST(CrossoverUpdateTest, LevelUpdateUsesEachSidesSetAnd96ForSwitchedOffOutputs) {
  CrossoverTable t = CrossoverModel().Records();
  t[Index(SpeakerGroup::Rear)][Index(CrossoverSet::Common)].level = -2;
  t[Index(SpeakerGroup::Rear)][Index(CrossoverSet::L)].level = -4;
  t[Index(SpeakerGroup::Rear)][Index(CrossoverSet::R)].level = -9;
  SpeakerSwitches s = AllOn();

  EXPECT_EQ(
      CrossoverUpdateCommands(CrossoverUpdate::Level, t, SpeakerGroup::Rear, CrossoverSet::Common, s),
      (std::vector<CrossoverCommand>{Level(SpeakerGroup::Rear, 1, 10), Level(SpeakerGroup::Rear, 2, 10)}));
  // Either L or R mode sends both sides from their own sets.
  EXPECT_EQ(
      CrossoverUpdateCommands(CrossoverUpdate::Level, t, SpeakerGroup::Rear, CrossoverSet::R, s),
      (std::vector<CrossoverCommand>{Level(SpeakerGroup::Rear, 1, 8), Level(SpeakerGroup::Rear, 2, 3)}));

  s[Index(OutputChannel::RearR)] = 0;
  EXPECT_EQ(
      CrossoverUpdateCommands(CrossoverUpdate::Level, t, SpeakerGroup::Rear, CrossoverSet::L, s),
      (std::vector<CrossoverCommand>{Level(SpeakerGroup::Rear, 1, 8), Level(SpeakerGroup::Rear, 2, 96)}));

  // Center is mono: its Common level goes to output 6 twice, whatever the mode.
  t[Index(SpeakerGroup::Center)][Index(CrossoverSet::Common)].level = -1;
  t[Index(SpeakerGroup::Center)][Index(CrossoverSet::L)].level = -7;
  EXPECT_EQ(CrossoverUpdateCommands(CrossoverUpdate::Level, t, SpeakerGroup::Center, CrossoverSet::L, s),
            (std::vector<CrossoverCommand>{Level(SpeakerGroup::Center, 1, 11),
                                           Level(SpeakerGroup::Center, 2, 11)}));
  s[Index(OutputChannel::Center)] = 0;
  EXPECT_EQ(CrossoverUpdateCommands(CrossoverUpdate::Level, t, SpeakerGroup::Center, CrossoverSet::Common, s),
            (std::vector<CrossoverCommand>{Level(SpeakerGroup::Center, 1, 96),
                                           Level(SpeakerGroup::Center, 2, 96)}));
}

TEST(CrossoverUpdateTest, FilterUpdateSendsLpfThenHpfOfTheEditedSet) {
  CrossoverTable t = CrossoverModel().Records();
  CrossoverRec& left = t[Index(SpeakerGroup::FrontMid)][Index(CrossoverSet::L)];
  left.lpfSlope = -24.0;
  left.lpfCode = 40;
  left.hpfSlope = -6.0;
  left.hpfCode = 20;
  const SpeakerSwitches s = AllOn();

  EXPECT_EQ(
      CrossoverUpdateCommands(CrossoverUpdate::Filter, t, SpeakerGroup::FrontMid, CrossoverSet::Common, s),
      (std::vector<CrossoverCommand>{Filter(SpeakerGroup::FrontMid, 0, true, 0, 46),
                                     Filter(SpeakerGroup::FrontMid, 0, false, 0, 26)}));
  EXPECT_EQ(CrossoverUpdateCommands(CrossoverUpdate::Filter, t, SpeakerGroup::FrontMid, CrossoverSet::L, s),
            (std::vector<CrossoverCommand>{Filter(SpeakerGroup::FrontMid, 1, true, 4, 40),
                                           Filter(SpeakerGroup::FrontMid, 1, false, 1, 20)}));
  EXPECT_EQ(CrossoverUpdateCommands(CrossoverUpdate::Filter, t, SpeakerGroup::FrontMid, CrossoverSet::R, s),
            (std::vector<CrossoverCommand>{Filter(SpeakerGroup::FrontMid, 2, true, 0, 46),
                                           Filter(SpeakerGroup::FrontMid, 2, false, 0, 26)}));
  // The sub-woofer's default -18 dB/oct low-pass at 80 Hz.
  EXPECT_EQ(
      CrossoverUpdateCommands(CrossoverUpdate::Filter, t, SpeakerGroup::SubWoofer, CrossoverSet::Common, s),
      (std::vector<CrossoverCommand>{Filter(SpeakerGroup::SubWoofer, 0, true, 3, 12),
                                     Filter(SpeakerGroup::SubWoofer, 0, false, 0, 0)}));
}

TEST(CrossoverUpdateTest, AllGoesGroupByGroupLevelsFirst) {
  const CrossoverTable t = CrossoverModel().Records();
  SpeakerSwitches s = AllOn();
  s[Index(OutputChannel::FrontHighL)] = 0;

  const std::vector<CrossoverCommand> common =
      CrossoverUpdateCommands(CrossoverUpdate::All, t, SpeakerGroup::Rear, CrossoverSet::Common, s);
  ASSERT_EQ(common.size(), 6u * 4u);
  EXPECT_EQ(common[0], Level(SpeakerGroup::FrontHi, 1, 96));
  EXPECT_EQ(common[1], Level(SpeakerGroup::FrontHi, 2, 12));
  EXPECT_EQ(common[2], Filter(SpeakerGroup::FrontHi, 0, true, 0, 60));
  EXPECT_EQ(common[3], Filter(SpeakerGroup::FrontHi, 0, false, 3, 46));
  EXPECT_EQ(common[20], Level(SpeakerGroup::SubWoofer, 1, 12));
  EXPECT_EQ(common[22], Filter(SpeakerGroup::SubWoofer, 0, true, 3, 12));

  // In L/R mode every group but Center sends its L set to the left and its R set to the right.
  const std::vector<CrossoverCommand> sides =
      CrossoverUpdateCommands(CrossoverUpdate::All, t, SpeakerGroup::FrontHi, CrossoverSet::L, s);
  ASSERT_EQ(sides.size(), 5u * 6u + 4u);
  const std::vector<CrossoverCommand> rear(sides.begin() + 18, sides.begin() + 24);
  EXPECT_EQ(rear,
            (std::vector<CrossoverCommand>{
                Level(SpeakerGroup::Rear, 1, 12), Level(SpeakerGroup::Rear, 2, 12),
                Filter(SpeakerGroup::Rear, 1, true, 0, 60), Filter(SpeakerGroup::Rear, 1, false, 0, 0),
                Filter(SpeakerGroup::Rear, 2, true, 0, 60), Filter(SpeakerGroup::Rear, 2, false, 0, 0)}));
  const std::vector<CrossoverCommand> center(sides.begin() + 24, sides.begin() + 28);
  EXPECT_EQ(center[2], Filter(SpeakerGroup::Center, 0, true, 0, 60));
  EXPECT_EQ(center[3], Filter(SpeakerGroup::Center, 0, false, 0, 0));
  EXPECT_EQ(CrossoverGroupCommands(SpeakerGroup::SubWoofer, t, CrossoverSet::L, s),
            std::vector<CrossoverCommand>(sides.begin() + 28, sides.end()));
}
