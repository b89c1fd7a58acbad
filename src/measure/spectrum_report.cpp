#include "measure/spectrum_report.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "graphics/printed_report.h"
#include "measure/spectrum_graph.h"

namespace {

constexpr int kPenWidth = 2;
constexpr CanvasRect kOuterFrame{60, -20, 1300, -550};
constexpr CanvasRect kInnerFrame{140, -46, 1220, -490};
constexpr std::string_view kLowText = "20[Hz]";
constexpr std::string_view kHighText = "20[kHz]";
constexpr CanvasPoint kLowTextAt{100, -490};
constexpr CanvasPoint kHighTextAt{1140, -490};
constexpr int kFirstBarX = 160;
constexpr int kBarPitch = 34;
constexpr int kBarWidth = 20;
constexpr int kFirstSegmentY = -450;
constexpr int kSegmentPitch = 8;

void Frame(PrintedReport& report, const CanvasRect& r) {
  const std::array<CanvasPoint, 5> corners = {
      {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}}};
  report.Polyline(corners);
}

}  // namespace

void PrintSpectrumReport(PrintedReport& report, const SpectrumLevels& printLevels) {
  report.SetPen(kSpectrumReportFrameColour, kPenWidth);
  Frame(report, kOuterFrame);
  Frame(report, kInnerFrame);
  report.Text(kLowTextAt.x, kLowTextAt.y, kLowText);
  report.Text(kHighTextAt.x, kHighTextAt.y, kHighText);
  for (int band = 0; band < kSpectrumBandCount; ++band) {
    const int x0 = kFirstBarX + kBarPitch * band;
    const int lit = std::clamp(printLevels[static_cast<std::size_t>(band)], 0, kSpectrumSegmentCount);
    report.SetPen(kSpectrumReportLitColour, kPenWidth);
    for (int k = 0; k < kSpectrumSegmentCount; ++k) {
      if (k == lit) report.SetPen(kSpectrumReportUnlitColour, kPenWidth);
      const int y = kFirstSegmentY + kSegmentPitch * k;
      report.Line({x0, y}, {x0 + kBarWidth, y});
    }
  }
  report.DrawTitle(ReportKind::SpectrumAnalyzer);
  report.DrawFooter(ReportKind::SpectrumAnalyzer);
}
