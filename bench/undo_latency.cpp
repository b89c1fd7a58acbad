// How soon the processor hears of an undo: the time from Ctrl+Z to the first byte of the undone
// band on the line, beside the time from a slider move to the first byte of the edit itself,
// against krv5200-sim on a pseudo-terminal paced at 9600 baud.
//   undo_latency SIM [RUNS]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/cq5_app.h"
#include "app/document_prompts.h"
#include "app/main_frame.h"
#include "common/dialogs.h"
#include "common/settings_store.h"
#include "eq/ui/parametric_eq_dialog.h"
#include "eq/ui/parametric_eq_window.h"
#include "form/ui/cq5_view.h"
#include "history/ui/undo_history.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/system_clock.h"

namespace {

class QuietDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override {
    std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
  }
};

class NoPrompts : public DocumentPrompts {
 public:
  SaveAnswer AskSaveChanges(const std::string&) override { return SaveAnswer::No; }
  std::string ChooseOpenFile(const std::string&) override { return {}; }
  std::string ChooseSaveFile(const std::string&) override { return {}; }
};

class NoSettings : public SettingsStore {
 public:
  int GetInt(std::string_view, std::string_view, int fallback) override { return fallback; }
  void SetInt(std::string_view, std::string_view, int) override {}
  std::string GetString(std::string_view, std::string_view, std::string_view fallback) override {
    return std::string(fallback);
  }
  void SetString(std::string_view, std::string_view, std::string_view) override {}
};

// The real line, noting when the first byte after Arm() goes out.
class StopwatchLine : public SerialLine {
 public:
  explicit StopwatchLine(SerialLine& inner) : inner_(inner) {}
  bool Open(const std::string& portName) override { return inner_.Open(portName); }
  bool Close() override { return inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  bool Probe(const std::string& portName) override { return inner_.Probe(portName); }
  std::string DeviceFor(const std::string& portName) const override { return inner_.DeviceFor(portName); }
  int SendByte(std::uint8_t byte) override {
    if (armed_) {
      armed_ = false;
      elapsedUs_ = timer_.nsecsElapsed() / 1000;
    }
    return inner_.SendByte(byte);
  }
  int ReceiveByte(std::uint8_t& byte) override { return inner_.ReceiveByte(byte); }

  void Arm() {
    elapsedUs_ = -1;
    armed_ = true;
    timer_.start();
  }
  qint64 ElapsedUs() const { return elapsedUs_; }

 private:
  SerialLine& inner_;
  QElapsedTimer timer_;
  bool armed_ = false;
  qint64 elapsedUs_ = -1;
};

double Median(std::vector<qint64> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0.0 : static_cast<double>(v[v.size() / 2]) / 1000.0;
}

// Lets the event loop run until `done` or two seconds have passed.
template <typename Done>
bool RunUntil(Done done) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < 2000) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return done();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: undo_latency SIM [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
  QTemporaryDir dir;
  const QString link = dir.filePath(QStringLiteral("port"));
  QProcess sim;
  sim.start(QString::fromLocal8Bit(argv[1]),
            {QStringLiteral("--link"), link, QStringLiteral("--baud"), QStringLiteral("9600")});
  if (!sim.waitForStarted() || !RunUntil([&] { return QFile::exists(link); })) {
    std::fprintf(stderr, "undo_latency: the simulator did not start\n");
    return 1;
  }
  qputenv("KRV5200_COM1", link.toLocal8Bit());

  NoSettings settings;
  QtSerialLine qtLine(settings);
  StopwatchLine line(qtLine);
  SystemClock clock;
  QuietDialogs dialogs;
  NoPrompts prompts;
  QtMessagePump pump;
  int status = 0;
  {
    CQ5App program(CQ5App::Services{settings, line, clock, dialogs, prompts, pump});
    program.Start({});
    ParametricEqWindow peq(program.View().Requests(), dialogs, &program.Frame());
    program.View().Windows().Install(FunctionWindow::Parametric, peq);
    SetupForm& form = program.View().Form();
    form.Connect(0);
    if (!form.Link().portOpen) {
      std::fprintf(stderr, "undo_latency: no connection to the simulator\n");
      return 1;
    }
    form.PressFunctionButton(FunctionButton::Parametric);
    QSlider* level = peq.Dialog()->LevelSlider();
    UndoHistory& history = program.View().History();
    const auto idle = [&] { return !form.Link().linkBusy; };

    std::vector<qint64> edits;
    std::vector<qint64> undos;
    for (int i = 0; i < runs; ++i) {
      line.Arm();
      level->setValue(i % 2 == 0 ? 6 : 8);  // +6 dB or +4 dB, as a slider move delivers it
      RunUntil([&] { return line.ElapsedUs() >= 0; });
      edits.push_back(line.ElapsedUs());
      RunUntil(idle);

      line.Arm();
      history.UndoAction()->trigger();
      undos.push_back(line.ElapsedUs());
      RunUntil(idle);
    }
    std::printf("first byte on the line, median of %d at 9600 baud:\n", runs);
    std::printf("  slider move (edit):  %.3f ms\n", Median(edits));
    std::printf("  Ctrl+Z (undo):       %.3f ms\n", Median(undos));
    form.Disconnect();
    status = std::count(undos.begin(), undos.end(), -1) == 0 ? 0 : 1;
  }
  sim.terminate();
  sim.waitForFinished();
  return status;
}
