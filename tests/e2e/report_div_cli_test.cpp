// krv5200-cli report div, run as a user runs it.

#include <gtest/gtest.h>

#include "common/process.h"
#include "common/temp_dir.h"

namespace {

const std::string kExample = std::string(KRV5200_SOURCE_DIR) + "/examples/demo.tvn";

}  // namespace

TEST(ReportDivCli, WritesOnePdfPageAndRefusesABadSide) {
  TempDir dir;
  auto cli = [&](const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  };
  Outcome o = cli({"report", "div", kExample, "div.pdf", "--side", "R"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("div.pdf")).substr(0, 5), "%PDF-");

  o = cli({"report", "div", kExample, "x.pdf", "--side", "left"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_NE(o.err.find("usage: krv5200-cli report div IN OUT.pdf"), std::string::npos) << o.err;
  o = cli({"report", "div", "missing.tvn", "x.pdf"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_EQ(o.err, "missing.tvn was not found.\n");
}
