// import-filters, export-filters and fit, run as a user runs them.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "common/process.h"
#include "common/temp_dir.h"

namespace {

class InterchangeCli : public ::testing::Test {
 protected:
  Outcome Cli(const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  }
  bool Exists(const std::string& name) { return std::filesystem::exists(dir.File(name)); }
  TempDir dir;
};

const std::string kInterchangeDemo = std::string(KRV5200_SOURCE_DIR) + "/examples/demo.tvn";

TEST_F(InterchangeCli, ExportImportRoundTripAndRefusals) {
  Outcome o = Cli({"export-filters", kInterchangeDemo, "Front", "L"});
  ASSERT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(o.out.rfind("Filter 1: ON PK Fc ", 0), 0u) << o.out;
  WriteFileBytes(dir.File("front.txt"), o.out);

  ASSERT_EQ(Cli({"new", "fresh.tvn"}).exitStatus, 0);
  o = Cli({"import-filters", "fresh.tvn", "front.txt", "copy.tvn", "Rear", "R"});
  ASSERT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(Cli({"export-filters", "copy.tvn", "Rear", "R"}).out, ReadFileBytes(dir.File("front.txt")));
  const Outcome rew = Cli({"export-filters", "copy.tvn", "Rear", "R", "--format", "rew"});
  EXPECT_EQ(rew.out.rfind("Filter Settings file\n", 0), 0u);

  // Refusals: a note or the reason on standard error, exit 1, no OUT.
  WriteFileBytes(dir.File("sub.txt"), "Filter 1: ON PK Fc 250 Hz Gain -3 dB Q 1\n");
  o = Cli({"import-filters", "fresh.tvn", "sub.txt", "no.tvn", "SubWoofer", "Common"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_NE(o.err.find("above the SubWoofer's 200 Hz"), std::string::npos) << o.err;
  WriteFileBytes(dir.File("lr.txt"),
                 "Channel: L\nFilter: ON PK Fc 250 Hz Gain -3 dB Q 1\nChannel: R\n"
                 "Filter: ON LS Fc 100 Hz Gain 3 dB Q 0.7\n");
  o = Cli({"import-filters", "fresh.tvn", "lr.txt", "no.tvn", "Front", "L"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_NE(o.err.find("\"L\", \"R\""), std::string::npos) << o.err;
  EXPECT_FALSE(Exists("no.tvn"));
  o = Cli({"import-filters", "fresh.tvn", "lr.txt", "r.tvn", "Front", "R", "--channel", "R"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_NE(o.err.find("note: the filter on line 4: type LS"), std::string::npos) << o.err;
}

TEST_F(InterchangeCli, FitPrintsTheResidualsAndSavesTheSet) {
  // 6 dB up around 1 kHz, 4 dB down around 250 Hz, as a measurement program exports it.
  std::string text = "* Freq(Hz) SPL(dB) Phase(degrees)\n";
  for (int i = 0; i <= 480; ++i) {
    const double f = 20.0 * std::exp2(i / 48.0);
    const double up = 6.0 * std::exp(-std::pow(std::log2(f / 1000.0) / 0.4, 2));
    const double down = -4.0 * std::exp(-std::pow(std::log2(f / 250.0) / 0.3, 2));
    text += std::to_string(f) + "\t" + std::to_string(80.0 + up + down) + "\t0\n";
  }
  WriteFileBytes(dir.File("car.txt"), text);
  ASSERT_EQ(Cli({"new", "fresh.tvn"}).exitStatus, 0);
  for (const char* eq : {"peq", "geq"}) {
    const Outcome o = Cli({"fit", "fresh.tvn", "car.txt", std::string(eq) + ".tvn", "Front", "Common", "--eq",
                           eq, "--range", "150", "8000", "--max-boost", "3"});
    ASSERT_EQ(o.exitStatus, 0) << o.err;
    EXPECT_NE(o.out.find("range 150..8000 Hz\nresidual before "), std::string::npos) << o.out;
    const double after = std::stod(o.out.substr(o.out.find("residual after ") + 15));
    EXPECT_LT(after, 1.0) << o.out;
  }
  EXPECT_NE(ReadFileBytes(dir.File("peq.tvn")), ReadFileBytes(dir.File("fresh.tvn")));

  WriteFileBytes(dir.File("bad.txt"), "* short\n20 80\n40 81\n");
  Outcome o = Cli({"fit", "fresh.tvn", "bad.txt", "no.tvn", "Front", "Common"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_NE(o.err.find("at least 10"), std::string::npos) << o.err;
  o = Cli({"fit", "fresh.tvn", "car.txt", "no.tvn", "Front", "Common", "--max-boost", "20"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_FALSE(Exists("no.tvn"));
}

}  // namespace
