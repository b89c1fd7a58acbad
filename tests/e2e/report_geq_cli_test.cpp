// krv5200-cli report geq, run as a user runs it.

#include <gtest/gtest.h>

#include <string>

#include "common/process.h"
#include "common/temp_dir.h"

TEST(ReportGeqCli, RendersThePageOrRefusesWithUsage) {
  TempDir dir;
  auto cli = [&](const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  };
  const std::string example = std::string(KRV5200_SOURCE_DIR) + "/examples/demo.tvn";

  Outcome o = cli({"report", "geq", example, "geq.pdf", "--side", "R"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("geq.pdf")).substr(0, 5), "%PDF-");

  o = cli({"report", "geq", example, "other.pdf", "--side", "Q"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_NE(o.err.find("usage: krv5200-cli report geq IN OUT.pdf"), std::string::npos) << o.err;
  o = cli({"report", "geq", "missing.tvn", "other.pdf"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_EQ(o.err, "missing.tvn was not found.\n");
}
