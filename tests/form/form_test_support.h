#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "common/message_pump.h"
#include "common/progress.h"
#include "common/virtual_clock.h"
#include "document/document_session.h"
#include "form/function_window_set.h"
#include "form/setup_form.h"
#include "link/serial_port.h"
#include "sim/in_memory_line.h"

namespace formtest {

// The form's timers on the virtual clock. Due timers fire from RunFor and from the pump, once
// each, never inside their own handler (as window timer messages arrive).
class FakeTimers : public Timers {
 public:
  explicit FakeTimers(VirtualClock& clock) : clock_(clock) {}
  SetupForm* form = nullptr;

  void Start(int id, int intervalMs) override {
    timers_[id] = Entry{intervalMs, clock_.NowUs() + std::int64_t{intervalMs} * 1000, timers_[id].firing};
  }
  void Stop(int id) override {
    if (timers_.count(id) != 0) timers_[id].interval = 0;
  }
  bool Running(int id) const { return timers_.count(id) != 0 && timers_.at(id).interval > 0; }

  void FireDue() {
    for (auto& [id, t] : timers_) {
      if (t.interval == 0 || t.firing || t.dueUs > clock_.NowUs()) continue;
      t.dueUs = std::max(t.dueUs + std::int64_t{t.interval} * 1000, clock_.NowUs());
      t.firing = true;
      const int fired = id;
      if (form != nullptr) form->OnTimer(fired);
      timers_[fired].firing = false;
    }
  }

  // Lets `ms` of virtual time pass, firing timers when they are due.
  void RunFor(int ms) {
    const std::int64_t endUs = clock_.NowUs() + std::int64_t{ms} * 1000;
    for (;;) {
      std::int64_t next = endUs + 1;
      for (const auto& [id, t] : timers_) {
        if (t.interval > 0 && !t.firing) next = std::min(next, t.dueUs);
      }
      if (next > endUs) break;
      if (next > clock_.NowUs()) clock_.AdvanceUs(next - clock_.NowUs());
      FireDue();
    }
    if (endUs > clock_.NowUs()) clock_.AdvanceUs(endUs - clock_.NowUs());
  }

 private:
  struct Entry {
    int interval = 0;
    std::int64_t dueUs = 0;
    bool firing = false;
  };
  VirtualClock& clock_;
  std::map<int, Entry> timers_;
};

// Delivers "window events" while a byte is on the wire: a test's own hook, then due timers.
class FakePump : public MessagePump {
 public:
  std::function<void()> onPump;
  FakeTimers* timers = nullptr;
  int count = 0;

  void Pump() override {
    ++count;
    if (onPump) onPump();
    if (timers != nullptr) timers->FireDue();
  }
};

class FakeView : public FormView {
 public:
  void FlashMainWindow() override { ++flashes; }
  void Refresh() override { ++refreshes; }
  void ReleaseCaptureAndCursor() override { ++releases; }
  void PrintSpectrum(const SpectrumLevels& levels) override { printed.push_back(levels); }
  void ShowStatusMessage(const std::string& text) override { statusMessages.push_back(text); }
  int flashes = 0;
  std::vector<std::string> statusMessages;
  int refreshes = 0;
  int releases = 0;
  std::vector<SpectrumLevels> printed;
};

class FakeProgress : public Progress {
 public:
  void Open() override { open = true; }
  bool IsOpen() const override { return open; }
  void SetRange(int, int) override {}
  void SetText(int line, std::string_view text) override {
    if (line == 0) texts.emplace_back(text);
  }
  void SetPosition(int) override {}
  void Close() override { open = false; }
  bool open = false;
  std::vector<std::string> texts;  // line 0, in order
};

class FakeDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override {
    messages.emplace_back(text);
    causes.emplace_back();
  }
  void ShowFailure(std::string_view text, std::string_view cause, MessageIcon icon) override {
    ShowMessage(text, icon);
    causes.back() = cause;
  }
  WelcomeChoice ShowWelcomeScreen() override {
    ++welcomes;
    return welcome;
  }
  bool ConfirmCopy() override { return copyOk; }
  bool ConfirmAeqIncomplete() override {
    ++aeqWarnings;
    return aeqWarningOk;
  }
  AeqParameterSource SelectAeqParameter() override { return aeqSource; }
  bool ConfirmAeqParameterSave(const std::function<void()>& keepAlive) override {
    if (whileAeqSaveOpen) whileAeqSaveOpen(keepAlive);
    return aeqSave;
  }
  bool ConfirmTcrChange() override {
    ++tcrWarnings;
    if (whileTcrWarningOpen) whileTcrWarningOpen();
    return tcrOk;
  }
  void EditProfile(CustomerProfile& profile) override {
    ++profileEdits;
    profile.city = "Bremen";
  }
  void ShowFinishScreen(bool countryIsUsa) override { finishUsa.push_back(countryIsUsa); }
  int SelectMemory(const std::function<void()>&) override { return memoryChoice; }

