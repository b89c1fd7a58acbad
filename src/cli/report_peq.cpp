// krv5200-cli report peq: the parametric EQ window's "PRINT".
#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "document/setup_document.h"
#include "eq/eq_graph_report.h"

namespace {

int RunPeq(ReportArguments& args) {
  EqSide side = EqSide::Common;
  if (!TakeSideOption(args, side)) return 1;
  if (args.positional.size() != 2) return ReportUsageError(args, "expects a setup file and a PDF file");
  SetupDocument doc;
  if (!OpenSetupArgument(args.ctx, args.positional[0], doc)) return 1;
  return RenderReportPdf(args.ctx, ReportKind::ParametricEq, args.positional[1],
                         [&](PrintedReport& report) { PrintParametricEqReport(report, doc.peqBands, side); });
}

const ReportKindRegistrar kPeq({"peq", "peq IN OUT.pdf [--side Common|L|R]",
                                "the parametric EQ report of IN (one side, Common by default)", RunPeq});

}  // namespace
