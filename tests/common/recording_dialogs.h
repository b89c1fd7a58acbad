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
    causes.emplace_back();
  }
  void ShowFailure(std::string_view text, std::string_view cause,
                   MessageIcon icon = MessageIcon::None) override {
    ShowMessage(text, icon);
    causes.back() = cause;
  }
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
  std::vector<std::string> causes;  // the line under each message; "" for none
};
