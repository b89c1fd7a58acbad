#pragma once

#include <array>
#include <string>
#include <string_view>

#include "document/setup_document.h"
#include "document/types.h"

class Dialogs;
class FormRequestSink;
class ReportTarget;
struct ReportDate;

// Delays run from 0 to 20.0 ms in steps of 0.1 ms; the slider shows the step count.
inline constexpr int kDelaySliderMax = 200;
inline constexpr double kDelayMaxMs = 20.0;

// Enter looks for the edited box in this order of outputs.
inline constexpr std::array<int, kOutputCount> kDelayEntryOrder = {6, 1, 3, 5, 8, 10, 9, 4, 2, 0, 7};

// The output's name in the "Delay Equivalent Distance" box, by OutputChannel.
inline constexpr std::array<std::string_view, kOutputCount> kDistanceChannelNames = {
    "Front\nLeft\nHigh",   "Front\nRight\nHigh",   "Front\nLeft\nMid", "Front\nRight\nMid",
    "Front\nLeft\nWoofer", "Front\nRight\nWoofer", "\nCenter",         "Rear\nLeft",
    "Rear\nRight",         "SubWoofer\nLeft",      "SubWoofer\nRight"};

inline constexpr std::string_view kPhaseDegreesZero = "0";
inline constexpr std::string_view kPhaseDegreesInverted = "180";

// A typed delay as it is kept: trunc(ms x 10.01) steps of 0.1 ms. The factor is a little above
// 10 so that a value typed on the grid (a single-precision number, often a hair below it) stays
// on its step; 19.99 becomes 20.0.
double QuantisedDelay(float typedMs);
// Where a delay puts the slider, and what the processor is sent: trunc(ms x 10), within 0..200.
int DelaySliderPosition(double delayMs);

// What the window's controls show, read by the window after every call.
struct TcrControls {
  std::array<int, kOutputCount> slider{};
  std::array<std::string, kOutputCount> delayText;
  std::array<bool, kOutputCount> phase{};
  std::array<std::string_view, kOutputCount> phaseDegrees{};
  // The "Delay Equivalent Distance" box, for the current output.
  std::string_view distanceName;
  std::string distanceCm;
  std::string distanceInch;
};

// The time correction and phase window's behaviour: the copy of the eleven delays and phase
// flags it edits, the output last touched, the slider, edit box and phase box handlers, and the
// requests to the main form. The window object, and so this editor, lives as long as the form.
class TimeCorrectionEditor {
 public:
  TimeCorrectionEditor(FormRequestSink& form, Dialogs& dialogs);

  // The form's working copy, taken whether the window is open or not.
  void Load(const SetupDocument& workingCopy);
  // What the form takes back: the delays and phase flags (the speaker switches only for the
  // picture).
  const SetupDocument& Data() const { return data_; }
  int CurrentChannel() const { return currentChannel_; }
  const TcrControls& Controls() const { return controls_; }

  // A slider move and a phase click show the new value in their own output's controls only:
  // text typed into another box and not yet confirmed stays there.
  void SliderMoved(int channel, int position);
  // A box's text as the user types it; it counts only once Enter is pressed.
  void DelayTyped(int channel, const std::string& text);
  // Enter with the eleven edit boxes' texts. A text that is no number is refused with a message
  // and nothing changes (false; the boxes keep what was typed). Otherwise the first edited box in
  // the entry order becomes the current output, every edited box outside 0..20 ms gets its stored
  // value back (with a message), every delay is put on its 0.1 ms step and the form is asked to
  // take the values and send the current output.
  bool Enter(const std::array<std::string, kOutputCount>& texts);
  void PhaseClicked(int channel, bool checked);
  void Close();   // "CLOSE\nWindow"
  void Cancel();  // Escape and the window's close box: the values go back all the same

  // "PRINT": the one-page report; nothing when the print dialog is cancelled.
  void Print(ReportTarget& target);
  void Print(ReportTarget& target, const ReportDate& date);

 private:
  void ShowValues();
  void ShowChannel(int channel);
  void ShowDistance();
  void PostChange();

  FormRequestSink& form_;
  Dialogs& dialogs_;
  SetupDocument data_;
  int currentChannel_ = 0;
  TcrControls controls_;
};
