#pragma once

#include <array>
#include <cstdint>

#include "common/automatic_runs.h"
#include "measure/aeq_measurement.h"
#include "measure/aeq_start.h"
#include "measure/auto_tcr_run.h"

class AeqStartView;
class AutoTcrView;
class Clock;
class Dialogs;
class FormRequestSink;
class MeasurementHost;
class Progress;
class SerialPort;

// The main form's automatic runs: the "AEQ Start" dialog with the automatic-EQ run it starts, and
// the automatic time correction. The form installs them and calls them through AutomaticRuns.
class MeasurementRuns : public AutomaticRuns {
 public:
  MeasurementRuns(MeasurementHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs,
                  Progress& parameter, FormRequestSink& requests, AeqStartView& aeqView,
                  AutoTcrView& tcrView);
  MeasurementRuns(const MeasurementRuns&) = delete;
  MeasurementRuns& operator=(const MeasurementRuns&) = delete;

  bool OpenAeqStart(const std::array<std::int32_t, kOutputCount>& speakerSwitch, int status,
                    int aeqMode) override;
  bool AeqStartOpen() const override { return aeqStart_.IsOpen(); }
  bool AeqStartWaiting() const override { return aeqStart_.IsOpen() && aeqStart_.StartEnabled(); }
  void AeqRun() override { lastAeq_ = aeqRun_.Run(); }
  void RunAutoTimeCorrection() override { lastTcr_ = tcrRun_.Run(); }
  void CloseTcrStart() override { tcrRun_.CloseDialog(); }

  AeqStart& AeqDialog() { return aeqStart_; }
  AutoTcrRun& Tcr() { return tcrRun_; }
  AeqOutcome LastAeqOutcome() const { return lastAeq_; }
  AutoTcrOutcome LastTcrOutcome() const { return lastTcr_; }

 private:
  AeqStart aeqStart_;
  AeqMeasurement aeqRun_;
  AutoTcrRun tcrRun_;
  AeqOutcome lastAeq_ = AeqOutcome::Ignored;
  AutoTcrOutcome lastTcr_ = AutoTcrOutcome::NotConnected;
};
