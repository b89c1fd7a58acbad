#pragma once

#include <array>
#include <functional>

#include "common/ui/editor_dialog.h"
#include "document/types.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class SpeakerLayoutPicture;
class TimeCorrectionEditor;

// The modeless "TIME_Delay & Driver Phase" window: per output a delay slider, its edit box in
// milliseconds, a "Phase" box and the phase in degrees, placed as the speakers sit in the car
// (left outputs left, right outputs right, the center in the middle of the top row); the car
// picture, the "Delay Equivalent Distance" box, "PRINT" and "CLOSE\nWindow". Every control goes
// to the editor, and the controls then show what the editor says.
class TimeCorrectionDialog : public EditorDialog {
 public:
  TimeCorrectionDialog(TimeCorrectionEditor& editor, QWidget* parent);
  ~TimeCorrectionDialog() override;

  // The controls show the editor's state, the picture the speaker switches it holds.
  void Sync() override;
  void SetOffline(bool offline);

  // The controls, for tests.
  QSlider* Slider(int channel) const { return sliders_[static_cast<std::size_t>(channel)]; }
  QLineEdit* DelayEdit(int channel) const { return edits_[static_cast<std::size_t>(channel)]; }
  QCheckBox* PhaseBox(int channel) const { return phases_[static_cast<std::size_t>(channel)]; }
  QLabel* PhaseDegrees(int channel) const { return degrees_[static_cast<std::size_t>(channel)]; }
  QLabel* DistanceName() const { return distanceName_; }
  QLabel* DistanceCm() const { return distanceCm_; }
  QLabel* DistanceInch() const { return distanceInch_; }
  SpeakerLayoutPicture* Picture() const { return picture_; }
  QPushButton* PrintButton() const { return print_; }
  QPushButton* CloseButton() const { return close_; }
  // Enter, as the keyboard gives it from any control.
  void PressEnter();

 protected:
  void CloseRequested() override;

 private:
  void Build();
  QWidget* BuildChannel(int channel);
  QWidget* BuildDistanceBox();

  TimeCorrectionEditor& editor_;

  std::array<QSlider*, kOutputCount> sliders_{};
  std::array<QLineEdit*, kOutputCount> edits_{};
  std::array<QCheckBox*, kOutputCount> phases_{};
  std::array<QLabel*, kOutputCount> degrees_{};
  QLabel* distanceName_ = nullptr;
  QLabel* distanceCm_ = nullptr;
  QLabel* distanceInch_ = nullptr;
  SpeakerLayoutPicture* picture_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* close_ = nullptr;
};
