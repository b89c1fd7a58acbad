#include "measure/ui/aeq_start_window.h"

#include <QApplication>
#include <QWidget>

#include "measure/ui/aeq_start_dialog.h"

AeqStartWindow::AeqStartWindow(QWidget* parent) : parent_(parent) {}

AeqStartWindow::~AeqStartWindow() { delete dialog_.data(); }

void AeqStartWindow::Open(AeqStart& dialog) {
  Close();
  dialog_ = new AeqStartDialog(dialog, parent_);
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

void AeqStartWindow::Show() {
  if (!dialog_) return;
  // Painted at the next delivery of window events: each status poll delivers them.
  dialog_->Sync();
}

void AeqStartWindow::Close() {
  if (!dialog_) return;
  AeqStartDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->hide();
  dialog->deleteLater();
}

void AeqStartWindow::SetWaitCursor(bool on) { waitCursor_.Set(on); }

AeqStartDialog* AeqStartWindow::Dialog() const { return dialog_.data(); }
