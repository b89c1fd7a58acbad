// krv5200-soak: connects, uploads, edits, stores and disconnects N times against krv5200-sim on
// a pseudo-terminal, through the real serial line, with a random fault switch in each run and
// now and then a cable pulled (the simulator stopped) at a random moment. Reports how each run
// ended, the slowest recovery from a fault and this process's memory before and after.
//
// usage: krv5200-soak SIM_PROGRAM RUNS [SEED]
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/dialogs.h"
#include "common/memory_settings.h"
#include "common/process.h"
#include "common/progress.h"
#include "common/temp_dir.h"
#include "document/setup_document.h"
#include "link/coefficient_word.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"
#include "link/serial_port.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/system_clock.h"

namespace {

class CollectingDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

class NoProgress : public Progress {
 public:
  void Open() override {}
  bool IsOpen() const override { return false; }
  void SetRange(int, int) override {}
  void SetText(int, std::string_view) override {}
  void SetPosition(int) override {}
  void Close() override {}
};

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// One run's simulator; a pulled cable stops it where it stands.
class Simulator {
 public:
  Simulator(const std::string& program, const TempDir& dir, const std::vector<std::string>& faults)
      : port_(dir.File("port")) {
    std::vector<std::string> args = {"--link", port_};
    args.insert(args.end(), faults.begin(), faults.end());
    pid_ = Spawn(program, args, {}, dir.File("sim.out"), dir.File("sim.err"));
    struct stat st {};
    for (int waited = 0; waited < 10000 && lstat(port_.c_str(), &st) != 0; waited += 10)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~Simulator() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  void PullCable() { kill(pid_, SIGSTOP); }
  const std::string& Port() const { return port_; }

 private:
  std::string port_;
  pid_t pid_ = -1;
};

struct RunResult {
  std::string outcome;      // "completed", or the step and the message that ended the run
  double recoveryMs = 0.0;  // from the fault to the reported failure
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: krv5200-soak SIM_PROGRAM RUNS [SEED]\n");
    return 2;
  }
  const std::string simProgram = argv[1];
  const int runs = std::atoi(argv[2]);
  const unsigned seed =
      argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : std::random_device{}();
  std::mt19937 random(seed);
  EnsureQtApplication();

  MemorySettings settings;
  settings.SetInt("RS_Set_Up", "BaudRate", 4000000);
  SystemClock clock;
  QtMessagePump pump;
  NoProgress progress;

  SetupDocument doc;
  doc.peqBands[0][0][3].gain = 6.0f;
  doc.channelDelay[4] = 3.3;

  long memoryBefore = 0;
  std::map<std::string, int> outcomes;
  double slowestRecoveryMs = 0.0;
  bool broken = false;
  for (int run = 0; run < runs; ++run) {
    TempDir dir;
    std::vector<std::string> faults;
    switch (random() % 5) {
      case 0:
        break;
      case 1:
        faults = {"--nak", std::to_string(random() % 8)};
        break;
      case 2:
        faults = {"--bad-checksum", std::to_string(random() % 6)};
        break;
      case 3:
        faults = {"--silent-after", std::to_string(random() % 300)};
        break;
      case 4:
        faults = {"--status", random() % 2 ? "S" : "0"};
        break;
    }
    const bool pullCable = random() % 3 == 0;
    // A whole run takes a few hundred milliseconds on a fast line.
    const int pullAfterMs = static_cast<int>(random() % 250);

    Simulator sim(simProgram, dir, faults);
    QtSerialLine line(settings);
    CollectingDialogs dialogs;
    SerialPort port(line, dialogs, pump);
    ConnectSequence sequence(port, clock, dialogs, progress);
    const auto start = std::chrono::steady_clock::now();
    auto elapsedMs = [&] {
      return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    std::thread puller;
    if (pullCable) {
      puller = std::thread([&sim, pullAfterMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(pullAfterMs));
        sim.PullCable();
      });
    }

    RunResult result{"completed", 0.0};
    double stepStart = 0.0;
    auto step = [&](const char* name, auto&& operation) {
      if (result.outcome != "completed") return;
      stepStart = elapsedMs();
      if (operation()) return;
      const double failedAt = elapsedMs();
      // The fault is the pulled cable when it came during this step, else the step itself.
      const double faultAt =
          pullCable && pullAfterMs > stepStart && pullAfterMs < failedAt ? pullAfterMs : stepStart;
      result.recoveryMs = failedAt - faultAt;
      result.outcome =
          std::string(name) + ": " + (dialogs.messages.empty() ? "NO MESSAGE" : dialogs.messages.back());
    };
    ConnectRequest request;
    request.portName = sim.Port();
    request.upload = UploadSetup::FromDocument(doc);
    step("connect", [&] { return sequence.Connect(request) == ConnectResult::Connected; });
    step("edit", [&] {
      DeviceLink link(port, clock);
      link.noPump = 1;
      doc.peqBands[0][0][3].gain = static_cast<float>(static_cast<int>(random() % 25) - 12);
      const bool sent =
          link.SetEqLevel(EqLevelCode(20, 0)) &&
          link.WriteBandCoefficients(EqGroup::Front, 0, 3,
                                     BandCoefficientSet(doc.peqBands[0][0][3], EqGroup::Front, 3)) &&
          link.SetDelay(OutputChannel::FrontLowL, doc.channelDelay[4]);
      if (!sent) dialogs.ShowMessage(ChecksumErrorText(3), MessageIcon::None);
      return sent;
    });
    step("store", [&] {
      DeviceLink link(port, clock);
      if (!link.StoreMemory(1 + static_cast<int>(random() % 6))) {
        dialogs.ShowMessage(ChecksumErrorText(0), MessageIcon::None);
        return false;
      }
      const int status = sequence.StatusCheck();
      return status != 0 && status != DeviceLink::kStatusSettingError;
    });
    step("disconnect", [&] {
      sequence.Disconnect(0);
      return !port.IsOpen();
    });
    if (puller.joinable()) puller.join();
    if (port.IsOpen()) port.ClosePort();

    if (result.outcome.find("NO MESSAGE") != std::string::npos) broken = true;
    std::string faultText = faults.empty() ? "none" : faults[0] + " " + faults[1];
    if (pullCable) faultText += ", cable pulled at " + std::to_string(pullAfterMs) + " ms";
    std::printf("run %3d  faults: %-40s  %s", run + 1, faultText.c_str(), result.outcome.c_str());
    if (result.outcome != "completed") std::printf("  (recovered in %.0f ms)", result.recoveryMs);
    std::printf("\n");
    std::fflush(stdout);
    ++outcomes[result.outcome];
    if (result.recoveryMs > slowestRecoveryMs) slowestRecoveryMs = result.recoveryMs;
    if (run == 0) memoryBefore = ResidentKiB();
  }
  const long memoryAfter = ResidentKiB();
  std::printf("\n%d runs (seed %u):\n", runs, seed);
  for (const auto& [name, count] : outcomes) std::printf("  %4d  %s\n", count, name.c_str());
  std::printf(
      "slowest recovery %.0f ms\nmemory after run 1: %ld KiB, after run %d: %ld KiB (growth %ld KiB)\n",
      slowestRecoveryMs, memoryBefore, runs, memoryAfter, memoryAfter - memoryBefore);
  if (broken) std::printf("a failure ended without a message\n");
  return broken ? 1 : 0;
}
