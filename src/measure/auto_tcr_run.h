#pragma once

class AutoTcrView;
class Clock;
class DeviceLink;
class Dialogs;
class MeasurementHost;
class SerialPort;

// How an automatic time correction ended.
enum class AutoTcrOutcome {
  NotConnected,     // "Port Not Connect"
  Busy,             // a transfer was running: the main window flashed
  NotConfirmed,     // "TCR_WARNING" cancelled or left alone
  Finished,         // the measured delays are in, time correction on
  Stopped,          // "STOP": the processor was told
  ProcessorFailed,  // the processor reported a setting error
  LineFailed,       // a frame failed or the line died; reported, the form is offline
};

// The automatic time correction behind the main form's "Auto Time Correction" button: after
// "TCR_WARNING" the processor measures the arrival time of every output while "TCR Start" shows
// the progress, then its delays replace the time correction's and time correction goes on.
class AutoTcrRun {
 public:
  static constexpr int kMeasureKind = 1;
  static constexpr int kProgressEnd = 100;

  AutoTcrRun(MeasurementHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs, AutoTcrView& view);

  AutoTcrOutcome Run();
  // "STOP": seen at the next poll that finds the processor still measuring.
  void Stop() { stopRequested_ = true; }
  bool StopRequested() const { return stopRequested_; }
  // Closes "TCR Start" (after a failed transfer).
  void CloseDialog();
  int Position() const { return position_; }

 private:
  AutoTcrOutcome Measure(DeviceLink& link);
  // The end of a stopped or refused measurement; `started`: a poll found it measuring.
  AutoTcrOutcome EndStopped(bool started, AutoTcrOutcome outcome);
  // The end after a failure the form has reported.
  AutoTcrOutcome EndFailed();

  MeasurementHost& host_;
  SerialPort& port_;
  Clock& clock_;
  Dialogs& dialogs_;
  AutoTcrView& view_;
  bool stopRequested_ = false;
  int polls_ = 0;
  int position_ = 0;
};
