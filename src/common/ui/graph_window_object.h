#pragma once

#include <QLayout>
#include <QPointer>
#include <QWidget>

#include "common/function_window_object.h"
#include "graphics/canvas.h"
#include "graphics/ui/eq_picture_widget.h"
#include "platform/qt_printed_report.h"

class Dialogs;
class FormRequestSink;

// A function window with a graph, as the main form drives it: the object lives as long as the
// form and keeps the editor with its data and selections; the dialog itself is created when it
// opens and destroyed when the form closes it. The parametric EQ, graphic EQ and crossover
// windows are this, each with its own editor (`EditorT`, constructed from its view, the form and
// the dialogs), dialog (`DialogT`, built on the editor) and view interface (`ViewT`, of which
// this implements the graph, legend and mouse capture).
template <typename EditorT, typename DialogT, typename ViewT>
class GraphWindowObject : public FunctionWindowObject, protected ViewT {
 public:
  GraphWindowObject(FormRequestSink& form, Dialogs& dialogs, QWidget* parent)
      : parent_(parent),
        editor_(*this, form, dialogs),
        standardPrint_(parent),
        printDialog_(&standardPrint_) {}
  ~GraphWindowObject() override { delete dialog_.data(); }
  GraphWindowObject(const GraphWindowObject&) = delete;
  GraphWindowObject& operator=(const GraphWindowObject&) = delete;

  void Load(const SetupDocument& workingCopy) override {
    editor_.Load(workingCopy);
    if (dialog_) dialog_->Sync();
  }

  void Open(bool offline) override {
    if (!dialog_) {
      dialog_ = new DialogT(editor_, parent_);
      dialog_->onPrint = [this] { Print(); };
    }
    dialog_->SetOffline(offline);
    dialog_->show();
    dialog_->layout()->activate();
    dialog_->raise();
    dialog_->activateWindow();
    // The graph's size is known once the dialog is laid out on the screen.
    editor_.Open(dialog_->GraphSize(), dialog_->LegendArea());
    dialog_->Sync();
  }

  bool IsOpen() const override { return !dialog_.isNull(); }

  void Close() override {
    editor_.Closed();
    if (!dialog_) return;
    // The request that asked for the close may still be on its way out of the dialog's handler.
    DialogT* dialog = dialog_.data();
    dialog_ = nullptr;
    dialog->Retire();
    dialog->hide();
    dialog->deleteLater();
  }

  void SetOffline(bool offline) override {
    if (dialog_) dialog_->SetOffline(offline);
  }

  void Refresh() override {
    if (!dialog_) return;
    editor_.Refresh();
    dialog_->Sync();
  }

  const SetupDocument& Data() const override { return editor_.Data(); }
  int SelectedGroup() const override { return editor_.SelectedGroup(); }
  int SelectedSide() const override { return editor_.SelectedSide(); }

  EditorT& Editor() { return editor_; }
  DialogT* Dialog() const { return dialog_.data(); }

  // The print dialog behind "PRINT": the standard one unless another is given (tests cancel it
  // or let it print to a file). Null restores the standard one.
  void SetPrintDialog(QtPrintedReport::PrintDialog* dialog) {
    printDialog_ = dialog != nullptr ? dialog : &standardPrint_;
  }

  // "PRINT".
  void Print() {
    QtPrintedReport target(*printDialog_);
    editor_.Print(target);
    if (dialog_) dialog_->Sync();
  }

 protected:
  Canvas& GraphCanvas() override { return dialog_ ? dialog_->Graph()->DrawingCanvas() : Nowhere(); }
  Canvas& LegendCanvas() override { return dialog_ ? dialog_->Legend()->DrawingCanvas() : Nowhere(); }

  void SetMouseCapture(bool captured) override {
    // Qt keeps the pointer with the graph while its button is held; only an explicit grab needs
    // letting go.
    if (!captured && dialog_ && QWidget::mouseGrabber() == dialog_->Graph()) dialog_->Graph()->releaseMouse();
  }

  QWidget* parent_;
  EditorT editor_;
  QPointer<DialogT> dialog_;

 private:
  static NullCanvas& Nowhere() {
    static NullCanvas none;
    return none;
  }

  QtPrintedReport::StandardPrintDialog standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_;
};
