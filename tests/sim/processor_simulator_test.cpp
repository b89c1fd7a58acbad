#include "sim/processor_simulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Feeds a frame at time t and collects every reply byte available by then.
Bytes Send(ProcessorSimulator& sim, const Bytes& frame, std::int64_t t = 0) {
  for (std::uint8_t b : frame) sim.Receive(b, t);
  Bytes out;
  std::uint8_t b = 0;
  while (sim.TakeOutput(b, t)) out.push_back(b);
  return out;
}

Bytes WithChecksum(Bytes frame) {
  unsigned sum = 0;
  for (std::size_t i = 1; i < frame.size(); ++i) sum += frame[i];
  frame.push_back(static_cast<std::uint8_t>(sum));
  return frame;
}

Bytes Short(char letter, Bytes body) {
  body.resize(6);
  body.insert(body.begin(), static_cast<std::uint8_t>(letter));
  return WithChecksum(body);
}

Bytes CoefficientFrame(std::uint8_t select, std::uint8_t band, const BandWords& words) {
  Bytes f = {'I', select, 0, 0, band, 15};
  for (std::uint32_t w : words) {
    f.push_back(static_cast<std::uint8_t>(w >> 16));
    f.push_back(static_cast<std::uint8_t>(w >> 8));
    f.push_back(static_cast<std::uint8_t>(w));
  }
  return WithChecksum(f);
}

const Bytes kAckFinal = {'A', 'R'};
const Bytes kStatusQuery = Short('N', {});

}  // namespace

TEST(ProcessorSimulator, ShortCommandTravelsAsLetterBodyAndChecksum) {
  ProcessorSimulator sim;
  const Bytes frame = {'D', 0x05, 0x20, 0x09, 0x00, 0x00, 0x00, 0x2E};
  EXPECT_EQ(WithChecksum(Bytes(frame.begin(), frame.end() - 1)), frame);

  EXPECT_EQ(Send(sim, {frame[0]}), Bytes{'A'});  // the letter alone is acknowledged
  EXPECT_EQ(Send(sim, Bytes(frame.begin() + 1, frame.end())), Bytes{'R'});
  EXPECT_EQ(sim.State().settings.delaySteps[5], 0x20);
  EXPECT_EQ(sim.State().counters.accepted['D'], 1);
  EXPECT_EQ(sim.State().counters.warnings, 1);  // body byte 2 carries nothing for "D"

  ASSERT_EQ(sim.Frames().size(), 2u);
  EXPECT_EQ(sim.Frames()[0].direction, FrameRecord::Direction::In);
  EXPECT_EQ(sim.Frames()[0].bytes, frame);
  EXPECT_EQ(sim.Frames()[1].bytes, kAckFinal);
  EXPECT_EQ(sim.Frames()[0].Format(),
            "   0.000000 in  D 44 05 20 09 00 00 00 2E  ok, warning: body byte 2 is 09");
}

TEST(ProcessorSimulator, ShortCommandsSetTheProcessorsState) {
  ProcessorSimulator sim;
  const ProcessorSettings& s = sim.State().settings;
  EXPECT_EQ(Send(sim, Short('S', {0x70, 1, 0x72, 1})), kAckFinal);
  EXPECT_TRUE(sim.State().PcControl());
  EXPECT_EQ(s.eqSelect, 1);
  EXPECT_EQ(s.aeqMode, 0x72);
  EXPECT_EQ(s.subWooferMode, 1);

  EXPECT_EQ(Send(sim, Short('V', {0x70})), kAckFinal);
  EXPECT_TRUE(sim.State().bulkUpdate);
  EXPECT_EQ(Send(sim, Short('P', {255})), kAckFinal);
  EXPECT_EQ(s.eqLevel, 255);
  EXPECT_EQ(Send(sim, Short('G', {2, 30, 0})), kAckFinal);
  EXPECT_EQ(s.graphicCodes[2][30], 0);
  EXPECT_EQ(Send(sim, Short('B', {10, 96})), kAckFinal);
  EXPECT_EQ(s.levelCodes[10], 96);
  EXPECT_EQ(Send(sim, Short('C', {4, 1, 3, 26})), kAckFinal);
  EXPECT_EQ(Send(sim, Short('C', {4, 0, 2, 7})), kAckFinal);
  EXPECT_EQ(s.lowPass[4], (FilterCodes{3, 26}));
  EXPECT_EQ(s.highPass[4], (FilterCodes{2, 7}));
  EXPECT_EQ(Send(sim, Short('D', {6, 123})), kAckFinal);
  EXPECT_EQ(s.delaySteps[6], 123);
  EXPECT_EQ(Send(sim, Short('H', {8, 1})), kAckFinal);
  EXPECT_EQ(s.phase[8], 1);
  EXPECT_EQ(Send(sim, Short('V', {0x60})), kAckFinal);
  EXPECT_FALSE(sim.State().bulkUpdate);
  EXPECT_EQ(Send(sim, Short('S', {0x60, 0, 0x60, 1})), kAckFinal);
  EXPECT_FALSE(sim.State().PcControl());

  EXPECT_EQ(sim.State().counters.warnings, 0);
  EXPECT_EQ(sim.State().counters.rejected, 0);
  // Untouched outputs keep their power-on values.
  EXPECT_EQ(s.levelCodes[0], kLevelZeroDbCode);
  EXPECT_EQ(s.graphicCodes[0][0], kGraphicFlatCode);
}

