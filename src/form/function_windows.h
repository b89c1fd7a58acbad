#pragma once

#include <array>

#include "document/setup_document.h"

// The main form's function windows. The form owns one object per window for the life of the
// program; the window itself is created on first use and destroyed when closed. Each window
// works on its own copy of the data, handed over by Load, and edits only its own part of it.
enum class FunctionWindow { Parametric, Graphic, Crossover, TimeCorrection, Spectrum };
inline constexpr int kFunctionWindowCount = 5;

class FunctionWindows {
 public:
  virtual ~FunctionWindows() = default;

  // Copies the form's working copy into the window object, whether the window is open or not.
  // The graphic window turns gains into level codes (code = 9 - trunc(gain)) as it takes them.
  virtual void Load(FunctionWindow window, const SetupDocument& workingCopy) = 0;
  // Creates the window if needed and shows it, online or offline.
  virtual void Open(FunctionWindow window, bool offline) = 0;
  virtual bool IsOpen(FunctionWindow window) const = 0;
  virtual void Close(FunctionWindow window) = 0;
  // Offline windows edit without sending and offer "PRINT".
  virtual void SetOffline(FunctionWindow window, bool offline) = 0;
  // Re-reads the window's controls from the data it holds.
  virtual void Refresh(FunctionWindow window) = 0;

  // What the form takes back: the window's copy (the graphic window's gains as 9 - code dB, its
  // peak table and peak boost in the geq fields, the parametric window's in the peq fields) and
  // its selections: the channel group (the output channel for time correction) and the side
  // (the crossover's set). A window that was never built returns what it was loaded with.
  virtual const SetupDocument& Data(FunctionWindow window) const = 0;
  virtual int SelectedGroup(FunctionWindow window) const = 0;
  virtual int SelectedSide(FunctionWindow window) const = 0;

  // The crossover window's six group-present flags.
  virtual void SetPresence(const std::array<bool, kSpeakerGroupCount>& present) = 0;
  // The graphic window's band locks (0 none, 1 SubWoofer, 2 low Front bands, 3 both).
  virtual void SetBandLockMode(int mode) = 0;
};
