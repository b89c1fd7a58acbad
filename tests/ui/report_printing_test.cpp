// Printing a report on a machine without a printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "common/temp_dir.h"
#include "graphics/printed_report.h"
#include "platform/qt_printed_report.h"

namespace {

// With no printer installed the page goes to the PDF file the user names, offered in the open
// setup's folder under the setup's and the report's names; cancelling the file choice prints
// nothing, like cancelling the print dialog.
TEST(StandardPrintDialog, WithoutAPrinterThePageBecomesAPdfFile) {
  TempDir dir;
  QWidget mainWindow;
  mainWindow.setWindowFilePath(QString::fromStdString(dir.File("shop.tvn")));
  QWidget window(&mainWindow, Qt::Dialog);  // a function window above the main window
  QString chosen;
  QString suggested;
  int asked = 0;
  const auto chooser = [&](QWidget*, const QString& offered) {
    ++asked;
    suggested = offered;
    return chosen;
  };
  QtPrintedReport::StandardPrintDialog dialog(
      &window, [] { return QStringList{}; }, chooser);

  QtPrintedReport cancelled(dialog);
  EXPECT_FALSE(PrintedReport(cancelled).Begin(ReportKind::GraphicEq));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(suggested, QString::fromStdString(dir.File("shop-geq.pdf")));

  const std::string folder = dir.File("reports");
  std::filesystem::create_directory(folder);
  chosen = QString::fromStdString(folder + "/report.pdf");
  {
    QtPrintedReport target(dialog);
    PrintedReport report(target);
    ASSERT_TRUE(report.Begin(ReportKind::GraphicEq, {2026, 12, 8}));
    report.DrawTitle(ReportKind::GraphicEq);
  }
  QFile pdf(chosen);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5) == "%PDF-");

  // An untitled setup: the folder last used, the report's name alone.
  chosen.clear();
  QtPrintedReport::StandardPrintDialog untitled(
      nullptr, [] { return QStringList{}; }, chooser);
  QtPrintedReport again(untitled);
  EXPECT_FALSE(PrintedReport(again).Begin(ReportKind::CustomerProfile));
  EXPECT_EQ(suggested, QString::fromStdString(folder + "/profile.pdf"));

  // A folder that cannot be written to is said at once, and nothing is printed.
  chosen = QString::fromStdString(dir.File("missing/report.pdf"));
  QPrinter printer;
  QTimer::singleShot(10, [] {
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });
  EXPECT_FALSE(dialog.Choose(printer, ReportKind::Crossover));
}

// The page's text reads as typed: a search of the PDF for "Profile" finds it, with no ligature
// glyph standing for "fi".
TEST(QtPrintedReport, APdfPageKeepsItsTextAsTyped) {
  TempDir dir;
  const std::string path = dir.File("profile.pdf");
  {
    QtPrintedReport target(QString::fromStdString(path));
    PrintedReport report(target);
    ASSERT_TRUE(report.Begin(ReportKind::CustomerProfile, {2026, 12, 8}));
    report.DrawTitle(ReportKind::CustomerProfile);
  }
  QProcess extract;
  extract.start(QStringLiteral("pdftotext"), {QString::fromStdString(path), QStringLiteral("-")});
  if (!extract.waitForFinished(10000)) GTEST_SKIP() << "pdftotext is not installed";
  EXPECT_TRUE(extract.readAllStandardOutput().contains("User Profile"));
}

}  // namespace
