#include "crossover/ui/crossover_window.h"

#include <QLayout>
#include <QWidget>

#include "crossover/ui/crossover_dialog.h"
#include "eq/ui/eq_picture_widget.h"

namespace {

NullCanvas& Nowhere() {
  static NullCanvas none;
  return none;
}

}  // namespace

CrossoverWindow::CrossoverWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent)
    : parent_(parent), editor_(*this, form, dialogs), standardPrint_(parent), printDialog_(&standardPrint_) {}

CrossoverWindow::~CrossoverWindow() { delete dialog_.data(); }

void CrossoverWindow::Load(const SetupDocument& workingCopy) {
  editor_.Load(workingCopy);
  if (dialog_) dialog_->Sync();
}

void CrossoverWindow::Open(bool offline) {
  if (!dialog_) {
    dialog_ = new CrossoverDialog(editor_, parent_);
    dialog_->onPrint = [this] { Print(); };
  }
  dialog_->SetOffline(offline);
  dialog_->show();
  dialog_->layout()->activate();
  dialog_->raise();
  dialog_->activateWindow();
  editor_.Open(dialog_->GraphSize(), dialog_->LegendArea());
  dialog_->Sync();
}

bool CrossoverWindow::IsOpen() const { return !dialog_.isNull(); }

void CrossoverWindow::Close() {
  editor_.Closed();
  if (!dialog_) return;
  // The request that asked for the close may still be on its way out of the dialog's handler.
  CrossoverDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->Retire();
  dialog->hide();
  dialog->deleteLater();
}

void CrossoverWindow::SetOffline(bool offline) {
  if (dialog_) dialog_->SetOffline(offline);
}

void CrossoverWindow::Refresh() {
  editor_.Refresh();
  if (dialog_) dialog_->Sync();
}

void CrossoverWindow::SetPresence(const GroupPresence& present) { editor_.SetPresence(present); }

void CrossoverWindow::SetPrintDialog(QtPrintedReport::PrintDialog* dialog) {
  printDialog_ = dialog != nullptr ? dialog : &standardPrint_;
}

void CrossoverWindow::Print() {
  QtPrintedReport target(*printDialog_);
  editor_.Print(target);
  if (dialog_) dialog_->Sync();
}

CrossoverDialog* CrossoverWindow::Dialog() const { return dialog_.data(); }

Canvas& CrossoverWindow::GraphCanvas() { return dialog_ ? dialog_->Graph()->DrawingCanvas() : Nowhere(); }

Canvas& CrossoverWindow::LegendCanvas() { return dialog_ ? dialog_->Legend()->DrawingCanvas() : Nowhere(); }

void CrossoverWindow::SetMouseCapture(bool captured) {
  // Qt keeps the pointer with the graph while its button is held; only an explicit grab needs
  // letting go.
  if (!captured && dialog_ && QWidget::mouseGrabber() == dialog_->Graph()) dialog_->Graph()->releaseMouse();
}

void CrossoverWindow::MoveFocus(CrossoverFocus control) {
  if (dialog_) dialog_->MoveFocus(control);
}
