#pragma once

#include <string>
#include <vector>

#include "common/dialogs.h"

// Remembers every message box the core asked for, in order.
class RecordingDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::None) override {
    messages.emplace_back(text);
    icons.push_back(icon);
  }
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
};
