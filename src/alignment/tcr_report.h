#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "document/types.h"

class PrintedReport;

// The outputs' names on the time correction report, by OutputChannel.
inline constexpr std::array<std::string_view, kOutputCount> kTcrReportChannelNames = {
    "FRONT HI LEFT",  "FRONT HI RIGHT",  "FRONT MID LEFT",  "FRONT MID RIGHT",
    "FRONT LOW LEFT", "FRONT LOW RIGHT", "CENTER",          "REAR LEFT",
    "REAR RIGHT",     "SUB WOOFER LEFT", "SUB WOOFER RIGHT"};

// The "PRINT" page of the time correction and phase window on an open report: the column heads
// on line 2, one line per output from line 4 (name, ": %3.1f msec", ": %d deg"), each line k at
// y = -k x L, then the dated title and the footer.
void PrintTimeCorrectionReport(PrintedReport& report, const std::array<double, kOutputCount>& delays,
                               const std::array<std::int32_t, kOutputCount>& phases);
