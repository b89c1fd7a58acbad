#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/automatic_runs.h"
#include "common/form_request.h"
#include "common/snapshot_sink.h"
#include "document/setup_document.h"
#include "eq/response_curve.h"
#include "form/form_controls.h"
#include "form/form_seams.h"
#include "form/function_windows.h"
#include "form/link_state.h"
#include "form/setup_edit.h"
#include "form/transfer_sequences.h"
#include "history/change_recorder.h"
#include "history/step_target.h"
#include "link/full_upload.h"
#include "link/memory_store.h"
#include "measure/analyzer_state.h"
#include "measure/measurement_host.h"

class Clock;
class DeviceLink;
class Dialogs;
class DocumentSession;
class Progress;
class SerialPort;

// The main setup form's logic (the brain of CQ5View): it owns the working copy of every processor
// parameter, takes back what the function windows hand over, writes it into the document and is
// the only place that decides a transfer. It supervises the link: connect and disconnect, the
// periodic status check, one transfer at a time with one remembered request, the analyzer's read
// cycle, and the recovery after a failed frame.
//
// Everything runs on the GUI thread. A transfer that pumps window events can re-enter the form
// (clicks, timer ticks, window requests); `linkBusy` is the only guard.
class SetupForm : public MeasurementHost, public StepTarget {
 public:
  static constexpr int kStatusTimer = 1;
  static constexpr int kAnalyzerTimer = 2;
  static constexpr int kDeferredStatusTimer = 3;
  static constexpr int kPortTextTimer = 4;
  static constexpr int kStatusIntervalMs = 5000;
  static constexpr int kAnalyzerIntervalMs = 1000;
  static constexpr int kDeferredStatusIntervalMs = 10;
  static constexpr int kPortTextIntervalMs = 1000;
  static constexpr int kFlashCount = 3;
  // Added to the applied peak boost to form the level code; the user never changes it.
  static constexpr int kPeakBase = 20;
  static constexpr int kAeqModeNone = 0x60;

  SetupForm(SerialPort& port, Clock& clock, Dialogs& dialogs, Progress& rs232c, Progress& parameter,
            Timers& timers, FormView& view, FunctionWindows& windows, DocumentSession& session);
  SetupForm(const SetupForm&) = delete;
  SetupForm& operator=(const SetupForm&) = delete;
  ~SetupForm() override = default;

  // The automatic-EQ dialog and the automatic time correction; none until installed.
  void SetAutomaticRuns(AutomaticRuns& runs) { runs_ = &runs; }
  // Where a copy of each whole setup that reached the processor goes; none until installed.
  void SetSnapshots(SnapshotSink& snapshots) { snapshots_ = &snapshots; }

  // ---- life cycle
  // When the form is first shown, and again after New and after Open.
  void InitialUpdate();
  // The form is destroyed: disconnect, then the closing screen.
  void Close();

  // ---- speaker buttons
  // Toggles the output's switch in the working copy and the document; the widget repaints.
  void PressSpeaker(OutputChannel channel);
  // What painting the picture does: sends the level of every output whose switch changed since
  // it was last applied (or, while a transfer runs, flips the switch back), then refreshes the
  // crossover window's group presence.
  void ApplySpeakerSwitches();

  // ---- switches, buttons, radios
  void SetFunctionSwitch(FunctionSwitch which, bool on);
  void SetAeqSwitch(bool on) override;
  void PressFunctionButton(FunctionButton button);
  void PressPrint();
  // 0 "Stereo", 1 "Mono".
  void SetSubWooferMode(int mode);

  // ---- menu commands
  // "COM1".."COM4" as 0..3.
  void Connect(int portIndex);
  // "OFF".
  void Disconnect();
  void DataOut();
  void ToggleAeqSave();
  void Copy(CopyTarget which);
  void ProfileData();

  // ---- one edit of the setup from outside the windows (an import, a fit): one undo step named
  // `stepText`. Refused with a status-bar note, changing nothing, while a transfer or an
  // automatic run holds the processor; false then.
  bool ApplyEdit(const SetupEdit& edit, const char* stepText);
  // ---- undo and redo: every change the form accepts goes to the recorder as a step
  ChangeRecorder& Recorder() { return recorder_; }
  // While connected, no step can go out during a transfer or a measurement.
  std::string StepBlocked() const override;
  void RestoreStep(SetupParts parts, const SetupDocument& values, const FunctionSwitches& switches) override;

  // ---- what the windows hand over, and the timers
  void HandleRequest(const FormRequest& request);
  void OnTimer(int id);

