// The spectrum analyzer window on the real form and a simulated processor, and the main form's
// spectrum print.
#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QtTest/QTest>
#include <memory>

#include "common/temp_dir.h"
#include "eq/ui/eq_picture_widget.h"
#include "measure/spectrum_graph.h"
#include "measure/ui/spectrum_analyzer_dialog.h"
#include "measure/ui/spectrum_analyzer_window.h"
#include "ui/app_harness.h"

namespace {

class PdfPrintDialog : public QtPrintedReport::PrintDialog {
 public:
  bool Choose(QPrinter& printer) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdfPath));
    return true;
  }
  std::string pdfPath;
};

QColor Colour(Rgb c) { return QColor(c.red, c.green, c.blue); }

}  // namespace

TEST(SpectrumAnalyzerWindow, OpensDrawsFreezesAndClosesThroughTheForm) {
  std::unique_ptr<SpectrumAnalyzerWindow> window;  // outlives the program, as the window set asks
  AppHarness h;
  h.Start();
  AppHarness::Settle();
  window = std::make_unique<SpectrumAnalyzerWindow>(h.View().Requests(), h.Form().Analyzer(), &h.Frame());
  h.View().Windows().Install(FunctionWindow::Spectrum, *window);
  QPushButton* button = h.View().FunctionButtonWidget(FunctionButton::Spectrum);

  QTest::mouseClick(button, Qt::LeftButton);  // offline
  EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"NO DATA (Port Not Connect)"});
  EXPECT_FALSE(window->IsOpen());

  h.Frame().Command(QStringLiteral("com1"))->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return h.Form().Link().portOpen; }, 2000));
  std::array<std::uint8_t, kGeqBandCount> levels;
  levels.fill(30);
  h.line.Processor().SetSpectrumLevels(levels);
  QTest::mouseClick(button, Qt::LeftButton);
  AppHarness::Settle();
  ASSERT_TRUE(window->IsOpen());
  SpectrumAnalyzerDialog& d = *window->Dialog();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Spectrum Analyzer"));
  EXPECT_EQ(d.StopRestartButton()->text(), QStringLiteral("Stop/Restart\n(for PRINT)"));
  EXPECT_TRUE(d.DrawTimerRunning());

  // The form's read cycle hands a reading over; the draw timer draws it.
  AnalyzerState& state = h.Form().Analyzer();
  ASSERT_TRUE(QTest::qWaitFor([&] { return state.drawnLevels[0] == 30; }, 3000));
  const SpectrumGraph& graph = *window->Analyzer().Graph();
  const BarSpan bar = graph.Bar(0);
  QImage picture = d.Graph()->Picture();
  EXPECT_EQ(picture.pixelColor((bar.left + bar.right) / 2, graph.SegmentY(0)), Colour(kSpectrumLitColour));
  EXPECT_EQ(picture.pixelColor((bar.left + bar.right) / 2, graph.SegmentY(40)), Colour(kSpectrumUnlitColour));

  QTest::mouseClick(d.StopRestartButton(), Qt::LeftButton);
  EXPECT_TRUE(window->Analyzer().Frozen());
  const int between = (graph.Bar(10).right + graph.Bar(11).left) / 2;
  EXPECT_EQ(d.Graph()->Picture().pixelColor(between, graph.LevelY(30)), Colour(kSpectrumTrendColour));

  // Larger, the frozen picture is drawn again at the new size.
  const int before = graph.FrameWidth();
  d.resize(d.width() + 300, d.height() + 200);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return window->Analyzer().Graph()->FrameWidth() >= before + 300; }, 2000));
  const SpectrumGraph& larger = *window->Analyzer().Graph();
  EXPECT_EQ(d.Graph()->size(), QSize(larger.GraphWidth(), larger.GraphHeight()));
  picture = d.Graph()->Picture();
  EXPECT_EQ(picture.pixelColor((larger.Bar(0).left + larger.Bar(0).right) / 2, larger.SegmentY(0)),
            Colour(kSpectrumLitColour));

  QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
  AppHarness::Settle();
  EXPECT_FALSE(window->IsOpen());
  EXPECT_FALSE(h.Form().AnalyzerOpen());

  // The main form's PRINT: refused while connected, the frozen picture once offline.
  QTest::mouseClick(h.View().PrintButton(), Qt::LeftButton);  // disabled: nothing happens
  h.Form().PressPrint();
  EXPECT_EQ(h.dialogs.messages.back(), "Port Connected");
  h.Frame().Command(QStringLiteral("off"))->trigger();
  AppHarness::Settle();
  SpectrumLevels thirty;
  thirty.fill(30);
  EXPECT_EQ(h.Form().PrintLevels(), thirty);
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