TEST(ProcessorSimulator, CoefficientWritesFillTheSelectedBankAndBand) {
  ProcessorSimulator sim;
  const BandWords words = {0x3B99E6, 0x84B65B, 0x400000, 0xC4661A, 0x7B49A5};
  const Bytes frame = CoefficientFrame(3, 7, words);
  ASSERT_EQ(frame.size(), 22u);
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 9),
            (Bytes{'I', 0x03, 0x00, 0x00, 0x07, 0x0F, 0x3B, 0x99, 0xE6}));
  EXPECT_EQ(Send(sim, frame), kAckFinal);
  EXPECT_EQ(sim.State().settings.Words(2, 7, 0), words);
  EXPECT_FALSE(sim.State().settings.BanksAgree());

  // The PC's four frames for front, both sides, band 4: selects 1 and 8, then 2 and 9.
  for (int select : {1, 8, 2, 9})
    EXPECT_EQ(Send(sim, CoefficientFrame(static_cast<std::uint8_t>(select), 4, words)), kAckFinal);
  EXPECT_EQ(sim.State().settings.Words(0, 4, 1), words);
  EXPECT_EQ(sim.State().settings.Words(1, 4, 0), words);
  EXPECT_EQ(sim.State().settings.Words(0, 3, 0), (BandWords{0, 0, kUnityWord, 0, 0}));
  EXPECT_EQ(Send(sim, CoefficientFrame(10, 7, words)), kAckFinal);
  EXPECT_TRUE(sim.State().settings.BanksAgree());
}

TEST(ProcessorSimulator, ParameterBlocksAreWrittenByBlockAndReadByWord) {
  ProcessorSimulator sim;
  // Set 1, block 64: select 16, address 512, eight words.
  Bytes block = {'I', 16, 0x00, 0x02, 0x00, 24};
  for (std::uint32_t i = 0; i < 8; ++i) {
    const std::uint32_t w = 0x123450 + i;
    block.insert(block.end(), {static_cast<std::uint8_t>(w >> 16), static_cast<std::uint8_t>(w >> 8),
                               static_cast<std::uint8_t>(w)});
  }
  EXPECT_EQ(Send(sim, WithChecksum(block)), kAckFinal);
  EXPECT_EQ(sim.State().settings.parameterWords[0][512], 0x123450u);
  EXPECT_EQ(sim.State().settings.parameterWords[0][519], 0x123457u);

  sim.State().settings.parameterWords[1][1023] = 0x123456;
  EXPECT_EQ(Send(sim, WithChecksum({'J', 2, 0x00, 0x03, 0xFF})), (Bytes{'A', 'R', 0x12, 0x34, 0x56, 0x9C}));
  EXPECT_EQ(Send(sim, WithChecksum({'J', 1, 0x00, 0x02, 0x07})), (Bytes{'A', 'R', 0x12, 0x34, 0x57, 0x9D}));
}

