#include "eq/eq_graph_report.h"

#include <cmath>
#include <string>
#include <vector>

#include "graphics/eq_graph_axis.h"
#include "graphics/eq_graph_colours.h"
#include "graphics/printed_report.h"

namespace {

constexpr Rgb kPageFineGrid{50, 50, 50};
constexpr Rgb kPageStrongLine{25, 25, 25};
constexpr int kPageLeft = 60;
constexpr int kPageRight = 1414;

}  // namespace

int PageGridX(double frequency) {
  return 2 * static_cast<int>(225.91362126245846 * std::log10(frequency / 20.0) + 30.0);
}

void PrintEqGraphReport(PrintedReport& report, EqKind kind,
                        const std::array<CurveValues, kEqGroupCount>& curves) {
  if (!report.IsOpen()) return;
  const bool graphic = kind == EqKind::Graphic;
  const EqGraphAxis axis =
      graphic ? EqGraphAxis::Graphic(GraphScale{}) : EqGraphAxis::Parametric(GraphScale{});
  const int top = EqGraphAxis::kPageTop;
  const int bottom = EqGraphAxis::kPageBottom;
  // The dB limit lines of the logical frame, unscaled: 131 -+ limit x dB unit.
  const int dbUnit = graphic ? 9 : 7;
  const int upperY = -2 * (131 - axis.LimitDb() * dbUnit);
  const int lowerY = -2 * (131 + axis.LimitDb() * dbUnit);

  report.SetPen(kPageFineGrid, 1);
  for (double decade : {10.0, 100.0, 1000.0}) {
    for (int n = 1; n <= 9; ++n) {
      const int x = PageGridX(n * decade);
      report.Line({x, top}, {x, bottom});
    }
  }
  report.Line({kPageLeft, upperY}, {kPageRight, upperY});
  report.Line({kPageLeft, lowerY}, {kPageRight, lowerY});

  report.SetPen(kPageStrongLine, 1);
  for (double f : {100.0, 1000.0, 10000.0}) {
    const int x = PageGridX(f);
    report.Line({x, top}, {x, bottom});
  }
  report.Line({kPageLeft, -2 * 130}, {kPageRight, -2 * 130});
  report.SetPen(kPageStrongLine, 2);
  report.Line({kPageLeft, top}, {kPageLeft, bottom});
  report.Line({kPageRight, top}, {kPageRight, bottom});
  report.Line({kPageLeft, top}, {kPageRight, top});
  report.Line({kPageLeft, bottom}, {kPageRight, bottom});

  const int L = report.L();
  std::vector<CanvasPoint> points(kCurvePointCount);
  for (int g = 0; g < kEqGroupCount; ++g) {
    const CurveValues& values = curves[static_cast<std::size_t>(g)];
    for (int j = 0; j < kCurvePointCount; ++j) {
      const auto i = static_cast<std::size_t>(j);
      points[i] = {EqGraphAxis::PageCurveX(CurveGridFrequency(j)), axis.PageCurveY(values[i])};
    }
    report.SetPen(kGroupColours[static_cast<std::size_t>(g)].curve, L / 4);
    report.Polyline(points);
  }

  report.Text(-25, -12, "[dB]");
  report.Text(1400, -494, "[Hz]");
  if (graphic) {
    report.Text(0, -70, "+9");
    report.Text(24, -250, "0");
    report.Text(0, -414, "-9");
  } else {
    report.Text(-16, -70, "+12");
    report.Text(24, -250, "0");
    report.Text(-16, -414, "-12");
  }
  report.Text(356, -490, "100");
  report.Text(828, -490, "1k");
  report.Text(1280, -490, "10k");

  for (int g = 0; g < kEqGroupCount; ++g) {
    report.Text(1420, -(2 * g + 1) * L, kEqGroupLegendTexts[static_cast<std::size_t>(g)]);
    report.SetPen(kGroupColours[static_cast<std::size_t>(g)].curve, L / 2);
    const int y = -L / 2 - 2 * g * L;
    report.Line({1430, y}, {1520, y});
  }

  report.DrawTitle(graphic ? ReportKind::GraphicEq : ReportKind::ParametricEq);
  report.DrawFooter(graphic ? ReportKind::GraphicEq : ReportKind::ParametricEq);
}

void PrintParametricEqReport(PrintedReport& report, PerEqSet<PeqBandSet> sets, EqSide side) {
  std::array<CurveValues, kEqGroupCount> curves{};
  for (int g = 0; g < kEqGroupCount; ++g)
    curves[static_cast<std::size_t>(g)] = ResponseCurve(sets, static_cast<EqGroup>(g), side);
  PrintEqGraphReport(report, EqKind::Parametric, curves);
}

void PrintGraphicEqReport(PrintedReport& report, PerEqSet<GeqCodeSet> sets, EqSide side) {
  std::array<CurveValues, kEqGroupCount> curves{};
  for (int g = 0; g < kEqGroupCount; ++g)
    curves[static_cast<std::size_t>(g)] = ResponseCurve(sets, static_cast<EqGroup>(g), side);
  PrintEqGraphReport(report, EqKind::Graphic, curves);
}
