// Runs krv5200-cli against krv5200-sim on a pseudo-terminal, through the real serial line, and
// compares what the processor ended up holding with the setup that was uploaded.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/process.h"
#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/setup_document.h"
#include "document/setup_file.h"
#include "eq/biquad_designer.h"
#include "link/channel_codes.h"
#include "link/coefficient_word.h"
#include "link/connect_sequence.h"
#include "sim/state_dump.h"

namespace {

// The simulator on its own terminal, reachable at `Port()` as long as the object lives.
class Simulator {
 public:
  explicit Simulator(const TempDir& dir, const std::vector<std::string>& faults = {}) : dir_(dir) {
    std::vector<std::string> args = {"--link", Port(), "--dump", DumpFile()};
    args.insert(args.end(), faults.begin(), faults.end());
    pid_ = Spawn(KRV5200_SIM, args, {}, dir.File("sim.out"), dir.File("sim.err"));
    struct stat st {};
    for (int waited = 0; waited < 10000 && lstat(Port().c_str(), &st) != 0; waited += 10) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  ~Simulator() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  std::string Port() const { return dir_.File("port"); }
  std::string DumpFile() const { return dir_.File("state.txt"); }

  // Ends the program (it writes its dump on the way out) and reads the processor's state.
  bool Stop(ProcessorState& state) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    std::ifstream in(DumpFile());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && StateDump::Read(in, state);
  }

 private:
  const TempDir& dir_;
  pid_t pid_ = -1;
};

class CliRun : public ::testing::Test {
 protected:
  void SetUp() override {
    // A fast line setting keeps the run short; the simulator does not pace.
    const std::filesystem::path conf = std::filesystem::path(dir.path()) / "config" /
                                       "Local AppWizard-Generated Applications" / "KRV5200.conf";
    std::filesystem::create_directories(conf.parent_path());
    std::ofstream(conf) << "[RS_Set_Up]\nBaudRate=4000000\n";
  }

  Outcome Cli(const std::vector<std::string>& args) {
    return RunProgram(
        KRV5200_CLI, args,
        {"XDG_CONFIG_HOME=" + dir.File("config"), "XDG_DATA_HOME=" + dataHome, "QT_QPA_PLATFORM=offscreen"},
        dir.File("cli"));
  }

