// krv5200-cli report tcr: the time correction and phase window's "PRINT".
#include "alignment/tcr_report.h"
#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "document/setup_document.h"

namespace {

int RunTcr(ReportArguments& args) {
  if (args.positional.size() != 2) return ReportUsageError(args, "expects a setup file and a PDF file");
  SetupDocument doc;
  if (!OpenSetupArgument(args.ctx, args.positional[0], doc)) return 1;
  return RenderReportPdf(
      args.ctx, ReportKind::TimeCorrection, args.positional[1],
      [&](PrintedReport& report) { PrintTimeCorrectionReport(report, doc.channelDelay, doc.channelPhase); });
}

const ReportKindRegistrar kTcr({"tcr", "tcr IN OUT.pdf", "the time correction and phase report of IN",
                                RunTcr});

}  // namespace
