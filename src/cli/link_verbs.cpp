// Verbs over the processor link: upload, status, store, spectrum.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/line_session.h"
#include "common/progress.h"
#include "common/snapshot_sink.h"
#include "document/setup_document.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"
#include "link/memory_store.h"
#include "link/serial_port.h"
#include "link/tracing_line.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"

namespace {

constexpr int kPeakBase = 20;
constexpr int kStartAeqMode = 96;

int RunUpload(CliContext& ctx);
int RunStatus(CliContext& ctx);
int RunStore(CliContext& ctx);
int RunSpectrum(CliContext& ctx);

const Verb kUpload{"upload",
                   "upload IN --port PORT [--eq peq|geq|off] [--no-divider] [--no-tcr] [--sides P,G,D]",
                   "open IN, connect on PORT as the \"I/O Port\" menu does (full upload and speaker levels), "
                   "then disconnect",
                   RunUpload};
const Verb kStatus{"status", "status --port PORT",
                   "print the processor's status code and its meaning; fails on a setting error (6) or a "
                   "dead line",
                   RunStatus};
const Verb kStore{"store", "store N --port PORT [--setup FILE]",
                  "store the processor's settings in its memory N (1..6); with --setup, FILE names the setup "
                  "the processor holds and is kept as the memory's snapshot",
                  RunStore};
const Verb kSpectrum{"spectrum", "spectrum --port PORT", "print the 31 spectrum-analyzer band levels",
                     RunSpectrum};

const VerbRegistrar kRegisterUpload(kUpload);
const VerbRegistrar kRegisterStatus(kStatus);
const VerbRegistrar kRegisterStore(kStore);
const VerbRegistrar kRegisterSpectrum(kSpectrum);

// The progress windows have nothing to show on a terminal.
class NoProgress : public Progress {
 public:
  void Open() override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void SetRange(int, int) override {}
  void SetText(int, std::string_view) override {}
  void SetPosition(int) override {}
  void Close() override { open_ = false; }

 private:
  bool open_ = false;
};

// The line, port and clock of one verb, with a progress that shows nothing.
struct Session : LineSession<> {
  using LineSession::LineSession;
  NoProgress progress;
};

// Takes "--port PORT" out of the arguments; false when it is missing.
bool TakePort(std::vector<std::string>& args, std::string& port) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--port") continue;
    if (i + 1 >= args.size()) return false;
    port = args[i + 1];
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    return !port.empty();
  }
  return false;
}

bool ParseSides(const std::string& text, UploadSetup& s) {
  int values[3] = {0, 0, 0};
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d,%d,%d%c", &values[0], &values[1], &values[2], &tail) != 3) return false;
  for (int v : values) {
    if (v < 0 || v > 2) return false;
  }
  s.peqSide = values[0];
  s.geqSide = values[1];
  s.dividerSide = values[2];
  return true;
}

int RunUpload(CliContext& ctx) {
  std::vector<std::string> args = ctx.args;
  std::string portName;
  if (!TakePort(args, portName)) return UsageError(kUpload, "--port PORT is required");
  std::string in;
  std::string eq = "peq";
  bool divider = true;
  bool tcr = true;
  std::string sides = "0,0,0";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--eq" && i + 1 < args.size()) {
      eq = args[++i];
    } else if (a == "--sides" && i + 1 < args.size()) {
      sides = args[++i];
    } else if (a == "--no-divider") {
      divider = false;
    } else if (a == "--no-tcr") {
      tcr = false;
    } else if (in.empty() && !a.starts_with("--")) {
      in = a;
    } else {
      return UsageError(kUpload, "unexpected argument '" + a + "'");
    }
  }
  if (in.empty()) return UsageError(kUpload, "expects the setup file IN");
  if (eq != "peq" && eq != "geq" && eq != "off") return UsageError(kUpload, "--eq takes peq, geq or off");

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, in, doc)) return 1;

  ConnectRequest request;
  request.portName = portName;
  request.upload = UploadSetup::FromDocument(doc);
  if (!ParseSides(sides, request.upload)) return UsageError(kUpload, "--sides takes three of 0, 1, 2: P,G,D");
  request.upload.peqOn = eq == "peq";
  request.upload.geqOn = eq == "geq";
  request.upload.dividerOn = divider;
  request.upload.tcrOn = tcr;
  request.upload.levelCode =
      EqLevelCode(kPeakBase, request.upload.peqOn ? doc.peqPeakBoost : doc.geqPeakBoost);
  request.aeqMode = doc.aeqParametersSaved == 1 ? doc.aeqMode : kStartAeqMode;
  request.subWooferMode = doc.subWooferMode;

  Session session(ctx);
  ConnectSequence sequence(session.port, session.clock, ctx.dialogs, session.progress);
  const ConnectResult result = sequence.Connect(request);
  if (session.port.IsOpen()) sequence.Disconnect(doc.subWooferMode);
  if (result == ConnectResult::Connected || result == ConnectResult::SettingError) {
    KeepCliSnapshot(kUpload.name, SnapshotTrigger::Connect(), doc, in);
  }
  // After "SETTING ERROR" the setup still went over, but the operation did not fully succeed.
  return result == ConnectResult::Connected ? 0 : 1;
}