  TempDir dir;
  // The snapshots go below it.
  std::string dataHome = dir.File("data");
};

BandWords Expected(const FilterParams& p) {
  BiquadDesigner designer;
  const CoefficientSet set = MakeCoefficientSet(designer.Design(p));
  BandWords w{};
  for (std::size_t i = 0; i < w.size(); ++i) w[i] = static_cast<std::uint32_t>(set[i]) & 0xFFFFFF;
  return w;
}

TEST_F(CliRun, UploadLeavesTheSetupInTheProcessor) {
  SetupDocument doc;
  doc.peqBands[Index(EqGroup::Front)][Index(EqSide::L)][3].gain = 5.0f;
  doc.peqBands[Index(EqGroup::Front)][Index(EqSide::R)][3].gain = -6.5f;
  doc.peqBands[Index(EqGroup::Rear)][Index(EqSide::R)][8].q = 2.5f;
  doc.peqBands[Index(EqGroup::Center)][Index(EqSide::Common)][1].gain = 2.0f;
  doc.peqBands[Index(EqGroup::SubWoofer)][Index(EqSide::L)][0].gain = 7.0f;
  doc.geqBands[Index(EqGroup::Front)][Index(EqSide::Common)][4].gain = 3.0f;  // graphic EQ stays off
  doc.crossover[Index(SpeakerGroup::FrontHi)][Index(CrossoverSet::R)].hpfCode = 50;
  doc.crossover[Index(SpeakerGroup::FrontHi)][Index(CrossoverSet::R)].hpfFrequency = 6300.0;
  doc.crossover[Index(SpeakerGroup::FrontHi)][Index(CrossoverSet::R)].hpfSlope = -12.0;
  doc.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::L)].level = -4;
  doc.crossover[Index(SpeakerGroup::Rear)][Index(CrossoverSet::Common)].level = -1;
  doc.channelDelay[Index(OutputChannel::FrontLowR)] = 7.89;
  doc.channelPhase[Index(OutputChannel::Center)] = 1;
  doc.speakerSwitch[Index(OutputChannel::SubWooferL)] = 0;
  doc.peqPeakBoost = 2;
  doc.subWooferMode = 1;
  RecordingDialogs dialogs;
  ASSERT_TRUE(SetupFile::Save(dir.File("car.tvn"), doc, dialogs));

  Simulator sim(dir);
  const Outcome run = Cli({"upload", dir.File("car.tvn"), "--port", sim.Port(), "--sides", "1,0,1"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ProcessorState st;
  ASSERT_TRUE(sim.Stop(st)) << ReadText(sim.DumpFile());
  const ProcessorSettings& p = st.settings;

  EXPECT_FALSE(st.PcControl());  // released by the disconnect
  EXPECT_EQ(p.subWooferMode, 1);
  EXPECT_EQ(p.eqLevel, 22);
  EXPECT_FALSE(st.bulkUpdate);
  for (int g = 0; g < kEqGroupCount; ++g) {
    const auto group = static_cast<EqGroup>(g);
    for (int lr = 0; lr < 2; ++lr) {
      const int side = group == EqGroup::Center ? Index(EqSide::Common) : 1 + lr;
      const int code = Index(EqChannelOf(group, lr));
      for (int b = 0; b < kPeqBandCount; ++b) {
        EXPECT_EQ(p.Words(code, b), Expected(doc.peqBands[g][side][b])) << g << " " << lr << " " << b;
      }
    }
  }
  EXPECT_TRUE(p.BanksAgree());
  EXPECT_EQ(p.graphicCodes[Index(EqChannel::FrontL)][4], 9);

  for (int c = 0; c < kOutputCount; ++c) {
    const auto channel = static_cast<OutputChannel>(c);
    // The last level each output received is its speaker level from the common set.
    EXPECT_EQ(p.levelCodes[c], SpeakerLevelCode(channel, doc.speakerSwitch, doc.crossover, 0)) << c;
    const int set = SpeakerGroupOf(channel) == SpeakerGroup::Center ? 0 : SideOf(channel);
    const CrossoverRec& rec = doc.crossover[Index(SpeakerGroupOf(channel))][set];
    EXPECT_EQ(p.lowPass[c], (FilterCodes{static_cast<std::uint8_t>(rec.lpfSlope / -6),
                                         static_cast<std::uint8_t>(rec.lpfCode)}))
        << c;
    EXPECT_EQ(p.highPass[c], (FilterCodes{static_cast<std::uint8_t>(rec.hpfSlope / -6),
                                          static_cast<std::uint8_t>(rec.hpfCode)}))
        << c;
    EXPECT_EQ(p.phase[c], doc.channelPhase[c]);
  }
  EXPECT_EQ(p.levelCodes[Index(OutputChannel::RearL)], 11);
  EXPECT_EQ(p.levelCodes[Index(OutputChannel::SubWooferL)], 96);
  EXPECT_EQ(p.highPass[Index(OutputChannel::FrontHighR)], (FilterCodes{2, 50}));
  EXPECT_EQ(p.delaySteps[Index(OutputChannel::FrontLowR)], 78);

  const auto& n = st.counters.accepted;
  EXPECT_EQ(n['S'], 2);
  EXPECT_EQ(n['N'], 1);
  EXPECT_EQ(n['V'], 2);
  EXPECT_EQ(n['P'], 2);
  EXPECT_EQ(n['I'], 160);
  EXPECT_EQ(n['G'], 0);
  EXPECT_EQ(n['B'], 12 + 11);
  EXPECT_EQ(n['C'], 24);
  EXPECT_EQ(n['D'], 11);
  EXPECT_EQ(n['H'], 11);
  EXPECT_EQ(st.counters.rejected + st.counters.checksumErrors + st.counters.warnings, 0);
}

TEST_F(CliRun, StatusStoreSpectrumAndTrace) {
  Simulator sim(dir);
  const Outcome status = Cli({"--trace", "status", "--port", sim.Port()});
  EXPECT_EQ(status.exitStatus, 0) << status.err;
  EXPECT_EQ(status.out, "11 idle; sub-woofer AEQ modes offered\n");
  EXPECT_NE(status.err.find("> 4E\n< 41\n> 00\n"), std::string::npos) << status.err;
  EXPECT_NE(status.err.find("< A8\n"), std::string::npos);

  const Outcome spectrum = Cli({"spectrum", "--port", sim.Port()});
  EXPECT_EQ(spectrum.exitStatus, 0) << spectrum.err;
  std::istringstream levels(spectrum.out);
  int count = 0;
  for (int v = 0; levels >> v; ++count) EXPECT_LE(v, 47);
  EXPECT_EQ(count, 31) << spectrum.out;

  const Outcome report = Cli({"report", "spectrum", dir.File("spectrum.pdf"), "--port", sim.Port()});
  EXPECT_EQ(report.exitStatus, 0) << report.err;
  EXPECT_EQ(ReadText(dir.File("spectrum.pdf")).substr(0, 5), "%PDF-");
  const Outcome noPort =
      Cli({"report", "spectrum", dir.File("none.pdf"), "--port", dir.File("no-such-port")});
  EXPECT_EQ(noPort.exitStatus, 1);
  EXPECT_EQ(noPort.err, "Port Open Faild.\n" + dir.File("no-such-port") + " does not exist\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.pdf")));

  const Outcome store = Cli({"store", "4", "--port", sim.Port()});
  EXPECT_EQ(store.exitStatus, 0) << store.err;
  // Without --setup nothing names what memory 4 now holds: no snapshot is guessed.
  EXPECT_EQ(
      store.err,
      "krv5200-cli store: no snapshot kept: the processor's settings cannot be read back; name them with "
      "--setup FILE\n");

  EXPECT_EQ(Cli({"store", "7", "--port", sim.Port()}).exitStatus, 1);
  EXPECT_EQ(Cli({"status"}).exitStatus, 1);
  const Outcome missing = Cli({"status", "--port", dir.File("no-such-port")});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "Port Open Faild.\n" + dir.File("no-such-port") + " does not exist\n");

  ProcessorState st;
  ASSERT_TRUE(sim.Stop(st));
  EXPECT_TRUE(st.Memory(4).has_value());
  EXPECT_FALSE(st.Memory(1).has_value());
  EXPECT_EQ(st.counters.accepted['W'], 1);
  EXPECT_EQ(st.counters.accepted['R'], 2 * kGeqBandCount);  // the spectrum verb and the report
}

