#pragma once

#include <QPointer>

#include "eq/parametric_eq_editor.h"
#include "eq/parametric_eq_view.h"
#include "form/function_window_object.h"
#include "platform/qt_printed_report.h"

class Dialogs;
class FormRequestSink;
class ParametricEqDialog;
class QWidget;

// The parametric EQ window as the main form drives it: the object lives as long as the form and
// keeps the editor with its data and selections; the "Parametric EQ Window" itself is created
// when it opens and destroyed when the form closes it.
class ParametricEqWindow : public FunctionWindowObject, private ParametricEqView {
 public:
  ParametricEqWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent);
  ~ParametricEqWindow() override;
  ParametricEqWindow(const ParametricEqWindow&) = delete;
  ParametricEqWindow& operator=(const ParametricEqWindow&) = delete;

  void Load(const SetupDocument& workingCopy) override;
  void Open(bool offline) override;
  bool IsOpen() const override;
  void Close() override;
  void SetOffline(bool offline) override;
  void Refresh() override;
  const SetupDocument& Data() const override { return editor_.Data(); }
  int SelectedGroup() const override { return editor_.SelectedGroup(); }
  int SelectedSide() const override { return editor_.SelectedSide(); }

  ParametricEqEditor& Editor() { return editor_; }
  ParametricEqDialog* Dialog() const;
  // The print dialog behind "PRINT": the standard one unless another is given (tests cancel it
  // or let it print to a file). Null restores the standard one.
  void SetPrintDialog(QtPrintedReport::PrintDialog* dialog);
  // "PRINT".
  void Print();

 private:
  Canvas& GraphCanvas() override;
  Canvas& LegendCanvas() override;
  void SetMouseCapture(bool captured) override;

  QWidget* parent_;
  ParametricEqEditor editor_;
  QPointer<ParametricEqDialog> dialog_;
  bool offline_ = true;
  QtPrintedReport::StandardPrintDialog standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_;
};