TEST(ProcessorSimulator, FramesItCannotApplyAreRefusedWithNakAndChangeNothing) {
  ProcessorSimulator sim;
  const ProcessorState before = sim.State();
  Bytes badSum = Short('D', {1, 50});
  badSum.back() ^= 0x01;
  EXPECT_EQ(Send(sim, badSum), (Bytes{'A', 'N'}));
  EXPECT_EQ(sim.State().counters.checksumErrors, 1);

  auto write = [](std::uint8_t select, std::uint32_t address, std::uint8_t count) {
    Bytes f = {'I',
               select,
               static_cast<std::uint8_t>(address >> 16),
               static_cast<std::uint8_t>(address >> 8),
               static_cast<std::uint8_t>(address),
               count};
    f.resize(f.size() + count, 0x11);
    return WithChecksum(f);
  };
  const std::vector<Bytes> refused = {
      Short('G', {0, 31, 9}),           // no band 31
      Short('B', {11, 12}),             // no output 11
      Short('C', {0, 2, 1, 1}),         // neither low- nor high-pass
      Short('W', {7}),                  // memories are 1..6
      Short('S', {0x55, 0, 0x60, 0}),   // no such mode
      write(1, 2, 24),                  // a band write with a block's length
      write(1, 10, 15),                 // no band 10
      write(15, 512, 24),               // select 15 is the lower half
      write(17, 20, 24),                // blocks start at multiples of 8
      write(19, 0, 24),                 // no select 19
      WithChecksum({'R', 2, 0}),        // no bank 2
      WithChecksum({'R', 1, 13}),       // results are 0..12
      WithChecksum({'J', 3, 0, 0, 0}),  // no set 3
      WithChecksum({'J', 1, 0, 4, 0}),  // words are 0..1023
  };
  for (const Bytes& frame : refused) EXPECT_EQ(Send(sim, frame), (Bytes{'A', 'N'})) << frame.size();
  EXPECT_EQ(sim.State().counters.rejected, static_cast<int>(refused.size()));
  EXPECT_EQ(sim.State().settings, before.settings);
  EXPECT_EQ(sim.State().memories, before.memories);

  // Stray bytes between frames are ignored, and the next frame is understood.
  EXPECT_EQ(Send(sim, {0x00, 0xFF, 'A'}), Bytes{});
  EXPECT_EQ(Send(sim, Short('D', {1, 50})), kAckFinal);
  EXPECT_EQ(sim.State().settings.delaySteps[1], 50);
}

TEST(ProcessorSimulator, StatusQueryAnswersTheIdleStatusOrTheForcedOne) {
  ProcessorSimulator sim;
  EXPECT_EQ(kStatusQuery, (Bytes{'N', 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));
  sim.Config().idleStatus = '8';
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', '8'}));
  sim.Faults().statusOverride = 'S';
  EXPECT_EQ(Send(sim, Short('T', {0})), kAckFinal);
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 'S'}));  // even while measuring
  EXPECT_EQ(sim.Frames()[sim.Frames().size() - 2].result, "ok, status 53");
}

TEST(ProcessorSimulator, MeasurementAnswersBusyForItsPollsThenHasResults) {
  ProcessorSimulator sim;
  sim.Config().measurePolls = 3;
  sim.Config().measuredResults = {1, 2, 3, 4, 5, 6, 37, 8, 9, 10, 11, 99, 7};
  EXPECT_EQ(Send(sim, Short('T', {1})), kAckFinal);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', '0'})) << i;
  EXPECT_EQ(Send(sim, WithChecksum({'R', 1, 6})), (Bytes{'A', 'R', 0, 0}));  // not finished yet
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));
  EXPECT_EQ(Send(sim, WithChecksum({'R', 1, 6})), (Bytes{'A', 'R', 37, 37}));
  EXPECT_EQ(Send(sim, WithChecksum({'R', 1, 11})), (Bytes{'A', 'R', 99, 99}));
  EXPECT_EQ(sim.State().measurement.finished, 1);
  // A time-correction measurement leaves the parameter words alone; an EQ measurement fills them.
  EXPECT_EQ(sim.State().settings.parameterWords[0][5], 0u);
  EXPECT_EQ(Send(sim, Short('T', {0})), kAckFinal);
  for (int i = 0; i < 4; ++i) Send(sim, kStatusQuery);
  EXPECT_FALSE(sim.State().measurement.running);
  EXPECT_EQ(sim.State().settings.parameterWords[1][5], ProcessorSimulator::MeasuredParameterWord(2, 5));
  EXPECT_NE(ProcessorSimulator::MeasuredParameterWord(1, 5), ProcessorSimulator::MeasuredParameterWord(2, 5));

  // An operating-mode command stops a measurement: idle at once, nothing measured.
  EXPECT_EQ(Send(sim, Short('T', {1})), kAckFinal);
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', '0'}));
  EXPECT_EQ(Send(sim, Short('S', {0x70, 1, 0x60, 0})), kAckFinal);
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));
  EXPECT_EQ(sim.State().measurement.finished, 2);
}