  // ---- what the widget shows
  bool FunctionSwitchOn(FunctionSwitch which) const override { return switches_[Slot(which)]; }
  bool AeqSwitchOn() const override { return aeqSwitch_; }
  bool FunctionButtonEnabled(FunctionButton button) const;
  bool PrintEnabled() const { return !link_.portOpen; }
  const std::string& StatusText() const { return statusText_; }
  int SubWooferMode() const { return work_.subWooferMode; }
  bool SpeakerOn(OutputChannel channel) const;
  bool PortItemEnabled(int portIndex) const;
  // Probes a port again, after the device it stands for was changed; not during a transfer.
  void ProbePort(int portIndex);
  bool OffItemEnabled() const { return true; }
  bool CopyEnabled() const { return !link_.portOpen; }
  bool ProfileDataEnabled() const { return !link_.portOpen; }
  bool AeqSaveChecked() const { return aeqSavedToggle_; }
  bool AnalyzerOpen() const { return analyzerOpen_; }

  const SetupDocument& WorkingCopy() const override { return work_; }
  const LinkState& Link() const { return link_; }
  int CurrentGroup() const { return currentGroup_; }
  int CurrentSide() const { return currentSide_; }
  int PeakBase() const { return peakBase_; }
  // The level code SetEqLevel carries after equalizer writes.
  int ActiveLevelCode() const { return EqLevelCode(peakBase_, work_.appliedPeakBoost); }

  // Shared with the analyzer window.
  AnalyzerState& Analyzer() { return analyzer_; }
  const SpectrumLevels& PrintLevels() const { return printLevels_; }

  // ---- the link as the memory store and the automatic runs use it
  bool PortOpen() override { return link_.portOpen; }
  bool LinkBusy() override { return link_.linkBusy; }
  // Clearing it ends a busy sequence, which replays a remembered disconnect.
  void SetLinkBusy(bool busy) override;
  void StopAnalyzer() override;
  // QueryStatus on a link of its own, pumping: 0 shows "Port Not Connect" and leaves the form
  // offline; 6 shows "SETTING ERROR" and ends an automatic time correction.
  int StatusCheck() override;
  // The one recovery after a failed frame: offline, progress and measurement windows closed,
  // "CHKSUM ERROR %d" with `value` (just "CHKSUM ERROR" for 0), automatic EQ off.
  void TransferFailed(int value) override;

  // ---- automatic-EQ and time-correction state, for their runs
  void FlashBusy() override { Flash(); }
  int AeqMode() const override { return aeqMode_; }
  void SetAeqMode(int mode) override { aeqMode_ = mode; }
  int AeqModeByte() const override { return aeqSwitch_ ? aeqMode_ : kAeqModeNone; }
  bool AeqApplied() const { return aeqApplied_; }
  void SetAeqApplied(bool applied) { aeqApplied_ = applied; }
  bool MeasuredSinceStart() const { return measuredSinceStart_; }
  void SetMeasuredSinceStart(bool measured) override { measuredSinceStart_ = measured; }
  bool TcrMeasuring() const { return tcrMeasuring_; }
  void SetTcrMeasuring(bool measuring) override { tcrMeasuring_ = measuring; }
  void ClearAeqSwitch() override;
  // The parameters-saved toggle, in the working copy and the document alike.
  void SetAeqParametersSaved(bool saved) override;
  void StoreMeasurement(const MeasurementResults& results) override;
  void StoreAeqMode(int mode) override;
  void StoreAeqParameters(const std::array<std::int32_t, kAeqWordCount>& words) override;
  // A snapshot that could not be written costs a note in the status bar, nothing more.
  void KeepSnapshot(const SnapshotTrigger& trigger) override;
  // The function buttons are disabled while an automatic run owns the processor.
  void SetFunctionButtonsLocked(bool locked) override;
  // Sets a switch without sending anything (the runs send for themselves).
  void SetFunctionSwitchState(FunctionSwitch which, bool on) override;
  // Closes the parametric, graphic, crossover and time-correction windows.
  void CloseFunctionWindows() override;
  void CloseTimeCorrectionWindow() override { CloseWindow(FunctionWindow::TimeCorrection); }
  void SetAnalyzerCycle(bool on) override;

 private:
  struct Selection {
    int group = 0;
    int side = 0;
  };
  // What the busy rule lets an operation do.
  enum class Gate { Offline, Busy, Go };

  static std::size_t Slot(FunctionSwitch w) { return static_cast<std::size_t>(w); }
  static std::size_t Slot(FunctionWindow w) { return static_cast<std::size_t>(w); }

  SetupDocument& Doc();
  ModeBytes Mode() const;
  void SetAppliedPeakBoost(int boost);
  void Flash();

  // The busy rule; on Busy the request has become the pending one or the window has flashed.
  Gate Check(PendingCode code, int arg1 = 0, int arg2 = 0);
  void EndBusy();
  void ReplayPending();
  void Replay(const PendingOperation& op);

