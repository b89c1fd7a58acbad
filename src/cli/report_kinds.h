#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/types.h"
#include "graphics/printed_report.h"

struct CliContext;
struct ReportKindEntry;

// What a report kind is handed: the context and the arguments after the kind's name. The
// Take... helpers remove the options they find, so that what remains is positional.
struct ReportArguments {
  CliContext& ctx;
  const ReportKindEntry& kind;
  std::vector<std::string> positional;
};

// One kind of "krv5200-cli report": peq, geq, div, tcr, spectrum, profile.
struct ReportKindEntry {
  std::string_view name;     // e.g. "peq"
  std::string_view usage;    // after "report ", e.g. "peq IN OUT.pdf [--side Common|L|R]"
  std::string_view summary;  // one line for --help
  int (*run)(ReportArguments&);
};

std::vector<ReportKindEntry>& RegisteredReportKinds();

struct ReportKindRegistrar {
  explicit ReportKindRegistrar(const ReportKindEntry& kind) { RegisteredReportKinds().push_back(kind); }
};

// "usage: krv5200-cli report <usage>" on standard error; returns the exit status 1.
int ReportUsageError(const ReportArguments& args, std::string_view problem);

// Takes "NAME VALUE" out of the arguments when it is there; false (usage reported) when NAME is
// the last argument.
bool TakeOption(ReportArguments& args, std::string_view name, std::optional<std::string>& value);
// "Common", "L", "R" or 0..2.
bool ParseSideArgument(const std::string& text, EqSide& side);
// "--side S", Common when absent; false (usage reported) for another side.
bool TakeSideOption(ReportArguments& args, EqSide& side);

// Starts now the graphical application that rendering needs, for a kind that uses Qt before it
// renders (a serial line); it lasts until the tool exits.
void StartReportApplication();

// Renders one page of a `kind` report to the PDF file at `pdfPath` (the page is begun with
// today's date and ended here; `body` draws everything else, title and footer included; the file
// carries the report's title and the program's name). 0 on success; 1 with a message when the
// file cannot be written.
int RenderReportPdf(CliContext& ctx, ReportKind kind, const std::string& pdfPath,
                    const std::function<void(PrintedReport&)>& body);
