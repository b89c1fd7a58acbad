// Runs the krv5200-sim program and talks to it through its pseudo-terminal by hand.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The program under test, started with its standard output on a pipe.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv;
      std::string program = KRV5200_SIM;
      argv.push_back(program.data());
      std::vector<std::string> copy = args;
      for (std::string& a : copy) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(out[1]);
    stdout_ = out[0];
  }
  ~SimProcess() {
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (stdout_ >= 0) close(stdout_);
  }

  // The first line the program prints, or "" when none comes within the time.
  std::string FirstLine(int timeoutMs) {
    std::string line;
    char c = 0;
    pollfd fd{stdout_, POLLIN, 0};
    while (poll(&fd, 1, timeoutMs) > 0 && read(stdout_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }

  // Sends the signal and waits for the exit; the exit status, or -1 when it did not end in time.
  int Stop(int signal, int timeoutMs) {
    kill(pid_, signal);
    for (int waited = 0; waited < timeoutMs; waited += 10) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -1;
  }

  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  bool reaped_ = false;
};

int OpenRaw(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return -1;
  termios t{};
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  cfsetspeed(&t, B9600);
  tcsetattr(fd, TCSANOW, &t);
  return fd;
}

// Reads up to n bytes, giving up after the time-out.
Bytes ReadBytes(int fd, std::size_t n, int timeoutMs) {
  Bytes out;
  pollfd p{fd, POLLIN, 0};
  while (out.size() < n && poll(&p, 1, timeoutMs) > 0) {
    std::uint8_t b[16];
    const ssize_t got = read(fd, b, std::min(sizeof b, n - out.size()));
    if (got <= 0) break;
    out.insert(out.end(), b, b + got);
  }
  return out;
}

// One status query the way the PC runs it, answering the letter's acknowledge and the status.
Bytes QueryStatus(int fd) {
  Bytes answer;
  const std::uint8_t letter = 'N';
  if (write(fd, &letter, 1) != 1) return answer;
  answer = ReadBytes(fd, 1, 2000);
  const std::uint8_t body[7] = {};
  if (write(fd, body, sizeof body) != static_cast<ssize_t>(sizeof body)) return answer;
  const Bytes status = ReadBytes(fd, 1, 2000);
  answer.insert(answer.end(), status.begin(), status.end());
  return answer;
}

bool WaitForLink(const std::string& link, int timeoutMs) {
  struct stat st {};
  for (int waited = 0; waited < timeoutMs; waited += 10) {
    if (lstat(link.c_str(), &st) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(SimPty, AnswersAStatusQueryOnItsLinkSurvivesReconnectsAndCleansUp) {
  char dirTemplate[] = "/tmp/krv5200-sim-test-XXXXXX";
  ASSERT_NE(mkdtemp(dirTemplate), nullptr);
  const std::string dir = dirTemplate;
  const std::string link = dir + "/port";
  const std::string dump = dir + "/state.txt";
  const std::string log = dir + "/frames.log";

  SimProcess sim({"--link", link, "--dump", dump, "--log", log, "--status", "0x38"});
  ASSERT_GT(sim.Pid(), 0);
  const std::string terminal = sim.FirstLine(10000);
  ASSERT_EQ(terminal.rfind("/dev/pts/", 0), 0u) << terminal;
  ASSERT_TRUE(WaitForLink(link, 5000));
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(std::string(target), terminal);

  for (int connection = 0; connection < 3; ++connection) {
    const int fd = OpenRaw(link);
    ASSERT_GE(fd, 0) << connection;
    ASSERT_EQ(QueryStatus(fd), (Bytes{'A', 0x38})) << connection << "\n" << ReadFile(log);
    // Leave a frame unfinished before closing: the next connection must not inherit it.
    const std::uint8_t partial[2] = {'D', 3};
    EXPECT_EQ(write(fd, partial, sizeof partial), 2);
    ASSERT_EQ(ReadBytes(fd, 1, 2000), Bytes{'A'}) << connection << "\n" << ReadFile(log);
    close(fd);
  }

  EXPECT_EQ(sim.Stop(SIGTERM, 5000), 0);
  struct stat st {};
  EXPECT_NE(lstat(link.c_str(), &st), 0);  // the link is gone

  const std::string state = ReadFile(dump);
  EXPECT_NE(state.find("\nframes N 3\n"), std::string::npos) << state.substr(0, 200);
  EXPECT_NE(state.find("\nmode 60\n"), std::string::npos);
  const std::string frames = ReadFile(log);
  EXPECT_NE(frames.find("in  N 4E 00 00 00 00 00 00 00  ok, status 38"), std::string::npos) << frames;
  EXPECT_NE(frames.find("line closed by the PC"), std::string::npos) << frames;

  std::remove(dump.c_str());
  std::remove(log.c_str());
  rmdir(dir.c_str());
}

TEST(SimPty, ExplainsItselfAndRefusesAWrongCommandLine) {
  {
    SimProcess help({"--help"});
    EXPECT_EQ(help.FirstLine(10000), "Usage: krv5200-sim [OPTION]...");
    EXPECT_EQ(help.Stop(0, 5000), 0);
  }
  SimProcess wrong({"--nak", "many"});
  EXPECT_EQ(wrong.Stop(0, 5000), 2);
}
