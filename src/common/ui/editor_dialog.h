#pragma once

#include <QCloseEvent>
#include <QDialog>
#include <functional>
#include <utility>

// A function window's dialog over its editor. Every control goes to the editor through Do, and
// the controls then show what the editor says (Sync). Nothing reaches the editor while the dialog
// is showing the editor's state, nor once the form has closed the window.
class EditorDialog : public QDialog {
 public:
  using QDialog::QDialog;

  // The controls show the editor's state; set `syncing_` while doing so.
  virtual void Sync() = 0;
  // The form has closed the window: from now on nothing reaches the editor, not even a field
  // losing the focus as the window goes.
  void Retire() { retired_ = true; }

  // "PRINT" was pressed.
  std::function<void()> onPrint;

 protected:
  template <typename F>
  void Do(F&& action) {
    if (syncing_ || retired_) return;
    std::forward<F>(action)();
    Sync();
  }

  // Escape, the hidden "CANCEL" and the window's close box: the editor asks the form, which
  // closes the window once it has taken the data back.
  virtual void CloseRequested() = 0;
  void reject() override {
    Do([this] { CloseRequested(); });
  }
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    Do([this] { CloseRequested(); });
  }

  // A graph and its legend change size together: Resized runs once, after both.
  void ScheduleResized();
  virtual void Resized() {}

  bool syncing_ = false;
  bool retired_ = false;

 private:
  bool resizeQueued_ = false;
};
