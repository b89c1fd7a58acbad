#pragma once

#include <array>
#include <functional>

#include "common/function_window_object.h"
#include "form/function_windows.h"

// FunctionWindows over one object per window; a window without an object of its own is a
// DataOnlyWindow. Presence and band locks go to the callbacks the crossover and graphic windows
// install.
class FunctionWindowSet : public FunctionWindows {
 public:
  FunctionWindowSet() {
    for (auto& w : windows_) w = &placeholder_[static_cast<std::size_t>(&w - windows_.data())];
  }

  // The set does not own the window objects; they must outlive it.
  void Install(FunctionWindow window, FunctionWindowObject& object) { windows_[Slot(window)] = &object; }
  std::function<void(const std::array<bool, kSpeakerGroupCount>&)> onPresence;
  std::function<void(int)> onBandLockMode;

  void Load(FunctionWindow w, const SetupDocument& workingCopy) override { At(w).Load(workingCopy); }
  void Open(FunctionWindow w, bool offline) override { At(w).Open(offline); }
  bool IsOpen(FunctionWindow w) const override { return At(w).IsOpen(); }
  void Close(FunctionWindow w) override { At(w).Close(); }
  void SetOffline(FunctionWindow w, bool offline) override { At(w).SetOffline(offline); }
  void Refresh(FunctionWindow w) override { At(w).Refresh(); }
  const SetupDocument& Data(FunctionWindow w) const override { return At(w).Data(); }
  int SelectedGroup(FunctionWindow w) const override { return At(w).SelectedGroup(); }
  int SelectedSide(FunctionWindow w) const override { return At(w).SelectedSide(); }
  void SetPresence(const std::array<bool, kSpeakerGroupCount>& present) override {
    presence_ = present;
    if (onPresence) onPresence(present);
  }
  void SetBandLockMode(int mode) override {
    bandLockMode_ = mode;
    if (onBandLockMode) onBandLockMode(mode);
  }

  const std::array<bool, kSpeakerGroupCount>& Presence() const { return presence_; }
  int BandLockMode() const { return bandLockMode_; }

 private:
  static std::size_t Slot(FunctionWindow w) { return static_cast<std::size_t>(w); }
  FunctionWindowObject& At(FunctionWindow w) const { return *windows_[Slot(w)]; }

  std::array<DataOnlyWindow, kFunctionWindowCount> placeholder_;
  std::array<FunctionWindowObject*, kFunctionWindowCount> windows_{};
  std::array<bool, kSpeakerGroupCount> presence_{true, true, true, true, true, true};
  int bandLockMode_ = 0;
};
