#include "link/full_upload.h"

#include <gtest/gtest.h>

#include <limits>

#include "document/setup_document.h"
#include "eq/biquad_designer.h"
#include "link/channel_codes.h"
#include "link/coefficient_word.h"
#include "link/device_link.h"
#include "link/fake_processor_line.h"
#include "link/serial_port.h"
#include "sim/in_memory_line.h"

namespace {

using namespace linktest;

CoefficientSet WordsOf(const FilterParams& p) {
  BiquadDesigner designer;
  return MakeCoefficientSet(designer.Design(p));
}

BandWords AsSimWords(const CoefficientSet& set) {
  BandWords w{};
  for (std::size_t i = 0; i < w.size(); ++i) w[i] = static_cast<std::uint32_t>(set[i]) & 0xFFFFFF;
  return w;
}

// A setup that differs from the start-up values in every part, with separate L and R data.
UploadSetup EditedSetup() {
  SetupDocument doc;
  doc.peqBands[Index(EqGroup::Front)][Index(EqSide::L)][2].gain = 6.0f;
  doc.peqBands[Index(EqGroup::Front)][Index(EqSide::R)][2].gain = -4.0f;
  doc.peqBands[Index(EqGroup::Center)][Index(EqSide::Common)][5].gain = 3.0f;
  doc.peqBands[Index(EqGroup::Center)][Index(EqSide::L)][5].gain = -8.0f;
  doc.geqBands[Index(EqGroup::Rear)][Index(EqSide::R)][7].gain = -5.7f;
  doc.geqBands[Index(EqGroup::Center)][Index(EqSide::Common)][0].gain = 4.0f;
  doc.geqBands[Index(EqGroup::Center)][Index(EqSide::L)][0].gain = -9.0f;
  doc.crossover[Index(SpeakerGroup::FrontMid)][Index(CrossoverSet::R)].level = -7;
  doc.crossover[Index(SpeakerGroup::FrontMid)][Index(CrossoverSet::R)].hpfSlope = -24.0;
  doc.crossover[Index(SpeakerGroup::FrontMid)][Index(CrossoverSet::R)].hpfCode = 30;
  doc.crossover[Index(SpeakerGroup::Center)][Index(CrossoverSet::L)].level = -3;
  doc.channelDelay[Index(OutputChannel::RearL)] = 4.56;
  doc.channelPhase[Index(OutputChannel::SubWooferR)] = 1;
  doc.speakerSwitch[Index(OutputChannel::FrontHighR)] = 0;

  UploadSetup s = UploadSetup::FromDocument(doc);
  s.geqOn = true;
  s.peqSide = 1;
  s.geqSide = 2;
  s.dividerSide = 1;
  s.levelCode = 23;
  return s;
}

struct SimUpload : ::testing::Test {
  VirtualClock clock;
  InMemoryLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};
  DeviceLink link{port, clock};
  RecordingProgress progress;

  void SetUp() override { ASSERT_TRUE(port.OpenPort("COM1")); }
  int Frames(char letter) { return line.State().counters.accepted[static_cast<std::uint8_t>(letter)]; }
};

