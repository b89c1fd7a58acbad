// krv5200-cli report geq: the graphic EQ window's "PRINT".
#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "document/setup_document.h"
#include "eq/eq_graph_report.h"
#include "eq/equalizer_settings.h"

namespace {

int RunGeq(ReportArguments& args) {
  EqSide side = EqSide::Common;
  if (!TakeSideOption(args, side)) return 1;
  if (args.positional.size() != 2) return ReportUsageError(args, "expects a setup file and a PDF file");
  SetupDocument doc;
  if (!OpenSetupArgument(args.ctx, args.positional[0], doc)) return 1;
  return RenderReportPdf(args.ctx, ReportKind::GraphicEq, args.positional[1], [&](PrintedReport& report) {
    PrintGraphicEqReport(report, GeqCodesFromBands(doc.geqBands), side);
  });
}

const ReportKindRegistrar kGeq({"geq", "geq IN OUT.pdf [--side Common|L|R]",
                                "the graphic EQ report of IN (one side, Common by default)", RunGeq});

}  // namespace
