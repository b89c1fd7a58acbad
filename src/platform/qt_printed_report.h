#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

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
    // `kind` is the report the page will hold, when known.
    virtual bool Choose(QPrinter& printer, std::optional<ReportKind> kind) = 0;
  };

  // The standard print dialog: no selection, no page range and no print to file; copies are
  // the printer driver's business. A machine without any printer gets the page as a PDF file
  // instead, under a name the user chooses, so that the customer can still be handed the page.
  // The file is first offered in the open setup's folder (the file path of the parent or a
  // window above it), else in the folder a report was last saved to, else in the home folder,
  // named after the setup and the report: "shop-peq.pdf".
  class StandardPrintDialog : public PrintDialog {
   public:
    // The printers installed, and the PDF file the user chooses starting from `suggested`
    // (empty: cancelled); the system's own unless others are given.
    using PrinterNames = std::function<QStringList()>;
    using PdfFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;

    explicit StandardPrintDialog(QWidget* parent, PrinterNames printers = {}, PdfFileChooser chooser = {});
    bool Choose(QPrinter& printer, std::optional<ReportKind> kind) override;
    // Where the PDF file is first offered.
    QString SuggestedPdfPath(std::optional<ReportKind> kind) const;

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
  void SetReportKind(ReportKind kind) override { kind_ = kind; }
  bool BeginPage() override;
  Canvas& Page() override;
  void EndPage() override;

 private:
  PrintDialog* dialog_ = nullptr;
  QString pdfPath_;
  QString title_;
  std::optional<ReportKind> kind_;
  std::unique_ptr<QPagedPaintDevice> device_;
  std::unique_ptr<QtPainterCanvas> page_;
};
