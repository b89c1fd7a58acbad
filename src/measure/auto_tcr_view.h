#pragma once

class AutoTcrRun;

// The modeless "TCR Start" dialog: the status line "AUTO TCR START", a bar from 0 to 100 and
// "STOP", which calls the run's Stop.
class AutoTcrView {
 public:
  virtual ~AutoTcrView() = default;
  virtual void Open(AutoTcrRun& run) = 0;
  virtual bool IsOpen() const = 0;
  virtual void SetPosition(int position) = 0;
  virtual void Close() = 0;
  // The wait cursor while the processor measures.
  virtual void SetWaitCursor(bool on) = 0;
};

// No dialog on screen.
class NoAutoTcrView : public AutoTcrView {
 public:
  void Open(AutoTcrRun&) override { open_ = true; }
  bool IsOpen() const override { return open_; }
  void SetPosition(int) override {}
  void Close() override { open_ = false; }
  void SetWaitCursor(bool) override {}

 private:
  bool open_ = false;
};
