// The printed reports, rendered to a PDF file instead of a printer.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "cli/cli_context.h"
#include "document/setup_document.h"
#include "eq/eq_graph_report.h"
#include "graphics/printed_report.h"
#include "platform/qt_printed_report.h"

namespace {

int RunReport(CliContext& ctx);

const Verb kReport{"report", "report peq IN OUT.pdf [--side Common|L|R]",
                   "open IN and render its parametric EQ report (today's date) to the PDF file OUT.pdf",
                   RunReport};
const VerbRegistrar kRegisterReport(kReport);

constexpr std::array<std::string_view, kEqSideCount> kSideArguments = {"Common", "L", "R"};

bool ParseSide(const std::string& text, EqSide& side) {
  for (std::size_t i = 0; i < kSideArguments.size(); ++i) {
    if (text == kSideArguments[i] || text == std::to_string(i)) {
      side = static_cast<EqSide>(i);
      return true;
    }
  }
  return false;
}

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

int RunReport(CliContext& ctx) {
  if (ctx.args.size() != 3 && ctx.args.size() != 5)
    return UsageError(kReport, "expects peq, a setup file, a PDF file and optionally --side");
  if (ctx.args[0] != "peq") return UsageError(kReport, "the report must be peq");
  EqSide side = EqSide::Common;
  if (ctx.args.size() == 5) {
    if (ctx.args[3] != "--side") return UsageError(kReport, "unknown option " + ctx.args[3]);
    if (!ParseSide(ctx.args[4], side)) return UsageError(kReport, "the side must be Common, L or R");
  }

  SetupDocument doc;
  if (!OpenSetupArgument(ctx, ctx.args[1], doc)) return 1;

  std::unique_ptr<QGuiApplication> app;
  if (QCoreApplication::instance() == nullptr) app = StartGuiApplication();
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    ctx.dialogs.ShowMessage("no graphical application for rendering");
    return 1;
  }

  QtPrintedReport target(QString::fromStdString(ctx.args[2]));
  PrintedReport report(target);
  if (!report.Begin()) {
    ctx.dialogs.ShowMessage("cannot write " + ctx.args[2]);
    return 1;
  }
  PrintParametricEqReport(report, doc.peqBands, side);
  report.End();
  return 0;
}

}  // namespace
