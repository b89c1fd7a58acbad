// The customer profile through krv5200-cli, run as a user runs it.
#include <gtest/gtest.h>

#include <string>

#include "common/process.h"
#include "common/temp_dir.h"

namespace {

const std::string kDemoSetup = std::string(KRV5200_SOURCE_DIR) + "/examples/demo.tvn";

TEST(ProfileCli, ReportsTheProfileForACountryAndShowsNoFieldTheFileLacks) {
  TempDir dir;
  auto cli = [&](const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  };
  for (const char* country : {"U.S.A", "JAPAN", "OTHER"}) {
    const Outcome o = cli({"report", "profile", kDemoSetup, "profile.pdf", "--country", country});
    EXPECT_EQ(o.exitStatus, 0) << o.err;
    EXPECT_EQ(ReadFileBytes(dir.File("profile.pdf")).substr(0, 5), "%PDF-");
  }
  Outcome o = cli({"report", "profile", kDemoSetup, "bad.pdf", "--country", "Mars"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_NE(o.err.find("usage: krv5200-cli report profile IN OUT.pdf"), std::string::npos) << o.err;

  o = cli({"show", kDemoSetup});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_NE(o.out.find("Customer profile"), std::string::npos);
  EXPECT_EQ(o.out.find("Country"), std::string::npos);
  EXPECT_EQ(o.out.find("Comments"), std::string::npos);
}

}  // namespace
