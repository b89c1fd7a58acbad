// Printing a report on a machine without a printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTimer>
#include <QWidget>

#include "common/temp_dir.h"
#include "graphics/printed_report.h"
#include "platform/qt_printed_report.h"

namespace {

// With no printer installed the page goes to the PDF file the user names; cancelling the file
// choice prints nothing, like cancelling the print dialog.
TEST(StandardPrintDialog, WithoutAPrinterThePageBecomesAPdfFile) {
  TempDir dir;
  QString chosen;
  int asked = 0;
  QtPrintedReport::StandardPrintDialog dialog(
      nullptr, [] { return QStringList{}; },
      [&](QWidget*) {
        ++asked;
        return chosen;
      });

  QtPrintedReport cancelled(dialog);
  EXPECT_FALSE(PrintedReport(cancelled).Begin(ReportKind::GraphicEq));
  EXPECT_EQ(asked, 1);

  chosen = QString::fromStdString(dir.File("report.pdf"));
  {
    QtPrintedReport target(dialog);
    PrintedReport report(target);
    ASSERT_TRUE(report.Begin(ReportKind::GraphicEq, {2026, 12, 8}));
    report.DrawTitle(ReportKind::GraphicEq);
  }
  QFile pdf(chosen);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");

  // A folder that cannot be written to is said at once, and nothing is printed.
  chosen = QString::fromStdString(dir.File("missing/report.pdf"));
  QPrinter printer;
  QTimer::singleShot(10, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  EXPECT_FALSE(dialog.Choose(printer));
}

}  // namespace
