// The automatic measurements from the command line: measure tcr, measure aeq.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/line_session.h"
#include "common/form_request.h"
#include "common/message_pump.h"
#include "common/progress.h"
#include "document/setup_document.h"
#include "document/setup_file.h"
#include "form/form_texts.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"
#include "link/serial_port.h"
#include "link/tracing_line.h"
#include "measure/aeq_start_view.h"
#include "measure/auto_tcr_view.h"
#include "measure/measurement_host.h"
#include "measure/measurement_runs.h"
#include "measure/speaker_layout.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"

namespace {

int RunMeasure(CliContext& ctx);

const Verb kMeasure{"measure", "measure tcr|aeq IN OUT --port PORT [--mode both|front|sub] [--parameters]",
                    "run the processor's automatic time correction (tcr) or automatic EQ (aeq, in --mode) on "
                    "PORT and save IN with the measured delays as OUT; --parameters also reads the 2048 "
                    "AEQ parameter words. Ctrl-C stops the measurement as STOP does",
                    RunMeasure};
const VerbRegistrar kRegisterMeasure(kMeasure);

constexpr const char* kStoppedText = "stopped; nothing was measured";

volatile sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
  constexpr char kNote[] = "krv5200-cli measure: stopping at the next poll (Ctrl-C again ends at once)\n";
  // Only async-signal-safe calls here; a second Ctrl-C takes the default way out.
  ssize_t written = write(STDERR_FILENO, kNote, sizeof kNote - 1);
  (void)written;
  signal(SIGINT, SIG_DFL);
}

// A progress bar on standard error: one line per change, or one line rewritten on a terminal.
class ProgressLine {
 public:
  void Show(const std::string& text, int position, int end) {
    if (text == text_ && position == position_) return;
    if (!text_.empty() && text != text_) Finish();
    text_ = text;
    position_ = position;
    std::fprintf(stderr, terminal_ ? "\r%s %3d/%d" : "%s %d/%d\n", text.c_str(), position, end);
    std::fflush(stderr);
    open_ = terminal_;
  }
  void Finish() {
    if (open_) std::fputc('\n', stderr);
    open_ = false;
    text_.clear();
    position_ = -1;
  }

 private:
  bool terminal_ = isatty(STDERR_FILENO) != 0;
  bool open_ = false;
  std::string text_;
  int position_ = -1;
};

ProgressLine& Line() {
  static ProgressLine line;
  return line;
}

// "AEQ Start", "TCR Start" and "PARAMETER" as progress lines.
class AeqStartLine : public AeqStartView {
 public:
  void Open(AeqStart& dialog) override { dialog_ = &dialog; }
  void Show() override {
    if (dialog_ != nullptr && dialog_->Running()) {
      Line().Show("AEQ  CALCULATE  START", dialog_->Position(), AeqStart::kProgressEnd);
    }
  }
  void Close() override {
    Line().Finish();
    dialog_ = nullptr;
  }
  void SetWaitCursor(bool) override {}

 private:
  AeqStart* dialog_ = nullptr;
};

class TcrStartLine : public AutoTcrView {
 public:
  void Open(AutoTcrRun&) override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void SetPosition(int position) override {
    Line().Show("AUTO TCR START", position, AutoTcrRun::kProgressEnd);
  }
  void Close() override {
    Line().Finish();
    open_ = false;
  }
  void SetWaitCursor(bool) override {}

 private:
  bool open_ = false;
};

class ParameterLine : public Progress {
 public:
  void Open() override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void SetRange(int, int high) override { high_ = high; }
  void SetText(int, std::string_view text) override { text_ = text; }
  void SetPosition(int position) override { Line().Show(text_, position, high_); }
  void Close() override {
    Line().Finish();
    open_ = false;
  }

 private:
  bool open_ = false;
  int high_ = kParameterProgressEnd;
  std::string text_;
};

// The questions the program would ask, answered by the command line.
class AnsweredDialogs : public Dialogs {
 public:
  AnsweredDialogs(Dialogs& messages, bool readParameters) : messages_(messages), read_(readParameters) {}
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    Line().Finish();
    messages_.ShowMessage(text, icon);
  }
  bool ConfirmTcrChange() override { return true; }
  bool ConfirmAeqParameterSave(const std::function<void()>&) override { return read_; }

 private:
  Dialogs& messages_;
  bool read_;
};

// Delivers the pending events as the program's pump does, and passes a Ctrl-C on while a poll
// waits on the line.
class InterruptiblePump : public MessagePump {
 public:
  void Pump() override {
    qt_.Pump();
    if (interrupted != 0 && onInterrupt) onInterrupt();
  }
  std::function<void()> onInterrupt;

 private:
  QtMessagePump qt_;
};

// The "AEQ Start" dialog's request to run, taken by the verb itself.
class PostedRun : public FormRequestSink {
 public:
  void Post(const FormRequest& request) override {
    posted += request.message == FormMessage::AeqFinish ? 1 : 0;
  }
  void Send(const FormRequest& request) override { Post(request); }
  int posted = 0;
};

