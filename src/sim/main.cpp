// krv5200-sim: the simulated processor on a pseudo-terminal.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "sim/processor_simulator.h"
#include "sim/sim_options.h"
#include "sim/state_dump.h"

namespace {

volatile sig_atomic_t gStop = 0;
volatile sig_atomic_t gDump = 0;

void OnStop(int) { gStop = 1; }
void OnDump(int) { gDump = 1; }

bool InstallHandler(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: a signal ends the wait in ppoll at once
  return sigaction(signal, &action, nullptr) == 0;
}

std::int64_t MonotonicUs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

// A symbolic link that points at the terminal for as long as the program runs.
class TerminalLink {
 public:
  TerminalLink(std::string path, std::string target) : path_(std::move(path)), target_(std::move(target)) {}
  TerminalLink(const TerminalLink&) = delete;
  TerminalLink& operator=(const TerminalLink&) = delete;
  ~TerminalLink() { Remove(); }

  bool Create(std::string& error) {
    struct stat st {};
    if (lstat(path_.c_str(), &st) == 0) {
      // A link left behind by an earlier run is replaced; anything else is not ours to remove.
      if (!S_ISLNK(st.st_mode)) {
        error = path_ + " exists and is not a symbolic link";
        return false;
      }
      unlink(path_.c_str());
    }
    if (symlink(target_.c_str(), path_.c_str()) != 0) {
      error = "cannot create " + path_ + ": " + std::strerror(errno);
      return false;
    }
    created_ = true;
    return true;
  }

  void Remove() {
    if (!created_) return;
    created_ = false;
    // Only remove it while it still points at our terminal.
    std::vector<char> buffer(target_.size() + 2);
    const ssize_t n = readlink(path_.c_str(), buffer.data(), buffer.size());
    if (n >= 0 && std::string(buffer.data(), static_cast<std::size_t>(n)) == target_) unlink(path_.c_str());
  }

 private:
  std::string path_;
  std::string target_;
  bool created_ = false;
};

void WriteDump(const ProcessorSimulator& sim, const std::string& path) {
  if (path.empty()) return;
  if (!StateDump::WriteFile(sim.State(), path)) {
    std::fprintf(stderr, "krv5200-sim: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
  }
}

// Moves bytes between the terminal and the simulator until stopped. When the PC closes the
// terminal the master side reports a hang-up until it is opened again; the simulator then
// forgets the half-finished frame and the replies nobody will read.
void Serve(int master, ProcessorSimulator& sim, const SimOptions& options, std::int64_t startUs) {
  std::vector<std::uint8_t> pendingWrite;
  bool hungUp = true;  // nobody has opened the terminal yet
  while (!gStop) {
    if (gDump) {
      gDump = 0;
      WriteDump(sim, options.dumpPath);
    }
    const std::int64_t nowUs = MonotonicUs() - startUs;
    std::uint8_t byte = 0;
    while (sim.TakeOutput(byte, nowUs)) pendingWrite.push_back(byte);
    if (!pendingWrite.empty() && !hungUp) {
      const ssize_t n = write(master, pendingWrite.data(), pendingWrite.size());
      if (n > 0) pendingWrite.erase(pendingWrite.begin(), pendingWrite.begin() + n);
    }

    std::int64_t waitUs = 50'000;
    if (const auto next = sim.NextEventUs()) waitUs = std::clamp<std::int64_t>(*next - nowUs, 0, waitUs);
    if (!pendingWrite.empty()) waitUs = std::min<std::int64_t>(waitUs, 1000);
    if (hungUp) waitUs = 20'000;
    pollfd fd{master, POLLIN, 0};
    const timespec timeout{static_cast<time_t>(waitUs / 1'000'000),
                           static_cast<long>(waitUs % 1'000'000) * 1000};
    if (hungUp) {
      // Nothing to read until the PC opens the terminal again, and poll reports the hang-up at
      // once, so look again every 20 ms.
      nanosleep(&timeout, nullptr);
      const int ready = poll(&fd, 1, 0);
      if (ready < 0) continue;
      if (ready == 0) {
        hungUp = false;
        continue;
      }
      if ((fd.revents & POLLHUP) && !(fd.revents & POLLIN)) continue;
    } else if (ppoll(&fd, 1, &timeout, nullptr) <= 0) {
      continue;
    }

    bool lost = (fd.revents & (POLLHUP | POLLERR)) != 0;
    if (fd.revents & POLLIN) {
      std::uint8_t buffer[256];
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n > 0) {
        hungUp = false;
        const std::int64_t arrivedUs = MonotonicUs() - startUs;
        for (ssize_t i = 0; i < n; ++i) sim.Receive(buffer[i], arrivedUs);
        continue;
      }
      if (n < 0 && errno == EIO) lost = true;
    }
    if (lost && !hungUp) {
      hungUp = true;
      pendingWrite.clear();
      sim.ResetLine(MonotonicUs() - startUs);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  SimOptions options;
  std::string error;
  if (!SimOptions::Parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "krv5200-sim: %s\nTry 'krv5200-sim --help'.\n", error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(SimOptions::HelpText(), stdout);
    return 0;
  }

  std::ofstream log;
  if (!options.logPath.empty()) {
    log.open(options.logPath, std::ios::trunc);
    if (!log) {
      std::fprintf(stderr, "krv5200-sim: cannot write %s\n", options.logPath.c_str());
      return 1;
    }
  }

  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    std::fprintf(stderr, "krv5200-sim: cannot open a pseudo-terminal: %s\n", std::strerror(errno));
    return 1;
  }
  termios raw{};
  tcgetattr(slave, &raw);
  cfmakeraw(&raw);
  cfsetspeed(&raw, B9600);
  tcsetattr(slave, TCSANOW, &raw);
  // The terminal stays ours through the master side; holding the slave open as well would hide
  // the PC's closing of the port.
  close(slave);
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

  TerminalLink link(options.linkPath, name);
  if (!options.linkPath.empty() && !link.Create(error)) {
    std::fprintf(stderr, "krv5200-sim: %s\n", error.c_str());
    close(master);
    return 1;
  }
  if (!InstallHandler(SIGINT, OnStop) || !InstallHandler(SIGTERM, OnStop) ||
      !InstallHandler(SIGUSR1, OnDump)) {
    std::fprintf(stderr, "krv5200-sim: cannot install signal handlers\n");
    close(master);
    return 1;
  }
  signal(SIGPIPE, SIG_IGN);

  ProcessorSimulator sim(options.config);
  sim.Faults() = options.faults;
  if (log.is_open()) {
    sim.SetLogSink([&log](const std::string& line) { log << line << std::endl; });
  } else {
    sim.SetLogSink([](const std::string&) {});
  }

  std::printf("%s\n", name);
  std::fflush(stdout);
  std::fprintf(stderr, "krv5200-sim: processor on %s%s%s; stop with Ctrl-C\n", name,
               options.linkPath.empty() ? "" : ", linked at ", options.linkPath.c_str());

  Serve(master, sim, options, MonotonicUs());

  WriteDump(sim, options.dumpPath);
  link.Remove();
  close(master);
  return 0;
}
