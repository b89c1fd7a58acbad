#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "form/form_seams.h"

// The form's numbered timers on QTimer. Starting a running timer restarts it with the new
// interval, as SetTimer does.
class QtTimers : public Timers {
 public:
  explicit QtTimers(std::function<void(int)> onTimer) : onTimer_(std::move(onTimer)) {}

  void Start(int id, int intervalMs) override;
  void Stop(int id) override;
  bool IsRunning(int id) const;

 private:
  std::function<void(int)> onTimer_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
};