TEST_F(CliRun, FailuresExitOneWithTheirMessage) {
  RecordingDialogs dialogs;
  SetupDocument doc;
  ASSERT_TRUE(SetupFile::Save(dir.File("car.tvn"), doc, dialogs));
  // The port is a device path, so the line names it once.
  const std::string noAnswer =
      dir.File("port") +
      ": no answer from the processor: check the cable and that the processor is switched on\n";
  const struct {
    std::vector<std::string> faults;
    std::vector<std::string> args;
    const char* out;  // nullptr: not checked
    std::string err;
  } cases[] = {
      {{"--status", "S"}, {"status"}, "6 setting error\n", "SETTING ERROR\n"},
      // The setup goes over all the same, but the upload did not fully succeed.
      {{"--status", "S"}, {"upload", dir.File("car.tvn")}, "", "SETTING ERROR\n"},
      {{"--silent"}, {"status"}, "", "Port Not Connect\n" + noAnswer},
      // The line dies while the speaker levels follow the upload.
      {{"--silent-after", "230"}, {"upload", dir.File("car.tvn")}, nullptr, "Port Not Connect\n" + noAnswer},
  };
  for (const auto& c : cases) {
    Simulator sim(dir, c.faults);
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"--port", sim.Port()});
    const Outcome o = Cli(args);
    EXPECT_EQ(o.exitStatus, 1) << c.faults[0];
    if (c.out) {
      EXPECT_EQ(o.out, c.out);
    }
    EXPECT_EQ(o.err, c.err) << c.faults[0];
  }
}

// What went to the processor is kept as snapshots, a memory as the setup the store names; a
// snapshot that cannot be written costs one line on standard error.
TEST_F(CliRun, UploadAndStoreKeepSnapshotsOfWhatTheProcessorHolds) {
  SetupDocument doc;
  doc.channelDelay[4] = 3.3;
  RecordingDialogs dialogs;
  ASSERT_TRUE(SetupFile::Save(dir.File("car.tvn"), doc, dialogs));
  Simulator sim(dir);
  const Outcome upload = Cli({"upload", dir.File("car.tvn"), "--port", sim.Port()});
  EXPECT_EQ(std::tie(upload.exitStatus, upload.err), std::tuple(0, ""));
  const Outcome named = Cli({"store", "4", "--port", sim.Port(), "--setup", dir.File("car.tvn")});
  EXPECT_EQ(std::tie(named.exitStatus, named.err), std::tuple(0, ""));

  const Outcome list = Cli({"snapshots"});
  EXPECT_EQ(list.exitStatus, 0) << list.err;
  std::istringstream lines(list.out);
  std::vector<std::string> triggers;
  const std::string folder = dataHome + "/Local AppWizard-Generated Applications/KRV5200/snapshots/";
  for (std::string line; std::getline(lines, line);) {
    const auto first = line.find('\t');
    const auto second = line.find('\t', first + 1);
    ASSERT_NE(second, std::string::npos) << line;
    EXPECT_EQ(first, 19u) << line;  // "2025-03-14 15:09:12"
    triggers.push_back(line.substr(first + 1, second - first - 1));
    const std::string path = line.substr(second + 1);
    EXPECT_EQ(path.rfind(folder, 0), 0u) << path;
    EXPECT_TRUE(path.ends_with("_car.tvn")) << path;
    EXPECT_EQ(ReadText(path), ReadText(dir.File("car.tvn")));
  }
  EXPECT_EQ(triggers, (std::vector<std::string>{"store-4", "connect"}));

  // Where the data folder should be stands a file: the upload still goes through.
  dataHome = dir.File("car.tvn");
  const Outcome blocked = Cli({"upload", dir.File("car.tvn"), "--port", sim.Port()});
  EXPECT_EQ(blocked.exitStatus, 0);
  EXPECT_EQ(blocked.err.rfind("krv5200-cli upload: Snapshot not written to " + dataHome + "/", 0), 0u)
      << blocked.err;
  EXPECT_EQ(std::count(blocked.err.begin(), blocked.err.end(), '\n'), 1);

  ProcessorState st;
  ASSERT_TRUE(sim.Stop(st));
  EXPECT_TRUE(st.Memory(4).has_value());
}

}  // namespace
