#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/canvas.h"
#include "graphics/report_target.h"

struct ReportDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31

  friend bool operator==(const ReportDate&, const ReportDate&) = default;
};

// The local date now.
ReportDate LocalDateToday();

struct PageText {
  int x = 0;
  int y = 0;
  std::string text;

  friend bool operator==(const PageText&, const PageText&) = default;
};

inline constexpr std::string_view kReportFooter = "TORVAL KRV5200   PC SETUP DATA";
inline constexpr int kReportFooterY = -1150;

// The dated title lines of a report; L is the page's line height. The customer profile's title
// ends in "ID" and the ID code typed in the dialog, if any.
std::vector<PageText> ReportTitle(ReportKind kind, const ReportDate& date, int lineHeight,
                                  std::string_view idCode = {});
// The report's name and date as a document title (a PDF file's metadata), e.g.
// "Graphic Equalizer 2026-12-08".
std::string ReportDocumentTitle(ReportKind kind, const ReportDate& date);
// The report's short name: "div", "geq", "peq", "spectrum", "tcr", "profile".
std::string_view ReportShortName(ReportKind kind);
// The name a report saved as a PDF file is offered under: the setup file's name without its
// extension and the report's short name, "shop-peq.pdf"; "peq.pdf" for an untitled setup.
std::string ReportFileName(std::string_view setupPath, ReportKind kind);
// The footer; the customer profile's footer depends on the country and is the profile's own,
// so for it this is the footer used outside the U.S.A.
PageText ReportFooter(ReportKind kind);

// The one-page print frame every "PRINT" command uses: the page is set up in 0.1 mm with y
// growing upward, text is black on white in the printer's default font, and every position
// that depends on text is a multiple of the line height L.
class PrintedReport {
 public:
  explicit PrintedReport(ReportTarget& target) : target_(target) {}
  PrintedReport(const PrintedReport&) = delete;
  PrintedReport& operator=(const PrintedReport&) = delete;
  // An unfinished page is finished.
  ~PrintedReport();

  // Takes the date for the title (today's unless given), names the document after the report
  // where the target keeps a name (a PDF file), shows the print dialog and prepares the page.
  // False when the dialog was cancelled: then nothing is printed and every drawing call is
  // ignored.
  bool Begin(ReportKind kind) { return Begin(kind, LocalDateToday()); }
  bool Begin(ReportKind kind, const ReportDate& date);
  // The same for a page without a name.
  bool Begin(const ReportDate& date);
  bool IsOpen() const { return open_; }
  const ReportDate& Date() const { return date_; }
  // The printer font's character height plus external leading, in page units.
  int L() const { return lineHeight_; }

  void Text(int x, int y, std::string_view text);
  void SetPen(Rgb colour, int width);
  void Line(CanvasPoint from, CanvasPoint to);
  void Polyline(std::span<const CanvasPoint> points);

  void DrawTitle(ReportKind kind) { DrawTitle(kind, date_); }
  void DrawTitle(ReportKind kind, const ReportDate& date, std::string_view idCode = {});
  void DrawFooter(ReportKind kind);

  // Finishes the page and releases the printer.
  void End();

 private:
  ReportTarget& target_;
  ReportDate date_;
  bool open_ = false;
  int lineHeight_ = 0;
};
