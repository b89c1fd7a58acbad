#include "crossover/crossover_report.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

#include "crossover/crossover_codes.h"
#include "crossover/crossover_curve.h"
#include "crossover/crossover_curve_plan.h"
#include "crossover/crossover_graph.h"
#include "crossover/frequency_list.h"
#include "crossover/speaker_group_info.h"
#include "graphics/crossover_graph_axis.h"
#include "graphics/printed_report.h"

namespace {

constexpr std::array<const char*, kSpeakerGroupCount> kLineFormats = {
    "Front  Hi: LPF %s SLOPE %.0fdB/Oct  HPF %s SLOPE %.0fdB/Oct, LEVEL %d dB",
    "Front Mid: LPF %s SLOPE %.0fdB/Oct  HPF %s SLOPE %.0fdB/Oct, LEVEL %ddB",
    "Front Low: LPF %s SLOPE %.0fdB/Oct  HPF %s SLOPE %.0fdB/Oct, LEVEL %ddB",
    "Rear     : LPF %s SLOPE %.0fdB/Oct  HPF %s SLOPE %.0fdB/Oct, LEVEL %ddB",
    "Center   : LPF %s SLOPE %.0fdB/Oct  HPF %s SLOPE %.0fdB/Oct, LEVEL %ddB",
    "SubWf    : LPF %s SLOPE %.0fdB/Oct  HPF %s SLOPE %.0fdB/Oct, LEVEL %ddB",
};

constexpr Rgb kPageThinGrid{50, 50, 50};
constexpr Rgb kPageMainGrid{25, 25, 25};
constexpr int kPageTop = -20;
constexpr int kPageBottom = -490;
constexpr int kLinesX = 20;
constexpr int kFirstLineY = -700;
constexpr int kLineStep = 50;
// The page doubles the logical frame: one unit is 0.2 mm, y runs downward as negative values.
constexpr int kPageUnits = 2;

CanvasPoint PagePoint(CurvePoint p) { return {kPageUnits * p.x, -kPageUnits * p.y}; }

int PageX(const CrossoverGraphAxis& axis, double frequency) { return kPageUnits * axis.X(frequency); }

int PageY(const CrossoverGraphAxis& axis, int db) { return -kPageUnits * axis.DbY(db); }

// A slope shown as a whole number; an OFF slope is 0, never "-0".
double WholeSlope(double slope) { return slope == 0.0 ? 0.0 : slope; }

std::string Label(std::int32_t code) {
  return std::string(CrossoverFrequencyList().Label(std::clamp(code, 0, kCrossoverFrequencySteps - 1)));
}

void DrawGrid(PrintedReport& report, const CrossoverGraphAxis& axis) {
  const int left = PageX(axis, CrossoverGraphAxis::kLowestFrequency);
  const int right = PageX(axis, CrossoverGraphAxis::kHighestFrequency);
  report.SetPen(kPageThinGrid, 1);
  for (double f : kCrossoverMinorGridFrequencies) {
    const int x = PageX(axis, f);
    report.Line({x, kPageTop}, {x, kPageBottom});
  }
  for (int db : {-6, -12}) report.Line({left, PageY(axis, db)}, {right, PageY(axis, db)});

  report.SetPen(kPageMainGrid, 1);
  for (double f : kCrossoverDecadeGridFrequencies) {
    const int x = PageX(axis, f);
    report.Line({x, kPageTop}, {x, kPageBottom});
  }
  report.Line({left, PageY(axis, 0)}, {right, PageY(axis, 0)});

  report.SetPen(kPageMainGrid, 2);
  report.Line({left, kPageTop}, {right, kPageTop});
  report.Line({right, kPageTop}, {right, kPageBottom});
  report.Line({right, kPageBottom}, {left, kPageBottom});
  report.Line({left, kPageBottom}, {left, kPageTop});
}

}  // namespace

std::array<std::string, kSpeakerGroupCount> CrossoverReportLines(const CrossoverTable& records,
                                                                 CrossoverSet set) {
  std::array<std::string, kSpeakerGroupCount> lines;
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    // Center is mono: its Common set is the one in the car.
    const CrossoverSet shown = g == Index(SpeakerGroup::Center) ? CrossoverSet::Common : set;
    const CrossoverRec& rec = records[static_cast<std::size_t>(g)][static_cast<std::size_t>(Index(shown))];
    char text[160];
    std::snprintf(text, sizeof text, kLineFormats[static_cast<std::size_t>(g)], Label(rec.lpfCode).c_str(),
                  WholeSlope(rec.lpfSlope), Label(rec.hpfCode).c_str(), WholeSlope(rec.hpfSlope), rec.level);
    lines[static_cast<std::size_t>(g)] = text;
  }
  return lines;
}

void PrintCrossoverReport(PrintedReport& report, const CrossoverTable& records, CrossoverSet set) {
  if (!report.IsOpen()) return;
  const CrossoverGraphAxis axis = CrossoverGraphAxis::ForPrint();
  const int L = report.L();

  report.Text(-25, -12, "[dB]");
  report.Text(1376, -510, "[Hz]");
  report.Text(24, -70, "0");
  report.Text(4, -270, "-6");
  report.Text(-16, -470, "-12");
  report.Text(350, -490, "100");
  report.Text(810, -490, "1k");
  report.Text(1260, -490, "10k");

  for (int k = 0; k < kSpeakerGroupCount; ++k) {
    const auto group = static_cast<SpeakerGroup>(k);
    report.Text(1420, -(2 * k + 1) * L, GroupInfo(group).legendLabel);
    report.SetPen(ToRgb(NormalCurveColour(group)), L / 4);
    const int y = -2 * k * L - L / 2;
    report.Line({1430, y}, {1520, y});
  }

  DrawGrid(report, axis);

  std::vector<CanvasPoint> points(4);
  for (int g = 0; g < kSpeakerGroupCount; ++g) {
    const auto group = static_cast<SpeakerGroup>(g);
    const CrossoverSet drawn = group == SpeakerGroup::Center ? CrossoverSet::Common : set;
    const CurvePolyline curve =
        CurvePoints(records[static_cast<std::size_t>(g)][static_cast<std::size_t>(Index(drawn))], axis);
    for (std::size_t i = 0; i < curve.size(); ++i) points[i] = PagePoint(curve[i]);
    report.SetPen(ToRgb(NormalCurveColour(group)), L / 4);
    report.Polyline(points);
  }

  report.DrawTitle(ReportKind::Crossover);
  const auto lines = CrossoverReportLines(records, set);
  for (std::size_t i = 0; i < lines.size(); ++i)
    report.Text(kLinesX, kFirstLineY - kLineStep * static_cast<int>(i), lines[i]);
  report.DrawFooter(ReportKind::Crossover);
}
