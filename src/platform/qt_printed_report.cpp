#include "platform/qt_printed_report.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt_painter_canvas.h"

namespace {

// A file has no unprintable border of its own; give it the margins of an ordinary printer.
constexpr double kPdfMarginMm = 5.0;
constexpr int kPdfResolution = 600;

}  // namespace

bool QtPrintedReport::StandardPrintDialog::Choose(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  return dialog.exec() == QDialog::Accepted;
}

QtPrintedReport::QtPrintedReport(PrintDialog& dialog) : dialog_(&dialog) {}

QtPrintedReport::QtPrintedReport(const QString& pdfPath) : pdfPath_(pdfPath) {}

QtPrintedReport::~QtPrintedReport() { EndPage(); }

bool QtPrintedReport::BeginPage() {
  EndPage();
  if (dialog_ != nullptr) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QString());
    if (!dialog_->Choose(*printer)) return false;
    device_ = std::move(printer);
  } else {
    auto pdf = std::make_unique<QPdfWriter>(pdfPath_);
    pdf->setTitle(QString());
    pdf->setResolution(kPdfResolution);
    pdf->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                   QPageLayout::Millimeter));
    device_ = std::move(pdf);
  }
  page_ = std::make_unique<QtPainterCanvas>(*device_, QtPainterCanvas::Units::PageTenthsOfMm);
  if (!page_->Begin()) {
    page_.reset();
    device_.reset();
    return false;
  }
  return true;
}

Canvas& QtPrintedReport::Page() {
  static NullCanvas none;
  if (!page_) return none;
  return *page_;
}

void QtPrintedReport::EndPage() {
  // Ending the painter ends the page and the document.
  page_.reset();
  device_.reset();
}