TEST_F(SimUpload, EveryPartReachesTheProcessor) {
  const UploadSetup s = EditedSetup();
  ASSERT_EQ(RunFullUpload(s, link, progress), 1);

  EXPECT_EQ(Frames('P'), 4);
  EXPECT_EQ(Frames('I'), 160);
  EXPECT_EQ(Frames('G'), 248);
  EXPECT_EQ(Frames('B'), 12);
  EXPECT_EQ(Frames('C'), 24);
  EXPECT_EQ(Frames('D'), 11);
  EXPECT_EQ(Frames('H'), 11);
  EXPECT_EQ(pump.count, 0);  // the upload delivers no window events
  EXPECT_EQ(link.noPump, 0);

  const ProcessorSettings& p = line.State().settings;
  EXPECT_EQ(p.eqLevel, 23);
  // Separate data for Front, but Center always takes its common set.
  const int frontL = Index(EqChannelOf(EqGroup::Front, 0));
  const int frontR = Index(EqChannelOf(EqGroup::Front, 1));
  EXPECT_EQ(p.Words(frontL, 2), AsSimWords(WordsOf(s.peqBands[0][1][2])));
  EXPECT_EQ(p.Words(frontR, 2, 1), AsSimWords(WordsOf(s.peqBands[0][2][2])));
  EXPECT_NE(p.Words(frontL, 2), p.Words(frontR, 2));
  EXPECT_EQ(p.Words(Index(EqChannel::Center), 5), AsSimWords(WordsOf(s.peqBands[2][0][5])));
  EXPECT_TRUE(p.BanksAgree());

  EXPECT_EQ(p.graphicCodes[Index(EqChannel::RearR)][7], 9 - 5);  // -5.7 dB truncates to -5
  EXPECT_EQ(p.graphicCodes[Index(EqChannel::Center)][0], 9 + 4);

  EXPECT_EQ(p.levelCodes[Index(OutputChannel::FrontHighR)], 96);
  EXPECT_EQ(p.levelCodes[Index(OutputChannel::FrontMidR)], 12 - 7);
  EXPECT_EQ(p.levelCodes[Index(OutputChannel::FrontMidL)], 12);
  EXPECT_EQ(p.levelCodes[Index(OutputChannel::Center)], 12);  // Center's common level
  EXPECT_EQ(p.highPass[Index(OutputChannel::FrontMidR)], (FilterCodes{4, 30}));
  EXPECT_EQ(p.lowPass[Index(OutputChannel::SubWooferL)], (FilterCodes{3, 12}));
  EXPECT_EQ(p.delaySteps[Index(OutputChannel::RearL)], 45);
  EXPECT_EQ(p.phase[Index(OutputChannel::SubWooferR)], 1);
  EXPECT_EQ(line.State().counters.warnings, 0);
}

TEST_F(SimUpload, ProgressFollowsTheParts) {
  UploadSetup s = UploadSetup::FromDocument(SetupDocument{});
  s.peqOn = s.geqOn = s.dividerOn = s.tcrOn = false;
  ASSERT_EQ(RunFullUpload(s, link, progress), 1);
  EXPECT_TRUE(line.Sent().empty());
  EXPECT_EQ(progress.events, (std::vector<std::string>{"open", "range 0 120", "text 0 Now connecting!",
                                                       "text 1 Please waiting", "beep", "close"}));
  EXPECT_EQ(progress.positions, std::vector<int>{120});

  progress = RecordingProgress{};
  s.peqOn = s.geqOn = s.dividerOn = s.tcrOn = true;
  ASSERT_EQ(RunFullUpload(s, link, progress), 1);
  EXPECT_EQ(std::vector<std::string>(progress.events.begin() + 4, progress.events.end()),
            (std::vector<std::string>{"text 2 P_EQ DATA", "text 2 G_EQ DATA", "text 2 DIV DATA",
                                      "text 2 TCR DATA", "beep", "close"}));
  const std::vector<int>& pos = progress.positions;
  ASSERT_EQ(pos.size(), 40u + 1 + 124 + 1 + 6 + 1 + 11 + 1);
  EXPECT_EQ(pos[0], 0);
  EXPECT_EQ(pos[39], 117);
  EXPECT_EQ(pos[40], 0);
  EXPECT_EQ(pos[40 + 124], 123);
  EXPECT_EQ(pos[40 + 125 + 6], 120);  // crossover group 5
  EXPECT_EQ(pos.back(), 120);
}

