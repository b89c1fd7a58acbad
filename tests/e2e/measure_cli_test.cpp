// Runs krv5200-cli's automatic measurements against krv5200-sim on a pseudo-terminal.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "common/process.h"
#include "common/recording_dialogs.h"
#include "common/temp_dir.h"
#include "document/setup_document.h"
#include "document/setup_file.h"
#include "sim/processor_simulator.h"
#include "sim/state_dump.h"

namespace {

class MeasureCli : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path conf = std::filesystem::path(dir.path()) / "config" /
                                       "Local AppWizard-Generated Applications" / "KRV5200.conf";
    std::filesystem::create_directories(conf.parent_path());
    std::ofstream(conf) << "[RS_Set_Up]\nBaudRate=4000000\n";
    RecordingDialogs quiet;
    SetupDocument doc;
    doc.channelDelay[6] = 9.9;
    doc.profile.city = "Bremen";
    ASSERT_TRUE(SetupFile::Save(dir.File("in.tvn"), doc, quiet));
  }
  void TearDown() override {
    if (sim_ > 0) {
      kill(sim_, SIGKILL);
      waitpid(sim_, nullptr, 0);
    }
  }

  void StartSim(const std::vector<std::string>& extra) {
    std::vector<std::string> args = {"--link", Port(), "--dump", dir.File("state.txt")};
    args.insert(args.end(), extra.begin(), extra.end());
    sim_ = Spawn(KRV5200_SIM, args, {}, dir.File("sim.out"), dir.File("sim.err"));
    struct stat st {};
    for (int waited = 0; waited < 10000 && lstat(Port().c_str(), &st) != 0; waited += 10) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  // Ends the simulator (it writes its dump on the way out) and reads the processor's state.
  bool StopSim(ProcessorState& state) {
    kill(sim_, SIGTERM);
    int status = 0;
    waitpid(sim_, &status, 0);
    sim_ = -1;
    std::ifstream in(dir.File("state.txt"));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && StateDump::Read(in, state);
  }
  std::string Port() const { return dir.File("port"); }
  std::vector<std::string> Env() const {
    return {"XDG_CONFIG_HOME=" + dir.File("config"), "QT_QPA_PLATFORM=offscreen"};
  }
  Outcome Cli(const std::vector<std::string>& args) {
    return RunProgram(KRV5200_CLI, args, Env(), dir.File("cli"));
  }
  SetupDocument Load(const std::string& name) {
    RecordingDialogs quiet;
    SetupDocument doc;
    EXPECT_TRUE(SetupFile::Succeeded(SetupFile::Load(dir.File(name), doc, quiet)));
    return doc;
  }

  TempDir dir;
  pid_t sim_ = -1;
};

TEST_F(MeasureCli, TimeCorrectionAndAutomaticEqSaveWhatWasMeasured) {
  StartSim({"--measure-polls", "12"});
  const Outcome tcr = Cli({"measure", "tcr", dir.File("in.tvn"), dir.File("tcr.tvn"), "--port", Port()});
  EXPECT_EQ(tcr.exitStatus, 0) << tcr.err;
  EXPECT_NE(tcr.err.find("AUTO TCR START"), std::string::npos) << tcr.err;
  const SetupDocument t = Load("tcr.tvn");
  EXPECT_DOUBLE_EQ(t.channelDelay[6], 3.7);
  EXPECT_DOUBLE_EQ(t.channelDelay[2], 1.2);
  EXPECT_EQ(t.measuredValue1, 17);
  EXPECT_EQ(t.profile.city, "Bremen");  // the rest of IN goes along

  const Outcome aeq = Cli({"measure", "aeq", dir.File("in.tvn"), dir.File("aeq.tvn"), "--port", Port(),
                           "--mode", "front", "--parameters"});
  EXPECT_EQ(aeq.exitStatus, 0) << aeq.err;
  EXPECT_NE(aeq.err.find("AEQ PARAMETER LOAD"), std::string::npos);
  const SetupDocument e = Load("aeq.tvn");
  EXPECT_DOUBLE_EQ(e.channelDelay[6], 3.7);
  EXPECT_EQ(e.aeqMode, 0x72);
  EXPECT_EQ(e.aeqActive, 1);
  EXPECT_EQ(e.aeqParametersSaved, 1);
  EXPECT_EQ(e.aeqParameters[1024 + 7],
            static_cast<std::int32_t>(ProcessorSimulator::MeasuredParameterWord(2, 7)));

  // Wrong arguments and an impossible mode change nothing.
  SetupDocument noSubs;
  noSubs.speakerSwitch[10] = 0;
  RecordingDialogs quiet;
  ASSERT_TRUE(SetupFile::Save(dir.File("nosubs.tvn"), noSubs, quiet));
  const Outcome impossible =
      Cli({"measure", "aeq", dir.File("nosubs.tvn"), dir.File("x.tvn"), "--port", Port(), "--mode", "sub"});
  EXPECT_EQ(impossible.exitStatus, 1);
  EXPECT_NE(impossible.err.find("both sub-woofers"), std::string::npos) << impossible.err;
  EXPECT_EQ(Cli({"measure", "aeq", dir.File("in.tvn"), dir.File("x.tvn"), "--port", Port()}).exitStatus, 1);
  EXPECT_EQ(Cli({"measure", "tcr", dir.File("in.tvn"), "--port", Port()}).exitStatus, 1);
  ProcessorState st;
  ASSERT_TRUE(StopSim(st));
  EXPECT_FALSE(st.PcControl());
  EXPECT_EQ(st.measurement.finished, 2);
  EXPECT_EQ(st.counters.rejected + st.counters.checksumErrors, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.tvn")));
}

TEST_F(MeasureCli, CtrlCStopsTheMeasurementAndWritesNothing) {
  StartSim({"--measure-polls", "1000000"});
  const pid_t cli =
      Spawn(KRV5200_CLI, {"measure", "tcr", dir.File("in.tvn"), dir.File("out.tvn"), "--port", Port()}, Env(),
            dir.File("cli.out"), dir.File("cli.err"));
  // Wait until the measurement shows its progress, then interrupt.
  for (int waited = 0;
       waited < 10000 && ReadText(dir.File("cli.err")).find("AUTO TCR START") == std::string::npos;
       waited += 10) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(cli, SIGINT);
  int status = 0;
  waitpid(cli, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadText(dir.File("cli.err")).find("stopped"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.tvn")));
  ProcessorState st;
  ASSERT_TRUE(StopSim(st));
  EXPECT_FALSE(st.measurement.running);  // told to stop
  EXPECT_EQ(st.measurement.finished, 0);
}

}  // namespace
