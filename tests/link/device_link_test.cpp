#include "link/device_link.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/coefficient_word.h"
#include "link/fake_processor_line.h"
#include "link/serial_port.h"

namespace {

using namespace linktest;

using Bytes = std::vector<std::uint8_t>;

struct LinkFixture : ::testing::Test {
  VirtualClock clock;
  FakeProcessorLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};
  DeviceLink link{port, clock};

  void SetUp() override { ASSERT_TRUE(port.OpenPort("COM1")); }
  int Letters(char letter) const {
    int n = 0;
    for (std::uint8_t b : line.sent) n += b == static_cast<std::uint8_t>(letter) ? 1 : 0;
    return n;
  }
};

TEST_F(LinkFixture, FramesCarryTheirBodiesAndChecksums) {
  EXPECT_TRUE(link.SendShortCommand('G', {0x05, 0x20, 0x09, 0, 0, 0}));
  EXPECT_EQ(line.sent, (Bytes{'G', 0x05, 0x20, 0x09, 0, 0, 0, 0x2E}));
  EXPECT_EQ(link.status, 1);

  line.sent.clear();
  std::array<std::uint8_t, 15> data{};
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(0x10 * i + 1);
  EXPECT_TRUE(link.WriteCoefficients(3, 7, 15, data));
  ASSERT_EQ(line.sent.size(), 22u);
  EXPECT_EQ(Bytes(line.sent.begin(), line.sent.begin() + 6), (Bytes{'I', 3, 0, 0, 7, 15}));
  std::uint8_t sum = 3 + 7 + 15;
  for (std::uint8_t b : data) sum = static_cast<std::uint8_t>(sum + b);
  EXPECT_EQ(line.sent.back(), sum);
  EXPECT_EQ(link.status, 0);

  line.sent.clear();
  line.wordValue = 0x123456;  // replies 12 34 56 with checksum 0x9C
  std::uint32_t word = 0;
  EXPECT_TRUE(link.QueryWord(2, 0x000102, word));
  EXPECT_EQ(word, 0x12u * 65536 + 0x34u * 256 + 0x56u);
  EXPECT_EQ(line.sent, (Bytes{'J', 2, 0, 1, 2, 5}));

  line.sent.clear();
  line.byteValue = 0x2A;
  std::uint8_t value = 0;
  EXPECT_TRUE(link.QueryByte(1, 12, value));
  EXPECT_EQ(value, 0x2A);
  EXPECT_EQ(line.sent, (Bytes{'R', 1, 12, 13}));
  EXPECT_TRUE(link.lineAlive);
}

