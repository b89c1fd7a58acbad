#pragma once

#include <cstdint>

#include "common/clock.h"

// A clock whose time moves only when someone sleeps or advances it: the processor simulator's
// in-memory line and every test of timing run on it, so a ten-second exchange takes no time.
class VirtualClock : public Clock {
 public:
  std::int64_t NowMs() override { return nowUs_ / 1000; }
  void SleepMs(int ms) override { nowUs_ += static_cast<std::int64_t>(ms) * 1000; }

  std::int64_t NowUs() const { return nowUs_; }
  void AdvanceUs(std::int64_t us) { nowUs_ += us; }

 private:
  std::int64_t nowUs_ = 0;
};