TEST(UploadFailure, AFailedPartSkipsEverythingAfterIt) {
  VirtualClock clock;
  FakeProcessorLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};
  DeviceLink link{port, clock};
  RecordingProgress progress;
  ASSERT_TRUE(port.OpenPort("COM1"));

  UploadSetup s = UploadSetup::FromDocument(SetupDocument{});
  s.geqOn = true;
  line.answerFrames = 50;  // the line dies in the middle of the parametric bands
  EXPECT_EQ(RunFullUpload(s, link, progress), 0);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(line.FramesWithLetter('I'), 49);
  for (char letter : {'G', 'B', 'C', 'D', 'H'}) EXPECT_EQ(line.FramesWithLetter(letter), 0) << letter;
  EXPECT_EQ(line.FramesWithLetter('P'), 1);  // the level code after the bands was never sent
  EXPECT_FALSE(progress.open);
  EXPECT_EQ(progress.lastPosition, 120);
  EXPECT_EQ(link.noPump, 0);

  // A failure in the crossover part leaves time correction out.
  ASSERT_TRUE(port.OpenPort("COM1"));
  line.frames.clear();
  s.peqOn = s.geqOn = false;
  line.answerFrames = 5;
  EXPECT_EQ(RunFullUpload(s, link, progress), 0);
  EXPECT_EQ(line.FramesWithLetter('B') + line.FramesWithLetter('C'), 5);
  EXPECT_EQ(line.FramesWithLetter('D'), 0);
}

}  // namespace

// Values no control can produce, uploaded without the correction that opening a file applies:
// every one reaches the processor as a value within its range.
TEST_F(SimUpload, DamagedValuesNeverReachTheWireOutOfRange) {
  SetupDocument doc;
  PeqBandSet& front = doc.peqBands[Index(EqGroup::Front)][Index(EqSide::Common)];
  front[0].gain = std::numeric_limits<float>::quiet_NaN();
  front[1].frequency = 30000.0f;
  front[2].q = 0.0f;
  doc.geqBands[Index(EqGroup::Rear)][Index(EqSide::Common)][3].gain = std::numeric_limits<float>::infinity();
  doc.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::Common)].level =
      std::numeric_limits<int>::max();
  doc.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::Common)].lpfSlope = -1e300;
  doc.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::Common)].hpfCode = 999;
  doc.channelDelay[Index(OutputChannel::FrontHighL)] = -5.0;
  doc.channelDelay[Index(OutputChannel::Center)] = 1e300;
  doc.channelPhase[Index(OutputChannel::RearL)] = 256;
  UploadSetup s = UploadSetup::FromDocument(doc);
  s.geqOn = true;
  s.levelCode = EqLevelCode(20, std::numeric_limits<int>::max());
  ASSERT_EQ(RunFullUpload(s, link, progress), 1);

  const ProcessorSettings& p = line.State().settings;
  const int frontL = Index(EqChannel::FrontL);
  EXPECT_EQ(p.Words(frontL, 0), AsSimWords(FlatCoefficientSet(EqGroup::Front, 0)));
  FilterParams top = DefaultPeqBand(EqGroup::Front, 1);
  top.frequency = 20000.0f;
  EXPECT_EQ(p.Words(frontL, 1), AsSimWords(WordsOf(top)));
  FilterParams wide = DefaultPeqBand(EqGroup::Front, 2);
  wide.q = 0.2f;
  EXPECT_EQ(p.Words(frontL, 2), AsSimWords(WordsOf(wide)));
  EXPECT_EQ(p.graphicCodes[Index(EqChannel::RearL)][3], 18);
  EXPECT_EQ(p.eqLevel, 32);
  EXPECT_EQ(p.levelCodes[Index(OutputChannel::RearR)], 12);
  EXPECT_EQ(p.lowPass[Index(OutputChannel::RearR)], (FilterCodes{5, 60}));
  EXPECT_EQ(p.highPass[Index(OutputChannel::RearR)], (FilterCodes{0, 60}));
  EXPECT_EQ(p.delaySteps[Index(OutputChannel::FrontHighL)], 0);
  EXPECT_EQ(p.delaySteps[Index(OutputChannel::Center)], 200);
  EXPECT_EQ(p.phase[Index(OutputChannel::RearL)], 1);
}
