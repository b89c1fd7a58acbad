#pragma once

#include <array>
#include <cstdint>

#include "document/types.h"
#include "eq/equalizer_settings.h"

class AeqStartView;
class FormRequestSink;

// The "AEQ Start" dialog's rules: which modes the speakers and the processor allow, which one is
// preselected, what "START" and "CANCEL" do, and how far the progress bar has come. The form
// keeps the link busy for as long as the dialog is open; the run itself is AeqMeasurement's.
class AeqStart {
 public:
  static constexpr int kProgressEnd = 200;
  static constexpr int kModeCount = 3;
  // The radio buttons from top to bottom.
  static constexpr std::array<int, kModeCount> kModes = {kAeqModeFrontOnSubOn, kAeqModeFrontOnSubOff,
                                                         kAeqModeFrontOffSubOn};
  static constexpr std::array<const char*, kModeCount> kModeTexts = {
      "FRONT  ON/SubW  ON", "FRONT  ON/SubW  OFF", "FRONT  OFF/SubW  ON"};
  // Polls per step of the bar's second half: both halves of the car take twice as long.
  static constexpr int kSecondPhasePollsBoth = 88;
  static constexpr int kSecondPhasePolls = 44;

  AeqStart(FormRequestSink& requests, AeqStartView& view);

  // Opens the dialog for the speakers `speakerSwitch`. `status` is the processor's status code
  // (10 and 11 allow the sub-woofer modes); `aeqMode` is the form's current mode, which stays
  // selected when no mode is possible.
  void Open(const std::array<std::int32_t, kOutputCount>& speakerSwitch, int status, int aeqMode);
  void Close();
  bool IsOpen() const { return open_; }

  // ---- the controls
  // A mode radio button; an impossible mode, or any once the run has begun, is not taken.
  void SelectMode(int mode);
  // "START": disables itself, marks the dialog running and asks the form to run.
  void PressStart();
  // "CANCEL": stops a running measurement at its next poll, or asks the form to tidy up.
  void PressCancel();

  // ---- what the view shows
  int Mode() const { return mode_; }
  bool ModeEnabled(int mode) const;
  bool StartEnabled() const { return startEnabled_; }
  bool CancelEnabled() const { return cancelEnabled_; }
  bool Running() const { return running_; }
  int Position() const { return position_; }

  // ---- the run's side
  // The measurement begins, with the wait cursor. The processor measures every switched-on output
  // in turn: `divisor` is their number plus one.
  void BeginProgress(int divisor);
  // One status poll that found the processor still measuring.
  void StepProgress();
  void SetPosition(int position);

 private:
  void Show();

  FormRequestSink& requests_;
  AeqStartView& view_;
  bool open_ = false;
  bool frontPossible_ = false;
  bool subPossible_ = false;
  int mode_ = 0;
  bool running_ = false;
  bool startEnabled_ = true;
  bool cancelEnabled_ = true;
  int position_ = 0;
  int divisor_ = 1;
  int polls_ = 0;
  int secondPhasePolls_ = 0;
};
