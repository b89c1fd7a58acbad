// krv5200-cli report geq and report div, the two window reports of one side, run as a user runs them.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/process.h"
#include "common/temp_dir.h"

TEST(ReportWindowCli, RendersThePageOrRefusesABadSideOrAMissingFile) {
  TempDir dir;
  auto cli = [&](const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  };
  const std::string example = std::string(KRV5200_SOURCE_DIR) + "/examples/demo.tvn";
  for (const auto& [kind, badSide] : {std::pair<std::string, std::string>{"geq", "Q"}, {"div", "left"}}) {
    SCOPED_TRACE(kind);
    Outcome o = cli({"report", kind, example, kind + ".pdf", "--side", "R"});
    EXPECT_EQ(o.exitStatus, 0) << o.err;
    EXPECT_EQ(ReadFileBytes(dir.File(kind + ".pdf")).substr(0, 5), "%PDF-");

    o = cli({"report", kind, example, "x.pdf", "--side", badSide});
    EXPECT_EQ(o.exitStatus, 1);
    EXPECT_NE(o.err.find("usage: krv5200-cli report " + kind + " IN OUT.pdf"), std::string::npos) << o.err;
    o = cli({"report", kind, "missing.tvn", "x.pdf"});
    EXPECT_EQ(std::pair(o.exitStatus, o.err), std::pair(1, std::string("missing.tvn was not found.\n")));
  }
}
