#include "eq/ui/graphic_eq_window.h"

#include <QLayout>
#include <QWidget>

#include "eq/ui/eq_picture_widget.h"
#include "eq/ui/graphic_eq_dialog.h"

namespace {

NullCanvas& Nowhere() {
  static NullCanvas none;
  return none;
}

}  // namespace

GraphicEqWindow::GraphicEqWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent)
    : parent_(parent), editor_(*this, form, dialogs), standardPrint_(parent), printDialog_(&standardPrint_) {}

GraphicEqWindow::~GraphicEqWindow() { delete dialog_.data(); }

void GraphicEqWindow::Load(const SetupDocument& workingCopy) {
  editor_.Load(workingCopy);
  if (dialog_) dialog_->Sync();
}

void GraphicEqWindow::Open(bool offline) {
  if (!dialog_) {
    dialog_ = new GraphicEqDialog(editor_, parent_);
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

bool GraphicEqWindow::IsOpen() const { return !dialog_.isNull(); }

void GraphicEqWindow::Close() {
  editor_.Closed();
  if (!dialog_) return;
  // The request that asked for the close may still be on its way out of the dialog's handler.
  GraphicEqDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->Retire();
  dialog->hide();
  dialog->deleteLater();
}

void GraphicEqWindow::SetOffline(bool offline) {
  if (dialog_) dialog_->SetOffline(offline);
}

void GraphicEqWindow::Refresh() {
  if (!dialog_) return;
  editor_.Refresh();
  dialog_->Sync();
}

void GraphicEqWindow::SetBandLockMode(int mode) {
  editor_.SetBandLockMode(mode);
  if (dialog_) dialog_->Sync();
}

void GraphicEqWindow::SetPrintDialog(QtPrintedReport::PrintDialog* dialog) {
  printDialog_ = dialog != nullptr ? dialog : &standardPrint_;
}

void GraphicEqWindow::Print() {
  QtPrintedReport target(*printDialog_);
  editor_.Print(target);
  if (dialog_) dialog_->Sync();
}

Canvas& GraphicEqWindow::GraphCanvas() { return dialog_ ? dialog_->Graph()->DrawingCanvas() : Nowhere(); }

Canvas& GraphicEqWindow::LegendCanvas() { return dialog_ ? dialog_->Legend()->DrawingCanvas() : Nowhere(); }

void GraphicEqWindow::SetMouseCapture(bool captured) {
  // Qt keeps the pointer with the graph while its button is held; only an explicit grab needs
  // letting go.
  if (!captured && dialog_ && QWidget::mouseGrabber() == dialog_->Graph()) dialog_->Graph()->releaseMouse();
}

GraphicEqDialog* GraphicEqWindow::Dialog() const { return dialog_.data(); }
