// krv5200-cli report div: the crossover window's "PRINT".
#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "crossover/crossover_report.h"
#include "document/setup_document.h"

namespace {

int RunDiv(ReportArguments& args) {
  EqSide side = EqSide::Common;
  if (!TakeSideOption(args, side)) return 1;
  if (args.positional.size() != 2) return ReportUsageError(args, "expects a setup file and a PDF file");
  SetupDocument doc;
  if (!OpenSetupArgument(args.ctx, args.positional[0], doc)) return 1;
  const auto set = static_cast<CrossoverSet>(Index(side));
  return RenderReportPdf(args.ctx, ReportKind::Crossover, args.positional[1],
                         [&](PrintedReport& report) { PrintCrossoverReport(report, doc.crossover, set); });
}

const ReportKindRegistrar kDiv(
    {"div", "div IN OUT.pdf [--side Common|L|R]",
     "the crossover (divider) report of IN: all six groups of one set, Common by default", RunDiv});

}  // namespace
