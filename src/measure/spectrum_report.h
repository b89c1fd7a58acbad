#pragma once

#include "graphics/canvas.h"
#include "measure/analyzer_state.h"

class PrintedReport;

inline constexpr Rgb kSpectrumReportFrameColour{0x32, 0x32, 0x32};
inline constexpr Rgb kSpectrumReportLitColour{0x32, 0x33, 0xFF};
inline constexpr Rgb kSpectrumReportUnlitColour{0xAA, 0xAA, 0xAA};

// The spectrum page of the main form's "PRINT" on an open report: the outer and inner frames, the
// "20[Hz]" and "20[kHz]" texts, 31 bars of 48 segments (those below the band's level coloured,
// the others grey), then the dated title and the footer.
void PrintSpectrumReport(PrintedReport& report, const SpectrumLevels& printLevels);