// The main form as a measurement sees it, over one document and a port already connected.
class CliMeasurementHost : public MeasurementHost {
 public:
  CliMeasurementHost(SetupDocument& doc, SerialPort& port, Clock& clock, Dialogs& dialogs)
      : doc_(doc),
        port_(port),
        clock_(clock),
        dialogs_(dialogs),
        aeqMode_(doc.aeqParametersSaved == 1 ? doc.aeqMode : DeviceLink::kAeqOff) {}

  // Puts the processor under PC control and checks its status; false when that failed (reported).
  bool Connect(const std::string& portName) {
    DeviceLink link(port_, clock_);
    if (!link.OpenPort(portName)) return false;
    if (!link.SetOperatingMode(true, 1, DeviceLink::kAeqOff, doc_.subWooferMode)) {
      dialogs_.ShowFailure(kPcControlFailText, port_.FailureNote());
      return false;
    }
    portOpen_ = true;
    const int status = StatusCheck();
    return status != 0 && status != DeviceLink::kStatusSettingError;
  }
  void Disconnect() {
    if (port_.IsOpen()) ConnectSequence(port_, clock_, dialogs_, parameter_).Disconnect(doc_.subWooferMode);
  }

  bool PortOpen() override { return portOpen_; }
  bool LinkBusy() override { return busy_; }
  void SetLinkBusy(bool busy) override { busy_ = busy; }
  void StopAnalyzer() override {}
  int StatusCheck() override {
    const int status = ConnectSequence(port_, clock_, dialogs_, parameter_).StatusCheck();
    if (status == 0) portOpen_ = false;
    return status;
  }
  void TransferFailed(int value) override {
    portOpen_ = false;
    busy_ = false;
    if (port_.IsOpen()) port_.ClosePort();
    dialogs_.ShowFailure(ChecksumErrorText(value), port_.FailureNote());
    ClearAeqSwitch();
  }

  void FlashBusy() override {}
  const SetupDocument& WorkingCopy() const override { return doc_; }
  bool FunctionSwitchOn(FunctionSwitch which) const override {
    return switches_[static_cast<std::size_t>(which)];
  }
  void SetFunctionSwitchState(FunctionSwitch which, bool on) override {
    switches_[static_cast<std::size_t>(which)] = on;
  }
  void SetFunctionButtonsLocked(bool) override {}
  void CloseFunctionWindows() override {}
  void CloseTimeCorrectionWindow() override {}
  void SetAnalyzerCycle(bool) override {}

  int AeqMode() const override { return aeqMode_; }
  void SetAeqMode(int mode) override { aeqMode_ = mode; }
  int AeqModeByte() const override { return aeqSwitch_ ? aeqMode_ : DeviceLink::kAeqOff; }
  void SetMeasuredSinceStart(bool) override {}
  // Before a measurement the switch only tells the processor the mode.
  void SetAeqSwitch(bool on) override {
    DeviceLink link(port_, clock_);
    link.noPump = 1;
    const bool eqSelect = FunctionSwitchOn(FunctionSwitch::Parametric);
    if (!link.SetOperatingMode(true, eqSelect ? 1 : 0, on ? aeqMode_ : DeviceLink::kAeqOff,
                               doc_.subWooferMode)) {
      TransferFailed(on ? kAeqOnModeFailedValue : kAeqOffModeFailedValue);
      return;
    }
    aeqSwitch_ = on;
    doc_.aeqActive = on ? 1 : 0;
  }
  bool AeqSwitchOn() const override { return aeqSwitch_; }
  void ClearAeqSwitch() override {
    aeqSwitch_ = false;
    doc_.aeqActive = 0;
  }
  void SetAeqParametersSaved(bool saved) override { doc_.aeqParametersSaved = saved ? 1 : 0; }
  void SetTcrMeasuring(bool) override {}

  void StoreMeasurement(const MeasurementResults& results) override {
    for (int c = 0; c < kOutputCount; ++c)
      doc_.channelDelay[static_cast<std::size_t>(c)] = results.DelayMs(c);
    doc_.measuredValue1 = results.value1;
    doc_.measuredValue2 = results.value2;
  }
  void StoreAeqMode(int mode) override { doc_.aeqMode = mode; }
  void StoreAeqParameters(const std::array<std::int32_t, kAeqWordCount>& words) override {
    doc_.aeqParameters = words;
  }
  void KeepSnapshot(const SnapshotTrigger& trigger) override {
    KeepCliSnapshot(kMeasure.name, trigger, doc_, setupFile);
  }

  // The file the measured setup is saved as: it names the snapshots.
  std::string setupFile;

 private:
  SetupDocument& doc_;
  SerialPort& port_;
  Clock& clock_;
  Dialogs& dialogs_;
  ParameterLine parameter_;
  // The form's switches at start: parametric EQ, divider and time correction on.
  std::array<bool, kFunctionSwitchCount> switches_{true, false, true, true};
  bool portOpen_ = false;
  bool busy_ = false;
  bool aeqSwitch_ = false;
  int aeqMode_;
};

