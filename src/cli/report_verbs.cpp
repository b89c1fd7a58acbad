// The printed reports, rendered to a PDF file instead of a printer. Each report kind registers
// itself with a ReportKindRegistrar in a file of its own; this file holds the verb and what the
// kinds share.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "graphics/printed_report.h"
#include "platform/qt_printed_report.h"

namespace {

int RunReport(CliContext& ctx);

const Verb kReport{"report", "report KIND ARGUMENTS...",
                   "render a window's printed report (today's date) to a one-page PDF file; the kinds "
                   "are listed below",
                   RunReport};
const VerbRegistrar kRegisterReport(kReport);

// Fonts need a GUI application; the tool has no screen, so it runs on the offscreen platform.
// Qt's own notes about the desktop it runs on (no runtime folder, no screen) are not the tool's
// messages: standard error carries only the system's texts; Qt's critical errors still pass.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

std::unique_ptr<QGuiApplication> StartGuiApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtNotes);
  static int argc = 1;
  static char name[] = "krv5200-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

std::string KindNames() {
  std::string names;
  for (const ReportKindEntry& kind : RegisteredReportKinds()) {
    if (!names.empty()) names += ", ";
    names += kind.name;
  }
  return names;
}

int RunReport(CliContext& ctx) {
  if (ctx.args.empty()) return UsageError(kReport, "expects a report kind: " + KindNames());
  const auto& kinds = RegisteredReportKinds();
  const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                 [&](const ReportKindEntry& k) { return k.name == ctx.args[0]; });
  if (kind == kinds.end()) return UsageError(kReport, "the report must be one of " + KindNames());
  ReportArguments args{ctx, *kind, std::vector<std::string>(ctx.args.begin() + 1, ctx.args.end())};
  return kind->run(args);
}

}  // namespace

std::vector<ReportKindEntry>& RegisteredReportKinds() {
  static std::vector<ReportKindEntry> kinds;
  return kinds;
}

int ReportUsageError(const ReportArguments& args, std::string_view problem) {
  std::fprintf(stderr, "krv5200-cli report %.*s: %.*s\nusage: krv5200-cli report %.*s\n",
               static_cast<int>(args.kind.name.size()), args.kind.name.data(),
               static_cast<int>(problem.size()), problem.data(), static_cast<int>(args.kind.usage.size()),
               args.kind.usage.data());
  return 1;
}

bool TakeOption(ReportArguments& args, std::string_view name, std::optional<std::string>& value) {
  for (std::size_t i = 0; i < args.positional.size(); ++i) {
    if (args.positional[i] != name) continue;
    if (i + 1 >= args.positional.size()) {
      ReportUsageError(args, std::string(name) + " needs a value");
      return false;
    }
    value = args.positional[i + 1];
    args.positional.erase(args.positional.begin() + static_cast<std::ptrdiff_t>(i),
                          args.positional.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

bool ParseSideArgument(const std::string& text, EqSide& side) {
  int s = 0;
  if (!ParseIndex(text, kSideArguments, s)) return false;
  side = static_cast<EqSide>(s);
  return true;
}

bool TakeSideOption(ReportArguments& args, EqSide& side) {
  std::optional<std::string> value;
  if (!TakeOption(args, "--side", value)) return false;
  if (value && !ParseSideArgument(*value, side)) {
    ReportUsageError(args, "the side must be Common, L or R");
    return false;
  }
  return true;
}

int RenderReportPdf(CliContext& ctx, ReportKind kind, const std::string& pdfPath,
                    const std::function<void(PrintedReport&)>& body) {
  std::unique_ptr<QGuiApplication> app;
  if (QCoreApplication::instance() == nullptr) app = StartGuiApplication();
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    ctx.dialogs.ShowMessage("no graphical application for rendering");
    return 1;
  }
  QtPrintedReport target(QString::fromStdString(pdfPath));
  PrintedReport report(target);
  if (!report.Begin(kind)) {
    ctx.dialogs.ShowMessage("cannot write " + pdfPath);
    return 1;
  }
  body(report);
  report.End();
  return 0;
}

void StartReportApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static const std::unique_ptr<QGuiApplication> app = StartGuiApplication();
}
