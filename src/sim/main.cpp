// krv5200-sim: the simulated processor on a pseudo-terminal.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/inotify.h>
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

bool WriteDump(const ProcessorSimulator& sim, const std::string& path) {
  if (path.empty()) return true;
  if (StateDump::WriteFile(sim.State(), path)) return true;
  std::fprintf(stderr, "krv5200-sim: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
  return false;
}

// Moves bytes between the terminal and the simulator until stopped. Each time the PC closes
// the terminal the simulator forgets the half-finished frame and the replies nobody will read,
// so a reconnect starts clean however quickly it follows. Opens and closes are seen through
// inotify on the terminal, which keeps their order even when the PC closes and reopens at once;
// where inotify is missing, the master's hang-up state stands in for it.
class TerminalServer {
 public:
  TerminalServer(int master, const std::string& terminal, ProcessorSimulator& sim, const SimOptions& options)
      : master_(master), sim_(sim), options_(options), startUs_(MonotonicUs()) {
    notify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notify_ >= 0 && inotify_add_watch(notify_, terminal.c_str(), IN_OPEN | IN_CLOSE) < 0) {
      close(notify_);
      notify_ = -1;
    }
  }
  TerminalServer(const TerminalServer&) = delete;
  TerminalServer& operator=(const TerminalServer&) = delete;
  ~TerminalServer() {
    if (notify_ >= 0) close(notify_);
  }

  void Run() {
    while (!gStop) {
      if (gDump) {
        gDump = 0;
        WriteDump(sim_, options_.dumpPath);
      }
      Flush();
      Wait();
    }
  }

 private:
  std::int64_t Now() const { return MonotonicUs() - startUs_; }

  void Flush() {
    std::uint8_t byte = 0;
    while (sim_.TakeOutput(byte, Now())) pending_.push_back(byte);
    if (pending_.empty() || !connected_) return;
    const ssize_t n = write(master_, pending_.data(), pending_.size());
    if (n > 0) pending_.erase(pending_.begin(), pending_.begin() + n);
  }

  void Wait() {
    std::int64_t waitUs = 50'000;
    if (const auto next = sim_.NextEventUs()) waitUs = std::clamp<std::int64_t>(*next - Now(), 0, waitUs);
    if (!pending_.empty() && connected_) waitUs = std::min<std::int64_t>(waitUs, 1000);
    const bool watchMaster = connected_ || notify_ < 0;
    if (!connected_ && notify_ < 0) {
      // No opens to watch: the master reports a hang-up at once while nobody has the terminal
      // open, so look again every 20 ms.
      waitUs = 20'000;
      const timespec pause{0, static_cast<long>(waitUs) * 1000};
      nanosleep(&pause, nullptr);
      waitUs = 0;
    }
    pollfd fds[2] = {{notify_, POLLIN, 0}, {watchMaster ? master_ : -1, POLLIN, 0}};
    const timespec timeout{static_cast<time_t>(waitUs / 1'000'000),
                           static_cast<long>(waitUs % 1'000'000) * 1000};
    const int ready = ppoll(fds, 2, &timeout, nullptr);
    if (ready < 0) return;
    if (notify_ < 0 && !connected_) {
      if (ready == 0 || (fds[1].revents & POLLIN)) connected_ = true;
      if (!connected_) return;
    }
    // Opens and closes first: bytes on the master after a close-and-reopen belong to the new
    // connection.
    if (fds[0].revents & POLLIN) ReadNotifications();
    if (fds[1].revents & POLLIN) {
      std::uint8_t buffer[256];
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) {
        const std::int64_t arrivedUs = Now();
        for (ssize_t i = 0; i < n; ++i) sim_.Receive(buffer[i], arrivedUs);
        return;
      }
    }
    if (fds[1].revents & (POLLHUP | POLLERR)) {
      if (notify_ < 0) {
        Disconnected();
      } else {
        // The close notification is on its way; do not spin on the hang-up meanwhile.
        const timespec pause{0, 2'000'000};
        nanosleep(&pause, nullptr);
      }
    }
  }

  void ReadNotifications() {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
      const ssize_t n = read(notify_, buffer, sizeof buffer);
      if (n <= 0) return;
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->mask & IN_OPEN) {
          ++openers_;
          connected_ = true;
        } else if ((event->mask & IN_CLOSE) && --openers_ <= 0) {
          Disconnected();
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  }

  void Disconnected() {
    openers_ = 0;
    if (!connected_) return;
    connected_ = false;
    pending_.clear();
    sim_.ResetLine(Now());
  }

  int master_;
  int notify_ = -1;
  ProcessorSimulator& sim_;
  const SimOptions& options_;
  std::int64_t startUs_;
  bool connected_ = false;  // somebody has the terminal open
  int openers_ = 0;
  std::vector<std::uint8_t> pending_;
};

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
  if (options.version) {
    std::printf("krv5200-sim %s\n", KRV5200_VERSION);
    return 0;
  }

  // Handlers first: a stop that comes while the terminal is being set up still ends cleanly.
  if (!InstallHandler(SIGINT, OnStop) || !InstallHandler(SIGTERM, OnStop) ||
      !InstallHandler(SIGUSR1, OnDump)) {
    std::fprintf(stderr, "krv5200-sim: cannot install signal handlers\n");
    return 1;
  }
  signal(SIGPIPE, SIG_IGN);

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

  ProcessorSimulator sim(options.config);
  sim.Faults() = options.faults;
  if (log.is_open()) {
    sim.SetLogSink([&log](const std::string& line) { log << line << std::endl; });
  } else {
    sim.SetLogSink([](const std::string&) {});
  }
  // The server watches the terminal before anyone can learn where it is, so that no open is missed.
  TerminalServer server(master, name, sim, options);
  TerminalLink link(options.linkPath, name);
  if (!options.linkPath.empty() && !link.Create(error)) {
    std::fprintf(stderr, "krv5200-sim: %s\n", error.c_str());
    close(master);
    return 1;
  }

  std::printf("%s\n", name);
  std::fflush(stdout);
  std::fprintf(stderr, "krv5200-sim: processor on %s%s%s; stop with Ctrl-C\n", name,
               options.linkPath.empty() ? "" : ", linked at ", options.linkPath.c_str());

  server.Run();

  const bool dumped = WriteDump(sim, options.dumpPath);
  link.Remove();
  close(master);
  return dumped ? 0 : 1;
}
