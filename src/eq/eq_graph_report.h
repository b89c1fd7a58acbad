#pragma once

#include <array>

#include "document/types.h"
#include "eq/equalizer_settings.h"
#include "eq/response_curve.h"

class PrintedReport;

// The body of the two equalizer reports on an open report page: the graph at two page units per
// logical unit (20 Hz at x 60, 20 kHz at x 1414, plot from y -20 to -490), the four groups'
// curves of one side, the axis texts, the legend, then the dated title and the footer.
void PrintEqGraphReport(PrintedReport& report, EqKind kind,
                        const std::array<CurveValues, kEqGroupCount>& curves);

// The "PRINT" of the parametric window: every group's summed curve of `side`.
void PrintParametricEqReport(PrintedReport& report, PerEqSet<PeqBandSet> sets, EqSide side);

// The "PRINT" of the graphic window: every group's curve of `side`, summed over its 31 bands.
void PrintGraphicEqReport(PrintedReport& report, PerEqSet<GeqCodeSet> sets, EqSide side);

// x of a grid frequency on the page: 2 x trunc(68 / 0.301 x log10(f / 20) + 30).
int PageGridX(double frequency);
