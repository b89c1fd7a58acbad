#include "sim/in_memory_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// One status query the way the PC runs it: letter, "A", body and checksum, status byte.
std::uint8_t QueryStatus(InMemoryLine& line) {
  std::uint8_t b = 0;
  EXPECT_EQ(line.SendByte('N'), 1);
  EXPECT_EQ(line.ReceiveByte(b), 1);
  EXPECT_EQ(b, 'A');
  for (int i = 0; i < 7; ++i) EXPECT_EQ(line.SendByte(0), 1);
  EXPECT_EQ(line.ReceiveByte(b), 1);
  return b;
}

}  // namespace

TEST(InMemoryLine, OpensAndProbesOnlyItsPortNames) {
  VirtualClock clock;
  InMemoryLine line(clock);
  EXPECT_TRUE(line.Probe("COM1"));
  EXPECT_FALSE(line.Probe("COM2"));
  EXPECT_FALSE(line.Open("COM3"));
  EXPECT_FALSE(line.IsOpen());
  EXPECT_FALSE(line.Close());

  line.SetPortNames({"COM2", "COM4"});
  EXPECT_TRUE(line.Open("COM4"));
  EXPECT_TRUE(line.IsOpen());
  EXPECT_EQ(line.OpenName(), "COM4");
  EXPECT_FALSE(line.Probe("COM4"));  // held exclusively
  EXPECT_TRUE(line.Probe("COM2"));
  EXPECT_TRUE(line.Open("COM2"));  // replaces the open port
  EXPECT_EQ(line.OpenName(), "COM2");
  EXPECT_EQ(line.OpenCount(), 2);
  EXPECT_TRUE(line.Close());
  EXPECT_FALSE(line.Close());
  EXPECT_EQ(clock.NowUs(), 0);
}

TEST(InMemoryLine, WaitsOutTheTimeoutOnlyWhenOpenAndNothingIsDue) {
  VirtualClock clock;
  InMemoryLine line(clock);
  std::uint8_t b = 0x5A;
  EXPECT_EQ(line.SendByte('N'), 0);  // closed: nothing, no time
  EXPECT_EQ(line.ReceiveByte(b), 0);
  EXPECT_EQ(clock.NowUs(), 0);

  ASSERT_TRUE(line.Open("COM1"));
  EXPECT_EQ(line.ReceiveByte(b), 0);
  EXPECT_EQ(b, 0x5A);  // untouched
  EXPECT_EQ(clock.NowUs(), 20000);

  EXPECT_EQ(QueryStatus(line), 0xA8);
  EXPECT_EQ(clock.NowUs(), 20000);  // no pacing: the exchange takes no time
  EXPECT_EQ(line.Sent(), (Bytes{'N', 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(line.Received(), (Bytes{'A', 0xA8}));

  line.SetRefusing(true);
  EXPECT_EQ(line.SendByte('N'), 0);
  EXPECT_EQ(clock.NowUs(), 40000);
}

TEST(InMemoryLine, PacingChargesEachByteItsWireTime) {
  VirtualClock clock;
  InMemoryLine line(clock);
  line.Faults().baud = 9600;
  ASSERT_TRUE(line.Open("COM1"));
  EXPECT_EQ(QueryStatus(line), 0xA8);
  EXPECT_EQ(clock.NowUs(), 10 * 1042);  // eight bytes out, two back

  // At 1200 baud a byte takes 8333 us, still inside the 20 ms read time-out.
  line.Faults().baud = 1200;
  const std::int64_t start = clock.NowUs();
  EXPECT_EQ(QueryStatus(line), 0xA8);
  EXPECT_EQ(clock.NowUs() - start, 10 * 8333);
}

TEST(InMemoryLine, SharedProcessorKeepsItsStateAndClosingDropsUnreadReplies) {
  VirtualClock clock;
  ProcessorSimulator processor;
  InMemoryLine line(clock, processor);
  ASSERT_TRUE(line.Open("COM1"));
  EXPECT_EQ(line.SendByte('N'), 1);  // the "A" is never read
  line.Close();
  ASSERT_TRUE(line.Open("COM1"));
  std::uint8_t b = 0;
  EXPECT_EQ(line.ReceiveByte(b), 0);
  EXPECT_EQ(QueryStatus(line), 0xA8);

  processor.Config().idleStatus = '4';
  InMemoryLine second(clock, processor);
  ASSERT_TRUE(second.Open("COM1"));
  EXPECT_EQ(QueryStatus(second), '4');
  EXPECT_EQ(&second.Processor(), &processor);
}
