#include "platform/qt_printed_report.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMarginsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "graphics/printed_report.h"
#include "platform/qt_painter_canvas.h"

namespace {

// A file has no unprintable border of its own; give it the margins of an ordinary printer.
constexpr double kPdfMarginMm = 5.0;
constexpr int kPdfResolution = 600;
constexpr const char* kCreator = "KRV5200 PC setup tool " KRV5200_VERSION;

QString ChoosePdfFile(QWidget* parent, const QString& suggested) {
  QString path = QFileDialog::getSaveFileName(
      parent, QString::fromLatin1(QtPrintedReport::StandardPrintDialog::kNoPrinterCaption), suggested,
      QStringLiteral("PDF file (*.pdf)"));
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  return path;
}

// The folder a report was last saved to in this session, as a file dialog remembers its own.
QString& LastPdfFolder() {
  static QString folder;
  return folder;
}

// The setup file the window shows: the file path of `widget` or of a window above it.
QString SetupPathOf(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (!widget->windowFilePath().isEmpty()) return widget->windowFilePath();
  }
  return {};
}

}  // namespace

QtPrintedReport::StandardPrintDialog::StandardPrintDialog(QWidget* parent, PrinterNames printers,
                                                          PdfFileChooser chooser)
    : parent_(parent),
      printers_(printers ? std::move(printers) : PrinterNames(&QPrinterInfo::availablePrinterNames)),
      chooser_(chooser ? std::move(chooser) : PdfFileChooser(&ChoosePdfFile)) {}

QString QtPrintedReport::StandardPrintDialog::SuggestedPdfPath(std::optional<ReportKind> kind) const {
  const QString setup = SetupPathOf(parent_);
  QString folder = setup.isEmpty() ? LastPdfFolder() : QFileInfo(setup).absolutePath();
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString name = kind ? QString::fromStdString(ReportFileName(setup.toStdString(), *kind))
                            : QStringLiteral("report.pdf");
  return QDir(folder).filePath(name);
}

bool QtPrintedReport::StandardPrintDialog::Choose(QPrinter& printer, std::optional<ReportKind> kind) {
  if (printers_().isEmpty()) {
    const QString path = chooser_(parent_, SuggestedPdfPath(kind));
    if (path.isEmpty()) return false;
    // Said now, while the user still knows which file was meant; the page itself cannot tell.
    QFile probe(path);
    const bool existed = probe.exists();
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
      QMessageBox::warning(parent_, QStringLiteral("KRV5200"),
                           QStringLiteral("The report cannot be written to %1: %2")
                               .arg(QDir::toNativeSeparators(path), probe.errorString()));
      return false;
    }
    probe.close();
    if (!existed) probe.remove();
    LastPdfFolder() = QFileInfo(path).absolutePath();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return true;
  }
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

void QtPrintedReport::SetDocumentTitle(const std::string& title) { title_ = QString::fromStdString(title); }

bool QtPrintedReport::BeginPage() {
  EndPage();
  if (dialog_ != nullptr) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QString());
    if (!dialog_->Choose(*printer, kind_)) return false;
    // A printer's job stays unnamed; a PDF file carries its title and maker.
    if (printer->outputFormat() == QPrinter::PdfFormat) {
      printer->setDocName(title_);
      printer->setCreator(QString::fromLatin1(kCreator));
    }
    device_ = std::move(printer);
  } else {
    auto pdf = std::make_unique<QPdfWriter>(pdfPath_);
    pdf->setTitle(title_);
    pdf->setCreator(QString::fromLatin1(kCreator));
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
