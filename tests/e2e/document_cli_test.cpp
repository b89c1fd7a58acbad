// The document verbs of krv5200-cli, run as a user runs them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/process.h"
#include "common/temp_dir.h"
#include "document/setup_file.h"

namespace {

class DocumentCli : public ::testing::Test {
 protected:
  Outcome Cli(const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, {}, dir.File("cli"), dir.path());
  }
  TempDir dir;
};

const std::string kExample = std::string(KRV5200_SOURCE_DIR) + "/examples/demo.tvn";

}  // namespace

TEST_F(DocumentCli, NewResaveAndExport) {
  Outcome o = Cli({"new", "fresh.tvn"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(std::filesystem::file_size(dir.File("fresh.tvn")), 19451u);

  // The example file was written by a separate implementation of the layout: a resave must
  // reproduce it byte for byte.
  o = Cli({"resave", kExample, "again.tvn"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("again.tvn")), ReadFileBytes(kExample));

  o = Cli({"export", kExample});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  const std::string text = ReadFileBytes(dir.File("data_textout.txt"));
  EXPECT_EQ(text.rfind("///PEQ\n31.250000\n", 0), 0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1709);

  o = Cli({"report", "peq", kExample, "peq.pdf", "--side", "L"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("peq.pdf")).substr(0, 5), "%PDF-");
  o = Cli({"report", "tcr", kExample, "tcr.pdf"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("tcr.pdf")).substr(0, 5), "%PDF-");
  o = Cli({"report", "spectrum", "spectrum.pdf"});  // no port: the start-up levels
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("spectrum.pdf")).substr(0, 5), "%PDF-");

  o = Cli({"show", kExample});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_NE(o.out.find("Demo Car Audio"), std::string::npos);
  EXPECT_NE(o.out.find("SubWoofer, Common"), std::string::npos);
}

TEST_F(DocumentCli, RefusedFilesReportTheSystemsMessageAndFail) {
  WriteFileBytes(dir.File("foreign.tvn"), std::string("\x0FTORVAL KRV5200 \x05ver 1", 22));
  Outcome o = Cli({"resave", "foreign.tvn", "out.tvn"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_EQ(o.err, "FILE TYPE ERROR\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.tvn")));

  WriteFileBytes(dir.File("cut.tvn"), ReadFileBytes(kExample).substr(0, 12000));
  o = Cli({"show", "cut.tvn"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_EQ(o.err, "Unexpected file format.\n");

  o = Cli({"export", "missing.tvn"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_EQ(o.err, "missing.tvn was not found.\n");

  o = Cli({"new", "no/such/folder/x.tvn"});
  EXPECT_EQ(o.exitStatus, 1);
  EXPECT_EQ(o.err, "Failed to save document.\n");

  // Wrong arguments: a usage message and a failure, nothing written.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"resave", "only-one.tvn"}, {"frobnicate"}, {"new"}}) {
    o = Cli(args);
    EXPECT_EQ(o.exitStatus, 1);
    EXPECT_NE(o.err.find("usage"), std::string::npos) << o.err;
  }
  o = Cli({"--help"});
  EXPECT_EQ(o.exitStatus, 0);
  EXPECT_NE(o.out.find("resave IN OUT"), std::string::npos);
}
