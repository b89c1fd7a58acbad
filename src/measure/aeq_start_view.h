#pragma once

class AeqStart;

// The "AEQ Start" dialog on screen. It shows what its AeqStart holds and hands every press to it.
class AeqStartView {
 public:
  virtual ~AeqStartView() = default;
  // Creates the dialog modelessly and shows it; its controls call back into `dialog`.
  virtual void Open(AeqStart& dialog) = 0;
  // Re-reads the controls (modes, buttons, progress) from the dialog's state.
  virtual void Show() = 0;
  virtual void Close() = 0;
  // The wait cursor while the processor measures.
  virtual void SetWaitCursor(bool on) = 0;
};

// No dialog on screen.
class NoAeqStartView : public AeqStartView {
 public:
  void Open(AeqStart&) override {}
  void Show() override {}
  void Close() override {}
  void SetWaitCursor(bool) override {}
};
