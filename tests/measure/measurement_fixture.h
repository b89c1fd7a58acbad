#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "form/form_test_support.h"
#include "graphics/printed_report.h"
#include "graphics/recording_canvas.h"
#include "measure/aeq_start.h"
#include "measure/aeq_start_view.h"
#include "measure/auto_tcr_view.h"
#include "measure/measurement_runs.h"

namespace measuretest {

// Posted requests wait in a queue until delivered, by the test or by a pump as window events are.
class QueuedRequests : public FormRequestSink {
 public:
  SetupForm* form = nullptr;
  void Post(const FormRequest& request) override { queue.push_back(request); }
  void Send(const FormRequest& request) override { form->HandleRequest(request); }
  void Deliver() {
    while (!queue.empty()) {
      const FormRequest r = queue.front();
      queue.pop_front();
      form->HandleRequest(r);
    }
  }
  std::deque<FormRequest> queue;
};

// A report's page on a recording canvas.
struct PageTarget : ReportTarget {
  bool BeginPage() override { return true; }
  Canvas& Page() override { return page; }
  void EndPage() override {}
  RecordingCanvas page;
};

inline int CountLines(const RecordingCanvas& canvas, Rgb colour) {
  int n = 0;
  for (const auto& op : canvas.Of(RecordingCanvas::Kind::Line)) n += op.colour == colour ? 1 : 0;
  return n;
}

class FakeAeqStartView : public AeqStartView {
 public:
  void Open(AeqStart&) override { open = true; }
  void Show() override { ++shows; }
  void Close() override { open = false; }
  void SetWaitCursor(bool on) override { waitCursor = on; }
  bool open = false;
  bool waitCursor = false;
  int shows = 0;
};

class FakeTcrStartView : public AutoTcrView {
 public:
  void Open(AutoTcrRun&) override { open = true; }
  bool IsOpen() const override { return open; }
  void SetPosition(int position) override {
    if (positions.empty() || positions.back() != position) positions.push_back(position);
  }
  void Close() override { open = false; }
  void SetWaitCursor(bool on) override { waitCursor = on; }
  bool open = false;
  bool waitCursor = false;
  std::vector<int> positions;  // each new position once
};

// The form with its automatic runs, the simulated processor connected on COM1.
struct MeasureFixture : formtest::FormFixture {
  QueuedRequests requests;
  FakeAeqStartView aeqView;
  FakeTcrStartView tcrView;
  MeasurementRuns runs{form, port, clock, dialogs, parameter, requests, aeqView, tcrView};
  // Runs while a byte is awaited with pumping on, before the posted requests are delivered.
  std::function<void()> whilePumping;

  MeasureFixture() {
    requests.form = &form;
    form.SetAutomaticRuns(runs);
    pump.onPump = [this] {
      if (whilePumping) whilePumping();
      requests.Deliver();
    };
    line.Processor().Config().measurePolls = 5;
    ConnectNow();
  }

  AeqStart& Dialog() { return runs.AeqDialog(); }
  ProcessorState::Measurement& Measurement() { return line.State().measurement; }
  // Opens "AEQ Start", presses "START" and lets the run go.
  void RunAeq() {
    form.PressFunctionButton(FunctionButton::AutoEq);
    Dialog().PressStart();
    requests.Deliver();
  }
};

}  // namespace measuretest
