// krv5200-cli report spectrum: the main form's "PRINT" of the spectrum analyzer.
#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "cli/line_session.h"
#include "cli/report_kinds.h"
#include "measure/analyzer_state.h"
#include "measure/spectrum_report.h"

namespace {

// The 31 band levels read once from the processor on `portName`, each as the analyzer shows it.
bool ReadLevels(CliContext& ctx, const std::string& portName, SpectrumLevels& levels) {
  StartReportApplication();
  LineSession<> session(ctx);
  return session.port.OpenPort(portName) && ReadSpectrumLevels(ctx, session.port, session.clock, levels);
}

int RunSpectrumReport(ReportArguments& args) {
  std::optional<std::string> portName;
  if (!TakeOption(args, "--port", portName)) return 1;
  if (args.positional.size() != 1) return ReportUsageError(args, "expects a PDF file");
  SpectrumLevels levels;
  levels.fill(kPrintLevelStart);
  if (portName && !ReadLevels(args.ctx, *portName, levels)) return 1;
  return RenderReportPdf(args.ctx, ReportKind::SpectrumAnalyzer, args.positional[0],
                         [&](PrintedReport& report) { PrintSpectrumReport(report, levels); });
}

const ReportKindRegistrar kSpectrumReport({"spectrum", "spectrum OUT.pdf [--port PORT]",
                                           "the spectrum report of the levels read once on PORT (without a "
                                           "port: the start-up levels, 32 each)",
                                           RunSpectrumReport});

}  // namespace
