#pragma once

#include <chrono>

#include "common/message_pump.h"

// Delivers the pending Qt events of the calling thread; nothing without an application object.
class QtMessagePump : public MessagePump {
 public:
  // A bulk transfer lets the windows paint at most this often.
  static constexpr std::chrono::milliseconds kPaintInterval{10};

  void Pump() override;
  // Window-system events (exposes, resizes) and repaints only: user input and timers wait, and
  // what the program itself posted (window requests, the speaker picture's sends) is put back
  // until the transfer has ended; see PaintingOnly.
  void PumpPaint() override;

  // PumpPaint's delivery, at once: for a window that must reach the screen before a transfer
  // starts.
  static void DeliverPaintEvents();
  // True while paint events are delivered: a posted call that would reach the processor link or
  // the setup posts itself again instead of running.
  static bool PaintingOnly();

 private:
  std::chrono::steady_clock::time_point lastPaint_{};
};

// Creates the process's Qt core application when none exists yet (the command-line tool has no
// windows but its serial port still needs one).
void EnsureQtApplication();
