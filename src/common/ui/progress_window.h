#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <vector>

#include "common/progress.h"

// The "RS232C" and "PARAMETER" windows: a caption, a few text lines and a bar, nothing to press.
// The bulk transfers behind them deliver only paint events, and those not after every byte, so
// every change is painted at once.
class ProgressWindow : public QDialog, public Progress {
  Q_OBJECT

 public:
  ProgressWindow(const QString& caption, int lines, int rangeHigh, QWidget* parent = nullptr);

  void Open() override;
  bool IsOpen() const override { return isVisible(); }
  void SetRange(int low, int high) override;
  void SetText(int line, std::string_view text) override;
  void SetPosition(int position) override;
  void Close() override;
  void Beep() override;

  QString Text(int line) const;
  int Position() const { return bar_->value(); }

 protected:
  void reject() override {}  // the user cannot close it

 private:
  std::vector<QLabel*> lines_;
  QProgressBar* bar_;
};
