#include "graphics/printed_report.h"

#include <gtest/gtest.h>

#include "graphics/recording_canvas.h"
#include "graphics/recording_target.h"

namespace {

constexpr ReportDate kDate{2024, 3, 7};

}  // namespace

TEST(PrintedReport, CancelledDialogPrintsNothing) {
  RecordingTarget target;
  target.cancel = true;
  {
    PrintedReport report(target);
    EXPECT_FALSE(report.Begin(kDate));
    EXPECT_FALSE(report.IsOpen());
    report.Text(0, 0, "lost");
    report.Polyline(std::vector<CanvasPoint>{{0, 0}, {1, 1}});
    report.DrawTitle(ReportKind::ParametricEq);
    report.End();
  }
  EXPECT_EQ(target.begun, 1);
  EXPECT_EQ(target.ended, 0);
  EXPECT_TRUE(target.page.ops.empty());
}

TEST(PrintedReport, PageTextIsBlackOnWhiteAndLComesFromThePrinterFont) {
  RecordingTarget target;
  target.page.lineHeight = 53;
  {
    PrintedReport report(target);
    ASSERT_TRUE(report.Begin(kDate));
    EXPECT_EQ(report.L(), 53);
    EXPECT_EQ(report.Date(), kDate);
    report.Text(400, -100, "body");
    report.SetPen({25, 25, 25}, 2);
    report.Line({60, -20}, {60, -490});
    // Leaving the scope finishes the page once.
  }
  EXPECT_EQ(target.ended, 1);
  const auto* body = target.page.FindText("body");
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->points[0], (CanvasPoint{400, -100}));
  EXPECT_TRUE(body->family.empty());  // the printer's default font
  EXPECT_EQ(body->colour, (Rgb{0, 0, 0}));
  EXPECT_EQ(body->background, (Rgb{255, 255, 255}));
  const auto lines = target.page.Of(RecordingCanvas::Kind::Line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].width, 2);
}

TEST(PrintedReport, TitlesWithDateAndFooters) {
  const int L = 40;
  auto title = ReportTitle(ReportKind::ParametricEq, kDate, L);
  ASSERT_EQ(title.size(), 1u);
  EXPECT_EQ(title[0], (PageText{400, -574, "Parametric Equalizer        2024 /  3 /  7"}));
  EXPECT_EQ(ReportTitle(ReportKind::GraphicEq, {1999, 12, 31}, 60)[0],
            (PageText{400, -614, "Graphic Equalizer        1999 / 12 / 31"}));
  EXPECT_EQ(ReportTitle(ReportKind::Crossover, kDate, L)[0].text,
            "Divider & Cross Over        2024 /  3 /  7");
  EXPECT_EQ(ReportTitle(ReportKind::SpectrumAnalyzer, kDate, L)[0].text,
            "Spectrum Analyzer        2024 /  3 /  7");
  EXPECT_EQ(ReportTitle(ReportKind::TimeCorrection, kDate, L)[0],
            (PageText{500, 0, "TCR & PHASE        2024 /  3 /  7"}));
  const auto profile = ReportTitle(ReportKind::CustomerProfile, kDate, L);
  ASSERT_EQ(profile.size(), 2u);
  EXPECT_EQ(profile[0], (PageText{500, 100, "TORVALQ#5ORBITA User Profile        ID"}));
  EXPECT_EQ(ReportTitle(ReportKind::CustomerProfile, kDate, L, "A7")[0].text,
            "TORVALQ#5ORBITA User Profile        ID A7");
  EXPECT_EQ(profile[1], (PageText{1400, 0, "2024 /  3 /  7"}));

  // A report saved as a file is named after the setup and the report.
  EXPECT_EQ(ReportFileName("/cars/shop.tvn", ReportKind::ParametricEq), "shop-peq.pdf");
  EXPECT_EQ(ReportFileName("", ReportKind::SpectrumAnalyzer), "spectrum.pdf");
  EXPECT_EQ(ReportDocumentTitle(ReportKind::TimeCorrection, kDate), "TCR & PHASE 2024-03-07");

  EXPECT_EQ(ReportFooter(ReportKind::ParametricEq),
            (PageText{1000, -1150, "TORVAL KRV5200   PC SETUP DATA"}));
  EXPECT_EQ(ReportFooter(ReportKind::SpectrumAnalyzer), (PageText{1000, -1150, "TORVAL country tel e-mail"}));

  // A larger printer font moves the graph reports' titles down.
  RecordingTarget target;
  target.page.lineHeight = 70;
  PrintedReport report(target);
  ASSERT_TRUE(report.Begin(kDate));
  report.DrawTitle(ReportKind::Crossover);
  report.DrawFooter(ReportKind::Crossover);
  report.End();
  EXPECT_EQ(target.page.FindText("Divider & Cross Over        2024 /  3 /  7")->points[0],
            (CanvasPoint{400, -634}));
  EXPECT_NE(target.page.FindText("TORVAL KRV5200   PC SETUP DATA"), nullptr);
  EXPECT_EQ(target.ended, 1);
}