TEST(ProcessorSimulator, MemoryStoreCopiesTheSettingsAndAnswersBusyWhileWriting) {
  ProcessorSimulator sim;
  sim.Config().storePolls = 2;
  Send(sim, Short('D', {3, 77}));
  EXPECT_FALSE(sim.State().Memory(4).has_value());
  EXPECT_EQ(Send(sim, Short('W', {4})), kAckFinal);
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', '0'}));
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', '0'}));
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));
  Send(sim, Short('D', {3, 10}));
  ASSERT_TRUE(sim.State().Memory(4).has_value());
  EXPECT_EQ(sim.State().Memory(4)->delaySteps[3], 77);
  EXPECT_EQ(sim.State().settings.delaySteps[3], 10);
  EXPECT_FALSE(sim.State().Memory(1).has_value());
}

TEST(ProcessorSimulator, SpectrumLevelsMoveWithTimeOrStayWhereTheyWereSet) {
  ProcessorSimulator sim;
  const Bytes band5 = WithChecksum({'R', 0, 5});
  Bytes first = Send(sim, band5, 0);
  Bytes later = Send(sim, band5, 1'500'000);
  ASSERT_EQ(first.size(), 4u);
  EXPECT_NE(first[2], later[2]);
  EXPECT_EQ(first[2], first[3]);
  EXPECT_EQ(sim.State().spectrum[5], later[2]);

  bool overRange = false;
  for (std::int64_t t = 0; t < 60'000'000; t += 250'000) {
    for (int band = 0; band < kGeqBandCount; ++band) {
      const std::uint8_t level = ProcessorSimulator::MovingSpectrumLevel(band, t);
      EXPECT_LE(level, 60);
      overRange = overRange || level > 47;
    }
  }
  EXPECT_TRUE(overRange);  // the analyzer's clamp gets exercised

  std::array<std::uint8_t, kGeqBandCount> fixed{};
  fixed[5] = 60;
  sim.SetSpectrumLevels(fixed);
  EXPECT_EQ(Send(sim, band5, 7'000'000), (Bytes{'A', 'R', 60, 60}));
}

TEST(ProcessorSimulator, NakSwitchRefusesTheNextFramesAtTheLetterOrAfterTheBody) {
  ProcessorSimulator sim;
  sim.Faults().nakFrames = 4;
  const Bytes frame = Short('H', {2, 1});
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Send(sim, {frame[0]}), Bytes{'N'}) << i;
  EXPECT_EQ(Send(sim, frame), kAckFinal);
  EXPECT_EQ(sim.State().settings.phase[2], 1);

  sim.Faults().nakFrames = 1;
  sim.Faults().nakAtFinal = true;
  EXPECT_EQ(Send(sim, Short('H', {2, 0})), (Bytes{'A', 'N'}));
  EXPECT_EQ(sim.State().settings.phase[2], 1);  // a refused frame is not applied
  EXPECT_EQ(Send(sim, Short('H', {2, 0})), kAckFinal);
  EXPECT_EQ(sim.State().settings.phase[2], 0);
  EXPECT_EQ(sim.State().counters.accepted['H'], 2);
}

TEST(ProcessorSimulator, BadChecksumSwitchCorruptsOnlyQueryReplies) {
  ProcessorSimulator sim;
  sim.Faults().badChecksumReplies = 2;
  sim.State().measurement.results[3] = 40;
  sim.State().settings.parameterWords[0][0] = 0x010203;
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));  // no checksum to spoil
  EXPECT_EQ(Send(sim, WithChecksum({'R', 1, 3})), (Bytes{'A', 'R', 40, 41}));
  EXPECT_EQ(Send(sim, WithChecksum({'J', 1, 0, 0, 0})), (Bytes{'A', 'R', 1, 2, 3, 7}));
  EXPECT_EQ(Send(sim, WithChecksum({'R', 1, 3})), (Bytes{'A', 'R', 40, 40}));
  EXPECT_EQ(Send(sim, WithChecksum({'J', 1, 0, 0, 0})), (Bytes{'A', 'R', 1, 2, 3, 6}));
}

