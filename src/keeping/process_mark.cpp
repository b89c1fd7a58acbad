#include "keeping/process_mark.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <fstream>
#include <sstream>

namespace {

struct ProcessStat {
  char state = '?';   // field 3: 'Z' for a process that has ended but not been collected
  std::string start;  // field 22
};

// Fields of /proc/PID/stat; an empty start when the process or the file system is not there.
ProcessStat ReadProcessStat(long pid) {
  ProcessStat stat;
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  const auto close = line.rfind(')');
  if (close == std::string::npos || close + 2 > line.size()) return stat;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  // Fields after the command name start at number 3.
  for (int number = 3; number <= 22 && fields >> field; ++number) {
    if (number == 3) stat.state = field.empty() ? '?' : field[0];
    if (number == 22) stat.start = field;
  }
  return stat;
}

std::string CurrentBootId() {
  std::ifstream in("/proc/sys/kernel/random/boot_id");
  std::string id;
  std::getline(in, id);
  return id;
}

std::string CurrentHostName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

}  // namespace

ProcessMark ProcessMark::Current() {
  ProcessMark mark;
  mark.pid = static_cast<long>(::getpid());
  mark.start = ReadProcessStat(mark.pid).start;
  mark.boot = CurrentBootId();
  mark.host = CurrentHostName();
  return mark;
}

bool ProcessMark::Running(const ProcessMark& mark) {
  if (mark.host != CurrentHostName()) return true;
  if (!mark.boot.empty() && mark.boot != CurrentBootId()) return false;
  if (mark.pid <= 0 || mark.pid > INT_MAX) return false;
  if (::kill(static_cast<pid_t>(mark.pid), 0) != 0 && errno == ESRCH) return false;
  const ProcessStat stat = ReadProcessStat(mark.pid);
  if (stat.state == 'Z' || stat.state == 'X') return false;
  return stat.start.empty() || mark.start.empty() || stat.start == mark.start;
}
