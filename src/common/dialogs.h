#pragma once

#include <functional>
#include <string_view>

enum class MessageIcon { None, Information, Exclamation, Error };

// Message boxes and the small confirmation dialogs. The core reports to the user only through
// this seam; the windowed program shows boxes, the command-line tool writes to standard error.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box with one "OK" button.
  virtual void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::None) = 0;

  // Memory numbers of the processor's six memories; kMemoryCancel when none was chosen.
  static constexpr int kMemoryCancel = 7;

  // "Memory Select": six buttons "1".."6" and "CANCEL". A number button asks ConfirmMemorySave;
  // on "OK" that button is disabled and the dialog closes with its number, otherwise it stays
  // open. "CANCEL" closes it with kMemoryCancel. While it is open, `keepAlive` is called every
  // 4000 ms so that the processor does not drop the link.
  virtual int SelectMemory(const std::function<void()>& keepAlive) {
    (void)keepAlive;
    return kMemoryCancel;
  }
  // "MEMORY SAVA" ("DATA  SAVE    OK?"): 1 for "OK"; 0 for "CANCEL" or when it closed itself
  // after 3000 ms.
  virtual int ConfirmMemorySave() { return 0; }
};
