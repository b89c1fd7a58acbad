#pragma once

// Delivers pending user-interface events now, so that windows stay alive while a transaction
// waits for the processor. Events delivered here may re-enter the core.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void Pump() = 0;
  // Lets the windows paint, and nothing else: no clicks, no timers, no window requests. Bulk
  // transfers, which must not be re-entered, call it between bytes so that their progress window
  // and the main window still reach the screen.
  virtual void PumpPaint() {}
};
