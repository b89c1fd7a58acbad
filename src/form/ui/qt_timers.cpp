#include "form/ui/qt_timers.h"

#include "platform/qt_message_pump.h"

void QtTimers::Start(int id, int intervalMs) {
  std::unique_ptr<QTimer>& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [this, id] {
      // A bulk transfer letting the windows paint takes no tick; the next one comes.
      if (onTimer_ && !QtMessagePump::PaintingOnly()) onTimer_(id);
    });
  }
  timer->start(intervalMs);
}

void QtTimers::Stop(int id) {
  const auto it = timers_.find(id);
  if (it != timers_.end()) it->second->stop();
}

bool QtTimers::IsRunning(int id) const {
  const auto it = timers_.find(id);
  return it != timers_.end() && it->second->isActive();
}
