#pragma once

#include <string_view>

enum class MessageIcon { None, Information, Exclamation, Error };

// Message boxes and the small confirmation dialogs. The core reports to the user only through
// this seam; the windowed program shows boxes, the command-line tool writes to standard error.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box with one "OK" button.
  virtual void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::None) = 0;
};
