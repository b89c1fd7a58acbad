#pragma once

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <functional>
#include <optional>

#include "fit/eq_fit.h"
#include "fit/measurement_overlay.h"
#include "interchange/measurement_file.h"

class EqPictureWidget;
class SetupForm;

// "Fit EQ to Measurement": the group, side, equalizer, target, range and maximum boost of a fit
// of the loaded measurement; "Fit" runs it on a thread of its own (it reads a copy of the setup
// and touches nothing), then the dialog shows the RMS deviation before and after and the
// predicted curves; "Apply" puts the fitted set in place through the form, as one edit.
class FitDialog : public QDialog {
 public:
  static constexpr const char* kCaption = "Fit EQ to Measurement";
  static constexpr QSize kPictureSize{555, 197};

  FitDialog(const Measurement& measurement, SetupForm& form, QWidget* parent);
  ~FitDialog() override;

  // Runs the fit with the settings the controls show; nothing while one runs.
  void StartFit();
  bool Fitting() const { return thread_ != nullptr; }
  const std::optional<FitResult>& Result() const { return result_; }
  FitSettings Settings() const;

  // Asks for a house curve file; "" when none was chosen. A file dialog unless replaced.
  std::function<QString()> chooseTargetFile;

  QComboBox* GroupBox() const { return group_; }
  QComboBox* SideBox() const { return side_; }
  QComboBox* EqualizerBox() const { return equalizer_; }
  QComboBox* TargetBox() const { return target_; }
  QDoubleSpinBox* LowBox() const { return low_; }
  QDoubleSpinBox* HighBox() const { return high_; }
  QDoubleSpinBox* MaxBoostBox() const { return maxBoost_; }
  QPushButton* FitButton() const { return fit_; }
  QPushButton* ApplyButton() const { return apply_; }
  QLabel* ResidualLabel() const { return residual_; }
  EqPictureWidget* Picture() const { return picture_; }

 private:
  void Forget();
  void ChooseTarget(int index);
  void ShowResult();
  void DrawPicture();
  void Apply();

  Measurement measurement_;
  SetupForm& form_;
  MeasurementOverlay overlay_;
  std::optional<Measurement> houseCurve_;
  std::optional<FitResult> result_;
  QThread* thread_ = nullptr;

  QComboBox* group_ = nullptr;
  QComboBox* side_ = nullptr;
  QComboBox* equalizer_ = nullptr;
  QComboBox* target_ = nullptr;
  QDoubleSpinBox* low_ = nullptr;
  QDoubleSpinBox* high_ = nullptr;
  QDoubleSpinBox* maxBoost_ = nullptr;
  QPushButton* fit_ = nullptr;
  QPushButton* apply_ = nullptr;
  QLabel* residual_ = nullptr;
  EqPictureWidget* picture_ = nullptr;
};
