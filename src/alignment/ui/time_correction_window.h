#pragma once

#include <QPointer>

#include "alignment/time_correction_editor.h"
#include "common/function_window_object.h"
#include "platform/qt_printed_report.h"

class Dialogs;
class FormRequestSink;
class QWidget;
class TimeCorrectionDialog;

// The time correction and phase window as the main form drives it: the object lives as long as
// the form and keeps the editor with its values; the "TIME_Delay & Driver Phase" window itself is
// created when it opens and destroyed when the form closes it.
class TimeCorrectionWindow : public FunctionWindowObject {
 public:
  TimeCorrectionWindow(FormRequestSink& form, Dialogs& dialogs, QWidget* parent);
  ~TimeCorrectionWindow() override;
  TimeCorrectionWindow(const TimeCorrectionWindow&) = delete;
  TimeCorrectionWindow& operator=(const TimeCorrectionWindow&) = delete;

  void Load(const SetupDocument& workingCopy) override;
  void Open(bool offline) override;
  bool IsOpen() const override;
  void Close() override;
  void SetOffline(bool offline) override;
  void Refresh() override;
  const SetupDocument& Data() const override { return editor_.Data(); }
  // The output last touched.
  int SelectedGroup() const override { return editor_.CurrentChannel(); }
  int SelectedSide() const override { return 0; }

  TimeCorrectionEditor& Editor() { return editor_; }
  TimeCorrectionDialog* Dialog() const;
  // The print dialog behind "PRINT": the standard one unless another is given (tests cancel it
  // or let it print to a file). Null restores the standard one.
  void SetPrintDialog(QtPrintedReport::PrintDialog* dialog);
  // "PRINT".
  void Print();

 private:
  QWidget* parent_;
  TimeCorrectionEditor editor_;
  QPointer<TimeCorrectionDialog> dialog_;
  QtPrintedReport::StandardPrintDialog standardPrint_;
  QtPrintedReport::PrintDialog* printDialog_;
};
