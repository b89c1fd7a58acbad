#pragma once

#include <array>
#include <string>

#include "document/types.h"

class PrintedReport;

// The value line of each speaker group under the crossover report's graph: LPF and HPF labels
// and slopes, and the level, of the group's record in `set`.
std::array<std::string, kSpeakerGroupCount> CrossoverReportLines(const CrossoverTable& records,
                                                                 CrossoverSet set);

// The crossover window's "PRINT" on an open report page: the graph of all six groups in `set`
// (whether their speakers are on or not), the axis texts and legend, the dated title, the six
// value lines and the footer.
void PrintCrossoverReport(PrintedReport& report, const CrossoverTable& records, CrossoverSet set);