  // Runs one send sequence inside `linkBusy`, without pumping; a failure ends in the recovery.
  template <typename Sequence>
  bool Transfer(Sequence&& sequence);
  // The same behind the "PARAMETER" window with its status line.
  template <typename Sequence>
  bool ParameterTransfer(const char* text, Sequence&& sequence);
  void RunStatusCheck();
  // A transfer, a measurement or the automatic EQ's start dialog holds the open link: an edit
  // from outside the windows, an undo or a redo has to wait.
  bool LinkHeld() const { return link_.portOpen && (link_.linkBusy || buttonsLocked_); }
  // A change was made: whatever differs from the last step becomes one (not while a step is
  // being restored). `text` names it where the values alone would not.
  void Record(const char* text = nullptr);
  // An automatic run's result, whatever it stores, is one step named after the run.
  template <typename Run>
  void RecordedRun(const char* text, Run&& run);
  // Opens the "PARAMETER" window with its status line.
  void OpenParameterWindow(const char* text);

  // Taking back: into the working copy and the document, modified flag set, selection updated.
  void TakeSelection(FunctionWindow window, int groupCount);
  // A window's part of its data, or one group of it.
  void TakeBack(FunctionWindow window, SetupPart part, int groupCount);
  bool TakeBackParametricGroup(int group);
  bool TakeBackGraphicGroup(int group);
  // A request's send flag: 0 opens a drag (pausing the analyzer), 1 resumes the paused analyzer.
  bool DragBegins(int sendFlag);

  void SendParametric(int band);
  void SendParametricReset(int group);
  void SendGraphic(int band);
  void SendGraphicReset(int group);
  void SendCrossover(int kind);
  void SendTimeCorrection(int channel);

  void ParametricSwitch(bool on);
  void GraphicSwitch(bool on);
  // What the two equalizer switches differ in; they exclude each other.
  struct EqualizerSwitchPlan {
    PendingCode pending;
    FunctionSwitch own;
    FunctionSwitch other;
    FunctionWindow ownWindow;
    FunctionWindow otherWindow;
    int peakBoost;
    const char* onText;
    const char* offText;
  };
  // `sendOn(link, side)` loads the equalizer, `sendOff(link)` flattens it.
  template <typename SendOn, typename SendOff>
  void EqualizerSwitch(bool on, const EqualizerSwitchPlan& plan, SendOn&& sendOn, SendOff&& sendOff);
  void DividerSwitch(bool on);
  void TimeCorrectionSwitch(bool on);
  bool SendAeqOn(DeviceLink& link);
  bool SendAeqOff(DeviceLink& link);

  void OpenFunctionWindow(FunctionWindow window);
  void OpenSpectrum();
  void CloseAnalyzer();
  void OpenAeqStart();
  void StartAutoTimeCorrection();
  void CloseWindow(FunctionWindow window);
  void SetOpenWindowsOffline(bool offline);
  void SetStatusText(const char* text);
  void AnalyzerTick();
  void ReadLevels();

  SerialPort& port_;
  Clock& clock_;
  Dialogs& dialogs_;
  Progress& rs232c_;
  Progress& parameter_;
  Timers& timers_;
  FormView& view_;
  FunctionWindows& windows_;
  DocumentSession& session_;
  NoAutomaticRuns noRuns_;
  AutomaticRuns* runs_ = &noRuns_;
  NoSnapshots noSnapshots_;
  SnapshotSink* snapshots_ = &noSnapshots_;

  SetupDocument work_;
  ChangeRecorder recorder_;
  bool restoring_ = false;
  const char* runText_ = nullptr;
  std::array<bool, kFunctionSwitchCount> switches_{true, false, true, true};
  std::string statusText_ = kPortCloseText;
  int peakBase_ = kPeakBase;
  int currentGroup_ = 0;
  int currentSide_ = 0;
  // Each window's last handed-back group and side: what its sends and replays address.
  std::array<Selection, kFunctionWindowCount> selections_{};
  std::array<std::int32_t, kOutputCount> appliedSwitches_{};

  bool aeqSwitch_ = false;
  std::int32_t aeqActive_ = 0;
  int aeqMode_ = kAeqModeNone;
  bool aeqSavedToggle_ = false;
  bool aeqApplied_ = false;
  bool measuredSinceStart_ = false;
  bool tcrMeasuring_ = false;
  // The start dialog's keep-alive query is on the line; a request to run waits for its end.
  bool keepAliveRunning_ = false;
  bool aeqRunDeferred_ = false;

  bool welcomeShown_ = false;
  bool buttonsLocked_ = false;
  bool analyzerOpen_ = false;
  LinkState link_;
  AnalyzerState analyzer_;
  SpectrumLevels printLevels_{};
};