TEST(ProcessorSimulator, SilenceStartsAtOnceOrAfterSomeFrames) {
  ProcessorSimulator sim;
  sim.Faults().silentAfterFrames = 2;
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));
  EXPECT_EQ(Send(sim, Short('D', {0, 1})), kAckFinal);
  EXPECT_EQ(Send(sim, kStatusQuery), Bytes{});
  EXPECT_EQ(Send(sim, Short('D', {0, 2})), Bytes{});
  EXPECT_EQ(sim.State().settings.delaySteps[0], 1);
  EXPECT_EQ(sim.Frames().back().result, "ignored (silent)");

  sim.Faults().silent = false;
  EXPECT_EQ(Send(sim, kStatusQuery), (Bytes{'A', 0xA8}));
  sim.Faults().silent = true;
  EXPECT_EQ(Send(sim, {'N'}), Bytes{});
}

TEST(ProcessorSimulator, PacingGivesEveryByteItsTenBitTimeInEachDirection) {
  EXPECT_EQ(ProcessorSimulator::ByteTimeUs(0), 0);
  EXPECT_EQ(ProcessorSimulator::ByteTimeUs(9600), 1042);  // 10 bits / 9600 baud = 1041.7 us
  EXPECT_EQ(ProcessorSimulator::ByteTimeUs(19200), 521);
  EXPECT_EQ(ProcessorSimulator::ByteTimeUs(115200), 87);

  ProcessorSimulator sim;
  sim.Faults().baud = 9600;
  sim.Receive('N', 0);
  EXPECT_EQ(sim.NextEventUs(), 1042);  // the letter is still on the wire
  EXPECT_FALSE(sim.NextOutputUs().has_value());
  sim.Advance(1042);
  EXPECT_EQ(sim.NextOutputUs(), 2084);  // the "A" takes its own byte time back
  std::uint8_t b = 0;
  EXPECT_FALSE(sim.TakeOutput(b, 2083));
  EXPECT_TRUE(sim.TakeOutput(b, 2084));
  EXPECT_EQ(b, 'A');

  // Seven body bytes sent back to back at t = 3000 queue behind each other on the line.
  for (int i = 0; i < 7; ++i) sim.Receive(0, 3000);
  sim.Advance(3000 + 7 * 1042 - 1);
  EXPECT_FALSE(sim.NextOutputUs().has_value());
  sim.Advance(3000 + 7 * 1042);
  EXPECT_EQ(sim.NextOutputUs(), 3000 + 8 * 1042);

  // A reply of several bytes leaves one byte time apart.
  ProcessorSimulator reader;
  reader.Faults().baud = 9600;
  for (std::uint8_t byte : WithChecksum({'J', 1, 0, 0, 0})) reader.Receive(byte, 0);
  reader.Advance(1'000'000);
  std::vector<std::int64_t> times;
  while (reader.NextOutputUs()) {
    times.push_back(*reader.NextOutputUs());
    reader.TakeOutput(b, times.back());
  }
  EXPECT_EQ(times, (std::vector<std::int64_t>{2084, 7294, 8336, 9378, 10420, 11462}));
}

TEST(ProcessorSimulator, UnfinishedFramesAreDroppedAfterTheTimeoutOrWhenTheLineCloses) {
  ProcessorSimulator sim;
  EXPECT_EQ(Send(sim, {'D', 4, 9}, 0), Bytes{'A'});
  // The PC gave up; its next frame arrives after the time-out and is read as a new frame.
  EXPECT_EQ(Send(sim, {'D'}, 900'000), Bytes{});  // still inside the time-out: a body byte
  EXPECT_EQ(Send(sim, Short('D', {4, 88}), 2'000'000), kAckFinal);
  EXPECT_EQ(sim.State().settings.delaySteps[4], 88);
  EXPECT_EQ(sim.State().counters.dropped, 4);

  sim.Receive('N', 2'500'000);
  sim.ResetLine(2'500'001);  // the "A" is never read, the frame is forgotten
  std::uint8_t b = 0;
  EXPECT_FALSE(sim.TakeOutput(b, 2'500'002));
  EXPECT_EQ(Send(sim, kStatusQuery, 2'500'003), (Bytes{'A', 0xA8}));
  EXPECT_EQ(sim.FramesFromPc().back(), kStatusQuery);
}
