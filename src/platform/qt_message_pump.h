#pragma once

#include "common/message_pump.h"

// Delivers the pending Qt events of the calling thread; nothing without an application object.
class QtMessagePump : public MessagePump {
 public:
  void Pump() override;
};

// Creates the process's Qt core application when none exists yet (the command-line tool has no
// windows but its serial port still needs one).
void EnsureQtApplication();
