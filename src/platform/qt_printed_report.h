#pragma once

#include <QString>
#include <memory>

#include "graphics/report_target.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;
class QtPainterCanvas;

// The report page on a printer chosen in the print dialog, or in a PDF file for installers
// without a printer and for the tests.
class QtPrintedReport : public ReportTarget {
 public:
  // Lets the user choose the printer; false when the dialog was cancelled.
  class PrintDialog {
   public:
    virtual ~PrintDialog() = default;
    virtual bool Choose(QPrinter& printer) = 0;
  };

  // The standard print dialog: no selection, no page range and no print to file; copies are
  // the printer driver's business.
  class StandardPrintDialog : public PrintDialog {
   public:
    explicit StandardPrintDialog(QWidget* parent) : parent_(parent) {}
    bool Choose(QPrinter& printer) override;

   private:
    QWidget* parent_;
  };

  // To a printer, after the dialog.
  explicit QtPrintedReport(PrintDialog& dialog);
  // To a PDF file of one A4 page; no dialog.
  explicit QtPrintedReport(const QString& pdfPath);
  ~QtPrintedReport() override;

  bool BeginPage() override;
  Canvas& Page() override;
  void EndPage() override;

 private:
  PrintDialog* dialog_ = nullptr;
  QString pdfPath_;
  std::unique_ptr<QPagedPaintDevice> device_;
  std::unique_ptr<QtPainterCanvas> page_;
};
