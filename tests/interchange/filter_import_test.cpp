#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "document/setup_document.h"
#include "interchange/filter_import.h"
#include "interchange/filter_text.h"
#include "interchange/filter_text_writer.h"

namespace {

// Reads `text` and imports it into `doc`'s set of `group` and `side`.
FilterImport Import(const std::string& text, const SetupDocument& doc, EqGroup group, EqSide side,
                    const std::string& channel = {}) {
  const FilterTextReading reading = ReadFilterText(text);
  EXPECT_TRUE(reading.text.has_value()) << reading.error;
  if (!reading.text) return {};
  return ImportFilters(*reading.text, channel, doc, group, side);
}

bool HasNote(const FilterImport& import, const std::string& part) {
  for (const std::string& n : import.notes) {
    if (n.find(part) != std::string::npos) return true;
  }
  return false;
}

struct Expected {
  float frequency;
  float gain;
  float q;
};

void ExpectBands(const PeqBandSet& set, const std::vector<Expected>& expected) {
  for (std::size_t b = 0; b < expected.size(); ++b) {
    EXPECT_EQ(set[b].type, 4) << "band " << b + 1;
    EXPECT_FLOAT_EQ(set[b].frequency, expected[b].frequency) << "band " << b + 1;
    EXPECT_EQ(set[b].gain, expected[b].gain) << "band " << b + 1;
    EXPECT_NEAR(set[b].q, expected[b].q, 1e-4) << "band " << b + 1;
  }
}

TEST(FilterImport, MeasurementProgramFileWithEveryQuirk) {
  const std::string rew =
      "Filter Settings file\r\n\r\nNotes:\r\n\r\nEqualiser: Generic\r\nAverage 1\r\n"
      "Filter  1: ON  PK       Fc   209 Hz  Gain  -3.9 dB  Q  3.943\r\n"
      "Filter  2: OFF PK       Fc   400 Hz  Gain  -6.0 dB  Q  2.000\r\n"
      "Filter  3: ON  None\r\n"
      "Filter  4: ON  LS 6dB   Fc    80 Hz  Gain   4.0 dB\r\n"
      "Filter  5: ON  PK       Fc  50,0 Hz  Gain   2,6 dB  Q  0,7\r\n"
      "Filter  6: ON  PK       Fc 25000 Hz  Gain -15.0 dB  Q 12.000\r\n";
  SetupDocument doc;
  const PeqBandSet before = doc.peqBands[0][1];
  const FilterImport import = Import(rew, doc, EqGroup::Front, EqSide::L);
  ASSERT_TRUE(import.edit) << import.refusal;
  const PeqBandSet& set = import.edit->ParametricBands();
  ExpectBands(set, {{209.0f, -4.0f, 3.943f}, {50.0f, 3.0f, 0.7f}, {20000.0f, -12.0f, 10.0f}});
  // The set's other bands go flat and keep frequency and Q.
  for (std::size_t b = 3; b < set.size(); ++b) {
    EXPECT_EQ(set[b].gain, 0.0f);
    EXPECT_EQ(set[b].frequency, before[b].frequency);
    EXPECT_EQ(set[b].q, before[b].q);
  }
  EXPECT_TRUE(HasNote(import, "filter 4: type LS 6dB"));
  EXPECT_TRUE(HasNote(import, "filter 6: Fc 25000 Hz limited to 20000 Hz"));
  EXPECT_TRUE(HasNote(import, "filter 6: Gain -15 dB limited to -12 dB"));
  EXPECT_TRUE(HasNote(import, "filter 6: Q 12 limited to 10"));
  EXPECT_TRUE(HasNote(import, "rounded"));
}

TEST(FilterImport, PcEqualizerFileWithSectionsBandwidthAndPreamp) {
  const std::string apo =
      "# made by hand\n"
      "Preamp: -6.2 dB\n"
      "Filter: ON PEQ Fc 2000 Hz Gain 3 dB BW Oct 0.5\n"
      "Channel: L\n"
      "Filter 1: ON PK Fc 105 Hz Gain -4.0 dB Q 0.70\n"
      "Filter 2: ON HSC Fc 8000 Hz Gain 2.0 dB Q 0.71\n"
      "Channel: R\n"
      "Filter 1: ON PK Fc 3000Hz Gain -2dB Q 2\n"
      "GraphicEQ: 25 0; 40 1\n";
  SetupDocument doc;
  // Without a choice the file is refused, naming its sections.
  const FilterImport refused = Import(apo, doc, EqGroup::Rear, EqSide::Common);
  EXPECT_FALSE(refused.edit);
  EXPECT_NE(refused.refusal.find("\"L\", \"R\""), std::string::npos) << refused.refusal;
  EXPECT_FALSE(Import(apo, doc, EqGroup::Rear, EqSide::Common, "C").edit);

  // The lines before any section belong to every channel. BW Oct 0.5: Q = sqrt(2^0.5) / (2^0.5 - 1).
  const float bwQ = static_cast<float>(std::sqrt(std::sqrt(2.0)) / (std::sqrt(2.0) - 1.0));
  const FilterImport left = Import(apo, doc, EqGroup::Rear, EqSide::Common, "l");
  ASSERT_TRUE(left.edit) << left.refusal;
  ExpectBands(left.edit->ParametricBands(), {{2000.0f, 3.0f, bwQ}, {105.0f, -4.0f, 0.7f}});
  EXPECT_EQ(left.edit->ParametricBands()[2].gain, 0.0f);
  EXPECT_TRUE(HasNote(left, "filter 2: type HSC"));
  EXPECT_TRUE(HasNote(left, "Preamp -6.2 dB not applied"));
  EXPECT_TRUE(HasNote(left, "line 9: GraphicEQ"));

  const FilterImport right = Import(apo, doc, EqGroup::Rear, EqSide::R, "R");
  ASSERT_TRUE(right.edit);
  ExpectBands(right.edit->ParametricBands(), {{2000.0f, 3.0f, bwQ}, {3000.0f, -2.0f, 2.0f}});
}

std::string Lines(int count, float frequency, const char* gain = "-1") {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "Filter " + std::to_string(i + 1) + ": ON PK Fc " +
            std::to_string(frequency + 10.0f * static_cast<float>(i)) + " Hz Gain " + gain + " dB Q 1\n";
  }
  return text;
}

