#pragma once

#include <string>

#include "graphics/canvas.h"

// The six reports that share the page frame.
enum class ReportKind {
  Crossover,
  GraphicEq,
  ParametricEq,
  SpectrumAnalyzer,
  TimeCorrection,
  CustomerProfile
};

// Where a one-page report goes: a printer chosen in the print dialog, or a PDF file.
class ReportTarget {
 public:
  virtual ~ReportTarget() = default;

  // Which report the page will hold, for a target that names a file after it; set before
  // BeginPage.
  virtual void SetReportKind(ReportKind kind) { (void)kind; }
  // Shows the print dialog (a file shows none) and starts the one page. The page's canvas is in
  // 0.1 mm with y growing upward, and its point (0, 0) lies 20 mm right of and 20 mm below the
  // top-left corner of the printable area, which is the point (-200, 200). False when the dialog
  // was cancelled or the device could not be opened: then there is no page.
  virtual bool BeginPage() = 0;
  // The document's title, for targets that keep one (a PDF file's metadata); set before
  // BeginPage. A printer's job stays without a name.
  virtual void SetDocumentTitle(const std::string& title) { (void)title; }
  virtual Canvas& Page() = 0;
  // Finishes the page and the document and releases the device.
  virtual void EndPage() = 0;
};
