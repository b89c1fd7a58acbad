#pragma once

#include <QPointer>

#include "eq/graphic_eq_editor.h"
#include "eq/graphic_eq_view.h"
#include "form/function_window_object.h"
#include "platform/qt_printed_report.h"

class Dialogs;
class FormRequestSink;
class GraphicEqDialog;
class QWidget;

// The graphic EQ window as the main form drives it: the object lives as long as the form and
// keeps the editor with its data and selections; the "Graphic EQ Window" itself is created when
// it opens and destroyed when the form closes it.
class GraphicEqWindow : public FunctionWindowObject, private GraphicEqView {
 public:
  GraphicEqWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent);
  ~GraphicEqWindow() override;
  GraphicEqWindow(const GraphicEqWindow&) = delete;
  GraphicEqWindow& operator=(const GraphicEqWindow&) = delete;

  void Load(const SetupDocument& workingCopy) override;
  void Open(bool offline) override;
  bool IsOpen() const override;
  void Close() override;
  void SetOffline(bool offline) override;
  void Refresh() override;
  const SetupDocument& Data() const override { return editor_.Data(); }
  int SelectedGroup() const override { return editor_.SelectedGroup(); }
  int SelectedSide() const override { return editor_.SelectedSide(); }
  // The band locks of an automatic-EQ result (0 none, 1 SubWoofer, 2 low Front bands, 3 both).
  void SetBandLockMode(int mode);

  GraphicEqEditor& Editor() { return editor_; }
  GraphicEqDialog* Dialog() const;
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
  GraphicEqEditor editor_;
  QPointer<GraphicEqDialog> dialog_;
  QtPrintedReport::StandardPrintDialog standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_;
};
