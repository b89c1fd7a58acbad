// The comparison of two setups: one row per stored value that differs, in each path family.
#include "keeping/setup_diff.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "document/setup_document.h"

namespace {

using Row = SetupDiff::Row;

struct DiffCase {
  std::function<void(SetupDocument&)> change;
  Row row;
};

TEST(SetupDiff, EachFamilyNamesTheValueItsTwoStoredFormsAndTheWindowsText) {
  const int front = Index(EqGroup::Front);
  const int left = Index(EqSide::L);
  const DiffCase cases[] = {
      {[&](SetupDocument& d) { d.peqBands[front][left][2].gain = -3.0f; },
       {"peq/Front/L/3/gain", "0", "-3", "Parametric EQ, Front, L ch, band 3: gain 0 dB -> -3 dB"}},
      {[](SetupDocument& d) { d.peqBands[3][0][9].frequency = 12500.5f; },
       {"peq/SubWoofer/Common/10/frequency", "16000", "12500.5",
        "Parametric EQ, SubWoofer, Common, band 10: frequency 16000 Hz -> 12500.5 Hz"}},
      {[](SetupDocument& d) { d.peqBands[1][2][0].q = 1.41f; },
       {"peq/Rear/R/1/q", "1", "1.41", "Parametric EQ, Rear, R ch, band 1: Q 1 -> 1.41"}},
      {[](SetupDocument& d) { d.peqBands[2][0][4].type = 1; },
       {"peq/Center/Common/5/type", "4", "1",
        "Parametric EQ, Center, Common, band 5: type peaking -> low-pass"}},
      {[](SetupDocument& d) { d.geqBands[0][0][11].gain = 2.5f; },
       {"geq/Front/Common/12/gain", "0", "2.5",
        "Graphic EQ, Front, Common, band 12 (250 Hz): gain 0 dB -> 2.5 dB"}},
      {[](SetupDocument& d) { d.crossover[0][2].lpfFrequency = 8000.0; },
       {"crossover/Front_Hi/R/lpf-frequency", "20000", "8000",
        "Divider Crossover, Front_Hi, R ch: High Frequency 20000 Hz -> 8000 Hz"}},
      {[](SetupDocument& d) { d.crossover[5][1].hpfSlope = -12.0; },
       {"crossover/SubWoofer/L/hpf-slope", "0", "-12",
        "Divider Crossover, SubWoofer, L ch: Low Slope OFF -> -12dB/Oct"}},
      {[](SetupDocument& d) { d.crossover[3][0].level = -4; },
       {"crossover/Rear/Common/level", "0", "-4", "Divider Crossover, Rear, Common: Level 0 dB -> -4 dB"}},
      {[](SetupDocument& d) { d.channelDelay[Index(OutputChannel::RearL)] = 1.2; },
       {"output/8/delay", "0", "1.2", "Time Correction, Rear Left: delay 0 ms -> 1.2 ms"}},
      {[](SetupDocument& d) { d.channelPhase[Index(OutputChannel::SubWooferR)] = 1; },
       {"output/11/phase", "0", "1", "Time Correction, SubWoofer Right: phase 0 deg -> 180 deg"}},
      {[](SetupDocument& d) { d.profile.city = "Bre\tmen"; },
       {"profile/city", "", "Bre\\tmen", "Customer Profile: CITY \"\" -> \"Bre\\tmen\""}},
      {[](SetupDocument& d) { d.profile.amplifiers[5].numbers = 2; },
       {"profile/amp/6/numbers", "0", "2", "Customer Profile, Amp, SubWf1: Numbers 0 -> 2"}},
      {[](SetupDocument& d) { d.profile.vehicleModel = "Golf\n7"; },
       {"profile/vehicle-model", "", "Golf\\n7", "Vehicle Profile: Model \"\" -> \"Golf\\n7\""}},
      {[](SetupDocument& d) { d.speakerSwitch[Index(OutputChannel::FrontMidR)] = 0; },
       {"other/speaker/4", "1", "0", "Speaker, Front Right Mid: switch ON -> OFF"}},
      {[](SetupDocument& d) { d.aeqMode = 97; }, {"other/aeq-mode", "96", "97", "AEQ mode 96 -> 97"}},
      {[](SetupDocument& d) { d.aeqParameters[2047] = 0x123456; },
       {"other/aeq-parameter/2048", "0", "1193046", "AEQ parameter 2048 0 -> 1193046"}},
      {[](SetupDocument& d) { d.geqCurvePeaks[1][2] = 3.25; },
       {"other/geq-curve-peak/Rear/R", "0", "3.25",
        "Graphic EQ, Rear, R ch: stored curve peak 0 dB -> 3.25 dB"}},
      {[](SetupDocument& d) { d.peqBands[0][0][0].sectionKind = 2; },
       {"other/peq/Front/Common/1/section-kind", "0", "2",
        "Parametric EQ, Front, Common, band 1: section kind 0 -> 2"}},
  };
  const SetupDocument a;
  for (const DiffCase& c : cases) {
    SetupDocument b = a;
    c.change(b);
    EXPECT_EQ(SetupDiff::Compare(a, b), std::vector<Row>{c.row}) << c.row.path;
  }
  EXPECT_EQ(SetupDiff::TsvLine(cases[0].row), "peq/Front/L/3/gain\t0\t-3");
}

TEST(SetupDiff, EqualSetupsHaveNoRowsAndWhatAFileDoesNotStoreIsNotCompared) {
  SetupDocument a;
  a.peqBands[0][0][0].gain = std::nanf("");  // equal as stored, though never equal as a number
  SetupDocument b = a;
  EXPECT_TRUE(SetupDiff::Compare(a, b).empty());
  b.profile.country = 2;
  b.profile.comments = "call first";
  b.peqBands[0][0][0].flag = 1;
  b.viewSynchronized = 1;
  b.crossover[0][0].lpfCode = 40;  // a code follows its frequency and is not listed
  EXPECT_TRUE(SetupDiff::Compare(a, b).empty());
}

TEST(SetupDiff, RowsComeFamilyByFamilyInTheFilesOrder) {
  SetupDocument a;
  SetupDocument b = a;
  b.profile.firstName = "Ann";
  b.aeqActive = 1;
  b.channelDelay[0] = 0.5;
  b.crossover[0][0].level = -1;
  b.geqBands[0][0][0].gain = 1.0f;
  b.peqBands[3][2][9].gain = 1.0f;
  b.peqBands[0][0][0].gain = 1.0f;
  std::vector<std::string> paths;
  for (const Row& r : SetupDiff::Compare(a, b)) paths.push_back(r.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"peq/Front/Common/1/gain", "peq/SubWoofer/R/10/gain",
                                             "geq/Front/Common/1/gain", "crossover/Front_Hi/Common/level",
                                             "output/1/delay", "other/aeq-active", "profile/first-name"}));
}

}  // namespace
