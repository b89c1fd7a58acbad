#include "measure/ui/spectrum_analyzer_window.h"

#include <QLayout>
#include <QWidget>

#include "graphics/ui/eq_picture_widget.h"
#include "measure/ui/spectrum_analyzer_dialog.h"

namespace {

NullCanvas& Nowhere() {
  static NullCanvas none;
  return none;
}

}  // namespace

SpectrumAnalyzerWindow::SpectrumAnalyzerWindow(FormRequestSink& form, AnalyzerState& state, QWidget* parent)
    : parent_(parent), analyzer_(*this, form, state) {}

SpectrumAnalyzerWindow::~SpectrumAnalyzerWindow() { delete dialog_.data(); }

void SpectrumAnalyzerWindow::Open(bool) {
  if (!dialog_) dialog_ = new SpectrumAnalyzerDialog(analyzer_, parent_);
  dialog_->show();
  dialog_->layout()->activate();
  dialog_->raise();
  dialog_->activateWindow();
  dialog_->PlaceGraph();
  const EqPictureWidget* frame = dialog_->Frame();
  analyzer_.Open(frame->width(), frame->height());
}

bool SpectrumAnalyzerWindow::IsOpen() const { return !dialog_.isNull(); }

void SpectrumAnalyzerWindow::Close() {
  analyzer_.Closed();
  if (!dialog_) return;
  // The request that asked for the close may still be on its way out of the dialog's handler.
  SpectrumAnalyzerDialog* dialog = dialog_.data();
  dialog_ = nullptr;
  dialog->Retire();
  dialog->hide();
  dialog->deleteLater();
}

Canvas& SpectrumAnalyzerWindow::FrameCanvas() {
  return dialog_ ? dialog_->Frame()->DrawingCanvas() : static_cast<Canvas&>(Nowhere());
}

Canvas& SpectrumAnalyzerWindow::GraphCanvas() {
  return dialog_ ? dialog_->Graph()->DrawingCanvas() : static_cast<Canvas&>(Nowhere());
}

void SpectrumAnalyzerWindow::StartDrawTimer(int intervalMs) {
  if (dialog_) dialog_->StartDrawTimer(intervalMs);
}

void SpectrumAnalyzerWindow::StopDrawTimer() {
  if (dialog_) dialog_->StopDrawTimer();
}

SpectrumAnalyzerDialog* SpectrumAnalyzerWindow::Dialog() const { return dialog_.data(); }
