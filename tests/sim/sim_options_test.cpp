#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <string>

TEST(SimOptions, ReadsEveryOptionIntoTheSwitches) {
  SimOptions o;
  std::string error;
  ASSERT_TRUE(SimOptions::Parse({"--link",
                                 "/tmp/p",
                                 "--log=/tmp/l",
                                 "--dump",
                                 "/tmp/d",
                                 "--nak",
                                 "3",
                                 "--nak-final",
                                 "--bad-checksum",
                                 "2",
                                 "--silent",
                                 "--silent-after",
                                 "5",
                                 "--status",
                                 "S",
                                 "--status-always",
                                 "0xA4",
                                 "--baud",
                                 "9600",
                                 "--measure-polls",
                                 "0",
                                 "--store-polls",
                                 "4"},
                                o, error))
      << error;
  EXPECT_EQ(o.linkPath, "/tmp/p");
  EXPECT_EQ(o.logPath, "/tmp/l");
  EXPECT_EQ(o.dumpPath, "/tmp/d");
  EXPECT_EQ(o.faults.nakFrames, 3);
  EXPECT_TRUE(o.faults.nakAtFinal);
  EXPECT_EQ(o.faults.badChecksumReplies, 2);
  EXPECT_TRUE(o.faults.silent);
  EXPECT_EQ(o.faults.silentAfterFrames, 5);
  EXPECT_EQ(o.config.idleStatus, 'S');
  EXPECT_EQ(o.faults.statusOverride, 0xA4);
  EXPECT_EQ(o.faults.baud, 9600);
  EXPECT_EQ(o.config.measurePolls, 0);
  EXPECT_EQ(o.config.storePolls, 4);
  EXPECT_FALSE(o.help);

  // A single character is the status byte itself; longer values are numbers.
  ASSERT_TRUE(SimOptions::Parse({"--status", "0"}, o, error));
  EXPECT_EQ(o.config.idleStatus, '0');
  ASSERT_TRUE(SimOptions::Parse({"--status", "164"}, o, error));
  EXPECT_EQ(o.config.idleStatus, 0xA4);
  ASSERT_TRUE(SimOptions::Parse({}, o, error));
  EXPECT_EQ(o.config.idleStatus, 0xA8);
  EXPECT_EQ(o.faults.silentAfterFrames, -1);
  ASSERT_TRUE(SimOptions::Parse({"-h"}, o, error));
  EXPECT_TRUE(o.help);
}

TEST(SimOptions, RefusesWhatItCannotUse) {
  SimOptions o;
  std::string error;
  const std::vector<std::vector<std::string>> bad = {
      {"--nak"},
      {"--nak", "-1"},
      {"--nak", "3x"},
      {"--baud", "99999999"},
      {"--status", "256"},
      {"--silent-after", "0"},
      {"--silent=1"},
      {"--log", ""},
      {"--frobnicate"},
      {"COM1"},
      {"--measure-polls", "x"},
  };
  for (const auto& args : bad) {
    error.clear();
    EXPECT_FALSE(SimOptions::Parse(args, o, error)) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
  }
  EXPECT_NE(std::string(SimOptions::HelpText()).find("--silent-after N"), std::string::npos);
}
