// The spectrum analyzer window's wiring on the real form and a simulated processor, and the main
// form's spectrum print.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>

#include "common/temp_dir.h"
#include "graphics/ui/eq_picture_widget.h"
#include "measure/spectrum_graph.h"
#include "measure/ui/spectrum_analyzer_dialog.h"
#include "measure/ui/spectrum_analyzer_window.h"
#include "ui/app_harness.h"

TEST(SpectrumAnalyzerWindow, DrawsFreezesResizesClosesAndPrintsThroughTheForm) {
  std::unique_ptr<SpectrumAnalyzerWindow> window;  // outlives the program, as the window set asks
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  window = std::make_unique<SpectrumAnalyzerWindow>(h.View().Requests(), h.Form().Analyzer(), &h.Frame());
  h.View().Windows().Install(FunctionWindow::Spectrum, *window);
  ASSERT_TRUE(h.ConnectCom1());
  std::array<std::uint8_t, kGeqBandCount> levels;
  levels.fill(30);
  h.line.Processor().SetSpectrumLevels(levels);
  QTest::mouseClick(h.View().FunctionButtonWidget(FunctionButton::Spectrum), Qt::LeftButton);
  AppHarness::Settle();
  ASSERT_TRUE(window->IsOpen());
  SpectrumAnalyzerDialog& d = *window->Dialog();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Spectrum Analyzer"));
  EXPECT_EQ(d.StopRestartButton()->text(), QStringLiteral("Stop/Restart\n(for PRINT)"));
  EXPECT_TRUE(d.DrawTimerRunning());

  // The form's read cycle hands a reading over; the draw timer draws it on the widget.
  ASSERT_TRUE(QTest::qWaitFor([&] { return h.Form().Analyzer().drawnLevels[0] == 30; }, 3000));
  auto firstBarLit = [&] {
    const SpectrumGraph& graph = *window->Analyzer().Graph();
    const BarSpan bar = graph.Bar(0);
    return d.Graph()->Picture().pixelColor((bar.left + bar.right) / 2, graph.SegmentY(0)) ==
           QColor(kSpectrumLitColour.red, kSpectrumLitColour.green, kSpectrumLitColour.blue);
  };
  EXPECT_TRUE(firstBarLit());

  QTest::mouseClick(d.StopRestartButton(), Qt::LeftButton);
  EXPECT_TRUE(window->Analyzer().Frozen());
  const int before = window->Analyzer().Graph()->FrameWidth();
  d.resize(d.width() + 300, d.height() + 200);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return window->Analyzer().Graph()->FrameWidth() >= before + 300; }, 2000));
  const SpectrumGraph& larger = *window->Analyzer().Graph();
  EXPECT_EQ(d.Graph()->size(), QSize(larger.GraphWidth(), larger.GraphHeight()));
  EXPECT_TRUE(firstBarLit());

  QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
  AppHarness::Settle();
  EXPECT_FALSE(window->IsOpen());

  // Offline, the main form's PRINT prints the frozen picture.
  h.Frame().Command(QStringLiteral("off"))->trigger();
  AppHarness::Settle();
  TempDir dir;
  PdfPrintDialog print;
  print.pdfPath = dir.File("spectrum.pdf");
  h.View().SetPrintDialog(&print);
  ASSERT_TRUE(QTest::qWaitFor([&] { return h.View().PrintButton()->isEnabled(); }, 2000));
  QTest::mouseClick(h.View().PrintButton(), Qt::LeftButton);
  QFile pdf(QString::fromStdString(print.pdfPath));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
  h.View().SetPrintDialog(nullptr);
}