TEST(FilterImport, RefusalsChangeNothing) {
  struct Case {
    const char* name;
    std::string text;
    EqGroup group;
    const char* says;
  };
  const std::vector<Case> cases = {
      {"no filter line", "Preamp: -3 dB\nEqualiser: Generic\n", EqGroup::Front, "no filter line"},
      {"more filters than bands", Lines(11, 100.0f), EqGroup::Front, "11 active filters; Front has 10 bands"},
      {"more than the SubWoofer's four", Lines(5, 40.0f), EqGroup::SubWoofer, "SubWoofer has 4 bands"},
      {"SubWoofer above 200 Hz", "Filter 1: ON PK Fc 250 Hz Gain -3 dB Q 1\n", EqGroup::SubWoofer,
       "filter 1 at 250 Hz is above the SubWoofer's 200 Hz"},
      {"over 12 dB", Lines(3, 1000.0f, "12"), EqGroup::Rear, "12 dB OVER"},
      {"peaking without Q", "Filter 1: ON PK Fc 250 Hz Gain -3 dB\n", EqGroup::Front, "needs Fc, Gain and Q"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetupDocument doc;
    doc.peqBands[Index(c.group)][0][1].gain = 5.0f;
    const SetupDocument before = doc;
    const FilterImport import = Import(c.text, doc, c.group, EqSide::Common);
    EXPECT_FALSE(import.edit);
    EXPECT_NE(import.refusal.find(c.says), std::string::npos) << import.refusal;
    EXPECT_EQ(doc, before);
  }
  // A filter line whose numbers cannot be read fails the reading itself, naming the line.
  const FilterTextReading bad = ReadFilterText("Notes:\nFilter 1: ON PK Fc abc Hz Gain 1 dB Q 1\n");
  EXPECT_FALSE(bad.text);
  EXPECT_EQ(bad.error.rfind("line 2:", 0), 0u) << bad.error;
  EXPECT_FALSE(ReadFilterText("Filter 1: MAYBE PK Fc 100 Hz Gain 1 dB Q 1\n").text);
}

TEST(FilterImport, ExportThenImportReproducesTheSetBitForBit) {
  // Odd float32 values: one ulp off round numbers, long fractions, the range ends.
  const std::vector<Expected> odd = {
      {std::nextafter(1000.0f, 2000.0f), -12.0f, std::nextafter(1.0f, 0.0f)},
      {20.0f, 12.0f, 0.2f},
      {19999.998f, -1.0f, 9.999999f},
      {31.25f, 0.0f, 0.70710677f},
      {123.456789f, 5.0f, 3.14159274f},
      {std::nextafter(200.0f, 0.0f), -7.0f, 0.3333333f},
      {4567.8901f, 3.0f, 1.41421354f},
      {8000.0005f, -3.0f, 7.77777f},
      {16384.123f, 2.0f, 0.2000001f},
      {55.555557f, -9.0f, 2.7182817f},
  };
  const std::vector<float> kSubWooferOdd = {std::nextafter(20.0f, 30.0f), 33.333332f,
                                            std::nextafter(200.0f, 0.0f), 123.456789f};
  for (FilterTextFormat format : {FilterTextFormat::Apo, FilterTextFormat::Rew}) {
    for (EqGroup group : {EqGroup::Front, EqGroup::SubWoofer}) {
      SetupDocument source;
      PeqBandSet& set = source.peqBands[Index(group)][Index(EqSide::R)];
      const int used = PeqBandsInUse(group);
      for (int b = 0; b < used; ++b) {
        Expected e = odd[static_cast<std::size_t>(b)];
        if (group == EqGroup::SubWoofer) e.frequency = kSubWooferOdd[static_cast<std::size_t>(b)];
        set[static_cast<std::size_t>(b)].frequency = e.frequency;
        set[static_cast<std::size_t>(b)].gain = e.gain;
        set[static_cast<std::size_t>(b)].q = e.q;
      }
      const std::string text = WriteFilterText(set, group, EqSide::R, format);
      SetupDocument fresh;
      const FilterImport import = Import(text, fresh, group, EqSide::R);
      ASSERT_TRUE(import.edit) << import.refusal << "\n" << text;
      EXPECT_TRUE(import.notes.empty()) << import.notes.front();
      for (int b = 0; b < used; ++b) {
        const FilterParams& in = set[static_cast<std::size_t>(b)];
        const FilterParams& out = import.edit->ParametricBands()[static_cast<std::size_t>(b)];
        EXPECT_EQ(std::bit_cast<std::uint32_t>(out.frequency), std::bit_cast<std::uint32_t>(in.frequency))
            << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(out.gain), std::bit_cast<std::uint32_t>(in.gain));
        EXPECT_EQ(std::bit_cast<std::uint32_t>(out.q), std::bit_cast<std::uint32_t>(in.q)) << text;
      }
    }
  }
}