  std::vector<std::string> messages;
  std::vector<std::string> causes;  // the line under each message; "" for none
  int memoryChoice = kMemoryCancel;
  WelcomeChoice welcome = WelcomeChoice::SystemSetup;
  bool copyOk = true;
  bool aeqWarningOk = true;
  AeqParameterSource aeqSource = AeqParameterSource::None;
  bool aeqSave = false;
  // Runs while "AEQ PARAMETER SAVE" is open, given the dialog's keep-alive.
  std::function<void(const std::function<void()>&)> whileAeqSaveOpen;
  bool tcrOk = true;
  std::function<void()> whileTcrWarningOpen;
  int welcomes = 0;
  int aeqWarnings = 0;
  int tcrWarnings = 0;
  int profileEdits = 0;
  std::vector<bool> finishUsa;
};

// A function window that keeps whatever it is loaded with and reports the selection it is given.
class FakeWindow : public FunctionWindowObject {
 public:
  void Load(const SetupDocument& workingCopy) override {
    data = workingCopy;
    ++loads;
  }
  void Open(bool isOffline) override {
    open = true;
    offline = isOffline;
  }
  bool IsOpen() const override { return open; }
  void Close() override { open = false; }
  void SetOffline(bool isOffline) override { offline = isOffline; }
  void Refresh() override { ++refreshes; }
  const SetupDocument& Data() const override { return data; }
  int SelectedGroup() const override { return group; }
  int SelectedSide() const override { return side; }

  SetupDocument data;
  bool open = false;
  bool offline = true;
  int group = 0;
  int side = 0;
  int loads = 0;
  int refreshes = 0;
};

// The PC's complete frames as "letter argument ...", split from the bytes sent by the frame
// shapes; a frame still being sent is left out.
inline std::vector<std::string> Frames(const std::vector<std::uint8_t>& sent) {
  std::vector<std::string> out;
  std::size_t i = 0;
  auto arg = [&](std::size_t k) { return std::string(" ").append(std::to_string(sent[i + k])); };
  while (i < sent.size()) {
    const char letter = static_cast<char>(sent[i]);
    const std::size_t left = sent.size() - i;
    std::size_t length = 8;
    if (letter == 'R') length = 4;
    if (letter == 'J') length = 6;
    if (letter == 'I') length = left >= 6 ? 7u + sent[i + 5] : 7u;
    if (left < length) break;
    std::string f(1, letter);
    if (letter == 'R') {
      f += arg(1) + arg(2);
    } else if (letter == 'J' || letter == 'I') {
      const std::uint32_t address =
          std::uint32_t{sent[i + 2]} << 16 | std::uint32_t{sent[i + 3]} << 8 | sent[i + 4];
      f += arg(1) + " " + std::to_string(address);
    } else if (letter == 'S' || letter == 'C') {
      f += arg(1) + arg(2) + arg(3) + arg(4);
    } else if (letter == 'G') {
      f += arg(1) + arg(2) + arg(3);
    } else if (letter == 'B' || letter == 'D' || letter == 'H') {
      f += arg(1) + arg(2);
    } else if (letter != 'N') {
      f += arg(1);
    }
    out.push_back(f);
    i += length;
  }
  return out;
}

inline int Count(const std::vector<std::string>& frames, char letter) {
  int n = 0;
  for (const auto& f : frames) n += f[0] == letter ? 1 : 0;
  return n;
}

// The form with everything around it: the simulated processor on COM1, the five windows as fakes.
struct FormFixture : ::testing::Test {
  VirtualClock clock;
  InMemoryLine line{clock};
  FakeDialogs dialogs;
  FakeTimers timers{clock};
  FakePump pump;
  SerialPort port{line, dialogs, pump};
  FakeProgress rs232c;
  FakeProgress parameter;
  FakeView view;
  FakeWindow peq, geq, xover, tcr, spectrum;
  FunctionWindowSet windows;
  DocumentSession session;
  SetupForm form{port, clock, dialogs, rs232c, parameter, timers, view, windows, session};

  FormFixture() {
    windows.Install(FunctionWindow::Parametric, peq);
    windows.Install(FunctionWindow::Graphic, geq);
    windows.Install(FunctionWindow::Crossover, xover);
    windows.Install(FunctionWindow::TimeCorrection, tcr);
    windows.Install(FunctionWindow::Spectrum, spectrum);
    timers.form = &form;
    pump.timers = &timers;
    form.InitialUpdate();
  }

  void ConnectNow() {
    form.Connect(0);
    ASSERT_TRUE(form.Link().portOpen);
    line.ClearTraffic();
    dialogs.messages.clear();
  }
  std::vector<std::string> Sent() const { return Frames(line.Sent()); }
  const ProcessorSettings& Processor() { return line.State().settings; }
};

}  // namespace formtest
