#pragma once

#include <array>
#include <cstdint>

#include "common/function_switch.h"
#include "common/snapshot_sink.h"
#include "document/setup_document.h"
#include "link/memory_store.h"
#include "measure/measurement_results.h"

// What the automatic EQ and the automatic time correction need of the main form: the link
// supervision the memory store uses too, and the parts of the form's state a run reads and
// changes. The form stays the hub: a run changes switches and data only through here.
class MeasurementHost : public MemoryStoreHost {
 public:
  // The busy rule's answer to a second transfer: three flashes of the main window.
  virtual void FlashBusy() = 0;

  virtual const SetupDocument& WorkingCopy() const = 0;
  virtual bool FunctionSwitchOn(FunctionSwitch which) const = 0;
  // Sets an ON/OFF switch (and so its button's enabling) without sending anything.
  virtual void SetFunctionSwitchState(FunctionSwitch which, bool on) = 0;
  // The function buttons are disabled while a run owns the processor.
  virtual void SetFunctionButtonsLocked(bool locked) = 0;
  // Closes the parametric, graphic, crossover and time-correction windows.
  virtual void CloseFunctionWindows() = 0;
  virtual void CloseTimeCorrectionWindow() = 0;
  // Pauses the analyzer's read cycle, or resumes it (only while the analyzer's window is open).
  virtual void SetAnalyzerCycle(bool on) = 0;

  // The automatic-EQ mode code the form keeps, and the byte the operating-mode command carries
  // now (the mode while the AEQ switch is on, else 0x60).
  virtual int AeqMode() const = 0;
  virtual void SetAeqMode(int mode) = 0;
  virtual int AeqModeByte() const = 0;
  virtual void SetMeasuredSinceStart(bool measured) = 0;
  // The AEQ switch operation, as the form's check box runs it (it sends).
  virtual void SetAeqSwitch(bool on) = 0;
  virtual bool AeqSwitchOn() const = 0;
  // AEQ switch off, automatic EQ neither applied nor active; nothing is sent.
  virtual void ClearAeqSwitch() = 0;
  virtual void SetAeqParametersSaved(bool saved) = 0;
  virtual void SetTcrMeasuring(bool measuring) = 0;

  // Into the working copy and the document, which becomes modified: the measured delays and the
  // two values; the mode of the automatic EQ that measured; the processor's 2 x 1024 words.
  virtual void StoreMeasurement(const MeasurementResults& results) = 0;
  virtual void StoreAeqMode(int mode) = 0;
  virtual void StoreAeqParameters(const std::array<std::int32_t, kAeqWordCount>& words) = 0;
  // A run's result is in the document: the setup as it now stands is kept as a snapshot.
  virtual void KeepSnapshot(const SnapshotTrigger& trigger) { (void)trigger; }
};
