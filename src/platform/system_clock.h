#pragma once

#include "common/clock.h"

// Wall time from the monotonic clock; sleeps block the calling thread.
class SystemClock : public Clock {
 public:
  std::int64_t NowMs() override;
  void SleepMs(int ms) override;
};
