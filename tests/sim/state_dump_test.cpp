#include "sim/state_dump.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

bool HasLine(const std::string& text, const std::string& line) {
  return text.find("\n" + line + "\n") != std::string::npos;
}

ProcessorState SomeState() {
  ProcessorState s;
  s.operatingMode = kModePcControlOn;
  s.settings.eqSelect = 1;
  s.settings.aeqMode = 0x73;
  s.settings.Words(2, 9, 1) = {0x1CC864, 0x3C654A, 0x400000, 0xE3379C, 0xC39AB6};
  s.settings.graphicCodes[6][30] = 18;
  s.settings.levelCodes[3] = 96;
  s.settings.lowPass[5] = {3, 12};
  s.settings.highPass[0] = {1, 46};
  s.settings.delaySteps[10] = 200;
  s.settings.phase[7] = 1;
  s.settings.eqLevel = 255;
  s.settings.parameterWords[1][1023] = 0xABCDEF;
  s.bulkUpdate = true;
  s.memories[1] = s.settings;
  s.memories[1]->delaySteps[10] = 5;
  s.measurement.results[12] = 42;
  s.measurement.finished = 2;
  s.spectrum[30] = 47;
  s.storePollsLeft = 1;
  s.counters.accepted['I'] = 160;
  s.counters.rejected = 3;
  return s;
}

}  // namespace

TEST(StateDump, WritesOneKeyedLinePerItem) {
  std::ostringstream out;
  StateDump::Write(SomeState(), out);
  const std::string text = out.str();
  EXPECT_TRUE(HasLine(text, "mode 70"));
  EXPECT_TRUE(HasLine(text, "options 01 73 00"));
  EXPECT_TRUE(HasLine(text, "eqlevel 255"));
  EXPECT_TRUE(HasLine(text, "peq 0 0 000000 000000 400000 000000 000000"));
  EXPECT_TRUE(HasLine(text, "peq2 2 9 1CC864 3C654A 400000 E3379C C39AB6"));
  EXPECT_TRUE(HasLine(text, "geq 6 30 18"));
  EXPECT_TRUE(HasLine(text, "level 3 96"));
  EXPECT_TRUE(HasLine(text, "filter 5 lp 3 12"));
  EXPECT_TRUE(HasLine(text, "filter 0 hp 1 46"));
  EXPECT_TRUE(HasLine(text, "delay 10 200"));
  EXPECT_TRUE(HasLine(text, "phase 7 1"));
  EXPECT_TRUE(HasLine(text, "param 2 1016 000000 000000 000000 000000 000000 000000 000000 ABCDEF"));
  EXPECT_TRUE(HasLine(text, "bulk 1"));
  EXPECT_TRUE(HasLine(text, "result 12 42"));
  EXPECT_TRUE(HasLine(text, "memory 1 empty"));
  EXPECT_TRUE(HasLine(text, "memory 2 delay 10 5"));
  EXPECT_TRUE(HasLine(text, "frames I 160"));
  EXPECT_TRUE(HasLine(text, "counters 3 0 0 0"));
  EXPECT_EQ(text.find("memory 2 mode"), std::string::npos);  // a memory holds no PC control
}

TEST(StateDump, ReadsBackWhatItWroteAndRefusesWhatItDoesNotKnow) {
  const ProcessorState original = SomeState();
  std::stringstream text;
  StateDump::Write(original, text);
  ProcessorState back;
  ASSERT_TRUE(StateDump::Read(text, back));
  EXPECT_EQ(back.settings, original.settings);
  EXPECT_EQ(back.memories, original.memories);
  EXPECT_EQ(back.operatingMode, original.operatingMode);
  EXPECT_EQ(back.bulkUpdate, original.bulkUpdate);
  EXPECT_EQ(back.measurement.results, original.measurement.results);
  EXPECT_EQ(back.measurement.finished, 2);
  EXPECT_EQ(back.spectrum, original.spectrum);
  EXPECT_EQ(back.storePollsLeft, 1);
  EXPECT_EQ(back.counters.accepted, original.counters.accepted);
  EXPECT_EQ(back.counters.rejected, 3);

  for (const char* bad :
       {"level 11 12", "peq 0 0 1 2 3 4", "peq 0 0 1 2 3 4 5 6", "geq 0 0 x", "filter 0 bp 1 1",
        "memory 7 empty", "param 1 4 0 0 0 0 0 0 0 0", "word 1", "delay 0 256", "peq 0 0 1000000 0 0 0 0"}) {
    std::istringstream in(std::string("# comment\n\n") + bad + "\n");
    EXPECT_FALSE(StateDump::Read(in, back)) << bad;
  }
}
