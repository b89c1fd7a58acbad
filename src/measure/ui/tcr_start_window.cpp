#include "measure/ui/tcr_start_window.h"

#include <QApplication>
#include <QProgressBar>
#include <QWidget>

#include "measure/ui/tcr_start_dialog.h"

TcrStartWindow::TcrStartWindow(QWidget* parent) : parent_(parent) {}

TcrStartWindow::~TcrStartWindow() { delete dialog_.data(); }

void TcrStartWindow::Open(AutoTcrRun& run) {
  Close();
  dialog_ = new TcrStartDialog(run, parent_);
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

void TcrStartWindow::SetPosition(int position) {
  // Painted at the next delivery of window events: each status poll delivers them.
  if (dialog_) dialog_->Progress()->setValue(position);
}

void TcrStartWindow::Close() {
  if (!dialog_) return;
  TcrStartDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->hide();
  dialog->deleteLater();
}

void TcrStartWindow::SetWaitCursor(bool on) { waitCursor_.Set(on); }

TcrStartDialog* TcrStartWindow::Dialog() const { return dialog_.data(); }

bool TcrStartWindow::IsOpen() const { return !dialog_.isNull(); }