int RunStatus(CliContext& ctx) {
  std::vector<std::string> args = ctx.args;
  std::string portName;
  if (!TakePort(args, portName) || !args.empty()) return UsageError(kStatus, "expects only --port PORT");
  Session session(ctx);
  if (!session.port.OpenPort(portName)) return 1;
  ConnectSequence sequence(session.port, session.clock, ctx.dialogs, session.progress);
  const int status = sequence.StatusCheck();
  session.port.ClosePort();
  // A dead line has no status: its message is on standard error and standard output stays empty.
  if (status == 0) return 1;
  std::printf("%d %s\n", status, StatusMeaning(status));
  return status == DeviceLink::kStatusSettingError ? 1 : 0;
}

// The memory choice made on the command line, confirmed at once.
class ChosenMemory : public Dialogs {
 public:
  ChosenMemory(Dialogs& messages, int memory) : messages_(messages), memory_(memory) {}
  void ShowMessage(std::string_view text, MessageIcon icon) override { messages_.ShowMessage(text, icon); }
  int SelectMemory(const std::function<void()>&) override {
    return ConfirmMemorySave(memory_) == 1 ? memory_ : kMemoryCancel;
  }
  int ConfirmMemorySave(int) override { return 1; }

 private:
  Dialogs& messages_;
  int memory_;
};

class CliForm : public MemoryStoreHost {
 public:
  CliForm(SerialPort& port, ConnectSequence& sequence, Dialogs& dialogs)
      : port_(port), sequence_(sequence), dialogs_(dialogs) {}
  bool PortOpen() override { return port_.IsOpen(); }
  bool LinkBusy() override { return busy_; }
  void SetLinkBusy(bool busy) override { busy_ = busy; }
  void StopAnalyzer() override {}
  int StatusCheck() override { return sequence_.StatusCheck(); }
  void TransferFailed(int value) override {
    dialogs_.ShowFailure(ChecksumErrorText(value), port_.FailureNote());
  }

 private:
  SerialPort& port_;
  ConnectSequence& sequence_;
  Dialogs& dialogs_;
  bool busy_ = false;
};

// Takes "--setup FILE" out of the arguments; false when FILE is missing.
bool TakeSetup(std::vector<std::string>& args, std::string& file) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != "--setup") continue;
    if (i + 1 >= args.size() || args[i + 1].empty()) return false;
    file = args[i + 1];
    args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
  }
  return true;
}

// The processor's memories cannot be read back, so the snapshot of a store is the setup the
// caller names; without a name nothing is guessed and no snapshot is kept.
constexpr const char* kNoStoreSnapshotNote =
    "krv5200-cli store: no snapshot kept: the processor's settings cannot be read back; name them with "
    "--setup FILE\n";

int RunStore(CliContext& ctx) {
  std::vector<std::string> args = ctx.args;
  std::string portName;
  std::string setupFile;
  if (!TakeSetup(args, setupFile)) return UsageError(kStore, "--setup needs a setup file");
  if (!TakePort(args, portName) || args.size() != 1) return UsageError(kStore, "expects N and --port PORT");
  const std::string& n = args[0];
  if (n.size() != 1 || n[0] < '1' || n[0] > '6') return UsageError(kStore, "N is a memory number 1..6");
  // The named setup is read first: one that cannot be read stops the store before it begins.
  SetupDocument setup;
  if (!setupFile.empty() && !OpenSetupArgument(ctx, setupFile, setup)) return 1;

  Session session(ctx);
  if (!session.port.OpenPort(portName)) return 1;
  ChosenMemory dialogs(ctx.dialogs, n[0] - '0');
  ConnectSequence sequence(session.port, session.clock, dialogs, session.progress);
  CliForm form(session.port, sequence, dialogs);
  MemoryStore store(form, session.port, session.clock, dialogs, session.progress);
  const MemoryStoreResult result = store.Run();
  session.port.ClosePort();
  if (result != MemoryStoreResult::Stored) return 1;
  if (setupFile.empty()) {
    std::fputs(kNoStoreSnapshotNote, stderr);
  } else {
    KeepCliSnapshot(kStore.name, SnapshotTrigger::Store(store.Memory()), setup, setupFile);
  }
  return 0;
}

int RunSpectrum(CliContext& ctx) {
  std::vector<std::string> args = ctx.args;
  std::string portName;
  if (!TakePort(args, portName) || !args.empty()) return UsageError(kSpectrum, "expects only --port PORT");
  Session session(ctx);
  if (!session.port.OpenPort(portName)) return 1;
  SpectrumLevels levels{};
  if (!ReadSpectrumLevels(ctx, session.port, session.clock, levels)) return 1;
  for (std::size_t i = 0; i < levels.size(); ++i) std::printf(i == 0 ? "%d" : " %d", levels[i]);
  std::printf("\n");
  session.port.ClosePort();
  return 0;
}

}  // namespace
