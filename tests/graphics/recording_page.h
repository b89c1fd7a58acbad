#pragma once

#include "graphics/recording_canvas.h"
#include "graphics/report_target.h"

// A report's one page on a recording canvas; `cancel` answers the print dialog with Cancel.
class RecordingPage : public ReportTarget {
 public:
  bool BeginPage() override { return !cancel; }
  Canvas& Page() override { return page; }
  void EndPage() override {}
  bool cancel = false;
  RecordingCanvas page;
};