struct Arguments {
  std::string kind;
  std::string in;
  std::string out;
  std::string port;
  int mode = 0;
  bool parameters = false;
};

// Fills `a`; an empty result, or the problem for the usage message.
std::string Parse(const std::vector<std::string>& args, Arguments& a) {
  std::vector<std::string> positional;
  std::string mode;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--port" || arg == "--mode") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return arg + " needs a value";
      (arg == "--port" ? a.port : mode) = args[++i];
    } else if (arg == "--parameters") {
      a.parameters = true;
    } else if (arg.starts_with("--")) {
      return "unknown option '" + arg + "'";
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 3) return "expects tcr or aeq, then IN and OUT";
  a.kind = positional[0];
  a.in = positional[1];
  a.out = positional[2];
  if (a.kind != "tcr" && a.kind != "aeq") return "the measurement is tcr or aeq, not '" + a.kind + "'";
  if (a.port.empty()) return "--port PORT is required";
  if (a.kind == "tcr") {
    if (!mode.empty() || a.parameters) return "--mode and --parameters belong to aeq";
    return {};
  }
  if (mode == "both") {
    a.mode = kAeqModeFrontOnSubOn;
  } else if (mode == "front") {
    a.mode = kAeqModeFrontOnSubOff;
  } else if (mode == "sub") {
    a.mode = kAeqModeFrontOffSubOn;
  } else {
    return mode.empty() ? "aeq needs --mode both|front|sub" : "--mode takes both, front or sub";
  }
  return {};
}

// Runs "AEQ Start" as the form would, with the mode given; the outcome, or nothing when the
// dialog could not run (reported).
bool MeasureAeq(const Arguments& a, CliMeasurementHost& host, MeasurementRuns& runs, PostedRun& posted,
                InterruptiblePump& pump, Dialogs& dialogs, AeqOutcome& outcome) {
  const SetupDocument& doc = host.WorkingCopy();
  if (!FrontSpeakersSet(doc.speakerSwitch) && !SubWoofersSet(doc.speakerSwitch)) {
    dialogs.ShowMessage(kSpeakerNotSetupText);
    return false;
  }
  host.SetLinkBusy(true);
  const int status = host.StatusCheck();
  if (status == 0) return false;
  runs.OpenAeqStart(doc.speakerSwitch, status, host.AeqMode());
  AeqStart& dialog = runs.AeqDialog();
  if (!dialog.ModeEnabled(a.mode)) {
    std::fprintf(stderr, "krv5200-cli measure: this mode needs %s\n",
                 a.mode == kAeqModeFrontOnSubOff
                     ? "a front mid or low speaker switched on at each side"
                     : "both sub-woofers switched on and a processor that allows them (status 10 or 11)");
    dialog.PressCancel();
  } else {
    dialog.SelectMode(a.mode);
    dialog.PressStart();
  }
  pump.onInterrupt = [&dialog] { dialog.PressCancel(); };
  while (posted.posted > 0) {
    --posted.posted;
    runs.AeqRun();
  }
  outcome = runs.LastAeqOutcome();
  return true;
}

int RunMeasure(CliContext& ctx) {
  Arguments a;
  if (const std::string problem = Parse(ctx.args, a); !problem.empty()) return UsageError(kMeasure, problem);
  SetupDocument doc;
  if (!OpenSetupArgument(ctx, a.in, doc)) return 1;

  interrupted = 0;
  signal(SIGINT, OnInterrupt);
  LineSession<InterruptiblePump> session(ctx);
  AnsweredDialogs dialogs(ctx.dialogs, a.parameters);
  CliMeasurementHost host(doc, session.port, session.clock, dialogs);
  host.setupFile = a.out;
  PostedRun posted;
  AeqStartLine aeqLine;
  TcrStartLine tcrLine;
  ParameterLine parameterLine;
  MeasurementRuns runs(host, session.port, session.clock, dialogs, parameterLine, posted, aeqLine, tcrLine);

  bool measured = false;
  const char* stopped = nullptr;
  if (host.Connect(a.port)) {
    if (a.kind == "tcr") {
      session.pump.onInterrupt = [&runs] { runs.Tcr().Stop(); };
      runs.RunAutoTimeCorrection();
      measured = runs.LastTcrOutcome() == AutoTcrOutcome::Finished;
      if (runs.LastTcrOutcome() == AutoTcrOutcome::Stopped) stopped = kStoppedText;
    } else {
      AeqOutcome outcome = AeqOutcome::Ignored;
      if (MeasureAeq(a, host, runs, posted, session.pump, dialogs, outcome)) {
        measured = outcome == AeqOutcome::Finished;
        if (outcome == AeqOutcome::Cancelled) stopped = kStoppedText;
      }
    }
  }
  session.pump.onInterrupt = nullptr;
  host.Disconnect();
  signal(SIGINT, SIG_DFL);
  Line().Finish();
  if (stopped != nullptr) std::fprintf(stderr, "krv5200-cli measure: %s\n", stopped);
  if (!measured) return 1;
  return SetupFile::Save(a.out, doc, ctx.dialogs) ? 0 : 1;
}

}  // namespace