TEST(FilterImport, WritesOneLinePerBandInUse) {
  SetupDocument doc;
  doc.peqBands[3][0][0] = FilterParams{4, 45.5f, -3.0f, 2.5f, 0, 0};
  EXPECT_EQ(WriteFilterText(doc.peqBands[3][0], EqGroup::SubWoofer, EqSide::Common, FilterTextFormat::Apo),
            "Filter 1: ON PK Fc 45.5 Hz Gain -3 dB Q 2.5\n"
            "Filter 2: ON PK Fc 62.5 Hz Gain 0 dB Q 1\n"
            "Filter 3: ON PK Fc 125 Hz Gain 0 dB Q 1\n"
            "Filter 4: ON PK Fc 200 Hz Gain 0 dB Q 1\n");
  const std::string rew =
      WriteFilterText(doc.peqBands[0][0], EqGroup::Front, EqSide::Common, FilterTextFormat::Rew);
  EXPECT_EQ(rew.rfind("Filter Settings file\n", 0), 0u);
  EXPECT_NE(rew.find("Filter  1: ON  PK       Fc 31.25 Hz  Gain 0 dB  Q 1\n"), std::string::npos) << rew;
  EXPECT_NE(rew.find("Filter 10: ON  PK       Fc 16000 Hz"), std::string::npos) << rew;
}

}  // namespace
