// krv5200-cli report profile: the customer profile dialog's "PRINT".
#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "document/setup_document.h"
#include "profile/country_list.h"
#include "profile/profile_report.h"

namespace {

int RunProfile(ReportArguments& args) {
  std::optional<std::string> country;
  if (!TakeOption(args, "--country", country)) return 1;
  // A setup file holds no country; the program starts with "U.S.A".
  int index = 0;
  if (country) {
    index = CountryIndexOf(*country);
    if (index < 0) return ReportUsageError(args, "the country must be U.S.A, JAPAN or OTHER");
  }
  if (args.positional.size() != 2) return ReportUsageError(args, "expects a setup file and a PDF file");
  SetupDocument doc;
  if (!OpenSetupArgument(args.ctx, args.positional[0], doc)) return 1;
  doc.profile.country = index;
  return RenderReportPdf(args.ctx, ReportKind::CustomerProfile, args.positional[1],
                         [&](PrintedReport& report) { PrintCustomerProfileReport(report, doc.profile); });
}

const ReportKindRegistrar kProfile({"profile", "profile IN OUT.pdf [--country U.S.A|JAPAN|OTHER]",
                                    "the customer profile report of IN (its own date; U.S.A by default)",
                                    RunProfile});

}  // namespace
