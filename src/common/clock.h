#pragma once

#include <cstdint>

// Wall time in milliseconds and blocking sleeps. Tests use a fake that advances virtual time.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::int64_t NowMs() = 0;
  virtual void SleepMs(int ms) = 0;
};
