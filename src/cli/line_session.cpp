#include "cli/line_session.h"

#include "link/connect_sequence.h"
#include "link/device_link.h"

namespace {

// The analyzer's readings are the results of bank 0.
constexpr int kSpectrumBank = 0;

}  // namespace

bool ReadSpectrumLevels(CliContext& ctx, SerialPort& port, Clock& clock, SpectrumLevels& levels) {
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
