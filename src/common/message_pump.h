#pragma once

// Delivers pending user-interface events now, so that windows stay alive while a transaction
// waits for the processor. Events delivered here may re-enter the core.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void Pump() = 0;
};
