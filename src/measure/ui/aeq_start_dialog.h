#pragma once

#include <QDialog>
#include <array>

#include "measure/aeq_start.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// "AEQ Start": the progress bar, the status line, the "AEQ MODE" radio buttons, "START" and
// "CANCEL". Modeless; every press goes to the AeqStart it shows, which decides everything.
class AeqStartDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "AEQ Start";
  static constexpr const char* kStatusText = "AEQ  CALCULATE  START";
  static constexpr const char* kModeGroupText = "AEQ MODE";
  static constexpr const char* kStartText = "START";
  static constexpr const char* kCancelText = "CANCEL";
  static constexpr const char* kTcrNoticeText = "IF YOU SELECT START ,YOUR TCR IS CHANGE.";

  AeqStartDialog(AeqStart& dialog, QWidget* parent = nullptr);

  // Sets every control from the dialog's state.
  void Sync();

  QProgressBar* Progress() const { return progress_; }
  QRadioButton* ModeRadio(int index) const { return radios_[static_cast<std::size_t>(index)]; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  // Esc and the close box cancel, as "CANCEL" does while it can; the run closes the dialog.
  void reject() override;

 private:
  AeqStart& dialog_;
  QProgressBar* progress_ = nullptr;
  std::array<QRadioButton*, AeqStart::kModeCount> radios_{};
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
