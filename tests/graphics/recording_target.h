#pragma once

#include "graphics/recording_canvas.h"
#include "graphics/report_target.h"

// A printer that records the page; `cancel` stands for a print dialog the user cancelled.
class RecordingTarget : public ReportTarget {
 public:
  bool BeginPage() override {
    ++begun;
    return !cancel;
  }
  Canvas& Page() override { return page; }
  void EndPage() override { ++ended; }

  bool cancel = false;
  int begun = 0;
  int ended = 0;
  RecordingCanvas page;
};
