#pragma once

class AeqStart;
class Clock;
class DeviceLink;
class Dialogs;
class MeasurementHost;
class Progress;
class SerialPort;

// How an automatic-EQ request ended.
enum class AeqOutcome {
  Ignored,          // no "AEQ Start" dialog was open
  Tidied,           // cancelled before the measurement began: AEQ switch off, nothing measured
  Finished,         // delays and values taken (and the parameter words, when asked for)
  Cancelled,        // "CANCEL" during the measurement: the processor was told, switches off
  ProcessorFailed,  // the processor reported a setting error: switches off
  LineFailed,       // a frame failed or the line died; reported, the form is offline
};

// The automatic-EQ run the form starts when "AEQ Start" posts its request (WM_USER+18): the AEQ
// switch goes on, the processor measures while the dialog shows its progress, the measured delays
// go into time correction, and on request the processor's AEQ parameter words come to the PC.
class AeqMeasurement {
 public:
  static constexpr int kMeasureKind = 0;

  AeqMeasurement(MeasurementHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs, Progress& parameter,
                 AeqStart& dialog);

  AeqOutcome Run();

 private:
  AeqOutcome Measure(DeviceLink& link);
  AeqOutcome Finish(DeviceLink& link);
  // False when the read broke off (reported, form offline).
  bool ReadParameterWords(DeviceLink& link);
  AeqOutcome Cancel(DeviceLink& link);
  // The end of a cancelled or refused measurement: every equalizer and time correction off.
  AeqOutcome Abort(AeqOutcome outcome);
  // The end after a failure the form has reported: the dialog closes and the buttons come back.
  AeqOutcome EndFailed();

  MeasurementHost& host_;
  SerialPort& port_;
  Clock& clock_;
  Dialogs& dialogs_;
  Progress& parameter_;
  AeqStart& dialog_;
};
