#pragma once

#include <string>

// The text with its first "%1" replaced by `first` and its first "%2" by `second`.
inline std::string FillPlaceholders(std::string text, const std::string& first,
                                    const std::string& second = {}) {
  if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, first);
  if (const auto at = text.find("%2"); at != std::string::npos) text.replace(at, 2, second);
  return text;
}
