#include "graphics/printed_report.h"

#include <cstddef>
#include <cstdio>
#include <ctime>

namespace {

constexpr std::string_view kSpectrumFooter = "TORVAL country tel e-mail";
constexpr std::string_view kProfileTitle = "TORVALQ#5ORBITA User Profile        ID";

// By ReportKind: the report's name as a document title, and its short name for file names.
struct ReportNames {
  const char* document;
  const char* shortName;
};
constexpr ReportNames kReportNames[] = {{"Divider & Cross Over", "div"}, {"Graphic Equalizer", "geq"},
                                        {"Parametric Equalizer", "peq"}, {"Spectrum Analyzer", "spectrum"},
                                        {"TCR & PHASE", "tcr"},          {"User Profile", "profile"}};

const ReportNames& NamesOf(ReportKind kind) { return kReportNames[static_cast<std::size_t>(kind)]; }

std::string Dated(const char* lead, const ReportDate& d) {
  char text[128];
  std::snprintf(text, sizeof text, "%s%4d / %2d / %2d", lead, d.year, d.month, d.day);
  return text;
}

}  // namespace

ReportDate LocalDateToday() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

std::vector<PageText> ReportTitle(ReportKind kind, const ReportDate& date, int lineHeight,
                                  std::string_view idCode) {
  // The graph reports put the title below the graph, two lines under its bottom edge.
  const int belowGraph = -2 * lineHeight - 494;
  switch (kind) {
    case ReportKind::Crossover:
      return {{400, belowGraph, Dated("Divider & Cross Over        ", date)}};
    case ReportKind::GraphicEq:
      return {{400, belowGraph, Dated("Graphic Equalizer        ", date)}};
    case ReportKind::ParametricEq:
      return {{400, belowGraph, Dated("Parametric Equalizer        ", date)}};
    case ReportKind::SpectrumAnalyzer:
      return {{400, belowGraph, Dated("Spectrum Analyzer        ", date)}};
    case ReportKind::TimeCorrection:
      return {{500, 0, Dated("TCR & PHASE        ", date)}};
    case ReportKind::CustomerProfile:
      return {{500, 100, std::string(kProfileTitle) + (idCode.empty() ? "" : " ") + std::string(idCode)},
              {1400, 0, Dated("", date)}};
  }
  return {};
}

std::string ReportDocumentTitle(ReportKind kind, const ReportDate& date) {
  char text[96];
  std::snprintf(text, sizeof text, "%s %04d-%02d-%02d", NamesOf(kind).document, date.year, date.month,
                date.day);
  return text;
}

std::string_view ReportShortName(ReportKind kind) { return NamesOf(kind).shortName; }

std::string ReportFileName(std::string_view setupPath, ReportKind kind) {
  std::string_view name = setupPath.substr(setupPath.find_last_of('/') + 1);
  if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0)
    name = name.substr(0, dot);
  std::string file(name);
  if (!file.empty()) file += '-';
  return file + std::string(ReportShortName(kind)) + ".pdf";
}

PageText ReportFooter(ReportKind kind) {
  if (kind == ReportKind::SpectrumAnalyzer) return {1000, kReportFooterY, std::string(kSpectrumFooter)};
  return {1000, kReportFooterY, std::string(kReportFooter)};
}

PrintedReport::~PrintedReport() { End(); }

bool PrintedReport::Begin(ReportKind kind, const ReportDate& date) {
  if (open_) return true;
  target_.SetDocumentTitle(ReportDocumentTitle(kind, date));
  target_.SetReportKind(kind);
  return Begin(date);
}

bool PrintedReport::Begin(const ReportDate& date) {
  if (open_) return true;
  date_ = date;
  if (!target_.BeginPage()) return false;
  open_ = true;
  Canvas& page = target_.Page();
  page.SetDefaultFont();
  page.SetTextColours({0, 0, 0}, {255, 255, 255});
  lineHeight_ = page.LineHeight();
  return true;
}

void PrintedReport::Text(int x, int y, std::string_view text) {
  if (open_) target_.Page().DrawText({x, y}, text);
}

void PrintedReport::SetPen(Rgb colour, int width) {
  if (open_) target_.Page().SetPen(colour, width);
}

void PrintedReport::Line(CanvasPoint from, CanvasPoint to) {
  if (open_) target_.Page().DrawLine(from, to);
}

void PrintedReport::Polyline(std::span<const CanvasPoint> points) {
  if (open_) target_.Page().DrawPolyline(points);
}

void PrintedReport::DrawTitle(ReportKind kind, const ReportDate& date, std::string_view idCode) {
  for (const PageText& t : ReportTitle(kind, date, lineHeight_, idCode)) Text(t.x, t.y, t.text);
}

void PrintedReport::DrawFooter(ReportKind kind) {
  const PageText footer = ReportFooter(kind);
  Text(footer.x, footer.y, footer.text);
}

void PrintedReport::End() {
  if (!open_) return;
  open_ = false;
  target_.EndPage();
}
