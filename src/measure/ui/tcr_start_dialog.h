#pragma once

#include <QDialog>

class AutoTcrRun;
class QProgressBar;
class QPushButton;

// "TCR Start": the status line "AUTO TCR START", the progress bar and "STOP". Modeless; "STOP"
// (and Esc or the close box) asks the run to stop at its next poll, and the run closes it.
class TcrStartDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kCaption = "TCR Start";
  static constexpr const char* kStatusText = "AUTO TCR START";
  static constexpr const char* kStopText = "STOP";

  TcrStartDialog(AutoTcrRun& run, QWidget* parent = nullptr);

  QProgressBar* Progress() const { return progress_; }
  QPushButton* StopButton() const { return stop_; }

 protected:
  void reject() override;

 private:
  AutoTcrRun& run_;
  QProgressBar* progress_ = nullptr;
  QPushButton* stop_ = nullptr;
};
