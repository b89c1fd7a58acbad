#include "alignment/tcr_report.h"

#include <string>

#include "alignment/delay_distance.h"
#include "graphics/printed_report.h"

namespace {

constexpr std::string_view kDelayHead = "DELAY";
constexpr std::string_view kPhaseHead = "PHASE";
constexpr int kHeadLine = 2;
constexpr int kFirstChannelLine = 4;
constexpr int kDelayHeadX = 250;
constexpr int kPhaseHeadX = 550;
constexpr int kNameX = 10;
constexpr int kDelayX = 200;
constexpr int kPhaseX = 500;
constexpr int kDegreesPerFlag = 180;

}  // namespace

void PrintTimeCorrectionReport(PrintedReport& report, const std::array<double, kOutputCount>& delays,
                               const std::array<std::int32_t, kOutputCount>& phases) {
  const int lineHeight = report.L();
  report.Text(kDelayHeadX, -kHeadLine * lineHeight, kDelayHead);
  report.Text(kPhaseHeadX, -kHeadLine * lineHeight, kPhaseHead);
  for (int c = 0; c < kOutputCount; ++c) {
    const int y = -(kFirstChannelLine + c) * lineHeight;
    report.Text(kNameX, y, kTcrReportChannelNames[c]);
    std::string delay = FixedText(delays[c], 1);
    if (delay.size() < 3) delay.insert(0, 3 - delay.size(), ' ');  // "%3.1f"
    report.Text(kDelayX, y, ": " + delay + " msec");
    report.Text(kPhaseX, y, ": " + std::to_string(std::int64_t{phases[c]} * kDegreesPerFlag) + " deg");
  }
  report.DrawTitle(ReportKind::TimeCorrection);
  report.DrawFooter(ReportKind::TimeCorrection);
}
