#pragma once

#include <string>

// The question at start-up about a setup a program left unsaved.
class RecoveryPrompt {
 public:
  // Later: the box was closed without a choice; the file stays for the next start.
  enum class Answer { Restore, Discard, Later };
  virtual ~RecoveryPrompt() = default;
  // Asks `question` with the buttons "Restore" and "Discard".
  virtual Answer Ask(const std::string& question) = 0;
};
