#include "alignment/ui/time_correction_window.h"

#include <QWidget>

#include "alignment/ui/time_correction_dialog.h"

TimeCorrectionWindow::TimeCorrectionWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent)
    : parent_(parent), editor_(form, dialogs), standardPrint_(parent), printDialog_(&standardPrint_) {}

TimeCorrectionWindow::~TimeCorrectionWindow() { delete dialog_.data(); }

void TimeCorrectionWindow::Load(const SetupDocument& workingCopy) {
  editor_.Load(workingCopy);
  if (dialog_) dialog_->Sync();
}

void TimeCorrectionWindow::Open(bool offline) {
  if (!dialog_) {
    dialog_ = new TimeCorrectionDialog(editor_, parent_);
    dialog_->onPrint = [this] { Print(); };
  }
  dialog_->SetOffline(offline);
  dialog_->Sync();
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

bool TimeCorrectionWindow::IsOpen() const { return !dialog_.isNull(); }

void TimeCorrectionWindow::Close() {
  if (!dialog_) return;
  // The request that asked for the close may still be on its way out of the dialog's handler.
  TimeCorrectionDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->Retire();
  dialog->hide();
  dialog->deleteLater();
}

void TimeCorrectionWindow::SetOffline(bool offline) {
  if (dialog_) dialog_->SetOffline(offline);
}

void TimeCorrectionWindow::Refresh() {
  if (dialog_) dialog_->Sync();
}

void TimeCorrectionWindow::SetPrintDialog(QtPrintedReport::PrintDialog* dialog) {
  printDialog_ = dialog != nullptr ? dialog : &standardPrint_;
}

void TimeCorrectionWindow::Print() {
  QtPrintedReport target(*printDialog_);
  editor_.Print(target);
}

TimeCorrectionDialog* TimeCorrectionWindow::Dialog() const { return dialog_.data(); }
