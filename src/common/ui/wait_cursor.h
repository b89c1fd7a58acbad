#pragma once

#include <QApplication>

// The program's wait cursor, shown at most once however often it is asked for, and taken back
// when its owner goes.
class WaitCursor {
 public:
  WaitCursor() = default;
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  ~WaitCursor() { Set(false); }

  void Set(bool on) {
    if (on == on_) return;
    on_ = on;
    if (on) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
  }

 private:
  bool on_ = false;
};
