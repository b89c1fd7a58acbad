#pragma once

#include <cstdio>

#include "cli/cli_context.h"
#include "link/serial_port.h"
#include "link/tracing_line.h"
#include "measure/analyzer_state.h"
#include "platform/qt_message_pump.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_settings_store.h"
#include "platform/system_clock.h"

// The line, port and clock of one verb; --trace puts every byte on standard error. `Pump`
// delivers the events a waiting transaction lets through (a verb that stops on Ctrl-C brings its
// own).
template <typename Pump = QtMessagePump>
struct LineSession {
  explicit LineSession(CliContext& ctx)
      : qtLine((EnsureQtApplication(), settings)),
        tracing(qtLine, stderr),
        port(ctx.trace ? static_cast<SerialLine&>(tracing) : qtLine, ctx.dialogs, pump) {}

  QtSettingsStore settings;
  QtSerialLine qtLine;
  TracingLine tracing;
  Pump pump;
  SerialPort port;
  SystemClock clock;
};

// Reads the processor's 31 spectrum-analyzer levels on an open port, each capped as the
// analyzer shows it. A band that cannot be read is reported as "CHKSUM ERROR <band>".
bool ReadSpectrumLevels(CliContext& ctx, SerialPort& port, Clock& clock, SpectrumLevels& levels);
