#pragma once

#include <QString>
#include <QStringList>
#include <functional>
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
  // the printer driver's business. A machine without any printer gets the page as a PDF file
  // instead, under a name the user chooses, so that the customer can still be handed the page.
  class StandardPrintDialog : public PrintDialog {
   public:
    // The printers installed, and the PDF file the user chooses (empty: cancelled); the
    // system's own unless others are given.
    using PrinterNames = std::function<QStringList()>;
    using PdfFileChooser = std::function<QString(QWidget* parent)>;

    explicit StandardPrintDialog(QWidget* parent, PrinterNames printers = {}, PdfFileChooser chooser = {});
    bool Choose(QPrinter& printer) override;

    static constexpr const char* kNoPrinterCaption = "No printer is installed: save the report as a PDF file";

   private:
    QWidget* parent_;
    PrinterNames printers_;
    PdfFileChooser chooser_;
  };

  // To a printer, after the dialog.
  explicit QtPrintedReport(PrintDialog& dialog);
  // To a PDF file of one A4 page; no dialog.
  explicit QtPrintedReport(const QString& pdfPath);
  ~QtPrintedReport() override;

  void SetDocumentTitle(const std::string& title) override;
  bool BeginPage() override;
  Canvas& Page() override;
  void EndPage() override;

 private:
  PrintDialog* dialog_ = nullptr;
  QString pdfPath_;
  QString title_;
  std::unique_ptr<QPagedPaintDevice> device_;
  std::unique_ptr<QtPainterCanvas> page_;
};
