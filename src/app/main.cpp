// krv5200: the PC setup tool for the KRV5200 sound processor.

#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/cq5_app.h"
#include "app/main_frame.h"
#include "app/qt_dialogs.h"
#include "app/qt_document_prompts.h"
#include "form/ui/cq5_view.h"
#include "platform/data_folder.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"

namespace {

const char* const kUsage = R"(Usage: krv5200 [OPTION]... [FILE.tvn]

The PC setup tool for the KRV5200 sound processor. FILE, when given, is opened at start as
"Open" does; a file that cannot be opened is reported and the tool starts with an untitled setup.

Ports: "COM1".."COM4" in the "I/O Port" menu stand for the devices chosen in "I/O Port" >
"Port Settings..." (kept in the settings section "Ports"; /dev/ttyS0../dev/ttyS3 until one is
chosen). The environment variables KRV5200_COM1..KRV5200_COM4 come first. The line settings
are those of the section "RS_Set_Up", chosen in the same dialog.

Every setup sent to the processor is kept as a snapshot ("File" > "Snapshots..."), and a setup
with unsaved changes in a recovery file that the next start offers when the program ended without
saving; both live in the data folder, ~/.local/share/Local AppWizard-Generated Applications/KRV5200.

Options:
  --no-welcome       start without the Welcome Screen (also KRV5200_NO_WELCOME=1)
  --startup-report   print how long the main window took to reach the screen and the memory in
                     use then, and quit (no Welcome Screen, no closing screen)
  -h, --help         show this text
      --version      show the program's version
)";

constexpr const char* kDesktopId = "com.torval.krv5200";

struct Options {
  bool noWelcome = false;
  bool startupReport = false;
  bool help = false;
  bool version = false;
  std::string file;
  std::string error;
};

// The options QApplication reads itself (and removes from its arguments).
bool QtOptionTakesValue(const std::string& arg) {
  for (const char* name : {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qmljsdebugger",
                           "-style", "-stylesheet", "-session", "-display", "-geometry", "-qwindowgeometry",
                           "-qwindowtitle", "-qwindowicon", "-title", "-name"}) {
    if (arg == name) return true;
  }
  return false;
}

bool IsQtOption(const std::string& arg) {
  return QtOptionTakesValue(arg) || arg == "-widgetcount" || arg == "-reverse" || arg == "-nograb" ||
         arg == "-dograb" || arg == "-sync" || arg.rfind("-platform=", 0) == 0 ||
         arg.rfind("-style=", 0) == 0;
}

// Read before the application object exists, so that --help and --version need no display.
// Qt's own options (-platform, -style ...) are left to QApplication.
Options Parse(int argc, char** argv) {
  Options options;
  const char* env = std::getenv("KRV5200_NO_WELCOME");
  options.noWelcome = env != nullptr && std::string(env) == "1";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-welcome") {
      options.noWelcome = true;
    } else if (arg == "--startup-report") {
      options.startupReport = true;
      options.noWelcome = true;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (IsQtOption(arg)) {
      if (QtOptionTakesValue(arg)) ++i;
    } else if (arg.size() > 1 && arg[0] == '-') {
      options.error = "unknown option " + arg;
    } else if (options.file.empty()) {
      options.file = arg;
    } else {
      options.error = "only one setup file can be opened";
    }
  }
  return options;
}

// Milliseconds since the kernel started this process.
double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  const auto close = line.rfind(')');
  if (close == std::string::npos) return -1.0;
  std::istringstream fields(line.substr(close + 2));
  std::string field;
  // Fields after the command name start at number 3; the start time is number 22.
  for (int number = 3; number < 22 && fields >> field; ++number) {
  }
  unsigned long long startTicks = 0;
  if (!(fields >> startTicks)) return -1.0;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
  return nowMs - static_cast<double>(startTicks) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// A line of /proc/self/status, such as "VmRSS", in kB.
long StatusKb(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
  }
  return -1;
}

// Reports once the main form has been painted, then ends the program.
class StartupReport : public QObject {
 public:
  StartupReport(std::chrono::steady_clock::time_point mainEntered) : mainEntered_(mainEntered) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_) {
      reported_ = true;
      QTimer::singleShot(0, [this] { Report(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Report() {
    const double sinceMain =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - mainEntered_).count();
    std::printf("main window on screen: %.0f ms after the process started (%.0f ms after main)\n",
                MsSinceProcessStart(), sinceMain);
    std::printf("memory in use: %ld kB resident (peak %ld kB)\n", StatusKb("VmRSS"), StatusKb("VmHWM"));
    std::fflush(stdout);
    QApplication::quit();
  }

  std::chrono::steady_clock::time_point mainEntered_;
  bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const auto mainEntered = std::chrono::steady_clock::now();
  const Options options = Parse(argc, argv);
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::printf("krv5200 %s\n", KRV5200_VERSION);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "krv5200: %s\nTry 'krv5200 --help'.\n", options.error.c_str());
    return 1;
  }
  QApplication app(argc, argv);
  // Ties the windows to the installed desktop entry (its icon and name in the desktop's shell).
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
  CQ5App::ApplyLook(app);

  QtSettingsStore settings;
  QtSerialLine line(settings);
  SystemClock clock;
  QtDialogs dialogs;
  QtDocumentPrompts prompts;
  QtMessagePump pump;
  dialogs.SetSkipWelcome(options.noWelcome);
  dialogs.SetSkipFinish(options.startupReport);

  CQ5App cq5({settings, line, clock, dialogs, prompts, pump});
  dialogs.SetParent(&cq5.Frame());
  prompts.SetParent(&cq5.Frame());
  // The start-up report quits at the first paint: no question may stand in its way.
  cq5.EnableKeeping(DataFolder::Path(), !options.startupReport);
  StartupReport report(mainEntered);
  if (options.startupReport) cq5.View().installEventFilter(&report);
  cq5.Start(options.file);
  return QApplication::exec();
}
