#include "measure/aeq_measurement.h"

#include "common/dialogs.h"
#include "common/parameter_texts.h"
#include "common/progress.h"
#include "link/device_link.h"
#include "measure/aeq_start.h"
#include "measure/measurement_host.h"

namespace {

constexpr int kWordsPerProgressStep = 8;

}  // namespace

AeqMeasurement::AeqMeasurement(MeasurementHost& host, SerialPort& port, Clock& clock, Dialogs& dialogs,
                               Progress& parameter, AeqStart& dialog)
    : host_(host), port_(port), clock_(clock), dialogs_(dialogs), parameter_(parameter), dialog_(dialog) {}

AeqOutcome AeqMeasurement::Run() {
  if (!dialog_.IsOpen()) return AeqOutcome::Ignored;
  if (!dialog_.Running() || !host_.PortOpen()) {
    // Cancelled before it began, or the keep-alive found the line dead meanwhile.
    host_.ClearAeqSwitch();
    dialog_.Close();
    host_.SetFunctionButtonsLocked(false);
    host_.SetLinkBusy(false);
    return AeqOutcome::Tidied;
  }

  host_.SetAnalyzerCycle(false);
  host_.SetAeqMode(dialog_.Mode());
  // With nothing measured yet, switching on only tells the processor the mode.
  host_.SetMeasuredSinceStart(false);
  if (!host_.FunctionSwitchOn(FunctionSwitch::TimeCorrection)) {
    host_.SetFunctionSwitchState(FunctionSwitch::TimeCorrection, true);
  }
  host_.SetLinkBusy(false);
  // A disconnect remembered while the dialog was open runs as the link comes free.
  if (!host_.PortOpen()) return EndFailed();
  host_.SetAeqSwitch(true);
  host_.SetMeasuredSinceStart(true);
  if (!host_.PortOpen() || !host_.AeqSwitchOn()) return EndFailed();  // reported
  host_.SetLinkBusy(true);

  DeviceLink link(port_, clock_);
  link.noPump = 1;
  return Measure(link);
}

AeqOutcome AeqMeasurement::Measure(DeviceLink& link) {
  dialog_.BeginProgress(MeasurementDivisor(host_.WorkingCopy().speakerSwitch));
  if (!link.StartMeasurement(kMeasureKind)) {
    host_.TransferFailed(0);
    return EndFailed();
  }
  // Each poll runs on a link of its own that delivers window events, so "CANCEL" is seen.
  int status = 0;
  for (;;) {
    status = host_.StatusCheck();
    if (status != DeviceLink::kStatusMeasuring) break;
    dialog_.StepProgress();
    if (!dialog_.Running()) return Cancel(link);
  }
  if (status == 0) return EndFailed();
  if (status == DeviceLink::kStatusSettingError) return Abort(AeqOutcome::ProcessorFailed);
  return Finish(link);
}

AeqOutcome AeqMeasurement::Finish(DeviceLink& link) {
  MeasurementResults results;
  if (!MeasurementResults::Read(link, results)) {
    host_.TransferFailed(0);
    return EndFailed();
  }
  host_.StoreMeasurement(results);
  host_.StoreAeqMode(host_.AeqMode());
  dialog_.SetPosition(AeqStart::kProgressEnd);
  dialog_.Close();

  const bool save = dialogs_.ConfirmAeqParameterSave([this] {
    // A dead line has been reported once; the question stays open without asking again.
    if (host_.PortOpen()) host_.StatusCheck();
  });
  if (!save) host_.SetAeqParametersSaved(false);
  bool complete = true;
  if (save) complete = host_.PortOpen() && ReadParameterWords(link);

  host_.SetFunctionButtonsLocked(false);
  host_.SetLinkBusy(false);
  // The measured delays are in the setup, with the words when they came.
  host_.KeepSnapshot(SnapshotTrigger::Aeq());
  // When the words did not come the form is offline already; the measured delays stay.
  if (!complete) return AeqOutcome::LineFailed;
  host_.SetAnalyzerCycle(true);
  return AeqOutcome::Finished;
}

bool AeqMeasurement::ReadParameterWords(DeviceLink& link) {
  parameter_.Open();
  parameter_.SetRange(0, kParameterProgressEnd);
  parameter_.SetText(0, kAeqParameterLoadText);
  std::array<std::int32_t, kAeqWordCount> words{};
  for (int w = 0; w < kAeqBlockWords; ++w) {
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    const auto address = static_cast<std::uint32_t>(w);
    if (!link.ReadParameterWord(1, address, first) || !link.ReadParameterWord(2, address, second)) {
      host_.TransferFailed(w);
      return false;
    }
    words[static_cast<std::size_t>(w)] = static_cast<std::int32_t>(first & 0xFFFFFF);
    words[static_cast<std::size_t>(kAeqBlockWords + w)] = static_cast<std::int32_t>(second & 0xFFFFFF);
    parameter_.SetPosition(w / kWordsPerProgressStep);
  }
  parameter_.Close();
  host_.StoreAeqParameters(words);
  // Only a complete copy counts as saved.
  host_.SetAeqParametersSaved(true);
  return true;
}

AeqOutcome AeqMeasurement::Cancel(DeviceLink& link) {
  host_.SetAeqMode(DeviceLink::kAeqOff);
  const bool eqSelect = host_.FunctionSwitchOn(FunctionSwitch::Parametric);
  if (link.SetOperatingMode(true, eqSelect ? 1 : 0, DeviceLink::kAeqOff, host_.WorkingCopy().subWooferMode)) {
    // A dead line is reported here; the tidy-up below holds either way.
    host_.StatusCheck();
  } else {
    host_.TransferFailed(0);
  }
  return Abort(AeqOutcome::Cancelled);
}

AeqOutcome AeqMeasurement::Abort(AeqOutcome outcome) {
  host_.SetLinkBusy(false);
  host_.SetAnalyzerCycle(true);
  dialog_.Close();
  for (FunctionSwitch s :
       {FunctionSwitch::Parametric, FunctionSwitch::Graphic, FunctionSwitch::TimeCorrection}) {
    host_.SetFunctionSwitchState(s, false);
  }
  host_.ClearAeqSwitch();
  host_.SetFunctionButtonsLocked(false);
  return outcome;
}

AeqOutcome AeqMeasurement::EndFailed() {
  dialog_.Close();
  host_.ClearAeqSwitch();
  host_.SetFunctionButtonsLocked(false);
  if (host_.LinkBusy()) host_.SetLinkBusy(false);
  // The analyzer's reading, paused for the run, goes on wherever its window is still open.
  host_.SetAnalyzerCycle(true);
  return AeqOutcome::LineFailed;
}
