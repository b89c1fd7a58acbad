#include "eq/ui/parametric_eq_window.h"

#include <QLayout>
#include <QWidget>

#include "eq/ui/eq_picture_widget.h"
#include "eq/ui/parametric_eq_dialog.h"

namespace {

NullCanvas& Nowhere() {
  static NullCanvas none;
  return none;
}

}  // namespace

ParametricEqWindow::ParametricEqWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent)
    : parent_(parent), editor_(*this, form, dialogs), standardPrint_(parent), printDialog_(&standardPrint_) {}

ParametricEqWindow::~ParametricEqWindow() { delete dialog_.data(); }

void ParametricEqWindow::Load(const SetupDocument& workingCopy) {
  editor_.Load(workingCopy);
  if (dialog_) dialog_->Sync();
}

void ParametricEqWindow::Open(bool offline) {
  if (!dialog_) {
    dialog_ = new ParametricEqDialog(editor_, parent_);
    dialog_->onPrint = [this] { Print(); };
  }
  offline_ = offline;
  dialog_->SetOffline(offline);
  dialog_->show();
  dialog_->layout()->activate();
  dialog_->raise();
  dialog_->activateWindow();
  editor_.Open(dialog_->GraphSize(), dialog_->LegendArea());
  dialog_->Sync();
}

bool ParametricEqWindow::IsOpen() const { return !dialog_.isNull(); }

void ParametricEqWindow::Close() {
  editor_.Closed();
  if (!dialog_) return;
  // The request that asked for the close may still be on its way out of the dialog's handler.
  ParametricEqDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->Retire();
  dialog->hide();
  dialog->deleteLater();
}

void ParametricEqWindow::SetOffline(bool offline) {
  offline_ = offline;
  if (dialog_) dialog_->SetOffline(offline);
}

void ParametricEqWindow::Refresh() {
  if (!dialog_) return;
  editor_.Refresh();
  dialog_->Sync();
}

void ParametricEqWindow::SetPrintDialog(QtPrintedReport::PrintDialog* dialog) {
  printDialog_ = dialog != nullptr ? dialog : &standardPrint_;
}

void ParametricEqWindow::Print() {
  QtPrintedReport target(*printDialog_);
  editor_.Print(target);
  if (dialog_) dialog_->Sync();
}

Canvas& ParametricEqWindow::GraphCanvas() { return dialog_ ? dialog_->Graph()->DrawingCanvas() : Nowhere(); }

Canvas& ParametricEqWindow::LegendCanvas() {
  return dialog_ ? dialog_->Legend()->DrawingCanvas() : Nowhere();
}

void ParametricEqWindow::SetMouseCapture(bool captured) {
  // Qt keeps the pointer with the graph while its button is held; only an explicit grab needs
  // letting go.
  if (!captured && dialog_ && QWidget::mouseGrabber() == dialog_->Graph()) dialog_->Graph()->releaseMouse();
}

ParametricEqDialog* ParametricEqWindow::Dialog() const { return dialog_.data(); }
