#include "link/connect_sequence.h"

#include <gtest/gtest.h>

#include "document/setup_document.h"
#include "link/device_link.h"
#include "link/fake_processor_line.h"
#include "link/serial_port.h"
#include "sim/in_memory_line.h"

namespace {

using namespace linktest;
using Bytes = std::vector<std::uint8_t>;

struct Connecting : ::testing::Test {
  VirtualClock clock;
  InMemoryLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};
  RecordingProgress rs232c;
  ConnectSequence sequence{port, clock, dialogs, rs232c};

  ConnectRequest Request() {
    SetupDocument doc;
    doc.speakerSwitch[Index(OutputChannel::RearR)] = 0;
    doc.crossover[Index(SpeakerGroup::FrontLow)][Index(CrossoverSet::Common)].level = -2;
    doc.crossover[Index(SpeakerGroup::FrontLow)][Index(CrossoverSet::L)].level = -9;
    ConnectRequest r;
    r.portName = "COM1";
    r.upload = UploadSetup::FromDocument(doc);
    r.aeqMode = 0x72;
    r.subWooferMode = 1;
    return r;
  }
};

TEST_F(Connecting, ConnectUploadsAndSendsSpeakerLevels) {
  ASSERT_EQ(sequence.Connect(Request()), ConnectResult::Connected);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_TRUE(dialogs.messages.empty());
  const ProcessorState& st = line.State();
  EXPECT_TRUE(st.PcControl());
  EXPECT_EQ(st.settings.eqSelect, 1);
  EXPECT_EQ(st.settings.aeqMode, 0x72);
  EXPECT_EQ(st.settings.subWooferMode, 1);
  EXPECT_FALSE(st.bulkUpdate);
  EXPECT_EQ(st.counters.accepted['V'], 2);
  // The crossover part sends 12 levels, then every output once more.
  EXPECT_EQ(st.counters.accepted['B'], 12 + 11);
  EXPECT_EQ(st.settings.levelCodes[Index(OutputChannel::RearR)], 96);
  EXPECT_EQ(st.settings.levelCodes[Index(OutputChannel::FrontLowL)], 10);
  EXPECT_EQ(st.counters.accepted['G'], 0);

  // The order of the first frames: mode, status, bulk begin, then the parametric level hold.
  const Bytes& sent = line.Sent();
  ASSERT_GE(sent.size(), 32u);
  EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 8), (Bytes{'S', 0x70, 1, 0x72, 1, 0, 0, 0x70 + 1 + 0x72 + 1}));
  EXPECT_EQ(sent[8], 'N');
  EXPECT_EQ(Bytes(sent.begin() + 16, sent.begin() + 18), (Bytes{'V', 0x70}));
  EXPECT_EQ(Bytes(sent.begin() + 24, sent.begin() + 26), (Bytes{'P', 255}));

  line.ClearTraffic();
  sequence.Disconnect(1);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(line.Sent(), (Bytes{'S', 0x60, 0, 0x60, 1, 0, 0, 0x60 + 0x60 + 1}));
  EXPECT_FALSE(line.State().PcControl());
}

TEST_F(Connecting, SpeakerLevelsFollowTheCurrentSide) {
  const ConnectRequest r = Request();
  EXPECT_EQ(SpeakerLevelCode(OutputChannel::FrontLowL, r.upload.speakerSwitch, r.upload.crossover, 0), 10);
  EXPECT_EQ(SpeakerLevelCode(OutputChannel::FrontLowL, r.upload.speakerSwitch, r.upload.crossover, 1), 3);
  EXPECT_EQ(SpeakerLevelCode(OutputChannel::FrontLowR, r.upload.speakerSwitch, r.upload.crossover, 2), 12);
  EXPECT_EQ(SpeakerLevelCode(OutputChannel::RearR, r.upload.speakerSwitch, r.upload.crossover, 0), 96);
  CrossoverTable centerOnly = r.upload.crossover;
  centerOnly[Index(SpeakerGroup::Center)][Index(CrossoverSet::L)].level = -5;
  EXPECT_EQ(SpeakerLevelCode(OutputChannel::Center, r.upload.speakerSwitch, centerOnly, 1), 12);
}

TEST_F(Connecting, EachFailureHasItsMessage) {
  EXPECT_EQ(sequence.Connect([&] {
    ConnectRequest r = Request();
    r.portName = "COM2";
    return r;
  }()),
            ConnectResult::OpenFailed);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Port Open Faild."});

  dialogs.messages.clear();
  line.Faults().nakFrames = 5;
  EXPECT_EQ(sequence.Connect(Request()), ConnectResult::ModeFailed);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"PC CONTROL FAIL"});
  EXPECT_FALSE(port.IsOpen());

  dialogs.messages.clear();
  line.Faults().nakFrames = 0;
  line.Faults().statusOverride = 'S';  // reported, then mended by the upload, yet not a clean connect
  EXPECT_EQ(sequence.Connect(Request()), ConnectResult::SettingError);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"SETTING ERROR"});
  EXPECT_TRUE(port.IsOpen());
  EXPECT_GT(line.State().counters.accepted['V'], 0);
  port.ClosePort();

  dialogs.messages.clear();
  line.Faults().statusOverride.reset();
  line.Faults().silentAfterFrames = 2;  // mode and status pass, the upload finds a dead line
  EXPECT_EQ(sequence.Connect(Request()), ConnectResult::UploadFailed);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"INITIALIZE ERROR"});
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(rs232c.open);

  // The line dies after the upload, while the speaker levels go out.
  dialogs.messages.clear();
  line.Faults().silent = false;
  line.Faults().silentAfterFrames = 230;
  EXPECT_EQ(sequence.Connect(Request()), ConnectResult::LevelsFailed);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Port Not Connect"});
  EXPECT_FALSE(port.IsOpen());

  // Under each link failure, the port and the likely cause.
  ASSERT_EQ(dialogs.causes.size(), 4u);
  EXPECT_EQ(dialogs.causes[0], "COM2 stands for no device");
  EXPECT_EQ(dialogs.causes[2], (LineFailure{LineFailure::Kind::NoAnswer, ""}.Note("COM1")));
}

TEST(ConnectStatus, DeadLineDuringConnectAndLevels) {
  VirtualClock clock;
  FakeProcessorLine line{clock};
  ScriptedDialogs dialogs;
  CountingPump pump;
  SerialPort port{line, dialogs, pump};
  RecordingProgress rs232c;
  ConnectSequence sequence{port, clock, dialogs, rs232c};

  ConnectRequest r;
  r.portName = "COM1";
  r.upload = UploadSetup::FromDocument(SetupDocument{});
  line.answerFrames = 1;
  EXPECT_EQ(sequence.Connect(r), ConnectResult::StatusFailed);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Port Not Connect"});
  EXPECT_FALSE(port.IsOpen());

  // A refused speaker level ends the level sends at once instead of retrying on a closed port.
  ASSERT_TRUE(port.OpenPort("COM1"));
  line.frames.clear();
  line.answerFrames = 3;
  const auto start = clock.NowMs();
  EXPECT_FALSE(sequence.SendSpeakerLevels(r.upload.speakerSwitch, r.upload.crossover, 0));
  EXPECT_EQ(line.FramesWithLetter('B'), 3);
  EXPECT_LT(clock.NowMs() - start, 1500);

  EXPECT_EQ(ChecksumErrorText(0), "CHKSUM ERROR");
  EXPECT_EQ(ChecksumErrorText(255), "CHKSUM ERROR 255");
}

}  // namespace
