#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/dialogs.h"
#include "common/message_pump.h"
#include "common/progress.h"
#include "graphics/report_target.h"

// Seams that take everything and show nothing, for the fuzz targets.
namespace fuzz {

class QuietDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view, MessageIcon) override {}
};

class QuietProgress : public Progress {
 public:
  void Open() override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void SetRange(int, int) override {}
  void SetText(int, std::string_view) override {}
  void SetPosition(int) override {}
  void Close() override { open_ = false; }

 private:
  bool open_ = false;
};

class QuietPump : public MessagePump {
 public:
  void Pump() override {}
};

class NullReportTarget : public ReportTarget {
 public:
  bool BeginPage() override { return true; }
  Canvas& Page() override { return canvas_; }
  void EndPage() override {}

 private:
  NullCanvas canvas_;
};

// A broken promise of the system: the fuzzer records the input that led here.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "broken rule: %s\n", what);
  std::abort();
}

}  // namespace fuzz