TEST_F(LinkFixture, FourNegativeAcknowledgesAreSurvived) {
  std::uint8_t value = 0;
  line.byteValue = 9;
  line.naksOnLetter = 4;
  EXPECT_TRUE(link.QueryByte(0, 3, value));
  EXPECT_EQ(link.status, 4);
  EXPECT_EQ(value, 9);
  EXPECT_EQ(Letters('R'), 5);

  std::uint32_t word = 0;
  line.naksOnLetter = 4;
  EXPECT_TRUE(link.QueryWord(1, 0, word));
  EXPECT_EQ(link.status, 4);

  line.naksOnLetter = 4;
  EXPECT_TRUE(link.SendShortCommand('P', {20, 0, 0, 0, 0, 0}));
  EXPECT_EQ(link.status, 1);

  line.naksOnLetter = 2;
  line.naksOnFinal = 2;  // a refused final byte restarts from the letter as well
  EXPECT_TRUE(link.WriteCoefficients(1, 0, 15, {}));
  EXPECT_EQ(link.status, 0);
  EXPECT_EQ(line.FramesWithLetter('I'), 3);
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(LinkFixture, FiveNegativeAcknowledgesFailAndSendNothingMore) {
  line.naksOnLetter = 5;
  EXPECT_FALSE(link.SendShortCommand('P', {20, 0, 0, 0, 0, 0}));
  EXPECT_EQ(link.status, DeviceLink::kFailed);
  EXPECT_EQ(line.sent, Bytes(5, 'P'));
  EXPECT_TRUE(link.lineAlive);

  // Through the command layer the failure closes the port.
  line.sent.clear();
  line.naksOnLetter = 5;
  EXPECT_FALSE(link.SetEqLevel(20));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(line.sent.size(), 5u);
}

TEST_F(LinkFixture, BadReplyChecksumRepeatsTheQuery) {
  line.byteValue = 0x11;
  line.badReplyChecksums = 1;
  std::uint8_t value = 0;
  EXPECT_TRUE(link.ReadResult(0, 5, value));
  EXPECT_EQ(line.FramesWithLetter('R'), 2);
  EXPECT_EQ(link.status, 1);
  EXPECT_EQ(value, 0x11);

  line.wordValue = 0xABCDEF;
  line.badReplyChecksums = 5;
  std::uint32_t word = 7;
  EXPECT_FALSE(link.ReadParameterWord(1, 3, word));
  EXPECT_EQ(word, 7u);
  EXPECT_EQ(line.FramesWithLetter('J'), 5);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(LinkFixture, SilentLineFailsAfterTheAttemptsRunOut) {
  line.silent = true;
  const auto start = clock.NowMs();
  EXPECT_FALSE(link.SetBulkUpdate(true));
  EXPECT_EQ(clock.NowMs() - start, 1200);  // ten reads of 20 ms, each followed by 100 ms
  EXPECT_EQ(line.sent, Bytes{'V'});
  EXPECT_FALSE(port.IsOpen());

  ASSERT_TRUE(port.OpenPort("COM1"));
  const auto statusStart = clock.NowMs();
  EXPECT_EQ(link.QueryStatus(), 0);
  EXPECT_EQ(clock.NowMs() - statusStart, 1700);  // plus 50 ms before each read of the "A"
  EXPECT_TRUE(link.lineAlive);

  // A port that refuses bytes fails the first one after ten attempts.
  ASSERT_TRUE(port.OpenPort("COM1"));
  line.silent = false;
  line.refuseSend = true;
  line.sent.clear();
  const auto refuseStart = clock.NowMs();
  EXPECT_FALSE(link.StoreMemory(1));
  EXPECT_EQ(clock.NowMs() - refuseStart, 10 * (20 + 100));
  EXPECT_TRUE(line.sent.empty());

  // While closed nothing touches the line: the attempts cost only their sleeps.
  line.refuseSend = false;
  const auto closedStart = clock.NowMs();
  EXPECT_FALSE(link.SetPhase(OutputChannel::Center, 1));
  EXPECT_EQ(clock.NowMs() - closedStart, 1000);
  EXPECT_TRUE(line.sent.empty());
}

TEST_F(LinkFixture, AFailureNamesThePortItsDeviceAndTheLikelyCause) {
  const std::string noAnswer =
      ": no answer from the processor: check the cable and that the processor is switched on";
  const std::string nonsense =
      ": no sensible answer from the processor: check the line settings (baud rate) and the cable";
  const struct {
    void (*fault)(FakeProcessorLine&);
    const char* device;
    std::string note;
  } cases[] = {
      {[](FakeProcessorLine& l) { l.silent = true; }, "/dev/ttyUSB0", "COM1 (/dev/ttyUSB0)" + noAnswer},
      {[](FakeProcessorLine& l) { l.naksOnLetter = 5; }, "/dev/ttyS0", "COM1 (/dev/ttyS0)" + nonsense},
      {[](FakeProcessorLine& l) { l.statusBytes = {'R'}; }, "COM1", "COM1" + nonsense},  // a device path
      {[](FakeProcessorLine& l) { l.refuseSend = l.gone = true; }, "/dev/ttyUSB0",
       "COM1 (/dev/ttyUSB0): the device has gone away: the USB adapter was probably unplugged"},
  };
  for (const auto& c : cases) {
    line.silent = line.refuseSend = false;
    line.naksOnLetter = 0;
    line.statusBytes = {'4'};
    line.device = c.device;
    ASSERT_TRUE(port.OpenPort("COM1"));
    c.fault(line);
    EXPECT_EQ(link.QueryStatus(), 0);
    // A later attempt on the closed port leaves the first cause standing.
    line.gone = false;
    EXPECT_FALSE(link.SetEqLevel(20));
    EXPECT_EQ(port.FailureNote(), c.note);
  }
}

TEST_F(LinkFixture, StatusQueryMapsTheFinalByte) {
  const std::vector<std::pair<std::uint8_t, int>> table = {{'S', 6},  {'0', 7}, {0x04, 8},  {'4', 8},
                                                           {0x08, 9}, {'8', 9}, {0xA4, 10}, {0xA8, 11}};
  for (const auto& [byte, code] : table) {
    line.statusBytes = {byte};
    EXPECT_EQ(link.QueryStatus(), code) << int{byte};
  }
  EXPECT_EQ(line.frames.back(), (Bytes{'N', 0, 0, 0, 0, 0, 0, 0}));

  // "R" is no status: the PC keeps waiting and gives up after ten attempts.
  line.statusBytes = {'R'};
  EXPECT_EQ(link.QueryStatus(), 0);
  EXPECT_FALSE(port.IsOpen());

  // "N" as the final byte is a negative acknowledge.
  ASSERT_TRUE(port.OpenPort("COM1"));
  line.statusBytes = {'N', 'N', '8'};
  EXPECT_EQ(link.QueryStatus(), 9);
  EXPECT_EQ(line.FramesWithLetter('N'), 8 + 1 + 3);
}

TEST_F(LinkFixture, ChannelCommandsAddressBothSides) {
  const CoefficientSet words = {0x3FB736, 0x80491D, 0x400000, 0xC048CA, 0x7FB6E3};
  EXPECT_TRUE(link.WriteBandCoefficients(EqGroup::Front, 0, 4, words));
  ASSERT_EQ(line.frames.size(), 4u);
  const std::array<int, 4> selects = {1, 8, 2, 9};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(line.frames[i][1], selects[i]);
    EXPECT_EQ(Bytes(line.frames[i].begin() + 2, line.frames[i].begin() + 6), (Bytes{0, 0, 4, 15}));
    EXPECT_EQ(Bytes(line.frames[i].begin() + 6, line.frames[i].begin() + 9), (Bytes{0x3F, 0xB7, 0x36}));
  }

  line.frames.clear();
  EXPECT_TRUE(link.SetGraphicBand(EqGroup::Center, 0, 30, -9));
  ASSERT_EQ(line.frames.size(), 2u);
  EXPECT_EQ(line.frames[0], (Bytes{'G', 2, 30, 0, 0, 0, 0, 32}));
  EXPECT_EQ(line.frames[1], line.frames[0]);

  line.frames.clear();
  EXPECT_TRUE(link.SetGraphicBand(EqGroup::SubWoofer, 2, 0, 9));
  EXPECT_TRUE(link.SetChannelLevel(SpeakerGroup::Rear, 1, 96));
  EXPECT_TRUE(link.SetChannelFilter(SpeakerGroup::FrontLow, 2, true, 3, 45));
  EXPECT_TRUE(link.SetDelay(OutputChannel::SubWooferL, 12.34));
  EXPECT_TRUE(link.SetPhase(OutputChannel::RearR, 0x101));
  EXPECT_TRUE(link.SetOperatingMode(true, 1, 0x73, 1));
  EXPECT_TRUE(link.SetBulkUpdate(false));
  ASSERT_EQ(line.frames.size(), 7u);
  EXPECT_EQ(Bytes(line.frames[0].begin(), line.frames[0].begin() + 4), (Bytes{'G', 6, 0, 18}));
  EXPECT_EQ(Bytes(line.frames[1].begin(), line.frames[1].begin() + 3), (Bytes{'B', 7, 96}));
  EXPECT_EQ(Bytes(line.frames[2].begin(), line.frames[2].begin() + 5), (Bytes{'C', 5, 1, 3, 45}));
  EXPECT_EQ(Bytes(line.frames[3].begin(), line.frames[3].begin() + 3), (Bytes{'D', 9, 123}));
  EXPECT_EQ(Bytes(line.frames[4].begin(), line.frames[4].begin() + 3), (Bytes{'H', 8, 1}));
  EXPECT_EQ(line.frames[5], (Bytes{'S', 0x70, 1, 0x73, 1, 0, 0, 0xE5}));
  EXPECT_EQ(line.frames[6], (Bytes{'V', 0x60, 0, 0, 0, 0, 0, 0x60}));
}

TEST_F(LinkFixture, FailedFirstSideStopsThePair) {
  line.answerFrames = 1;  // the left frame of the first pair passes, then the line dies
  EXPECT_FALSE(link.WriteBandCoefficients(EqGroup::Rear, 0, 0, {}));
  EXPECT_EQ(line.FramesWithLetter('I'), 1);
  EXPECT_EQ(Letters('I'), 2);  // the second frame's letter went unanswered; no right side
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(LinkFixture, ParameterBlocksUseTheirSetsSelects) {
  std::vector<std::int32_t> words(kAeqBlockWords);
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = static_cast<std::int32_t>(0x010203 * (i % 5));
  EXPECT_TRUE(link.WriteParameterBlock(1, 64, words));
  EXPECT_TRUE(link.WriteParameterBlock(2, 3, words));
  ASSERT_EQ(line.frames.size(), 2u);
  const Bytes& f = line.frames[0];
  ASSERT_EQ(f.size(), 31u);
  EXPECT_EQ(Bytes(f.begin(), f.begin() + 6), (Bytes{'I', 16, 0, 2, 0, 24}));
  // Word 512 is 0x010203 * 2, most significant byte first.
  EXPECT_EQ(Bytes(f.begin() + 6, f.begin() + 9), (Bytes{0x02, 0x04, 0x06}));
  EXPECT_EQ(line.frames[1][1], 17);
  EXPECT_EQ(line.frames[1][4], 24);

  EXPECT_FALSE(link.WriteParameterBlock(3, 0, words));
  EXPECT_FALSE(link.WriteParameterBlock(1, 128, words));
  EXPECT_EQ(line.frames.size(), 2u);
  EXPECT_TRUE(port.IsOpen());
}

TEST(SerialPortTest, OpenFailureAndClosedPortRules) {
  VirtualClock clock;
  FakeProcessorLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};

  line.openOk = false;
  EXPECT_FALSE(port.OpenPort("COM3"));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Port Open Faild."});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.ProbePort("COM3"));
  EXPECT_FALSE(port.ClosePort());

  std::uint8_t b = 0x77;
  EXPECT_EQ(port.SendByte(1, false), 0);
  EXPECT_EQ(port.ReceiveByte(b, false), 0);
  EXPECT_EQ(b, 0x77);
  EXPECT_EQ(pump.count, 0);
  EXPECT_EQ(clock.NowMs(), 0);

  line.openOk = true;
  ASSERT_TRUE(port.OpenPort("COM2"));
  EXPECT_EQ(port.ReceiveByte(b, false), 0);  // nothing pending: the read time-out passes
  EXPECT_EQ(b, 0x77);
  EXPECT_EQ(clock.NowMs(), 20);
  EXPECT_EQ(port.SendByte('N', false), 1);
  EXPECT_EQ(pump.count, 2);
  EXPECT_EQ(port.ReceiveByte(b, true), 1);  // the fake acknowledges the letter
  EXPECT_EQ(b, 'A');
  EXPECT_EQ(pump.count, 2);
  EXPECT_TRUE(port.ClosePort());
  EXPECT_EQ(line.closeCount, 1);

  // Opening while open replaces the port.
  ASSERT_TRUE(port.OpenPort("COM1"));
  ASSERT_TRUE(port.OpenPort("COM4"));
  EXPECT_EQ(line.closeCount, 2);
}

}  // namespace
