// krv5200-cli diff, run as a user runs it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/process.h"
#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/setup_file.h"

namespace {

class DiffCli : public ::testing::Test {
 protected:
  DiffCli() {
    SetupDocument a;
    Save("a.tvn", a);
    SetupDocument b = a;
    b.peqBands[Index(EqGroup::Front)][Index(EqSide::L)][2].gain = -3.0f;
    b.geqBands[Index(EqGroup::Rear)][Index(EqSide::Common)][30].gain = 4.0f;
    b.crossover[Index(SpeakerGroup::FrontMid)][Index(CrossoverSet::R)].hpfFrequency = 315.0;
    b.channelDelay[Index(OutputChannel::Center)] = 2.5;
    b.profile.lastName = "Meyer";
    b.subWooferMode = 1;
    Save("b.tvn", b);
  }
  void Save(const std::string& name, SetupDocument& doc) {
    RecordingDialogs quiet;
    ASSERT_TRUE(SetupFile::Save(dir.File(name), doc, quiet));
  }
  Outcome Diff(std::vector<std::string> args) {
    args.insert(args.begin(), "diff");
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  }
  TempDir dir;
};

TEST_F(DiffCli, KnownChangesInEachFamilyAreListedAndEqualFilesSayNothing) {
  const Outcome tsv = Diff({"a.tvn", "b.tvn", "--format", "tsv"});
  EXPECT_EQ(tsv.exitStatus, 1) << tsv.err;
  EXPECT_EQ(tsv.out,
            "peq/Front/L/3/gain\t0\t-3\n"
            "geq/Rear/Common/31/gain\t0\t4\n"
            "crossover/Front_Mid/R/hpf-frequency\t400\t315\n"
            "output/7/delay\t0\t2.5\n"
            "other/sub-woofer-mode\t0\t1\n"
            "profile/last-name\t\tMeyer\n");
  EXPECT_EQ(tsv.err, "");

  const Outcome text = Diff({"b.tvn", "a.tvn"});
  EXPECT_EQ(text.exitStatus, 1);
  EXPECT_EQ(text.out.substr(0, text.out.find('\n')),
            "Parametric EQ, Front, L ch, band 3: gain -3 dB -> 0 dB");
  EXPECT_NE(text.out.find("SubWoofer mode Mono -> Stereo\n"), std::string::npos) << text.out;

  const Outcome same = Diff({"a.tvn", "a.tvn", "--format", "tsv"});
  EXPECT_EQ(std::tie(same.exitStatus, same.out, same.err), std::tuple(0, "", ""));
}

TEST_F(DiffCli, AFileThatCannotBeReadExitsTwoWithTheReason) {
  WriteFileBytes(dir.File("cut.tvn"), ReadFileBytes(dir.File("b.tvn")).substr(0, 12000));
  WriteFileBytes(dir.File("foreign.tvn"), std::string("\x05OTHER\x05ver 1 and more", 20));
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"a.tvn", "cut.tvn"}, "krv5200-cli diff: cut.tvn: Unexpected file format.\n"},
      {{"foreign.tvn", "a.tvn"}, "krv5200-cli diff: foreign.tvn: FILE TYPE ERROR\n"},
      {{"a.tvn", "gone.tvn"}, "krv5200-cli diff: gone.tvn: gone.tvn was not found.\n"},
      {{"a.tvn", "b.tvn", "--format", "csv"}, ""},
      {{"a.tvn"}, ""},
  };
  for (const auto& c : cases) {
    const Outcome o = Diff(c.args);
    EXPECT_EQ(o.exitStatus, 2) << c.args.back();
    EXPECT_EQ(o.out, "");
    if (!c.err.empty()) {
      EXPECT_EQ(o.err, c.err);
    }
  }
}

}  // namespace
