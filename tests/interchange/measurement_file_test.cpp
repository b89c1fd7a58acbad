#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/measurement_file.h"

namespace {

// Ten rows 20, 40, ... Hz written with `row` ("%f%s%l": frequency, separator, level).
std::string Rows(const std::string& separator, bool decimalComma, const std::string& phase = "") {
  std::string text;
  for (int i = 1; i <= 10; ++i) {
    std::string f = std::to_string(20 * i) + (decimalComma ? ",5" : ".5");
    std::string l = std::to_string(70 + i) + (decimalComma ? ",25" : ".25");
    text += f + separator + l + (phase.empty() ? "" : separator + phase) + "\n";
  }
  return text;
}

TEST(MeasurementFile, ReadsEverySeparatorAndDecimalComma) {
  struct Case {
    const char* name;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"blanks with phase, comments",
       "* Measurement data\n* Freq(Hz) SPL(dB) Phase(degrees)\n\n" + Rows("  ", false, "-12.5")},
      {"commas", Rows(",", false, "3.0")},
      {"commas and blanks", Rows(", ", false)},
      {"tabs, decimal commas", Rows("\t", true, "-1,5")},
      {"semicolons, decimal commas", Rows(";", true)},
      {"blanks, decimal commas", Rows(" ", true)},
      {"Windows lines", "* FRD\r\n" + Rows(" ", false)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MeasurementReading r = ReadMeasurement(c.text);
    ASSERT_TRUE(r.measurement) << r.error;
    ASSERT_EQ(r.measurement->Size(), 10u);
    EXPECT_DOUBLE_EQ(r.measurement->frequency[0], 20.5);
    EXPECT_DOUBLE_EQ(r.measurement->level[0], 71.25);
    EXPECT_DOUBLE_EQ(r.measurement->frequency[9], 200.5);
    EXPECT_DOUBLE_EQ(r.measurement->level[9], 80.25);
  }
}

TEST(MeasurementFile, BadFilesNameTheLineAndLoadNothing) {
  struct Case {
    const char* name;
    std::string text;
    const char* says;
  };
  std::string falling = Rows(" ", false);
  falling.insert(falling.find("60.5"), "30 70\n");
  const std::vector<Case> cases = {
      {"too few rows", "* few\n20 70\n40 71\n", "2 rows"},
      {"falling frequency", "* x\n" + falling, "line 4: the frequency 30 Hz does not rise"},
      {"unreadable row", "* x\nFreq SPL\n" + Rows(" ", false), "line 2:"},
      {"one column", Rows(" ", false) + "1000\n", "line 11:"},
      {"four columns", Rows(" ", false, "1 2"), "line 1:"},
      {"zero frequency", "0 70\n" + Rows(" ", false), "line 1: the frequency must be above 0 Hz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MeasurementReading r = ReadMeasurement(c.text);
    EXPECT_FALSE(r.measurement);
    EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
  }
  // A house curve may have as few rows as it likes.
  EXPECT_TRUE(ReadMeasurement("20 3\n20000 -3\n", 1).measurement);
}

}  // namespace
