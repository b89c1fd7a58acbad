#include "measure/auto_tcr_run.h"

#include <algorithm>

#include "common/dialogs.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"
#include "measure/auto_tcr_view.h"
#include "measure/measurement_host.h"

AutoTcrRun::AutoTcrRun(MeasurementHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs,
                       AutoTcrView& view)
    : host_(host), port_(port), clock_(clock), dialogs_(dialogs), view_(view) {}

AutoTcrOutcome AutoTcrRun::Run() {
  host_.SetTcrMeasuring(true);
  if (!host_.PortOpen()) {
    host_.SetTcrMeasuring(false);
    dialogs_.ShowMessage(kPortNotConnectText);
    return AutoTcrOutcome::NotConnected;
  }
  if (host_.LinkBusy()) {
    host_.SetTcrMeasuring(false);
    host_.FlashBusy();
    return AutoTcrOutcome::Busy;
  }

  host_.SetLinkBusy(true);
  DeviceLink link(port_, clock_);
  link.noPump = 1;
  if (host_.StatusCheck() == 0) {
    // Reported; asking to measure on a dead line would only report it again.
    host_.SetTcrMeasuring(false);
    host_.SetLinkBusy(false);
    return AutoTcrOutcome::LineFailed;
  }
  if (!dialogs_.ConfirmTcrChange()) {
    host_.SetTcrMeasuring(false);
    host_.SetLinkBusy(false);
    return AutoTcrOutcome::NotConfirmed;
  }
  return Measure(link);
}

AutoTcrOutcome AutoTcrRun::Measure(DeviceLink& link) {
  host_.CloseFunctionWindows();
  host_.SetFunctionButtonsLocked(true);
  view_.SetWaitCursor(true);
  if (!link.StartMeasurement(kMeasureKind)) {
    host_.TransferFailed(0);
    return EndFailed();
  }
  polls_ = 0;
  position_ = 0;
  stopRequested_ = false;
  if (!view_.IsOpen()) view_.Open(*this);
  view_.SetPosition(0);
  const int divisor = MeasurementDivisor(host_.WorkingCopy().speakerSwitch);

  // Each poll runs on a link of its own that delivers window events, so "STOP" is seen.
  bool started = false;
  int status = 0;
  for (;;) {
    status = host_.StatusCheck();
    if (status != DeviceLink::kStatusMeasuring) break;
    started = true;
    ++polls_;
    position_ = std::min(polls_ / (2 * divisor), kProgressEnd);
    view_.SetPosition(position_);
    if (!stopRequested_) continue;
    const SetupDocument& work = host_.WorkingCopy();
    const bool eqSelect = host_.FunctionSwitchOn(FunctionSwitch::Parametric);
    if (link.SetOperatingMode(true, eqSelect ? 1 : 0, host_.AeqModeByte(), work.subWooferMode)) {
      host_.StatusCheck();
    } else {
      host_.TransferFailed(0);
    }
    return EndStopped(true, AutoTcrOutcome::Stopped);
  }
  if (status == 0) return EndFailed();
  if (status == DeviceLink::kStatusSettingError) return EndStopped(started, AutoTcrOutcome::ProcessorFailed);

  MeasurementResults results;
  if (!MeasurementResults::Read(link, results)) {
    host_.TransferFailed(0);
    return EndFailed();
  }
  host_.StoreMeasurement(results);
  host_.SetLinkBusy(false);
  view_.SetWaitCursor(false);
  CloseDialog();
  host_.SetFunctionSwitchState(FunctionSwitch::TimeCorrection, true);
  host_.SetFunctionButtonsLocked(false);
  host_.SetTcrMeasuring(false);
  host_.KeepSnapshot(SnapshotTrigger::Tcr());
  return AutoTcrOutcome::Finished;
}

AutoTcrOutcome AutoTcrRun::EndStopped(bool started, AutoTcrOutcome outcome) {
  if (host_.LinkBusy()) host_.SetLinkBusy(false);
  view_.SetWaitCursor(false);
  host_.SetFunctionButtonsLocked(false);
  CloseDialog();
  if (started) {
    // A measurement that began and did not end leaves the processor's delays unknown: time
    // correction stays off until the installer switches it on again.
    host_.CloseTimeCorrectionWindow();
    host_.SetFunctionSwitchState(FunctionSwitch::TimeCorrection, false);
  }
  host_.SetTcrMeasuring(false);
  return outcome;
}

AutoTcrOutcome AutoTcrRun::EndFailed() {
  if (host_.LinkBusy()) host_.SetLinkBusy(false);
  view_.SetWaitCursor(false);
  CloseDialog();
  host_.SetFunctionButtonsLocked(false);
  host_.SetTcrMeasuring(false);
  return AutoTcrOutcome::LineFailed;
}

void AutoTcrRun::CloseDialog() {
  if (view_.IsOpen()) view_.Close();
}
