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
  // The file names itself and its maker.
  const Outcome info = RunProgram("/usr/bin/pdfinfo", {dir.File("peq.pdf")}, {}, dir.File("pdfinfo"));
  EXPECT_NE(info.out.find("Parametric Equalizer 20"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("KRV5200 PC setup tool"), std::string::npos) << info.out;
  o = Cli({"report", "tcr", kExample, "tcr.pdf"});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("tcr.pdf")).substr(0, 5), "%PDF-");
  o = Cli({"report", "spectrum", "spectrum.pdf"});  // no port: the start-up levels
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_EQ(ReadFileBytes(dir.File("spectrum.pdf")).substr(0, 5), "%PDF-");

  o = Cli({"show", kExample});
  EXPECT_EQ(o.exitStatus, 0) << o.err;
  EXPECT_NE(o.out.find("Demo Car Audio"), std::string::npos);
  EXPECT_NE(o.out.find("SubWoofer, Common   stored curve peak"), std::string::npos);  // the file's table
}

// Help and version need no display: they are read before any window system is asked for.
TEST_F(DocumentCli, EveryProgramAnswersHelpAndVersionWithoutADisplay) {
  const std::vector<std::string> noDisplay = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=xcb"};
  for (const std::string program : {KRV5200_APP, KRV5200_CLI, KRV5200_SIM}) {
    const std::string name = std::filesystem::path(program).filename();
    const Outcome version = RunProgram(program, {"--version"}, noDisplay, dir.File("version"));
    EXPECT_EQ(version.exitStatus, 0) << name << version.err;
    EXPECT_EQ(version.out, name + " " KRV5200_VERSION "\n");
    const Outcome help = RunProgram(program, {"--help"}, noDisplay, dir.File("help"));
    EXPECT_EQ(help.exitStatus, 0) << name << help.err;
    EXPECT_NE(help.out.find("--version"), std::string::npos) << name;
  }
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
  EXPECT_EQ(o.err, "Failed to save document.\nThe folder no/such/folder does not exist\n");

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

TEST_F(DocumentCli, AnEmptyFileHoldsNoSetupInAnyVerb) {
  WriteFileBytes(dir.File("empty.tvn"), "");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"show", "empty.tvn"},
                                               {"resave", "empty.tvn", "out.tvn"},
                                               {"export", "empty.tvn"},
                                               {"curve", "empty.tvn", "peq", "Front", "L"},
                                               {"words", "empty.tvn", "Front", "L", "0"},
                                               {"report", "peq", "empty.tvn", "out.pdf"}}) {
    const Outcome o = Cli(args);
    EXPECT_EQ(o.exitStatus, 1) << args[0];
    EXPECT_EQ(o.err, "Unexpected file format.\n") << args[0];
    EXPECT_EQ(o.out, "") << args[0];
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.tvn")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.pdf")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("data_textout.txt")));
}

TEST_F(DocumentCli, DamagedValuesAreCorrectedAndReportedOnStandardError) {
  ASSERT_EQ(Cli({"new", "fresh.tvn"}).exitStatus, 0);
  std::string bytes = ReadFileBytes(dir.File("fresh.tvn"));
  bytes.replace(0x1D, 4, std::string("\x00\x00\xc0\x7f", 4));       // Front Common band 1: NaN gain
  bytes.replace(0x19 + 20, 4, std::string("\x00\x60\xea\x46", 4));  // band 2: 30 kHz
  bytes.replace(0x299D, 8, std::string("\x00\x00\x00\x00\x00\x00\x14\xc0", 8));  // a delay of -5 ms
  WriteFileBytes(dir.File("damaged.tvn"), bytes);
  const std::string message =
      "Some values in this setup file were out of range and have been corrected: equalizer frequencies, "
      "equalizer gains, delays. Save the file to keep the corrected setup.\n";

  Outcome o = Cli({"words", "damaged.tvn", "Front", "Common", "0"});
  EXPECT_EQ(o.exitStatus, 0);
  EXPECT_EQ(o.out, Cli({"flat", "Front", "0"}).out);
  EXPECT_EQ(o.err, message);

  // Saving writes the corrected setup, which opens without a word.
  ASSERT_EQ(Cli({"resave", "damaged.tvn", "mended.tvn"}).exitStatus, 0);
  o = Cli({"show", "mended.tvn"});
  EXPECT_EQ(o.exitStatus, 0);
  EXPECT_EQ(o.err, "");

  // Ten bands, each in range, at +12 dB on one frequency: the set goes on lowered under 12 dB.
  SetupDocument loud;
  for (FilterParams& band : loud.peqBands[0][0]) band = FilterParams{4, 1000.0f, 12.0f, 1.0f, 0, 0};
  WriteFileBytes(dir.File("loud.tvn"), SetupFile::Serialize(loud));
  o = Cli({"curve", "loud.tvn", "peq", "Front", "Common"});
  EXPECT_EQ(o.exitStatus, 0);
  EXPECT_NE(o.err.find("equalizer curves above 12 dB (Parametric EQ Front Common)"), std::string::npos);
  EXPECT_NE(o.out.find("peak 10\n"), std::string::npos);
}
