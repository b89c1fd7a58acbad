#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// `text` with "%1" .. "%9" replaced by the arguments in order, as the system's messages name
// their values; a placeholder without an argument stays as it is.
inline std::string WithArguments(std::string_view text, std::initializer_list<std::string_view> arguments) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t number =
        i + 1 < text.size() && text[i] == '%' ? static_cast<std::size_t>(text[i + 1] - '0') : 0;
    if (number >= 1 && number <= 9 && number <= arguments.size()) {
      out += *(arguments.begin() + (number - 1));
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}
