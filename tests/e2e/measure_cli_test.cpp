// Runs krv5200-cli's automatic measurements against krv5200-sim on a pseudo-terminal.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
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

void WaitUntil(const std::function<bool()>& done) {
  for (int waited = 0; waited < 10000 && !done(); waited += 10) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

class MeasureCli : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path conf = std::filesystem::path(dir.path()) / "config" /
                                       "Local AppWizard-Generated Applications" / "KRV5200.conf";
    std::filesystem::create_directories(conf.parent_path());
    std::ofstream(conf) << "[RS_Set_Up]\nBaudRate=4000000\n";
    SetupDocument doc;
    doc.channelDelay[6] = 9.9;
    doc.profile.city = "Bremen";
    ASSERT_TRUE(SetupFile::Save(dir.File("in.tvn"), doc, quiet));
    noSubs.speakerSwitch[10] = 0;
    ASSERT_TRUE(SetupFile::Save(dir.File("nosubs.tvn"), noSubs, quiet));
  }
  void TearDown() override {
    if (sim_ > 0) {
      kill(sim_, SIGKILL);
      waitpid(sim_, nullptr, 0);
    }
  }

  void StartSim(const std::string& measurePolls) {
    sim_ = Spawn(KRV5200_SIM,
                 {"--link", Port(), "--dump", dir.File("state.txt"), "--measure-polls", measurePolls}, {},
                 dir.File("sim.out"), dir.File("sim.err"));
    WaitUntil([&] {
      struct stat st {};
      return lstat(Port().c_str(), &st) == 0;
    });
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
    return {"XDG_CONFIG_HOME=" + dir.File("config"), "XDG_DATA_HOME=" + dir.File("data"),
            "QT_QPA_PLATFORM=offscreen"};
  }
  // "measure KIND IN [OUT]" on the simulator's port, OPTIONS after.
  Outcome Measure(const std::string& kind, const std::string& in, const std::string& out,
                  const std::vector<std::string>& options = {}) {
    std::vector<std::string> args = {"measure", kind, dir.File(in)};
    if (!out.empty()) args.push_back(dir.File(out));
    args.insert(args.end(), {"--port", Port()});
    args.insert(args.end(), options.begin(), options.end());
    return RunProgram(KRV5200_CLI, args, Env(), dir.File("cli"));
  }
  SetupDocument Load(const std::string& name) {
    SetupDocument doc;
    EXPECT_TRUE(SetupFile::Succeeded(SetupFile::Load(dir.File(name), doc, quiet)));
    return doc;
  }

  TempDir dir;
  RecordingDialogs quiet;
  SetupDocument noSubs;
  pid_t sim_ = -1;
};

TEST_F(MeasureCli, TimeCorrectionAndAutomaticEqSaveWhatWasMeasured) {
  StartSim("12");
  const Outcome tcr = Measure("tcr", "in.tvn", "tcr.tvn");
  EXPECT_EQ(tcr.exitStatus, 0) << tcr.err;
  EXPECT_NE(tcr.err.find("AUTO TCR START"), std::string::npos) << tcr.err;
  const SetupDocument t = Load("tcr.tvn");
  EXPECT_DOUBLE_EQ(t.channelDelay[6], 3.7);
  EXPECT_EQ(t.measuredValue1, 17);
  EXPECT_EQ(t.profile.city, "Bremen");  // the rest of IN goes along

  const Outcome aeq = Measure("aeq", "in.tvn", "aeq.tvn", {"--mode", "front", "--parameters"});
  EXPECT_EQ(aeq.exitStatus, 0) << aeq.err;
  EXPECT_NE(aeq.err.find("AEQ PARAMETER LOAD"), std::string::npos);
  const SetupDocument e = Load("aeq.tvn");
  EXPECT_EQ(std::tuple(e.aeqMode, e.aeqActive, e.aeqParametersSaved), std::tuple(0x72, 1, 1));
  EXPECT_EQ(e.aeqParameters[1024 + 7],
            static_cast<std::int32_t>(ProcessorSimulator::MeasuredParameterWord(2, 7)));
  // Each result is kept as a snapshot named after the file it was saved as.
  const Outcome list = RunProgram(KRV5200_CLI, {"snapshots"}, Env(), dir.File("list"));
  EXPECT_NE(list.out.find("\taeq\t"), std::string::npos) << list.out;
  ASSERT_NE(list.out.find("\ttcr\t"), std::string::npos) << list.out;
  EXPECT_LT(list.out.find("_aeq_aeq.tvn\n"), list.out.find("_tcr_tcr.tvn\n"));  // newest first

  // Wrong arguments and an impossible mode change nothing.
  const Outcome impossible = Measure("aeq", "nosubs.tvn", "x.tvn", {"--mode", "sub"});
  EXPECT_EQ(impossible.exitStatus, 1);
  EXPECT_NE(impossible.err.find("both sub-woofers"), std::string::npos) << impossible.err;
  EXPECT_EQ(Measure("aeq", "in.tvn", "x.tvn").exitStatus, 1);
  EXPECT_EQ(Measure("tcr", "in.tvn", "").exitStatus, 1);
  ProcessorState st;
  ASSERT_TRUE(StopSim(st));
  EXPECT_FALSE(st.PcControl());
  EXPECT_EQ(st.measurement.finished, 2);
  EXPECT_EQ(st.counters.rejected + st.counters.checksumErrors, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.tvn")));
}

TEST_F(MeasureCli, CtrlCStopsTheMeasurementAndWritesNothing) {
  StartSim("1000000");
  const pid_t cli =
      Spawn(KRV5200_CLI, {"measure", "tcr", dir.File("in.tvn"), dir.File("out.tvn"), "--port", Port()}, Env(),
            dir.File("cli.out"), dir.File("cli.err"));
  // Interrupted once the measurement shows its progress.
  WaitUntil([&] { return ReadText(dir.File("cli.err")).find("AUTO TCR START") != std::string::npos; });
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
