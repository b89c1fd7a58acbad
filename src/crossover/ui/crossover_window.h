#pragma once

#include <QPointer>

#include "crossover/crossover_editor.h"
#include "crossover/crossover_view.h"
#include "form/function_window_object.h"
#include "platform/qt_printed_report.h"

class CrossoverDialog;
class Dialogs;
class FormRequestSink;
class QWidget;

// The crossover window as the main form drives it: the object lives as long as the form and
// keeps the editor with its records and cursor; the "Crossover Window" itself is created when it
// opens and destroyed when the form closes it.
class CrossoverWindow : public FunctionWindowObject, private CrossoverView {
 public:
  CrossoverWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent);
  ~CrossoverWindow() override;
  CrossoverWindow(const CrossoverWindow&) = delete;
  CrossoverWindow& operator=(const CrossoverWindow&) = delete;

  void Load(const SetupDocument& workingCopy) override;
  void Open(bool offline) override;
  bool IsOpen() const override;
  void Close() override;
  void SetOffline(bool offline) override;
  void Refresh() override;
  const SetupDocument& Data() const override { return editor_.Data(); }
  int SelectedGroup() const override { return editor_.SelectedGroup(); }
  int SelectedSide() const override { return editor_.SelectedSide(); }
  // The six group-present flags, after every speaker switch.
  void SetPresence(const GroupPresence& present);

  CrossoverEditor& Editor() { return editor_; }
  CrossoverDialog* Dialog() const;
  // The print dialog behind "PRINT": the standard one unless another is given (tests cancel it
  // or let it print to a file). Null restores the standard one.
  void SetPrintDialog(QtPrintedReport::PrintDialog* dialog);
  // "PRINT".
  void Print();

 private:
  Canvas& GraphCanvas() override;
  Canvas& LegendCanvas() override;
  void SetMouseCapture(bool captured) override;
  void MoveFocus(CrossoverFocus control) override;

  QWidget* parent_;
  CrossoverEditor editor_;
  QPointer<CrossoverDialog> dialog_;
  QtPrintedReport::StandardPrintDialog standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_;
};
