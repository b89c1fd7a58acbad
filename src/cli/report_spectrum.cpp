// krv5200-cli report spectrum: the main form's "PRINT" of the spectrum analyzer.
#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "cli/report_kinds.h"
#include "link/connect_sequence.h"
#include "link/device_link.h"
#include "link/serial_port.h"
#include "link/tracing_line.h"
#include "measure/analyzer_state.h"
#include "measure/spectrum_report.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"

namespace {

constexpr int kSpectrumBank = 0;

// The 31 band levels read once from the processor on `portName`, each as the analyzer shows it.
bool ReadLevels(CliContext& ctx, const std::string& portName, SpectrumLevels& levels) {
  StartReportApplication();
  QtSettingsStore settings;
  QtSerialLine qtLine(settings);
  TracingLine tracing(qtLine, stderr);
  QtMessagePump pump;
  SerialPort port(ctx.trace ? static_cast<SerialLine&>(tracing) : qtLine, ctx.dialogs, pump);
  SystemClock clock;
  if (!port.OpenPort(portName)) return false;
  DeviceLink link(port, clock);
  for (int band = 0; band < kSpectrumBandCount; ++band) {
    std::uint8_t value = 0;
    if (!link.ReadResult(kSpectrumBank, band, value)) {
      ctx.dialogs.ShowFailure(ChecksumErrorText(band), port.FailureNote());
      return false;
    }
    levels[static_cast<std::size_t>(band)] = AnalyzerState::CapLevel(value);
  }
  port.ClosePort();
  return true;
}

int RunSpectrum(ReportArguments& args) {
  std::optional<std::string> portName;
  if (!TakeOption(args, "--port", portName)) return 1;
  if (args.positional.size() != 1) return ReportUsageError(args, "expects a PDF file");
  SpectrumLevels levels;
  levels.fill(kPrintLevelStart);
  if (portName && !ReadLevels(args.ctx, *portName, levels)) return 1;
  return RenderReportPdf(args.ctx, ReportKind::SpectrumAnalyzer, args.positional[0],
                         [&](PrintedReport& report) { PrintSpectrumReport(report, levels); });
}

const ReportKindRegistrar kSpectrum({"spectrum", "spectrum OUT.pdf [--port PORT]",
                                     "the spectrum report of the levels read once on PORT (without a "
                                     "port: the start-up levels, 32 each)",
                                     RunSpectrum});

}  // namespace
