#include "alignment/tcr_report.h"

#include <algorithm>
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
// The longest name takes about 9.5 line heights of the report's font (counted in half lines).
constexpr int kNameColumnLines = 19;

}  // namespace

void PrintTimeCorrectionReport(PrintedReport& report, const std::array<double, kOutputCount>& delays,
                               const std::array<std::int32_t, kOutputCount>& phases) {
  const int lineHeight = report.L();
  // The columns stand where they always did unless the printer's font is too large for the
  // longest name ("SUB WOOFER RIGHT"): then they move right as far as it needs, so that no value
  // is printed over a name.
  const int shift = std::max(0, kNameX + kNameColumnLines * lineHeight / 2 - kDelayX);
  report.Text(kDelayHeadX + shift, -kHeadLine * lineHeight, kDelayHead);
  report.Text(kPhaseHeadX + shift, -kHeadLine * lineHeight, kPhaseHead);
  for (int c = 0; c < kOutputCount; ++c) {
    const int y = -(kFirstChannelLine + c) * lineHeight;
    report.Text(kNameX, y, kTcrReportChannelNames[c]);
    std::string delay = FixedText(delays[c], 1);
    if (delay.size() < 3) delay.insert(0, 3 - delay.size(), ' ');  // "%3.1f"
    report.Text(kDelayX + shift, y, ": " + delay + " msec");
    report.Text(kPhaseX + shift, y,
                ": " + std::to_string(std::int64_t{phases[c]} * kDegreesPerFlag) + " deg");
  }
  report.DrawTitle(ReportKind::TimeCorrection);
  report.DrawFooter(ReportKind::TimeCorrection);
}
