#include "document/text_export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <sstream>

#include "common/recording_dialogs.h"
#include "common/temp_dir.h"

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& marker) {
  return static_cast<std::size_t>(std::find(lines.begin(), lines.end(), marker) - lines.begin());
}

}  // namespace

TEST(TextExport, FreshDocumentHasFiveMarkersAnd1704ValueLines) {
  SetupDocument d;
  const std::vector<std::string> lines = SplitLines(TextExport::Format(d, d.profile));
  ASSERT_EQ(lines.size(), 5u + 1704u);

  const std::size_t peq = IndexOf(lines, "///PEQ");
  const std::size_t geq = IndexOf(lines, "///GEQ");
  const std::size_t div = IndexOf(lines, "///DIV");
  const std::size_t tcr = IndexOf(lines, "///TCR.PHASE.SP_SWITCH");
  const std::size_t profile = IndexOf(lines, "///PROFILE DATA");
  EXPECT_EQ(peq, 0u);
  EXPECT_EQ(geq, peq + 1 + 360);
  EXPECT_EQ(div, geq + 1 + 1116);
  EXPECT_EQ(tcr, div + 1 + 90);
  EXPECT_EQ(profile, tcr + 1 + 33);
  EXPECT_EQ(lines.size() - profile - 1, 105u);

  EXPECT_EQ(lines[1], "31.250000");
  EXPECT_EQ(lines[2], "0.000000");
  EXPECT_EQ(lines[3], "1.000000");
  EXPECT_EQ(lines[geq + 1], "20.000000");
  EXPECT_EQ(lines[geq + 3], "5.000000");
  EXPECT_EQ(lines[div + 1], "20000.000000");
  EXPECT_EQ(lines[div + 2], "0.000000");
  EXPECT_EQ(lines[div + 3], "4000.000000");
  EXPECT_EQ(lines[div + 4], "-18.000000");
  EXPECT_EQ(lines[div + 5], "0.000000");
  for (int c = 0; c < kOutputCount; ++c) EXPECT_EQ(lines[tcr + 1 + 3 * c + 2], "1.000000") << c;
  EXPECT_EQ(lines[profile + 1], std::to_string(d.profile.year) + ".000000");
  EXPECT_EQ(lines[profile + 12], "0");  // country index
}

TEST(TextExport, ProfileSectionFollowsTheFieldOrderWithTablesRowByRow) {
  SetupDocument d;
  CustomerProfile& p = d.profile;
  p.firstName = "Ann";
  p.telEvening = "555";
  p.country = -1;
  p.gender = 1;
  p.dealerName = "Shop";
  p.dealerNumber = 42;
  p.installer = "Bob";
  p.comments = "first line\nsecond line";
  p.vehicleMake = "Make";
  p.remarks = "Remarks";
  p.installedSystem[0] = {"HU", "m1", 1};
  p.previousSystem[0] = {"Old", "m2", 2};
  p.speakers[0] = {"Tw", "m3", 3};
  p.amplifiers[0] = {"Amp", "m4", 4};
  p.amplifiers[6] = {"LastAmp", "m5", 20};
  d.crossover[5][2].level = -12;
  d.channelPhase[10] = 1;

  const std::vector<std::string> lines = SplitLines(TextExport::Format(d, p));
  // A line break inside a profile string adds a line.
  ASSERT_EQ(lines.size(), 5u + 1704u + 1u);
  const std::size_t at = IndexOf(lines, "///PROFILE DATA") + 1;
  const std::vector<std::string> expected = {
      "Ann",         "",     "",   "",     "",        "",    "",
      "555",         "-1",   "1",  "Shop", "42",      "Bob", "first line",
      "second line", "Make", "",   "",     "Remarks", "HU",  "Old",
      "Tw",          "Amp",  "m1", "m2",   "m3",      "m4",  "1",
      "2",           "3",    "4"};
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[at + 3 + i], expected[i]) << i;
  EXPECT_EQ(lines[lines.size() - 9], "LastAmp");
  EXPECT_EQ(lines[lines.size() - 5], "m5");
  EXPECT_EQ(lines.back(), "20");

  const std::size_t div = IndexOf(lines, "///DIV");
  EXPECT_EQ(lines[div + 90], "-12.000000");
  const std::size_t tcr = IndexOf(lines, "///TCR.PHASE.SP_SWITCH");
  EXPECT_EQ(lines[tcr + 32], "1.000000");
}

TEST(TextExport, NumbersIgnoreTheProcessLocale) {
  // The windowed program runs under the user's locale; an export must still use a decimal point.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  const bool haveComma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  SetupDocument d;
  const std::string text = TextExport::Format(d, d.profile);
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(text.substr(0, 17), "///PEQ\n31.250000\n");
  if (!haveComma) GTEST_SKIP() << "no comma locale installed";
}

TEST(TextExport, WritesReplacesAndReportsFailures) {
  TempDir dir;
  RecordingDialogs dialogs;
  SetupDocument d;
  const std::string path = dir.File(TextExport::kFileName);
  WriteFileBytes(path, std::string(100000, 'x'));
  ASSERT_TRUE(TextExport::Write(d, d.profile, dialogs, path));
  const std::string first = ReadFileBytes(path);
  EXPECT_EQ(first, TextExport::Format(d, d.profile));
  ASSERT_TRUE(TextExport::Write(d, d.profile, dialogs, path));
  EXPECT_EQ(ReadFileBytes(path), first);
  EXPECT_TRUE(dialogs.messages.empty());

  // The file cannot be created.
  EXPECT_FALSE(TextExport::Write(d, d.profile, dialogs, dir.File("missing/data_textout.txt")));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"FAILURE !!"});

  // A read-only directory (root may write anywhere, so only checked for other users).
  if (::geteuid() != 0) {
    dialogs.messages.clear();
    const std::string ro = dir.File("ro");
    std::filesystem::create_directory(ro);
    std::filesystem::permissions(ro, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(TextExport::Write(d, d.profile, dialogs, ro + "/data_textout.txt"));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"FAILURE !!"});
  }

  // Created, but the disk is full: the write or the close fails and is reported too.
  dialogs.messages.clear();
  EXPECT_FALSE(TextExport::Write(d, d.profile, dialogs, "/dev/full"));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"FAILURE !!"});
}
