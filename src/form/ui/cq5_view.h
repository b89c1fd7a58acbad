#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "common/ui/progress_window.h"
#include "form/form_controls.h"
#include "form/form_seams.h"
#include "form/function_window_set.h"
#include "form/setup_form.h"
#include "form/ui/qt_form_request_queue.h"
#include "form/ui/qt_timers.h"
#include "link/serial_port.h"
#include "platform/qt_printed_report.h"

class Clock;
class CrossoverWindow;
class Dialogs;
class DocumentSession;
class MessagePump;
class SerialLine;
class GraphicEqWindow;
class ParametricEqWindow;
class SpectrumAnalyzerWindow;
class TimeCorrectionWindow;
class AeqStartWindow;
class MeasurementRuns;
class TcrStartWindow;
class UndoHistory;
class SpeakerPanel;

// The main setup form's window: the speaker picture with its switch buttons, the function
// buttons with their ON/OFF switches, "PRINT", the port state and the sub-woofer mode. It only
// lays out and paints; every click goes to the form's logic, which decides everything.
class CQ5View : public QWidget, public FormView {
  Q_OBJECT

 public:
  CQ5View(DocumentSession& session, SerialLine& line, Clock& clock, Dialogs& dialogs, MessagePump& pump,
          QWidget* parent = nullptr);
  ~CQ5View() override;

  // Builds the function windows that exist and puts them into the form's window set; their
  // windows stand in front of `dialogParent` (the main frame). The others stay data-only.
  void InstallFunctionWindows(QWidget* dialogParent, Dialogs& dialogs);
  // Builds the automatic EQ and time correction with their dialogs in front of `dialogParent`
  // and gives them to the form.
  void InstallAutomaticRuns(QWidget* dialogParent, Dialogs& dialogs);
  MeasurementRuns* Runs() const { return runs_.get(); }
  AeqStartWindow* AeqStart() const { return aeqStart_.get(); }
  TcrStartWindow* TcrStart() const { return tcrStart_.get(); }

  SetupForm& Form() { return *form_; }
  ParametricEqWindow* ParametricWindow() const { return parametricWindow_.get(); }
  // The undo history of the setup, with the Edit menu's actions.
  UndoHistory& History() { return *history_; }
  GraphicEqWindow* GraphicWindow() const { return graphicWindow_.get(); }
  FunctionWindowSet& Windows() { return windows_; }
  FormRequestSink& Requests() { return requests_; }
  // The crossover window object, once installed.
  CrossoverWindow* Crossover() const { return crossoverWindow_.get(); }
  SerialPort& Port() { return port_; }
  ProgressWindow& Rs232cWindow() { return *rs232c_; }
  ProgressWindow& ParameterWindow() { return *parameter_; }

  // The controls, for the frame's enabling and for tests.
  QPushButton* SpeakerButton(OutputChannel channel) const;
  QPushButton* FunctionButtonWidget(FunctionButton button) const {
    return functionButtons_[static_cast<std::size_t>(button)];
  }
  QCheckBox* SwitchBox(FunctionSwitch which) const { return switchBoxes_[static_cast<std::size_t>(which)]; }
  QCheckBox* AeqSwitchBox() const { return aeqBox_; }
  QPushButton* PrintButton() const { return print_; }
  QLineEdit* StatusBox() const { return status_; }
  QRadioButton* StereoRadio() const { return stereo_; }
  QRadioButton* MonoRadio() const { return mono_; }

  // Runs after every refresh, so that the frame can follow the form's state.
  std::function<void()> onRefresh;

  // FormView
  void FlashMainWindow() override;
  void Refresh() override;
  void ReleaseCaptureAndCursor() override;
  void FitFrame() override;
  void ShowStatusMessage(const std::string& text) override;
  void PrintSpectrum(const SpectrumLevels& printLevels) override;
  // The print dialog behind "PRINT": the standard one unless another is given (tests cancel it
  // or let it print to a file). Null restores the standard one.
  void SetPrintDialog(QtPrintedReport::PrintDialog* dialog);

  QSize sizeHint() const override { return QSize(1160, 700); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QWidget* BuildFunctionPanel();
  // Sets every control from the form's state.
  void ShowState();
  // Painting the speaker picture applies the switches (sends the changed levels); it runs from
  // the event loop rather than from inside a paint, because a send delivers events itself.
  void ScheduleSpeakerPaint();

  SerialPort port_;
  Clock& clock_;
  std::unique_ptr<ProgressWindow> rs232c_;
  std::unique_ptr<ProgressWindow> parameter_;
  QtTimers timers_;
  FunctionWindowSet windows_;
  QtFormRequestQueue requests_;
  std::unique_ptr<ParametricEqWindow> parametricWindow_;
  std::unique_ptr<GraphicEqWindow> graphicWindow_;
  std::unique_ptr<CrossoverWindow> crossoverWindow_;
  std::unique_ptr<TimeCorrectionWindow> timeCorrectionWindow_;
  std::unique_ptr<SpectrumAnalyzerWindow> spectrumWindow_;
  std::unique_ptr<QtPrintedReport::StandardPrintDialog> standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_ = nullptr;
  std::unique_ptr<AeqStartWindow> aeqStart_;
  std::unique_ptr<TcrStartWindow> tcrStart_;
  std::unique_ptr<MeasurementRuns> runs_;
  std::unique_ptr<SetupForm> form_;
  std::unique_ptr<UndoHistory> history_;

  SpeakerPanel* speakers_ = nullptr;
  std::array<QPushButton*, kFunctionButtonCount> functionButtons_{};
  std::array<QCheckBox*, kFunctionSwitchCount> switchBoxes_{};
  QCheckBox* aeqBox_ = nullptr;
  QPushButton* print_ = nullptr;
  QLineEdit* status_ = nullptr;
  QRadioButton* stereo_ = nullptr;
  QRadioButton* mono_ = nullptr;
  bool paintQueued_ = false;
  bool showingState_ = false;
  bool flashing_ = false;
};
